4alert( 'a' ) ; // c
if (a<!b) c
