#!/usr/bin/env bash
# Times the filename engines through quillfern-probe beside their peers on one generated tree:
# 100,000 decomposed Korean names in 100 folders (BENCH_SCALE percent of that), with some Finder
# junk and some names Windows cannot store among them.
#   - Korean names: the probe's scan, then its NFC rename, against `convmv -r --nfc` on a copy;
#     the two trees must come out byte for byte alike. Peak memory per pending name is the
#     probe's peak less its peak on an empty folder, divided by the names it renamed.
#   - Junk and Windows names: the probe's scans against `find` looking for the same names, on the
#     decomposed names and again on the composed ones.
# Scans are timed best of BENCH_RUNS (default 3; they change nothing); the renames run once.
# Usage: bench/filenames.sh [PROBE] [WORKDIR]   (default build/bench/bench/quillfern-probe; build it
#        with cmake --preset bench && cmake --build build/bench --target quillfern-probe)
. "$(dirname "$0")/lib.sh"
bench_probe "${1:-}"
for tool in convmv find python3; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

bench_work "${2:-}"
cd "$work"
rm -rf ours peer empty
mkdir empty

# Prints the number of names that are not in NFC (the rename's pending items).
pending=$(python3 - ours "$(scaled 100)" <<'EOF'
import os, sys, unicodedata
root, folders = sys.argv[1], int(sys.argv[2])
words = ["가나다", "한글 문서", "사진", "회의록 초안", "보고서", "음악", "영수증", "메모"]
nfd = lambda s: unicodedata.normalize("NFD", s)
pending = 0
for f in range(folders):
    folder = os.path.join(root, nfd(f"{words[f % len(words)]} {f}"))
    os.makedirs(folder)
    pending += 1
    for n in range(1000):
        name = f"{words[n % len(words)]}_{n}.txt"
        if n % 100 == 0:
            name = ".DS_Store" if n == 0 else "._" + name
        elif n % 100 == 50:
            name = f"{words[n % len(words)]}: {n}?.txt"
        open(os.path.join(folder, nfd(name)), "w").close()
        pending += name != ".DS_Store"
    os.makedirs(os.path.join(folder, "__MACOSX"))
print(pending)
EOF
)
cp -a ours peer

# best3 COMMAND...: "seconds peak-MiB" of the fastest of three runs.
best3() {
    local i
    for i in $(seq 1 "${BENCH_RUNS:-3}"); do measure_precise "$@"; done | sort -n | head -1
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

read -r _ base_mib < <(measure_precise "$probe" hangul empty)

# The scans against find, on the decomposed names first and on the composed ones after the rename.
scans() {
    local form=$1 junk junk_mib junk_find names names_mib names_find
    read -r junk junk_mib < <(best3 "$probe" junk ours)
    read -r junk_find _ < <(best3 find ours \( -name .DS_Store -o \( -name '._*' ! -type d \) \
        -o \( -name __MACOSX -type d -prune \) \) -print)
    # find looks for the forbidden characters only, a lighter test than the sanitizer's rules (one
    # pattern each for the reserved names makes find several times slower than its walk).
    read -r names names_mib < <(best3 "$probe" sanitize ours)
    read -r names_find _ < <(best3 env LC_ALL=C find ours -name '*[\\:*?"<>|]*' -print)
    printf 'junk scan %s     probe %6.2fs %6s MiB   find   %6.2fs   probe/find %sx\n' \
        "$form" "$junk" "$junk_mib" "$junk_find" "$(ratio "$junk" "$junk_find")"
    printf 'sanitize scan %s probe %6.2fs %6s MiB   find   %6.2fs   probe/find %sx\n' \
        "$form" "$names" "$names_mib" "$names_find" "$(ratio "$names" "$names_find")"
}

echo "$pending names to rename in $(scaled 100) folders; the probe's peak on an empty folder: $base_mib MiB"
scans NFD

read -r scan scan_mib < <(best3 "$probe" hangul ours)
read -r ours ours_mib < <(measure_precise "$probe" hangul --apply ours)
read -r peer peer_mib < <(measure_precise convmv -r --nfc -f utf8 -t utf8 --notest peer)
if diff <(cd ours && find . | LC_ALL=C sort) <(cd peer && find . | LC_ALL=C sort) >/dev/null; then
    same=yes
else
    same=NO
fi
per_name=$(awk -v p="$ours_mib" -v b="$base_mib" -v n="$pending" 'BEGIN { printf "%.0f", (p - b) * 1048576 / n }')
printf 'hangul scan       probe %6.2fs %6s MiB\n' "$scan" "$scan_mib"
printf 'hangul to NFC     probe %6.2fs %6s MiB   convmv %6.2fs %6s MiB   convmv/probe %sx   trees alike: %s\n' \
    "$ours" "$ours_mib" "$peer" "$peer_mib" "$(ratio "$peer" "$ours")" "$same"
printf 'hangul to NFC     probe %s bytes per pending name (peak less the empty run)\n' "$per_name"

scans NFC
