#!/usr/bin/env bash
# Times the libarchive bridge against bsdtar on the same data: creating a tar.gz of a folder of
# mixed files, listing it and extracting it.
# Usage: bench/libarchive.sh [PROBE]   (default: build/bench/bench/quillfern-probe)
. "$(dirname "$0")/lib.sh"
bench_probe "${1:-}"
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
