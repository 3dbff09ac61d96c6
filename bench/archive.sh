#!/usr/bin/env bash
# Times the compress-and-extract engine (routing, collecting, writing, naming included) against
# the archivers people use, on the same folder: ZIP against zip/unzip, encrypted 7z against 7zz,
# tar.gz against bsdtar.
# Usage: bench/archive.sh [PROBE]   (default: build/bench/bench/quillfern-probe)
. "$(dirname "$0")/lib.sh"
bench_probe "${1:-}"
bench_work
label_width=32

mkdir -p "$work/자료/문서"
for i in $(seq 1 "$(scaled 300)"); do
    head -c $((i * 613)) /dev/urandom > "$work/자료/파일 $i.bin"
    seq 1 $((i * 40)) > "$work/자료/문서/숫자 $i.txt"
done
head -c "$(scaled 32000000)" /dev/urandom > "$work/자료/big.bin"
touch "$work/자료/.DS_Store"

cd "$work"
timed "zip create     quillfern-probe" "$probe" archive-create zip 자료
timed "zip create     zip -r" zip -q -r peer.zip 자료
timed "zip open       quillfern-probe" "$probe" archive-open "자료 (Windows용).zip"
timed "zip extract    quillfern-probe" "$probe" archive-extract "자료 (Windows용).zip"
mkdir peer-zip
timed "zip extract    unzip" unzip -q peer.zip -d peer-zip
timed "7z create      quillfern-probe" "$probe" archive-create 7z 자료 --password pw
timed "7z create      7zz -mhe" 7zz a -ppw -mhe=on peer.7z 자료
timed "7z extract     quillfern-probe" "$probe" archive-extract 자료.7z --password pw
timed "7z extract     7zz" 7zz x -ppw -opeer-7z peer.7z
timed "tar.gz create  quillfern-probe" "$probe" archive-create tar.gz 자료
timed "tar.gz create  bsdtar" bsdtar -czf peer.tar.gz 자료
timed "tar.gz extract quillfern-probe" "$probe" archive-extract 자료.tar.gz
mkdir peer-tar
timed "tar.gz extract bsdtar" bsdtar -xf peer.tar.gz -C peer-tar
diff -r "자료 2" peer-zip/자료 -x .DS_Store > /dev/null && echo "zip: extracted trees are identical"
