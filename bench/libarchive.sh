#!/usr/bin/env bash
# Times the libarchive bridge against bsdtar on the same data: creating a tar.gz of a folder of
# mixed files, listing it and extracting it. Then the 477 MB mixed set of lib.sh as tar.gz and
# tar.xz, extracted with every compressed stream read to its end and checked (gzip's trailer by the
# bridge itself): the best of BENCH_RUNS (default 3) runs each, seconds and peak MiB, with the
# ratio to BASE (a probe built from an earlier commit, to see what the checks cost) when given.
# Usage: bench/libarchive.sh [PROBE [BASE]]   (default: build/bench/bench/quillfern-probe)
. "$(dirname "$0")/lib.sh"
bench_probe "${1:-}"
base=${2:+$(realpath "$2")}
bench_work

mkdir -p "$work/data/자료"
for i in $(seq 1 "$(scaled 200)"); do
    head -c $((i * 997)) /dev/urandom > "$work/data/자료/파일 $i.bin"
    seq 1 $((i * 50)) > "$work/data/자료/숫자 $i.txt"
done
head -c "$(scaled 64000000)" /dev/urandom > "$work/data/big.bin"

cd "$work"
timed "create  quillfern-probe" "$probe" libarchive-create tar.gz ours.tar.gz data
timed "create  bsdtar" bsdtar -czf peer.tar.gz data
timed "list    quillfern-probe" "$probe" libarchive-list peer.tar.gz
timed "list    bsdtar" bsdtar -tvf peer.tar.gz
mkdir ours peer
timed "extract quillfern-probe" "$probe" libarchive-extract peer.tar.gz ours
timed "extract bsdtar" bsdtar -xf peer.tar.gz -C peer
diff -r ours peer > /dev/null && echo "extracted trees are identical"

echo
make_mixed_set "$(scaled 25)" libarchive
echo "== mixed set ($(du -sh mixed | cut -f1)), extracted"
bsdtar -czf mixed.tar.gz mixed
bsdtar -cJf mixed.tar.xz mixed
# Each run extracts with every command in turn (the probe, BASE when given, bsdtar), so that a
# change in the machine's load meets all of them; the fastest run of each counts.
label_width=30
for archive in mixed.tar.gz mixed.tar.xz; do
    commands=("$probe libarchive-extract $archive out")
    [ -n "$base" ] && commands+=("$base libarchive-extract $archive out")
    commands+=("bsdtar -xf $archive -C out")
    best=() peak=()
    for run in $(seq 1 "${BENCH_RUNS:-3}"); do
        for i in "${!commands[@]}"; do
            rm -rf out && mkdir out
            # shellcheck disable=SC2086
            read -r s m < <(measure ${commands[i]})
            if [ -z "${best[i]:-}" ] || awk -v a="$s" -v b="${best[i]}" 'BEGIN { exit !(a < b) }'; then best[i]=$s; fi
            [ "$m" -gt "${peak[i]:-0}" ] && peak[i]=$m
            [ "$i" -eq 0 ] && { diff -r mixed out/mixed > /dev/null || echo "  EXTRACTED TREE DIFFERS: $archive"; }
        done
    done
    reference=${best[0]}
    [ -n "$base" ] && reference=${best[1]} && row "$archive base probe" "$reference" "${best[1]}" "${peak[1]}"
    row "$archive probe (checked)" "$reference" "${best[0]}" "${peak[0]}"
    last=$((${#commands[@]} - 1))
    row "$archive bsdtar" "$reference" "${best[last]}" "${peak[last]}"
done
