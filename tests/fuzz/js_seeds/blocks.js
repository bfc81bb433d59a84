1f(function () {
 a()
 b()
}, new
 X())
if (a) {
 b;
}
else {
 c;
}
a)
)
b
