#!/usr/bin/env bash
# crvcompress over folders: walking, extensions, mirroring into another
# folder, dry runs, parallel jobs, symbolic links and special files.
source "$(dirname "$0")/lib.sh" cli_tree "$1"

make_tree() { # folder
    mkdir -p "$1/a/b" "$1/c"
    printf 'a { color : red ; }' > "$1/x.css"
    printf 'p , q { }' > "$1/a/y.css"
    printf 'b { }' > "$1/a/b/z.CSS"
    printf 'd  {  e : f  }' > "$1/c/w.scss"
    printf 'keep  me' > "$1/a/notes.txt"
}
make_tree "$work/pristine"
fresh() { rm -rf "$work/tree" "$work/out" && cp -a "$work/pristine" "$work/tree"; }
untouched() { diff -r "$work/pristine" "$work/tree" > /dev/null && echo same; }

fresh
run --recursive "$work/tree"
check "walk status" 0 "$status"
check "walk top" "a{color:red}" "$(cat "$work/tree/x.css")"
check "walk nested" "p,q{}" "$(cat "$work/tree/a/y.css")"
check "walk upper-case extension" "b{}" "$(cat "$work/tree/a/b/z.CSS")"
check "walk leaves .txt" "keep  me" "$(cat "$work/tree/a/notes.txt")"
check "walk leaves .scss" "d  {  e : f  }" "$(cat "$work/tree/c/w.scss")"
check "walk summary" 1 "$(count "crvcompress: 3 files: 33 -> 20 bytes (39.4% saved); gzipped ")"
check "no temporary left" "" "$(find "$work/tree" -name '*.crv*')"

fresh
run -r --ext css,scss --type css "$work/tree"
check "ext status" 0 "$status"
check "ext takes .scss" "d{e:f}" "$(cat "$work/tree/c/w.scss")"
check "ext keeps .css" "a{color:red}" "$(cat "$work/tree/x.css")"
fresh
run -r --ext=.SCSS --type=css "$work/tree"
check "ext only" "d{e:f}" "$(cat "$work/tree/c/w.scss")"
check "ext only leaves .css" "a { color : red ; }" "$(cat "$work/tree/x.css")"

fresh
run -r "$work/tree" --output "$work/out"
check "mirror status" 0 "$status"
check "mirror inputs untouched" same "$(untouched)"
check "mirror tree" "a/b/z.CSS a/y.css x.css" "$(cd "$work/out" && find . -type f | sed 's|^\./||' | sort | xargs)"
check "mirror nested" "b{}" "$(cat "$work/out/a/b/z.CSS")"
run -o "$work/out/new/deeper" "$work/tree/a/y.css"
check "file into new folders" "p,q{}" "$(cat "$work/out/new/deeper/y.css")"
run -rv "-o$work/out2" "$work/tree"
check "bundled flags and attached value" "b{}" "$(cat "$work/out2/a/b/z.CSS")"
check "bundled verbose" 1 "$(count "$work/tree/a/y.css: 9 -> 5 bytes")"
printf 'stale' > "$work/out2/x.css"
run -r --output="$work/out2" "$work/tree"
check "output replaced" "a{color:red}" "$(cat "$work/out2/x.css")"
check "output no temporary left" "" "$(find "$work/out2" -name '*.crv*')"
run -r -o "$work/tree/min" "$work/tree"
check "output inside the tree refused" 2 "$status"
check "output inside the tree named" 1 "$(count "crvcompress: the output folder $work/tree/min lies inside the input $work/tree; choose a folder outside it")"
check "output inside the tree nothing made" absent "$([ -e "$work/tree/min" ] || echo absent)"

fresh
run -n -v -r "$work/tree"
check "dry run status" 0 "$status"
check "dry run untouched" same "$(untouched)"
check "dry run line" 1 "$(count "$work/tree/x.css: 19 -> 12 bytes (36.8% saved)")"
check "dry run said" 1 "$(count "; dry run, nothing written")"
run --dry-run -r -o "$work/out" "$work/tree"
check "dry run makes no output" absent "$([ -e "$work/out" ] || echo absent)"

