#!/usr/bin/env bash
# Compares the compressors' outputs of the working tree with those of a
# revision (default HEAD) over the whole corpus, for every property set the
# corpus checks use: both builds print a digest per file and set
# (tests/corpus/corpus_digests.cpp) and the two listings are diffed.
#
#   scripts/compare-outputs.sh [REVISION]
#
# The corpus is ../shared/corpus unless CRV_CORPUS names another. The
# revision's files go to build/digests-base-source, the builds to
# build/digests-base and build/digests-work, and the listings to
# build/digests-base.txt and build/digests-work.txt. Exit status 0 when every
# output is the same. The revision must have the digest program too.
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

base_source=build/digests-base-source
rm -rf "$base_source"
mkdir -p "$base_source"
git archive "$revision" | tar -x -C "$base_source"
if [ ! -f "$base_source/tests/corpus/corpus_digests.cpp" ]; then
    echo "$revision has no tests/corpus/corpus_digests.cpp to compare with" >&2
    exit 2
fi
rm -rf build/digests-base

digests "$base_source" build/digests-base
digests . build/digests-work

count=$(wc -l < build/digests-work.txt)
if diff build/digests-base.txt build/digests-work.txt > build/digests.diff; then
    echo "same outputs: $count file and property set pairs"
else
    head -20 build/digests.diff
    echo "outputs differ from $revision: $(grep -c '^>' build/digests.diff) of $count" \
        "file and property set pairs (all in build/digests.diff; < $revision, > working tree)"
    exit 1
fi
