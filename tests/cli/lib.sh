# Shared by the crvcompress test scripts: the tool, a scratch folder, checks
# and the closing line. Sourced with the script's name and the tool's path.
set -u
suite=$1
tool=$(realpath "$2") # the tests change folders
work=$(mktemp -d)
trap 'chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
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

# Runs the tool, under the command in as_user when it is set; its standard
# output, standard error and status land in $out, $err and $status.
as_user=()
run() {
    out=$("${as_user[@]}" "$tool" "$@" 2> "$work/.stderr")
    status=$?
    err=$(cat "$work/.stderr")
}

# How many lines of $err contain the text.
count() { grep -cF -- "$1" <<< "$err"; }

finish() {
    echo "$suite: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
