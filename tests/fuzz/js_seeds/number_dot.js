1x = 1 .toString() + 1..a + 1.5 .b + 0x1 .c + f(...1 .d) + 1_0
.e
class A {
 #a = {}
 #b = 1
}
