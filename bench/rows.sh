#!/usr/bin/env bash
# Times how fast the pages show long lists, offscreen at the window's smallest size: the compress
# page's items to pack (a folder of N files) and an opened archive's entries (a tar.gz of N files),
# the Korean file-name page's results and the home dashboard (the same folder, every name
# decomposed), for N = 20,000 and 100,000 (BENCH_SCALE percent of that). Each line gives the
# engine's own seconds and the page's: from the news of the rows to one painted frame; the goal is
# 100,000 rows shown within 0.5 s.
# Usage: bench/rows.sh [PROBE]   (default build/bench/bench/quillfern-probe)
. "$(dirname "$0")/lib.sh"
bench_probe "${1:-}"
bench_work
cd "$work"
export XDG_DATA_HOME="$work/data"

# make_set N: folder-N/ with N empty files of decomposed Korean names in one folder, and
# entries-N.tar.gz holding as many files.
make_set() {
    python3 - "$1" <<'PY'
import io, os, sys, tarfile, unicodedata
n = int(sys.argv[1])
folder = f"folder-{n}"
os.makedirs(folder)
for i in range(n):
    open(os.path.join(folder, unicodedata.normalize("NFD", f"한글 문서 {i}.txt")), "w").close()
with tarfile.open(f"entries-{n}.tar.gz", "w:gz", format=tarfile.PAX_FORMAT) as tar:
    for i in range(n):
        info = tarfile.TarInfo(f"자료/문서 {i}.txt")
        info.size = 1
        tar.addfile(info, io.BytesIO(b"x"))
PY
}

printf '%-10s %8s %9s %9s\n' list rows engine page
for n in 20000 100000; do
    n=$(scaled $n)
    make_set "$n"
    for kind in sources entries results dashboard; do
        input="folder-$n"
        [ "$kind" = entries ] && input="entries-$n.tar.gz"
        "$probe" rows "$kind" "$input" > rows.out 2> rows.err || { cat rows.err >&2; exit 1; }
        awk -v k="$kind" '{ v[$1] = $2 } END { printf "%-10s %8d %7.3f s %7.3f s\n", k, v["rows"], v["engine"], v["page"] }' rows.out
    done
    rm -rf "folder-$n" "entries-$n.tar.gz"
done
