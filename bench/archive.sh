#!/usr/bin/env bash
# The compress-and-extract engine as a user meets it (quillfern-probe archive-create and
# archive-extract: routing, collecting, naming and writing included) side by side with the
# archivers people use, on the 477 MB mixed set and 20,000 small files of bench/lib.sh:
#   ZIP     against zip -5, unzip, 7zz -mmt1 and bsdtar (and cp -r of the extracted tree);
#   7z      against 7zz -mmt1 (plain, and with a password and hidden names) and bsdtar;
#   tar.gz  against bsdtar.
# Each group runs interleaved: every round runs each of its commands once, the fastest round of
# each command counts and its peak memory is the largest seen. 7z creation (LZMA, minutes per
# command on the mixed set) runs one round. Then a 1 GiB entry of zeros is
# packed and extracted in each format, and every peak of the probe is held against its idle
# size plus 64 MiB.
# Columns: seconds, xN = the command's time over the probe's (above 1: the probe is faster),
# peak resident MiB, and for the probe whether the peak kept the bound.
# Usage: bench/archive.sh [PROBE] [WORKDIR]   (WORKDIR keeps the generated sets for the next run)
#        BENCH_RUNS rounds per group (default 3), BENCH_SLOW_RUNS for 7z creation (default 1);
#        BENCH_SCALE as in lib.sh.
. "$(dirname "$0")/lib.sh"
bench_probe "${1:-}"
bench_work "${2:-}"
cd "$work"
export LC_ALL=C.UTF-8
runs=${BENCH_RUNS:-3}
slow_runs=${BENCH_SLOW_RUNS:-1}
label_width=26

# The probe's size when it has loaded everything but handled no data: a listing of a tiny archive.
mkdir -p tiny && echo tiny > tiny/a.txt && bsdtar -czf tiny.tar.gz tiny
read -r start idle < <(/usr/bin/time -f '%e %M' "$probe" archive-open tiny.tar.gz 2>&1 > /dev/null | tail -1)
bound=$((idle / 1024 + 64))
echo "probe: start-up and a tiny listing $start s, idle peak $((idle / 1024)) MiB; bound $bound MiB"

# run_once COMMAND...: "seconds peak-KiB" of one run; a failure is reported on standard error.
run_once() {
    if ! /usr/bin/time -o time.out -f '%e %M' "$@" > /dev/null 2> err.out; then
        echo "  (failed: $*: $(tail -c 300 err.out))" >&2
    fi
    tail -1 time.out
}

labels=() setups=() commands=()
# add LABEL SETUP COMMAND: one command of the next group; SETUP runs before each of its runs
# (clearing its output), COMMAND is a shell word list.
add() {
    labels+=("$1")
    setups+=("$2")
    commands+=("$3")
}

