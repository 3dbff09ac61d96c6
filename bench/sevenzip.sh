#!/usr/bin/env bash
# Times 7z extraction and encrypted creation by quillfern-probe side by side with 7-Zip (one
# thread) and bsdtar (the same liblzma), on the 500 MB mixed set (random and text files) and
# 20 000 small files, then proves the memory bound on 1 GiB of zeros. Each case runs its
# commands in turn, round after round (BENCH_ROUNDS, default 3), and keeps each command's fastest
# time: a virtual machine's first touch of fresh memory is slow, so single runs vary.
# Prints seconds, the time relative to the probe's first row, and peak memory (MiB).
# Usage: bench/sevenzip.sh [PROBE] [WORKDIR]
#        (WORKDIR keeps the generated sets for the next run; without one a temporary folder is used)
. "$(dirname "$0")/lib.sh"
export LC_ALL=C.UTF-8
bench_probe "${1:-}"
bench_work "${2:-}"
password='벤치 암호'
cd "$work"
label_width=26

make_sets() {
    make_mixed_set "$(scaled 25)" lzma
    make_small_set "$(scaled 20000)" 500
}

# A case: `add LABEL PREPARE COMMAND...` (lib.sh) queues a command (PREPARE: "dir:PATH" empties a
# folder before each run, "rm:PATH" removes a file, "-" nothing); `run_case` runs the queue.

run_case() {
    local rounds=${BENCH_ROUNDS:-3} n=${#labels[@]} r i s k
    local -a best=() peak=()
    for ((r = 0; r < rounds; r++)); do
        for ((i = 0; i < n; i++)); do
            case "${prepares[i]}" in
            dir:*) rm -rf "${prepares[i]#dir:}" && mkdir -p "${prepares[i]#dir:}" ;;
            rm:*) rm -rf "${prepares[i]#rm:}" ;;
            esac
            eval "/usr/bin/time -o time.out -f '%e %M' ${commands[i]}" > /dev/null 2>&1 ||
                echo "  (failed: ${labels[i]})"
            read -r s k < time.out
            if [ -z "${best[i]:-}" ] || awk -v a="$s" -v b="${best[i]}" 'BEGIN { exit !(a < b) }'; then
                best[i]=$s
            fi
            [ "$k" -gt "${peak[i]:-0}" ] && peak[i]=$k
        done
    done
    for ((i = 0; i < n; i++)); do
        row "${labels[i]}" "${best[0]}" "${best[i]}" "$((peak[i] / 1024))"
    done
    labels=()
    prepares=()
    commands=()
}

same_tree() { # A B
    diff -r "$1" "$2" > /dev/null && echo "  extracted trees identical" || echo "  TREES DIFFER ($1, $2)"
}

extract_case() { # archive label [password]
    local archive="$1" label="$2" pw="${3:-}"
    echo "extract $label"
    if [ -n "$pw" ]; then
        add "probe 7z-extract" dir:x-probe "$probe" 7z-extract "$archive" x-probe --password "$pw"
        add "7zz x -mmt1" dir:x-7z 7zz x -bso0 -mmt1 -y "-p$pw" -ox-7z "$archive"
        run_case
        echo "  bsdtar                   (cannot read encrypted 7z)"
    else
        add "probe 7z-extract" dir:x-probe "$probe" 7z-extract "$archive" x-probe
        add "7zz x -mmt1" dir:x-7z 7zz x -bso0 -mmt1 -y -ox-7z "$archive"
        add "bsdtar -x" dir:x-bsdtar bsdtar -xf "$archive" -C x-bsdtar
        run_case
    fi
    same_tree x-probe x-7z
    rm -rf x-probe x-7z x-bsdtar
}

