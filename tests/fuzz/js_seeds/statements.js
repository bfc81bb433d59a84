1var a = 1;
var b = 2;
x = {a:1}
y = 2
(x = {}), a = {b:1}, c = 2;