# The same tree, with failures and skips, gives the same messages, status
# and results with one job and with four.
for jobs in 1 4; do
    mkdir -p "$work/j$jobs" && make_tree "$work/j$jobs/t"
    for i in $(seq 10 40); do printf 'i%s  {  k : l  }' "$i" > "$work/j$jobs/t/c/f$i.css"; done
    printf '<p>  x' > "$work/j$jobs/t/a/s.html"
    printf 'a\0b' > "$work/j$jobs/t/a/zero.css"
    mkfifo "$work/j$jobs/t/a/pipe.css"
    (cd "$work/j$jobs" && "$tool" -v -r -j $jobs t -o o > stdout 2> stderr; echo $? > status)
    (cd "$work/j$jobs" && "$tool" -v -r -j $jobs t > in-place.stdout 2> in-place.stderr)
done
check "jobs same status" "$(cat "$work/j1/status")" "$(cat "$work/j4/status")"
check "jobs status is failure" 1 "$(cat "$work/j4/status")"
check "jobs same messages" "$(cat "$work/j1/stderr")" "$(cat "$work/j4/stderr")"
check "jobs same in-place messages" "$(cat "$work/j1/in-place.stderr")" "$(cat "$work/j4/in-place.stderr")"
check "jobs messages in path order" "$(grep -o '^t/[^:]*' "$work/j4/stderr" | LC_ALL=C sort)" \
    "$(grep -o '^t/[^:]*' "$work/j4/stderr")"
check "jobs same outputs" same "$(diff -r "$work/j1/o" "$work/j4/o" > /dev/null && echo same)"
check "jobs same results" same "$(diff -r -x pipe.css "$work/j1/t" "$work/j4/t" > /dev/null && echo same)"
check "jobs all files" 35 "$(find "$work/j4/o" -type f | wc -l)"
check "jobs failure reported" 1 "$(grep -c 't/a/zero.css: contains a zero byte' "$work/j4/stderr")"
check "jobs fifo noted" 1 "$(grep -c 't/a/pipe.css: not a regular file; skipped' "$work/j4/stderr")"
check "jobs summary" 1 "$(grep -c '^crvcompress: 35 files, 1 failed, 1 skipped: ' "$work/j4/stderr")"

# Enough files for several batches per job: each batch is put in place while
# the next is written, and every file still ends up compressed, once, with
# no temporary left and every outcome counted.
for jobs in 1 2; do
    many="$work/many$jobs"
    mkdir -p "$many/d"
    for i in $(seq 700); do printf '.c%d  {  k : l  }' "$i" > "$many/d/f$i.css"; done
    run -r -j $jobs "$many"
    check "batches -j$jobs status" 0 "$status"
    check "batches -j$jobs summary" 1 "$(count "crvcompress: 700 files: ")"
    check "batches -j$jobs first" ".c1{k:l}" "$(cat "$many/d/f1.css")"
    check "batches -j$jobs last" ".c700{k:l}" "$(cat "$many/d/f700.css")"
    check "batches -j$jobs all compressed" 0 "$(grep -l '  ' "$many"/d/*.css | wc -l)"
    check "batches -j$jobs no temporary left" 700 "$(find "$many" -type f | wc -l)"
done

