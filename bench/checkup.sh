#!/usr/bin/env bash
# Times the send checkup's diagnosis, fix pass and undo on a generated tree of decomposed Korean
# names, junk files and Windows-illegal names; convmv (the usual NFD->NFC tool) runs on a copy of
# the same tree for comparison of the renaming part.
# Usage: bench/checkup.sh [BUILD_DIR] [FILES]
. "$(dirname "$0")/lib.sh"
build=${1:-build/bench}
count=${2:-20000}
bench_probe "$build/bench/quillfern-probe"
bench_work
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
