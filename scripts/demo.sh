#!/usr/bin/env bash
# Builds the release tool and compresses a copy of the bundled example site
# with `crvcompress -r`, printing a line per file and the summary.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh demo
cmake --preset demo > /dev/null
cmake --build --preset demo

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r example/site "$work/site"
build/demo/cli/crvcompress -r -v "$work/site"
for file in "$work"/site/*; do
    echo "--- ${file#"$work"/} ---"
    cat "$file"
    echo
done
