#!/usr/bin/env bash
# Times the filename engines through quillfern-probe beside their peers on one generated tree:
# 100,000 decomposed Korean names in 100 folders (with some Finder junk among them).
#   - Korean names: the probe's scan, then its NFC rename, against `convmv -r --nfc` on a copy;
#     the two trees must come out byte for byte alike.
#   - Junk: the probe's scan against `find` looking for the same three kinds.
# Usage: bench/filenames.sh [PROBE]   (default build/bench/bench/quillfern-probe; build it with
#        cmake --preset bench && cmake --build build/bench --target quillfern-probe)
. "$(dirname "$0")/lib.sh"
bench_probe "${1:-}"
for tool in convmv find python3; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

bench_work

python3 - "$work/ours" "$(scaled 100)" <<'EOF'
import os, sys, unicodedata
root, folders = sys.argv[1], int(sys.argv[2])
words = ["가나다", "한글 문서", "사진", "회의록 초안", "보고서", "음악", "영수증", "메모"]
for f in range(folders):
    folder = os.path.join(root, unicodedata.normalize("NFD", f"{words[f % len(words)]} {f}"))
    os.makedirs(folder)
    for n in range(1000):
        name = unicodedata.normalize("NFD", f"{words[n % len(words)]}_{n}.txt")
        if n % 100 == 0:
            name = ".DS_Store" if n == 0 else "._" + name
        open(os.path.join(folder, name), "w").close()
    os.makedirs(os.path.join(folder, "__MACOSX"))
EOF
cp -a "$work/ours" "$work/peer"

ratio() { echo "scale=1; $1 / $2" | bc -l; }

scan=$(seconds "$probe" hangul "$work/ours")
ours=$(seconds "$probe" hangul --apply "$work/ours")
peer=$(seconds convmv -r --nfc -f utf8 -t utf8 --notest "$work/peer")
if diff <(cd "$work/ours" && find . | LC_ALL=C sort) <(cd "$work/peer" && find . | LC_ALL=C sort) >/dev/null; then
    same=yes
else
    same=NO
fi
printf 'hangul scan     probe %6.2fs\n' "$scan"
printf 'hangul to NFC   probe %6.2fs   convmv %6.2fs   convmv/probe %sx   trees alike: %s\n' \
    "$ours" "$peer" "$(ratio "$peer" "$ours")" "$same"

junk=$(seconds "$probe" junk "$work/ours")
find_time=$(seconds find "$work/ours" \( -name .DS_Store -o \( -name '._*' ! -type d \) -o \( -name __MACOSX -type d -prune \) \) -print)
printf 'junk scan       probe %6.2fs   find   %6.2fs   probe/find %sx\n' "$junk" "$find_time" "$(ratio "$junk" "$find_time")"