# group TITLE [ROUNDS]: runs the commands added since the last group, interleaved, and prints
# their rows; the first command is the probe, the base of the ratios.
group() {
    local title=$1 rounds=${2:-$runs} n=${#labels[@]} round i s k
    local -a best=() peak=()
    for round in $(seq 1 "$rounds"); do
        for ((i = 0; i < n; i++)); do
            eval "${setups[i]}"
            eval "set -- ${commands[i]}"
            read -r s k < <(run_once "$@")
            if [ -z "${best[i]:-}" ] || awk -v a="$s" -v b="${best[i]}" 'BEGIN { exit !(a < b) }'; then
                best[i]=$s
            fi
            [ "$k" -gt "${peak[i]:-0}" ] && peak[i]=$k
        done
    done
    echo "$title"
    for ((i = 0; i < n; i++)); do
        row "${labels[i]}" "${best[0]}" "${best[i]}" "$((peak[i] / 1024))"
        [ "$i" -eq 0 ] && bounded "$((peak[i] / 1024))"
    done
    labels=() setups=() commands=()
}

bounded() {
    if [ "$1" -le "$bound" ]; then echo "    within the bound ($bound MiB)"; else echo "    OVER the bound ($bound MiB)"; fi
}

sizes() {
    local f
    for f in "$@"; do printf '    %-34s %12d bytes\n' "$f" "$(stat -c %s "$f")"; done
}

same_tree() {
    diff -r "$1" "$2" > /dev/null && echo "    extracted tree identical to the source" || echo "    TREES DIFFER: $1 $2"
}

run_set() {
    local set=$1 zip="$1 (Windows용).zip" out=arc/$1
    echo
    echo "== $set ($(du -sh "$set" | cut -f1), $(find "$set" -type f | wc -l) files)"
    rm -rf arc out && mkdir arc

    add probe "rm -f '$zip'" "'$probe' archive-create zip $set"
    add "zip -5" "rm -f arc/peer.zip" "zip -q -r -5 arc/peer.zip $set"
    add "7zz -tzip -mx5 -mmt1" "rm -f arc/7zz.zip" "7zz a -bso0 -bsp0 -tzip -mx5 -mmt1 arc/7zz.zip $set"
    add bsdtar "rm -f arc/bsdtar.zip" "bsdtar --format zip -cf arc/bsdtar.zip $set"
    group "ZIP create"
    sizes "$zip" arc/peer.zip arc/7zz.zip arc/bsdtar.zip

    add probe "rm -rf '$out'" "'$probe' archive-extract arc/peer.zip"
    add unzip "rm -rf out; mkdir out" "unzip -q arc/peer.zip -d out"
    add "7zz -mmt1" "rm -rf out; mkdir out" "7zz x -bso0 -bsp0 -mmt1 -oout arc/peer.zip"
    add bsdtar "rm -rf out; mkdir out" "bsdtar -xf arc/peer.zip -C out"
    add "cp -r (the tree)" "rm -rf out; mkdir out" "cp -r $set out/"
    group "ZIP extract (zip -5's archive)"
    same_tree "$set" "$out"

    add "probe (libarchive)" "rm -f $set.7z" "'$probe' archive-create 7z $set"
    add "7zz -mmt1" "rm -f arc/peer.7z" "7zz a -bso0 -bsp0 -mmt1 arc/peer.7z $set"
    group "7z create" "$slow_runs"
    sizes "$set.7z" arc/peer.7z

    add probe "rm -rf '$out'" "'$probe' archive-extract arc/peer.7z"
    add "7zz -mmt1" "rm -rf out; mkdir out" "7zz x -bso0 -bsp0 -mmt1 -oout arc/peer.7z"
    add bsdtar "rm -rf out; mkdir out" "bsdtar -xf arc/peer.7z -C out"
    group "7z extract (7zz's archive: listed by the own reader, extracted by libarchive)"
    same_tree "$set" "$out"

    add "probe (own writer)" "rm -f $set.7z" "'$probe' archive-create 7z $set --password pw"
    add "7zz -mmt1 -mhe" "rm -f arc/peer-pw.7z" "7zz a -bso0 -bsp0 -mmt1 -ppw -mhe=on arc/peer-pw.7z $set"
    group "7z create, password and hidden names" "$slow_runs"
    sizes "$set.7z" arc/peer-pw.7z

    add probe "rm -rf '$out'" "'$probe' archive-extract arc/peer-pw.7z --password pw"
    add "7zz -mmt1" "rm -rf out; mkdir out" "7zz x -bso0 -bsp0 -mmt1 -ppw -oout arc/peer-pw.7z"
    group "7z extract, password and hidden names (7zz's archive)"
    same_tree "$set" "$out"

    add probe "rm -f $set.tar.gz" "'$probe' archive-create tar.gz $set"
    add bsdtar "rm -f arc/peer.tar.gz" "bsdtar -czf arc/peer.tar.gz $set"
    group "tar.gz create"
    sizes "$set.tar.gz" arc/peer.tar.gz

    add probe "rm -rf '$out'" "'$probe' archive-extract arc/peer.tar.gz"
    add bsdtar "rm -rf out; mkdir out" "bsdtar -xf arc/peer.tar.gz -C out"
    group "tar.gz extract (bsdtar's archive)"
    same_tree "$set" "$out"

    rm -rf arc out "$zip" "$set.7z" "$set.tar.gz"
}

# run_zeros FORMAT ARCHIVE [OPTIONS]: packs zeros/ (one sparse file of 1 GiB, BENCH_SCALE percent of
# that; no disk taken) and
# extracts the archive again; one run each, the extracted file checked.
run_zeros() {
    local format=$1 archive=$2 k s
    shift 2
    rm -rf arc && mkdir arc
    read -r s k < <(run_once "$probe" archive-create "$format" zeros "$@")
    mv "$archive" arc/
    row "create $format" "$s" "$s" "$((k / 1024))"
    bounded "$((k / 1024))"
    read -r s k < <(run_once "$probe" archive-extract "arc/$archive" "$@")
    row "extract $format" "$s" "$s" "$((k / 1024))"
    bounded "$((k / 1024))"
    if [ "$(stat -c %s arc/zeros/zeros.bin 2> /dev/null)" = "$(stat -c %s zeros/zeros.bin)" ] && cmp -s arc/zeros/zeros.bin zeros/zeros.bin; then
        echo "    extracted entry correct ($(stat -c %s "arc/$archive") bytes packed)"
    else
        echo "    EXTRACTED ENTRY WRONG OR MISSING"
    fi
    rm -rf arc
}

make_mixed_set "$(scaled 25)" archive
make_small_set "$(scaled 20000)" 500
run_set mixed
run_set small

echo
zeros=$(scaled 1024)
echo "== one entry of $zeros MiB of zeros"
mkdir -p zeros && truncate -s "${zeros}M" zeros/zeros.bin
run_zeros zip "zeros (Windows용).zip"
run_zeros 7z zeros.7z --password pw
run_zeros tar.gz zeros.tar.gz
rm -rf zeros
