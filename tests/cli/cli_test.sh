#!/usr/bin/env bash
# crvcompress's command line: standard input to standard output, every
# option, and the exit status of bad usage.
source "$(dirname "$0")/lib.sh" cli "$1"

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
quiet|-q --type css -|a { }|a{}|0
quiet long|--quiet --type css -|a { }|a{}|0
verbose|--verbose --type css -|a { }|a{}|0
dry run writes nothing|-n --type css -|a { }||0
one job|-j 1 --type css -|a { }|a{}|0
jobs attached|-j3 --type css -|a { }|a{}|0
jobs long|--jobs=2 --type css -|a { }|a{}|0
jobs with leading zeros|-j 00001 --type css -|a { }|a{}|0
jobs zeros only|-j 0000 --type css -|a{}||2
jobs over the most|-j 01025 --type css -|a{}||2
after --|--type css -- -|a { }|a{}|0
delete comments|--delete-comments --type css -|a { }|a{}|0
no protect events|--no-protect-events --type css -|a { }|a{}|0
compress scripts|--compress-scripts --type css -|a { }|a{}|0
compress styles|--compress-styles --type css -|a { }|a{}|0
hide scripts|--hide-scripts --type css -|a { }|a{}|0
javascript from stdin|--type js -|a = 1|a=1|0
html from stdin|--type html -|<p>  x|<p>x|0
no type for stdin|-|a{}||2
stdin twice|--type css - -|a{}||2
stdin with output|--type css -o out -|a{}||2
bad type|--type pdf -|a{}||2
type without value|--type|a{}||2
unknown option|--frobnicate -|a{}||2
unknown short option|-x -|a{}||2
value for a flag|--quiet=1 --type css -|a{}||2
no jobs|-j 0 --type css -|a{}||2
jobs not a number|--jobs many --type css -|a{}||2
jobs without value|--type css - -j|a{}||2
quiet and verbose|-q -v --type css -|a{}||2
output without value|--type css - -o|a{}||2
ext without value|-r x --ext|a{}||2
ext of unknown type|-r --ext css,scss x|a{}||2
empty ext|-r --ext=, x|a{}||2
nothing named||||2
CASES

# Standard output carries the text alone; the summary goes to standard error.
printf 'a { color : red ; }' > "$work/in.css"
out=$("$tool" --type css - < "$work/in.css" 2> "$work/summary")
check "stdout clean" "a{color:red}" "$out"
# The gzip figures depend on the deflater the build chose; their exactness is
# the gzip size test's.
check "summary on stderr" 1 "$(grep -cE '^crvcompress: 1 file: 19 -> 12 bytes \(36\.8% saved\); gzipped [0-9]+ -> [0-9]+ bytes \([0-9]+\.[0-9]% saved\)$' "$work/summary")"
check "summary alone on stderr" 1 "$(wc -l < "$work/summary")"
out=$("$tool" -v --type css - < "$work/in.css" 2> "$work/summary")
check "verbose line on stderr" 1 "$(grep -c '^standard input: 19 -> 12 bytes (36.8% saved)$' "$work/summary")"
for quiet in -q --quiet; do
    out=$("$tool" $quiet --type css - < "$work/in.css" 2> "$work/summary")
    check "$quiet prints nothing" "" "$(cat "$work/summary")"
done

run --type css - -j 0
check "usage names the problem" 1 "$(count "crvcompress: --jobs takes a number from 1 to 1024, not '0'")"
check "usage points to help" 1 "$(count "Try 'crvcompress --help'.")"
run -x
check "short option named" 1 "$(count "unknown option '-x'")"

# A run taking over a second shows a progress line on a terminal, and clears
# it before the summary; standard input held back makes the run that long,
# with a second and a half to spare for a first tick late on a busy machine.
slow="(sleep 2.5; printf 'a { }') | '$tool' --type css - > /dev/null"
if command -v script > /dev/null; then
    shown=$(script -qec "$slow" /dev/null | od -An -c | tr -s ' \n' ' ')
    check "progress on a terminal" 1 "$(grep -c '\\r c r v c o m p r e s s : 0 / 1 f i l e \\r \\r c r v' <<< "$shown")"
else
    echo "note: no script command; the terminal case is skipped"
fi
check "no progress elsewhere" 0 "$(bash -c "$slow" 2>&1 | grep -c $'\r')"

run --help
check "help status" 0 "$status"
check "help usage" 1 "$(grep -c '^Usage: crvcompress' <<< "$out")"
check "help examples" 1 "$(grep -c '^Examples:' <<< "$out")"
for option in --recursive --ext --type --output --dry-run --jobs --quiet --verbose \
    --delete-comments --no-protect-events --compress-scripts --compress-styles --hide-scripts \
    --version; do
    check "help names $option" 0 "$(grep -qF -- " $option" <<< "$out"; echo $?)"
done
run -h
check "short help" 1 "$(grep -c '^Usage: crvcompress' <<< "$out")"
run --version
check "version" "crvcompress (HTML Corvane) 4.0.0" "$out"

finish
