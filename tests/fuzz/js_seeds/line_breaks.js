1x = {a: 1} // c
y = {} /* c
 */ z
v = {} instanceof Y
return
(x)
break
/a/g
throw // c
!a
f()
{
}
