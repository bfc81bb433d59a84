1X.f = function name(a) {
}
Y = async function* g() {
}
z = () => {
}
(q)
w = class extends B {
}
export {a}
if (a) L: {
}
else {
}
