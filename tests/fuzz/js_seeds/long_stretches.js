1var long = "a string that runs past several sixteen- and thirty-two-byte blocks \" with an escape";
    /* a comment that also runs well past one thirty-two-byte block of text */
        x = `template text long enough for two blocks ${ y } and after it`; // line comment to the end of a long line
z
