#!/usr/bin/env bash
# Builds the release tool and compresses the bundled example style sheet (a
# copy of it, in a scratch folder), showing the sizes before and after.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset linux-release -DCRV_BUILD_TESTS=OFF > /dev/null
cmake --build --preset linux-release --target crvcompress

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp examples/site/style.css "$work/"
before=$(wc -c < "$work/style.css")
build/linux-release/cli/crvcompress "$work/style.css"
after=$(wc -c < "$work/style.css")
echo "examples/site/style.css: $before bytes -> $after bytes"
echo "--- compressed ---"
cat "$work/style.css"
echo
