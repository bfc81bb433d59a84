#!/bin/sh
# Installs the parsers of the corpus meaning checks (acorn, parse5 and
# lightningcss, pinned in package.json beside this script) into a folder under
# build/, which is not committed. A failed install leaves no package.json
# there, so that scripts/install-deps.sh tries again next time.
# Usage: setup.sh [folder]; the default is build/corpus-node.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
target=${1:-$here/../../build/corpus-node}
mkdir -p "$target"
cp "$here/package.json" "$target/package.json"
cd "$target"
npm install --no-audit --no-fund --loglevel=error || { rm -f package.json; exit 1; }
echo "parsers installed in $(pwd)/node_modules"
