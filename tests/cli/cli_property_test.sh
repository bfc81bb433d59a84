#!/usr/bin/env bash
# crvcompress's property flags, each on a page where it changes the output in
# a way of its own, so that a flag wired to another property shows.
source "$(dirname "$0")/lib.sh" cli_property "$1"

# A comment, an event handler, a script in a hiding comment and a style sheet.
page='<!-- c --><p onclick="f( 1 )">a</p>\n<script>\n<!--\n x = 1 ;\n//-->\n</script>\n<style> a { b : c } </style>'
script='<!--\nvar a = 1;\n//-->\n'

# name | arguments | input | output (both with printf escapes)
while IFS='|' read -r name args input output; do
    actual=$(printf '%b' "$input" | "$tool" $args - 2>/dev/null)
    check "$name (status)" 0 "$?"
    check "$name" "$(printf '%b' "$output")" "$actual"
done <<CASES
defaults|--type html|$page|<!-- c --><p onclick="f(1)">a</p><script>\n<!--\n x = 1 ;\n//-->\n</script> <style> a { b : c } </style>
delete comments|--type html --delete-comments|$page|<p onclick="f(1)">a</p><script>\n<!--\n x = 1 ;\n//-->\n</script> <style> a { b : c } </style>
no protect events|--type html --no-protect-events|$page|<!-- c --><p onclick=f(1)>a</p><script>\n<!--\n x = 1 ;\n//-->\n</script> <style> a { b : c } </style>
compress scripts|--type html --compress-scripts|$page|<!-- c --><p onclick="f(1)">a</p><script>x=1</script> <style> a { b : c } </style>
compress styles|--type html --compress-styles|$page|<!-- c --><p onclick="f(1)">a</p><script>\n<!--\n x = 1 ;\n//-->\n</script> <style>a{b:c}</style>
hide scripts, where scripts are compressed|--type html --compress-scripts --hide-scripts|$page|<!-- c --><p onclick="f(1)">a</p><script><!--\rx=1;//--></script> <style> a { b : c } </style>
hide scripts alone leaves script elements as they are|--type html --hide-scripts|$page|<!-- c --><p onclick="f(1)">a</p><script>\n<!--\n x = 1 ;\n//-->\n</script> <style> a { b : c } </style>
a script file|--type js|$script|var a=1
a script file, hiding comment kept|--type js --hide-scripts|$script|<!--\rvar a=1;//-->
CASES

finish
