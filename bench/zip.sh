#!/usr/bin/env bash
# Times ZIP creation, listing and extraction by quillfern-probe side by side with Info-ZIP
# (zip -5, unzip), 7-Zip (one thread), bsdtar and cp -r, on a 500 MB mixed set (random and text
# files) and 20 000 small files, plain and with AES-256; prints seconds, the ratio to the probe
# and peak memory (MiB). Then the memory bound on one 1 GiB entry of zeros (stored, DEFLATE,
# AES) against the probe's idle size, and a ZIP64 archive over 4 GB, which must be refused at once.
# Usage: bench/zip.sh [PROBE] [WORKDIR]
#        BEFORE=path/to/older/quillfern-probe adds its rows beside the probe's ("before");
#        BENCH_ZIP64=0 leaves out the archive over 4 GB.
#        (WORKDIR keeps the generated sets for the next run; without one a temporary folder is used)
. "$(dirname "$0")/lib.sh"
bench_probe "${1:-}"
bench_work "${2:-}"
before=${BEFORE:+$(realpath "$BEFORE")}
cd "$work"
password=bench-password

make_sets() {
    make_mixed_set "$(scaled 25)" deflate
    make_small_set "$(scaled 20000)" 500
}

# [CLEAN=path] [DEST=folder] measure_best COMMAND... (CLEAN removed, DEST made afresh before each
# run): "seconds peak-MiB", the fastest of BENCH_RUNS (default 3) runs (a virtual machine's first
# touch of fresh memory is slow, so single runs vary by a factor of two).
measure_best() {
    local best="" mem=0 i
    for i in $(seq 1 "${BENCH_RUNS:-3}"); do
        [ -n "${CLEAN:-}" ] && rm -rf "$CLEAN"
        [ -n "${DEST:-}" ] && { rm -rf "$DEST"; mkdir "$DEST"; }
        /usr/bin/time -o time.out -f '%e %M' "$@" > /dev/null 2> /dev/null || echo "  (failed: $*)" >&2
        read -r s k < <(tail -n 1 time.out)
        if [ -z "$best" ] || awk -v a="$s" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$s; fi
        [ "$k" -gt "$mem" ] && mem=$k
    done
    awk -v s="$best" -v k="$mem" 'BEGIN { printf "%.2f %.0f\n", s, k / 1024 }'
}

label_width=18

# probe_rows BASE-VAR [CLEAN=…] [DEST=…] ARGS...: the probe's row (its time becomes the base) and,
# with BEFORE, the older probe's row.
probe_rows() {
    local s m
    read -r base mem < <(measure_best "$probe" "$@")
    row "probe" "$base" "$base" "$mem"
    if [ -n "$before" ]; then
        read -r s m < <(measure_best "$before" "$@")
        row "probe (before)" "$base" "$s" "$m"
    fi
}

run_set() {
    local set="$1" s m
    echo "== $set ($(du -sh "$set" | cut -f1), $(find "$set" -type f | wc -l) files)"
    echo "create"
    CLEAN="$set-probe.zip" probe_rows zip-create "$set-probe.zip" "$set"
    read -r s m < <(CLEAN="$set-zip.zip" measure_best zip -q -r -5 "$set-zip.zip" "$set"); row "zip -5" "$base" "$s" "$m"
    read -r s m < <(CLEAN="$set-7z.zip" measure_best 7zz a -bso0 -tzip -mmt1 -mx5 "$set-7z.zip" "$set"); row "7zz -mmt1 -mx5" "$base" "$s" "$m"
    read -r s m < <(CLEAN="$set-bsdtar.zip" measure_best bsdtar --format zip -cf "$set-bsdtar.zip" "$set"); row "bsdtar" "$base" "$s" "$m"
    [ -n "$before" ] && CLEAN="$set-before.zip" measure_best "$before" zip-create "$set-before.zip" "$set" > /dev/null
    ls -l "$set"-*.zip | awk '{ printf "    %-22s %12d bytes\n", $9, $5 }'

    echo "create, AES-256"
    CLEAN="$set-probe-aes.zip" probe_rows zip-create "$set-probe-aes.zip" --aes "$password" "$set"
    read -r s m < <(CLEAN="$set-7z-aes.zip" measure_best 7zz a -bso0 -tzip -mmt1 -mx5 -mem=AES256 -p"$password" "$set-7z-aes.zip" "$set"); row "7zz -mem=AES256" "$base" "$s" "$m"

    echo "list (the Info-ZIP archive)"
    probe_rows zip-list "$set-zip.zip"
    read -r s m < <(measure_best unzip -l "$set-zip.zip"); row "unzip -l" "$base" "$s" "$m"
    read -r s m < <(measure_best 7zz l "$set-zip.zip"); row "7zz l" "$base" "$s" "$m"
    read -r s m < <(measure_best bsdtar -tf "$set-zip.zip"); row "bsdtar -t" "$base" "$s" "$m"

    echo "extract (the Info-ZIP archive)"
    DEST=x-probe probe_rows zip-extract "$set-zip.zip" x-probe
    read -r s m < <(DEST=x-unzip measure_best unzip -q -o "$set-zip.zip" -d x-unzip); row "unzip" "$base" "$s" "$m"
    read -r s m < <(DEST=x-7z measure_best 7zz x -bso0 -mmt1 -y -ox-7z "$set-zip.zip"); row "7zz -mmt1" "$base" "$s" "$m"
    read -r s m < <(DEST=x-bsdtar measure_best bsdtar -xf "$set-zip.zip" -C x-bsdtar); row "bsdtar" "$base" "$s" "$m"
    read -r s m < <(CLEAN=x-cp measure_best cp -r "$set" x-cp); row "cp -r" "$base" "$s" "$m"
    diff -r x-probe x-unzip > /dev/null && echo "  extracted trees identical" || echo "  TREES DIFFER"

    echo "extract, AES-256 (the 7-Zip archive)"
    DEST=x-probe probe_rows zip-extract "$set-7z-aes.zip" x-probe --password "$password"
    read -r s m < <(DEST=x-7z measure_best 7zz x -bso0 -mmt1 -y -p"$password" -ox-7z "$set-7z-aes.zip"); row "7zz -mmt1" "$base" "$s" "$m"
    diff -r x-probe x-7z > /dev/null && echo "  extracted trees identical" || echo "  TREES DIFFER"
    rm -rf x-probe x-unzip x-7z x-bsdtar x-cp
}

