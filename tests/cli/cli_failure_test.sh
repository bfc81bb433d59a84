#!/usr/bin/env bash
# crvcompress when files cannot be compressed: each failure is named with its
# reason, the file is left as it was, the others are still done, and the
# status is 1.
source "$(dirname "$0")/lib.sh" cli_failure "$1"

# A file compressed in place keeps its permissions.
printf 'a  {  b : c ; }\n' > "$work/site.css"
chmod 640 "$work/site.css"
run "$work/site.css"
check "file status" 0 "$status"
check "file content" "a{b:c}" "$(cat "$work/site.css")"
check "file mode" 640 "$(stat -c %a "$work/site.css")"
check "no temporary left" "site.css" "$(ls "$work")"

# An empty file stays empty.
: > "$work/empty.css"
run "$work/empty.css"
check "empty status" 0 "$status"
check "empty stays empty" 0 "$(stat -c %s "$work/empty.css")"
check "empty summary" 1 "$(grep -cE '^crvcompress: 1 file: 0 -> 0 bytes \(0\.0% saved\); gzipped ([0-9]+) -> \1 bytes \(0\.0% saved\)$' <<< "$err")"

printf 'x {  }' > "$work/ok.css"
printf 'keep  me' > "$work/notes.txt"
printf 'a\0b {  }' > "$work/zero.css"
printf 'var  a = 1;' > "$work/app.js"
printf '<p>  x' > "$work/page.html"
printf 'r {  }' > "$work/readonly.css"
chmod 444 "$work/readonly.css"
run "$work/missing.css" "$work/notes.txt" "$work/zero.css" "$work/app.js" "$work/page.html" \
    "$work/readonly.css" "$work/ok.css"
check "failure status" 1 "$status"
check "missing file named" 1 "$(count "crvcompress: $work/missing.css: cannot read the file: No such file or directory")"
check "unknown extension named" 1 "$(count "crvcompress: $work/notes.txt: cannot tell the type from the extension; use --type")"
check "zero byte named" 1 "$(count "crvcompress: $work/zero.css: contains a zero byte")"
check "read-only named" 1 "$(count "crvcompress: $work/readonly.css: the file is read-only; it was left as it was")"
check "failures counted" 1 "$(count "crvcompress: 3 files, 4 failed: 23 -> 14 bytes")"
check "others still done" "x{}" "$(cat "$work/ok.css")"
check "unknown extension untouched" "keep  me" "$(cat "$work/notes.txt")"
check "zero byte file untouched" "$(printf 'a\0b {  }' | od -c)" "$(od -c < "$work/zero.css")"
check "javascript compressed" "var a=1" "$(cat "$work/app.js")"
check "html compressed" "<p>x" "$(cat "$work/page.html")"
check "read-only untouched" "r {  }" "$(cat "$work/readonly.css")"
check "read-only still read-only" 444 "$(stat -c %a "$work/readonly.css")"
run -q "$work/missing.css"
check "quiet still reports errors" 1 "$(count "missing.css: cannot read the file")"
run -q "$work/ok.css"
check "quiet prints no summary" "" "$err"

# The type can be given for a file whose extension tells none.
run --type css "$work/notes.txt"
check "type given status" 0 "$status"
check "type given content" "keep me" "$(cat "$work/notes.txt")"

# A folder needs -r: bad usage, and nothing is done.
mkdir "$work/folder" && printf 'f {  }' > "$work/folder/f.css"
run "$work/ok.css" "$work/folder"
check "folder without -r status" 2 "$status"
check "folder without -r named" 1 "$(count "crvcompress: $work/folder is a folder; use -r to walk it")"
check "folder without -r untouched" "f {  }" "$(cat "$work/folder/f.css")"

# Two inputs with one output: the second fails, the first is written.
mkdir -p "$work/one" "$work/two"
printf 'o {  }' > "$work/one/same.css"
printf 't {  }' > "$work/two/same.css"
run -o "$work/out" "$work/one/same.css" "$work/two/same.css"
check "output clash status" 1 "$status"
check "output clash named" 1 "$(count "crvcompress: $work/two/same.css: its output $work/out/same.css is the output of $work/one/same.css already")"
check "output clash first kept" "o{}" "$(cat "$work/out/same.css")"

# Writing where the user may not: run as nobody, which root can become.
if [ "$(id -u)" -ne 0 ] || ! command -v setpriv > /dev/null; then
    echo "note: not root or no setpriv; the folder permission cases are skipped"
    finish
    exit
fi
as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
chmod 755 "$work"
mkdir "$work/locked" "$work/sealed" "$work/sealed/inner"
printf 'l {  }' > "$work/locked/l.css"
chmod 666 "$work/locked/l.css"
chmod 555 "$work/locked"
printf 's {  }' > "$work/sealed/inner/s.css"
chmod 700 "$work/sealed/inner"
run "$work/locked/l.css"
check "locked folder status" 1 "$status"
check "locked folder named as a folder" 1 "$(count "crvcompress: $work/locked/l.css: cannot make a new file in the folder $work/locked: Permission denied; it was left as it was")"
check "locked folder untouched" "l {  }" "$(cat "$work/locked/l.css")"
check "locked folder nothing left" "l.css" "$(ls "$work/locked")"
run -o "$work/locked/out" "$work/ok.css"
check "output in locked folder status" 1 "$status"
check "output in locked folder named" 1 "$(count "crvcompress: $work/ok.css: cannot write $work/locked/out/ok.css: Permission denied")"
run -r "$work/sealed"
check "unreadable folder status" 1 "$status"
check "unreadable folder named" 1 "$(count "crvcompress: $work/sealed/inner: cannot read the folder: Permission denied")"

finish
