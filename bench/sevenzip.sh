#!/usr/bin/env bash
# Times 7z extraction and encrypted creation by quillfern-probe side by side with 7-Zip (one
# thread) and bsdtar, on a 200 MB mixed set (random and text files) and 5 000 small files; prints
# seconds, the ratio to the probe and peak memory (MiB).
# Usage: bench/sevenzip.sh [PROBE] [WORKDIR]
#        (WORKDIR keeps the generated sets for the next run; without one a temporary folder is used)
. "$(dirname "$0")/lib.sh"
export LC_ALL=C.UTF-8
bench_probe "${1:-}"
bench_work "${2:-}"
password='벤치 암호'
cd "$work"

make_sets() {
    make_mixed_set "$(scaled 10)" lzma
    make_small_set "$(scaled 5000)" 250
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
