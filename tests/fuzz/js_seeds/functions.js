1var f = function (a) {
 return a;
}
f(1);
b <!-- c
d