1function f(a){ for (i = 0; a[i]; i++); }
{ if (a) for (;;); else ; }
{ do { x() } while (y); while (z) ; }
label: ;
for await (x of y);
