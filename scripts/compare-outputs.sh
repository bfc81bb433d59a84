#!/usr/bin/env bash
# Compares the compressors' outputs of the working tree with those of a
# revision (default HEAD) over the whole corpus, for every property set the
# corpus checks use: both builds print a digest per file and set
# (tests/corpus/corpus_digests.cpp) and the two listings are diffed.
#
#   scripts/compare-outputs.sh [REVISION]
#
# The corpus is ../shared/corpus unless CRV_CORPUS names another. The builds
# go to build/digests-work and build/digests-base, and the listings to
# build/digests-work.txt and build/digests-base.txt. Exit status 0 when every
# output is the same.
set -euo pipefail
cd "$(dirname "$0")/.."

revision=${1:-HEAD}
corpus=$(realpath "${CRV_CORPUS:-../shared/corpus}")
[ -d "$corpus" ] || { echo "no corpus at $corpus" >&2; exit 2; }

# Builds the digest program of source folder $1 in build folder $2 and lists
# the digests into $2.txt.
digests() {
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCRV_BUILD_TESTS=ON -DCRV_BUILD_BENCH=OFF > /dev/null
    cmake --build "$2" --target corpus_digests > /dev/null
    "$2/tests/corpus/corpus_digests" "$corpus" > "$2.txt"
}

base_source=$(mktemp -d)
trap 'rm -rf "$base_source"' EXIT
git archive "$revision" | tar -x -C "$base_source"

digests "$base_source" build/digests-base
digests . build/digests-work

count=$(wc -l < build/digests-work.txt)
if diff build/digests-base.txt build/digests-work.txt; then
    echo "same outputs: $count file and property set pairs"
else
    echo "outputs differ from $revision (lines above: < $revision, > working tree)"
    exit 1
fi