# Links: to a file or folder outside, or to nothing, are passed by with a
# note; to a file inside, quietly (the file itself is taken once).
fresh
printf 'o { }' > "$work/outside.css"
mkdir "$work/elsewhere" && printf 'e { }' > "$work/elsewhere/e.css"
ln -s "$work/outside.css" "$work/tree/out.css"
ln -s "$work/elsewhere" "$work/tree/linked"
ln -s ../x.css "$work/tree/a/in.css"
ln -s "$work/nothing.css" "$work/tree/broken.css"
run -v -r "$work/tree"
check "links status" 0 "$status"
check "link outside noted" 1 "$(count "$work/tree/out.css: symbolic link to outside the folder; skipped")"
check "link to folder outside noted" 1 "$(count "$work/tree/linked: symbolic link to outside the folder; skipped")"
check "broken link noted" 1 "$(count "$work/tree/broken.css: symbolic link to nothing; skipped")"
check "link inside an aside with -v" 1 "$(count "$work/tree/a/in.css: a symbolic link to a file inside the folder, taken under its own name; skipped")"
check "link target outside untouched" "o { }" "$(cat "$work/outside.css")"
check "folder outside untouched" "e { }" "$(cat "$work/elsewhere/e.css")"
check "target inside taken once" 1 "$(count "x.css: 19 -> 12")"
check "link inside still a link" "../x.css" "$(readlink "$work/tree/a/in.css")"
check "links summary" 1 "$(count "crvcompress: 3 files, 3 skipped: 33 -> 20 bytes")"

# A link named on the command line is followed: its target is compressed.
run "$work/tree/out.css"
check "named link status" 0 "$status"
check "named link target compressed" "o{}" "$(cat "$work/outside.css")"
check "named link still a link" "$work/outside.css" "$(readlink "$work/tree/out.css")"

# A file named twice, or named and walked, is compressed once.
fresh
run -v "$work/tree/x.css" "$work/tree/x.css"
check "named twice status" 0 "$status"
check "named twice noted" 1 "$(count "$work/tree/x.css: the same file as $work/tree/x.css; taken once")"
check "named twice one line" 1 "$(count "x.css: 19 -> 12")"
fresh
run -v -r "$work/tree" "$work/tree/a/../x.css"
check "named and walked once" 1 "$(count "x.css: 19 -> 12")"

# After --, a name that starts with a dash is a file.
printf 'm {  }' > "$work/tree/-m.css"
(cd "$work/tree" && "$tool" -q -- -m.css)
check "dash file after --" "m{}" "$(cat "$work/tree/-m.css")"

# Which files a walk takes: by default every extension that tells a type;
# with --type, that type's extensions; with --ext, exactly those. Each row:
# options | the files compressed. -v names each file passed by, and why.
rm -rf "$work/ext" && mkdir "$work/ext"
make_ext() {
    rm -rf "$work/ext"/* "$work/ext"/.[!.]* 2> /dev/null
    for name in a.mjs b.cjs c.js d.CJS; do printf 'var  x = 1;' > "$work/ext/$name"; done
    for name in e.xhtml f.shtml g.htm h.html; do printf '<p>  x' > "$work/ext/$name"; done
    printf 'i {  }' > "$work/ext/i.css"
    printf 'j {  }' > "$work/ext/j.txt"
}
while IFS='|' read -r options compressed; do
    make_ext
    run -r $options "$work/ext"
    changed=$(cd "$work/ext" && for f in *; do grep -qE '  ' "$f" || printf '%s ' "$f"; done)
    check "walk with '$options' status" 0 "$status"
    check "walk with '$options' takes" "$compressed" "$changed"
done <<'ROWS'
|a.mjs b.cjs c.js d.CJS e.xhtml f.shtml g.htm h.html i.css 
--type js|a.mjs b.cjs c.js d.CJS 
--type html|e.xhtml f.shtml g.htm h.html 
--type css|i.css 
--type css --ext txt|j.txt 
--ext mjs,xhtml|a.mjs e.xhtml 
ROWS
make_ext
run -v -r --type js "$work/ext"
check "walk passes by others, said with -v" 1 "$(count "crvcompress: $work/ext/i.css: not of the extensions taken; skipped")"
check "walk passes by every other" 6 "$(count ": not of the extensions taken; skipped")"
check "walk passed by not counted" 1 "$(count "crvcompress: 4 files: ")"
run -r --type js "$work/ext"
check "walk passes by quietly without -v" 0 "$(count "not of the extensions taken")"

# Special files named directly are passed by too.
mkfifo "$work/named.css"
run -q "$work/named.css"
check "fifo named status" 0 "$status"
run "$work/named.css"
check "fifo named noted" 1 "$(count "$work/named.css: not a regular file; skipped")"

finish
