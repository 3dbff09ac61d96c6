#!/usr/bin/env bash
# Times ZIP listing, extraction and creation by quillfern-probe side by side with unzip/zip,
# 7-Zip (one thread) and bsdtar, on a 500 MB mixed set (random and text files) and a set of
# 20 000 small files; prints seconds, the ratio to the probe and peak memory (MiB).
# Usage: bench/zip.sh [PROBE] [WORKDIR]
set -euo pipefail
probe="$(realpath "${1:-build/bench/bench/quillfern-probe}")"
work="${2:-$(mktemp -d /tmp/zip-bench.XXXXXX)}"
mkdir -p "$work"
cd "$work"

make_sets() {
    [ -d mixed ] || {
        mkdir -p mixed/random mixed/text
        for i in $(seq 1 25); do head -c 10000000 /dev/urandom > "mixed/random/r$i.bin"; done
        python3 - <<'PY'
import random
random.seed(1)
words = ("압축 파일 이름 한글 문서 archive deflate benchmark quillfern 누리함 text line data "
         "the quick brown fox jumps over lazy dog 0123456789").split()
for i in range(1, 26):
    with open(f"mixed/text/t{i}.txt", "w") as f:
        size = 0
        while size < 10_000_000:
            line = " ".join(random.choice(words) for _ in range(12)) + "\n"
            f.write(line)
            size += len(line.encode())
PY
    }
    [ -d small ] || python3 - <<'PY'
import os, random
random.seed(2)
for i in range(20000):
    d = f"small/d{i // 500}"
    os.makedirs(d, exist_ok=True)
    with open(f"{d}/f{i}.txt", "w") as f:
        f.write(("작은 파일 %d " % i) * random.randint(5, 300))
PY
}

# [CLEAN=path] [DEST=folder] measure COMMAND... (CLEAN removed, DEST made afresh before each run):: "seconds peak-MiB", the fastest of three runs (a virtual machine's first
# touch of fresh memory is slow, so single runs vary by a factor of two).
measure() {
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

row() { # label base-seconds seconds mib
    awk -v l="$1" -v b="$2" -v s="$3" -v m="$4" 'BEGIN { printf "  %-16s %7.2f s  x%5.2f  %6s MiB\n", l, s, (b > 0 ? s / b : 0), m }'
}

run_set() {
    local set="$1"
    echo "== $set ($(du -sh "$set" | cut -f1))"
    echo "create"
    read -r base mem < <(CLEAN="$set-probe.zip" measure "$probe" zip-create "$set-probe.zip" "$set")
    row "probe" "$base" "$base" "$mem"
    read -r s m < <(CLEAN="$set-zip.zip" measure zip -q -r -5 "$set-zip.zip" "$set"); row "zip -5" "$base" "$s" "$m"
    read -r s m < <(CLEAN="$set-7z.zip" measure 7zz a -bso0 -tzip -mmt1 -mx5 "$set-7z.zip" "$set"); row "7zz -mmt1" "$base" "$s" "$m"
    read -r s m < <(CLEAN="$set-bsdtar.zip" measure bsdtar --format zip -cf "$set-bsdtar.zip" "$set"); row "bsdtar" "$base" "$s" "$m"
    ls -l "$set"-*.zip | awk '{ printf "    %-22s %12d bytes\n", $9, $5 }'

    echo "list (the Info-ZIP archive)"
    read -r base mem < <(measure "$probe" zip-list "$set-zip.zip"); row "probe" "$base" "$base" "$mem"
    read -r s m < <(measure unzip -l "$set-zip.zip"); row "unzip -l" "$base" "$s" "$m"
    read -r s m < <(measure 7zz l "$set-zip.zip"); row "7zz l" "$base" "$s" "$m"
    read -r s m < <(measure bsdtar -tf "$set-zip.zip"); row "bsdtar -t" "$base" "$s" "$m"

    echo "extract (the Info-ZIP archive)"
    read -r base mem < <(DEST=x-probe measure "$probe" zip-extract "$set-zip.zip" x-probe); row "probe" "$base" "$base" "$mem"
    read -r s m < <(DEST=x-unzip measure unzip -q -o "$set-zip.zip" -d x-unzip); row "unzip" "$base" "$s" "$m"
    read -r s m < <(DEST=x-7z measure 7zz x -bso0 -mmt1 -y -ox-7z "$set-zip.zip"); row "7zz -mmt1" "$base" "$s" "$m"
    read -r s m < <(DEST=x-bsdtar measure bsdtar -xf "$set-zip.zip" -C x-bsdtar); row "bsdtar" "$base" "$s" "$m"
    diff -r x-probe x-unzip > /dev/null && echo "  extracted trees identical" || echo "  TREES DIFFER"
    local largest
    largest=$(find "$set" -type f -printf '%s\n' | sort -n | tail -1)
    echo "  memory goal: archive + largest entry + 64 MiB = $(( ($(stat -c %s "$set-zip.zip") + largest) / 1048576 + 64 )) MiB"
    rm -rf x-probe x-unzip x-7z x-bsdtar
}

make_sets
run_set mixed
run_set small
