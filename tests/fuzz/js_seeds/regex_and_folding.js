1var re = /ab/
var z = /a/ in y
t = typeof "a" + "b"
u = !"a" + "b" + ~"c" + "d"
