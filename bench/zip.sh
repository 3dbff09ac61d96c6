#!/usr/bin/env bash
# Times ZIP listing, extraction and creation by quillfern-probe side by side with unzip/zip,
# 7-Zip (one thread) and bsdtar, on a 500 MB mixed set (random and text files) and a set of
# 20 000 small files; prints seconds, the ratio to the probe and peak memory (MiB).
# Usage: bench/zip.sh [PROBE] [WORKDIR]
#        (WORKDIR keeps the generated sets for the next run; without one a temporary folder is used)
. "$(dirname "$0")/lib.sh"
bench_probe "${1:-}"
bench_work "${2:-}"
cd "$work"

make_sets() {
    make_mixed_set "$(scaled 25)" deflate
    make_small_set "$(scaled 20000)" 500
}

# [CLEAN=path] [DEST=folder] measure_best COMMAND... (CLEAN removed, DEST made afresh before each run):: "seconds peak-MiB", the fastest of three runs (a virtual machine's first
# touch of fresh memory is slow, so single runs vary by a factor of two).
measure_best() {
    local best="" mem=0 i
    for i in 1 2 3; do
        [ -n "${CLEAN:-}" ] && rm -rf "$CLEAN"
        [ -n "${DEST:-}" ] && { rm -rf "$DEST"; mkdir "$DEST"; }
        /usr/bin/time -o time.out -f '%e %M' "$@" > /dev/null 2> /dev/null || echo "  (failed: $*)" >&2
        read -r s k < time.out
        if [ -z "$best" ] || awk -v a="$s" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$s; fi
        [ "$k" -gt "$mem" ] && mem=$k
    done
    awk -v s="$best" -v k="$mem" 'BEGIN { printf "%.2f %.0f\n", s, k / 1024 }'
}

label_width=16

run_set() {
    local set="$1"
    echo "== $set ($(du -sh "$set" | cut -f1))"
    echo "create"
    read -r base mem < <(CLEAN="$set-probe.zip" measure_best "$probe" zip-create "$set-probe.zip" "$set")
    row "probe" "$base" "$base" "$mem"
    read -r s m < <(CLEAN="$set-zip.zip" measure_best zip -q -r -5 "$set-zip.zip" "$set"); row "zip -5" "$base" "$s" "$m"
    read -r s m < <(CLEAN="$set-7z.zip" measure_best 7zz a -bso0 -tzip -mmt1 -mx5 "$set-7z.zip" "$set"); row "7zz -mmt1" "$base" "$s" "$m"
    read -r s m < <(CLEAN="$set-bsdtar.zip" measure_best bsdtar --format zip -cf "$set-bsdtar.zip" "$set"); row "bsdtar" "$base" "$s" "$m"
    ls -l "$set"-*.zip | awk '{ printf "    %-22s %12d bytes\n", $9, $5 }'

    echo "list (the Info-ZIP archive)"
    read -r base mem < <(measure_best "$probe" zip-list "$set-zip.zip"); row "probe" "$base" "$base" "$mem"
    read -r s m < <(measure_best unzip -l "$set-zip.zip"); row "unzip -l" "$base" "$s" "$m"
    read -r s m < <(measure_best 7zz l "$set-zip.zip"); row "7zz l" "$base" "$s" "$m"
    read -r s m < <(measure_best bsdtar -tf "$set-zip.zip"); row "bsdtar -t" "$base" "$s" "$m"

    echo "extract (the Info-ZIP archive)"
    read -r base mem < <(DEST=x-probe measure_best "$probe" zip-extract "$set-zip.zip" x-probe); row "probe" "$base" "$base" "$mem"
    read -r s m < <(DEST=x-unzip measure_best unzip -q -o "$set-zip.zip" -d x-unzip); row "unzip" "$base" "$s" "$m"
    read -r s m < <(DEST=x-7z measure_best 7zz x -bso0 -mmt1 -y -ox-7z "$set-zip.zip"); row "7zz -mmt1" "$base" "$s" "$m"
    read -r s m < <(DEST=x-bsdtar measure_best bsdtar -xf "$set-zip.zip" -C x-bsdtar); row "bsdtar" "$base" "$s" "$m"
    diff -r x-probe x-unzip > /dev/null && echo "  extracted trees identical" || echo "  TREES DIFFER"
    local largest
    largest=$(find "$set" -type f -printf '%s\n' | sort -n | tail -1)
    echo "  memory goal: archive + largest entry + 64 MiB = $(( ($(stat -c %s "$set-zip.zip") + largest) / 1048576 + 64 )) MiB"
    rm -rf x-probe x-unzip x-7z x-bsdtar
}

make_sets
run_set mixed
run_set small
