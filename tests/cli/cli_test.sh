#!/usr/bin/env bash
# Runs the built crvcompress over small inputs and checks output, files and
# exit status.
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() { # name expected actual
    if [ "$2" == "$3" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
    fi
}

# Standard input to standard output: name | arguments | input | output | status
while IFS='|' read -r name args input output status; do
    actual=$(printf '%b' "$input" | "$tool" $args 2>/dev/null)
    check "$name (status)" "$status" "$?"
    check "$name" "$output" "$actual"
done <<'CASES'
css from stdin|--type css -|a { color : red ; }|a{color:red}|0
type given with =|--type=css -|p , q { }|p,q{}|0
empty input|--type css -|||0
line comment|--type css -|/* c */ p { } // x\nq{}|p{}q{}|0
no type for stdin|-|a{}||1
javascript not yet|--type js -|a = 1||1
html not yet|--type html -|<p>||1
bad type|--type pdf -|a{}||2
unknown option|--frobnicate -|a{}||2
nothing named||||2
CASES

# A file compressed in place keeps its permissions.
printf 'a  {  b : c ; }\n' > "$work/site.css"
chmod 640 "$work/site.css"
"$tool" "$work/site.css"
check "file status" 0 "$?"
check "file content" "a{b:c}" "$(cat "$work/site.css")"
check "file mode" 640 "$(stat -c %a "$work/site.css")"
check "no temporary left" "site.css" "$(ls "$work")"

# Failures name the file, leave it as it was and do not stop the others.
printf 'x {  }' > "$work/ok.css"
printf 'keep  me' > "$work/notes.txt"
printf 'a\0b {  }' > "$work/zero.css"
message=$("$tool" "$work/missing.css" "$work/notes.txt" "$work/zero.css" "$work/ok.css" 2>&1)
check "failure status" 1 "$?"
check "missing file named" 1 "$(grep -c 'missing.css: cannot read' <<< "$message")"
check "unknown extension named" 1 "$(grep -c 'notes.txt: cannot tell the type' <<< "$message")"
check "zero byte named" 1 "$(grep -c 'zero.css: contains a zero byte' <<< "$message")"
check "others still done" "x{}" "$(cat "$work/ok.css")"
check "unknown extension untouched" "keep  me" "$(cat "$work/notes.txt")"
check "zero byte file untouched" "$(printf 'a\0b {  }' | od -c)" "$(od -c < "$work/zero.css")"

"$tool" --help | grep -q 'Usage: crvcompress'
check "help" 0 "$?"
check "version" "crvcompress (HTML Corvane) 4.0.0" "$("$tool" --version)"

echo "cli: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