# One entry of 1 GiB of zeros: peak memory of extraction and creation above the probe's idle size.
run_large() {
    local size=$(( $(scaled 1024) * 1048576 )) idle s m
    echo "== one entry of $((size / 1048576)) MiB of zeros (memory bound: idle + 64 MiB)"
    mkdir -p zeros && head -c "$size" /dev/zero > zeros/zeros.bin
    printf x > tiny.txt && rm -f tiny.zip && zip -q tiny.zip tiny.txt
    read -r s idle < <(measure_best "$probe" zip-list tiny.zip)
    printf "  %-${label_width}s %6s MiB\n" "idle" "$idle"
    rm -f zeros-*.zip
    (cd zeros && zip -q -0 ../zeros-stored.zip zeros.bin && zip -q -6 ../zeros-deflate.zip zeros.bin)
    7zz a -bso0 -tzip -mem=AES256 -p"$password" zeros-aes.zip ./zeros/zeros.bin
    local kind
    for kind in stored deflate aes; do
        read -r s m < <(DEST=x-probe measure_best "$probe" zip-extract "zeros-$kind.zip" x-probe --password "$password")
        cmp -s x-probe/zeros.bin zeros/zeros.bin && ok=same || ok=DIFFERENT
        row "extract $kind" "$s" "$s" "$m"; echo "    above idle: $((m - idle)) MiB, content $ok"
    done
    read -r s m < <(CLEAN=zeros-probe.zip measure_best "$probe" zip-create zeros-probe.zip zeros)
    row "create" "$s" "$s" "$m"; echo "    above idle: $((m - idle)) MiB, $(stat -c %s zeros-probe.zip) bytes"
    read -r s m < <(CLEAN=zeros-probe.zip measure_best "$probe" zip-create zeros-probe.zip --aes "$password" zeros)
    row "create AES" "$s" "$s" "$m"; echo "    above idle: $((m - idle)) MiB"
    rm -rf zeros zeros-*.zip x-probe tiny.txt tiny.zip
}

# A ZIP64 archive over 4 GB (Info-ZIP writes ZIP64 records past 4 GB): refused at once.
run_zip64() {
    echo "== ZIP64 archive over 4 GB"
    mkdir -p big
    truncate -s 4600M big/sparse.bin
    (cd big && zip -q -0 ../big.zip sparse.bin)
    echo "  $(stat -c %s big.zip) bytes; unzip lists $(unzip -l big.zip | tail -1 | awk '{ print $2 }') file"
    /usr/bin/time -o time.out -f '%e %M' "$probe" zip-list big.zip > /dev/null 2> err.out || true
    read -r s k < <(tail -n 1 time.out)
    echo "  probe zip-list: $s s, $((k / 1024)) MiB: $(cat err.out)"
    rm -rf big big.zip
}

make_sets
run_set mixed
run_set small
run_large
if [ "${BENCH_ZIP64:-1}" = 1 ]; then run_zip64; fi
