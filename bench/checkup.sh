#!/usr/bin/env bash
# Times the send checkup's diagnosis, fix pass and undo on a generated tree of decomposed Korean
# names, junk files and Windows-illegal names; convmv (the usual NFD->NFC tool) runs on a copy of
# the same tree for comparison of the renaming part. Then the peak memory of the fix pass per
# renamed name (the peak less the probe's peak on an empty folder, divided by the names) on trees
# of 10,000 and 100,000 decomposed names (BENCH_SCALE percent of that); with BASE_PROBE set to
# another build of the probe (an older commit, say), that one is measured beside it.
# Usage: bench/checkup.sh [PROBE] [FILES]   (default build/bench/bench/quillfern-probe)
. "$(dirname "$0")/lib.sh"
count=$(scaled "${2:-20000}")
bench_probe "${1:-}"
probes=("$probe")
[ -n "${BASE_PROBE:-}" ] && probes=("$(realpath "$BASE_PROBE")" "$probe")
bench_work
cd "$work"
export XDG_DATA_HOME="$work/data"
make_tree() {
    python3 - "$1" "$count" <<'PY'
import os, sys, unicodedata
root, n = sys.argv[1], int(sys.argv[2])
for d in range(n // 100):
    folder = os.path.join(root, unicodedata.normalize('NFD', f'폴더{d}'))
    os.makedirs(folder, exist_ok=True)
    open(os.path.join(folder, '.DS_Store'), 'w').close()
    for f in range(100):
        name = unicodedata.normalize('NFD', f'사진{f}.txt') if f % 3 else f'file{f}?.txt'
        open(os.path.join(folder, name), 'w').close()
PY
}
make_tree "$work/a"
make_tree "$work/b"
echo "diagnosis only:        $(seconds "$probe" checkup "$work/a") s"
echo "diagnosis, fix, undo:  $(seconds "$probe" checkup "$work/a" --fix --undo) s"
if command -v convmv >/dev/null; then
    echo "convmv -r NFC rename:  $(seconds convmv -r -f utf8 -t utf8 --nfc --notest "$work/b") s"
fi
rm -rf "$work/a" "$work/b"

# nfd_tree ROOT NAMES: folders of up to 1,000 entries, every name decomposed; prints the number of names.
nfd_tree() {
    python3 - "$1" "$2" <<'PY'
import os, sys, unicodedata
root, n = sys.argv[1], int(sys.argv[2])
nfd = lambda s: unicodedata.normalize("NFD", s)
names = d = 0
while names < n:
    folder = os.path.join(root, nfd(f"회의록 폴더 {d}"))
    os.makedirs(folder)
    names += 1
    for f in range(min(999, n - names)):
        open(os.path.join(folder, nfd(f"한글 문서 사진_{f}.txt")), "w").close()
        names += 1
    d += 1
print(names)
PY
}
mkdir -p "$work/empty"
for p in "${probes[@]}"; do
    read -r _ base < <(measure_precise "$p" checkup "$work/empty" --fix)
    for n in 10000 100000; do
        names=$(nfd_tree "$work/t" "$(scaled $n)")
        read -r secs mib < <(measure_precise "$p" checkup "$work/t" --fix)
        awk -v p="$p" -v n="$names" -v m="$mib" -v b="$base" -v s="$secs" 'BEGIN {
            printf "fix of %6d decomposed names: %6.2f s %5s MiB peak, %4.0f bytes per renamed name (%s)\n",
                n, s, m, (m - b) * 1048576 / n, p }'
        rm -rf "$work/t"
    done
done
