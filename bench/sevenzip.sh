#!/usr/bin/env bash
# Times 7z extraction and encrypted creation by quillfern-probe side by side with 7-Zip (one
# thread) and bsdtar, on a 200 MB mixed set (random and text files) and 5 000 small files; prints
# seconds, the ratio to the probe and peak memory (MiB).
# Usage: bench/sevenzip.sh [PROBE] [WORKDIR]
set -euo pipefail
export LC_ALL=C.UTF-8
probe="$(realpath "${1:-build/bench/bench/quillfern-probe}")"
work="${2:-$(mktemp -d /tmp/sevenzip-bench.XXXXXX)}"
password='벤치 암호'
mkdir -p "$work"
cd "$work"

make_sets() {
    [ -d mixed ] || {
        mkdir -p mixed/random mixed/text
        for i in $(seq 1 10); do head -c 10000000 /dev/urandom > "mixed/random/r$i.bin"; done
        python3 - <<'PY'
import random
random.seed(1)
words = ("압축 파일 이름 한글 문서 archive lzma benchmark quillfern 누리함 text line data "
         "the quick brown fox jumps over lazy dog 0123456789").split()
for i in range(1, 11):
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
for i in range(5000):
    d = f"small/d{i // 250}"
    os.makedirs(d, exist_ok=True)
    with open(f"{d}/f{i}.txt", "w") as f:
        f.write(("작은 파일 %d " % i) * random.randint(5, 300))
PY
}

# measure COMMAND...: prints "seconds peak-MiB" of one run.
measure() {
    /usr/bin/time -o time.out -f '%e %M' "$@" > /dev/null 2> /dev/null || echo "  (failed: $*)" >&2
    awk '{ printf "%.2f %.0f\n", $1, $2 / 1024 }' time.out
}

row() { # label base-seconds seconds mib
    awk -v l="$1" -v b="$2" -v s="$3" -v m="$4" 'BEGIN { printf "  %-22s %7.2f s  x%5.2f  %6s MiB\n", l, s, (b > 0 ? s / b : 0), m }'
}

extract_case() { # archive label [password]
    local archive="$1" label="$2" pw="${3:-}"
    echo "extract $label"
    local x
    for x in probe 7z bsdtar; do rm -rf "x-$x"; mkdir "x-$x"; done
    local base mem s m
    if [ -n "$pw" ]; then
        read -r base mem < <(measure "$probe" 7z-extract "$archive" x-probe --password "$pw")
        row "probe" "$base" "$base" "$mem"
        read -r s m < <(measure 7zz x -bso0 -mmt1 -y "-p$pw" -ox-7z "$archive"); row "7zz x -mmt1" "$base" "$s" "$m"
        echo "  bsdtar                 (cannot read encrypted 7z headers)"
    else
        read -r base mem < <(measure "$probe" 7z-extract "$archive" x-probe); row "probe" "$base" "$base" "$mem"
        read -r s m < <(measure 7zz x -bso0 -mmt1 -y -ox-7z "$archive"); row "7zz x -mmt1" "$base" "$s" "$m"
        read -r s m < <(measure bsdtar -xf "$archive" -C x-bsdtar); row "bsdtar" "$base" "$s" "$m"
    fi
    diff -r x-probe x-7z > /dev/null && echo "  extracted trees identical" || echo "  TREES DIFFER"
    rm -rf x-probe x-7z x-bsdtar
}

run_set() {
    local set="$1"
    echo "== $set ($(du -sh "$set" | cut -f1))"
    rm -f "$set"-*.7z
    7zz a -bso0 -t7z -mmt1 "$set-lzma2.7z" "$set" > /dev/null
    7zz a -bso0 -t7z -mmt1 -m0=Deflate "$set-deflate.7z" "$set" > /dev/null
    7zz a -bso0 -t7z -mmt1 -mhe=on "-p$password" "$set-aes.7z" "$set" > /dev/null
    extract_case "$set-lzma2.7z" "(7zz, LZMA2)"
    extract_case "$set-deflate.7z" "(7zz, Deflate)"
    extract_case "$set-aes.7z" "(7zz, LZMA2, encrypted header)" "$password"

    echo "create (encrypted, names hidden)"
    local base mem s m
    read -r base mem < <(measure "$probe" 7z-create "$set-probe.7z" --password "$password" --hide-names "$set")
    row "probe" "$base" "$base" "$mem"
    read -r s m < <(measure 7zz a -bso0 -t7z -m0=Deflate -mx5 -mhe=on "-p$password" -mmt1 "$set-7zz.7z" "$set")
    row "7zz -m0=Deflate -mmt1" "$base" "$s" "$m"
    7zz t -bso0 "-p$password" "$set-probe.7z" > /dev/null && echo "  7zz t accepts the probe's archive" ||
        echo "  7zz t REJECTS the probe's archive"
    ls -l "$set"-probe.7z "$set"-7zz.7z | awk '{ printf "    %-22s %12d bytes\n", $9, $5 }'
}

make_sets
run_set mixed
run_set small
