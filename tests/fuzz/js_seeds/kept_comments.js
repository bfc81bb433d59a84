4x = {}
// c
y = function () {}
/* c */
z
return
/* c */ (a)
