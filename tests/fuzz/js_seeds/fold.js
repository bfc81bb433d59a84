1x = 'a' + 'b' + "c";
n = 'a' + 'bc'.length
x = '</scr' + 'ipt>';
1 - '2' + '3'
