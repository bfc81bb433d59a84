1x = a.replace(/ +/g, "") / 2 / b;
return /[/ ]/.test(s)
x = a++ / 2
