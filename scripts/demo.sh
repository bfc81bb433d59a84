#!/usr/bin/env bash
# Builds the release tool and compresses a copy of the bundled example site
# with `crvcompress -r`, printing a line per file and the summary.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset linux-release -DCRV_BUILD_TESTS=OFF > /dev/null
cmake --build --preset linux-release --target crvcompress

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r example/site "$work/site"
build/linux-release/cli/crvcompress -r -v "$work/site"
for file in "$work"/site/*; do
    echo "--- ${file#"$work"/} ---"
    cat "$file"
    echo
done
