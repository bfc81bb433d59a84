#!/bin/sh
# Installs the parsers of the corpus meaning checks (acorn and parse5, pinned
# in package.json beside this script) into a folder under build/, which is not
# committed. Usage: setup.sh [folder]; the default is build/corpus-node.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
target=${1:-$here/../../build/corpus-node}
mkdir -p "$target"
cp "$here/package.json" "$target/package.json"
cd "$target"
npm install --no-audit --no-fund --loglevel=error
echo "parsers installed in $(pwd)/node_modules"