run_set() {
    local set="$1"
    echo "== $set ($(du -sh "$set" | cut -f1))"
    # The peers' archives are kept with the sets (they take minutes to make).
    [ -f "$set-lzma2.7z" ] || 7zz a -bso0 -t7z -mmt1 "$set-lzma2.7z" "$set" > /dev/null
    [ -f "$set-deflate.7z" ] || 7zz a -bso0 -t7z -mmt1 -m0=Deflate "$set-deflate.7z" "$set" > /dev/null
    [ -f "$set-aes.7z" ] || 7zz a -bso0 -t7z -mmt1 -mhe=on "-p$password" "$set-aes.7z" "$set" > /dev/null
    extract_case "$set-lzma2.7z" "(7zz, LZMA2, solid)"
    extract_case "$set-deflate.7z" "(7zz, Deflate, a folder per file)"
    extract_case "$set-aes.7z" "(7zz, LZMA2, AES, names hidden)" "$password"

    echo "create (encrypted, names hidden)"
    add "probe 7z-create" rm:"$set-probe.7z" "$probe" 7z-create "$set-probe.7z" --password "$password" \
        --hide-names "$set"
    add "7zz -m0=Deflate -mmt1" rm:"$set-7zz.7z" 7zz a -bso0 -t7z -m0=Deflate -mx5 -mhe=on "-p$password" \
        -mmt1 "$set-7zz.7z" "$set"
    run_case
    7zz t -bso0 "-p$password" "$set-probe.7z" > /dev/null && echo "  7zz t accepts the probe's archive" ||
        echo "  7zz t REJECTS the probe's archive"
    ls -l "$set"-probe.7z "$set"-7zz.7z | awk '{ printf "    %-22s %12d bytes\n", $9, $5 }'
    rm -f "$set"-probe.7z "$set"-7zz.7z
}

# 1 GiB of zeros (BENCH_SCALE scales it): every path must extract it within the memory bound.
zeros_case() {
    local mib
    mib=$(scaled 1024)
    echo "== $mib MiB of zeros"
    rm -rf zeros zeros-*.7z ae && mkdir -p zeros ae
    head -c "$((mib * 1048576))" /dev/zero > zeros/zero.bin
    (cd zeros && 7zz a -bso0 -t7z -mmt1 ../zeros-lzma2.7z zero.bin > /dev/null &&
        7zz a -bso0 -t7z -mmt1 -mhe=on "-p$password" ../zeros-aes.7z zero.bin > /dev/null)
    cp zeros-aes.7z ae/
    ls -l zeros-*.7z | awk '{ printf "    %-22s %12d bytes\n", $9, $5 }'
    add "probe 7z-extract" dir:x-probe "$probe" 7z-extract zeros-lzma2.7z x-probe
    add "probe 7z-extract AES" dir:x-probe "$probe" 7z-extract zeros-aes.7z x-probe --password "$password"
    add "probe archive-extract AES" rm:ae/zero.bin "$probe" archive-extract ae/zeros-aes.7z --password "$password"
    add "probe 7z-create" rm:zeros-probe.7z "$probe" 7z-create zeros-probe.7z --password "$password" zeros
    add "7zz x -mmt1" dir:x-7z 7zz x -bso0 -mmt1 -y -ox-7z zeros-lzma2.7z
    add "bsdtar -x" dir:x-bsdtar bsdtar -xf zeros-lzma2.7z -C x-bsdtar
    add "probe 7z-list (idle size)" - "$probe" 7z-list zeros-lzma2.7z
    BENCH_ROUNDS=1 run_case
    for f in x-probe/zero.bin ae/zero.bin; do
        [ "$(stat -c %s "$f" 2> /dev/null)" = "$((mib * 1048576))" ] && cmp -s "$f" zeros/zero.bin &&
            echo "  $f complete" || echo "  $f WRONG"
    done
    7zz t -bso0 "-p$password" zeros-probe.7z > /dev/null && echo "  7zz t accepts the probe's archive" ||
        echo "  7zz t REJECTS the probe's archive"
    rm -rf zeros zeros-*.7z ae x-probe x-7z x-bsdtar
}

make_sets
run_set mixed
run_set small
zeros_case
