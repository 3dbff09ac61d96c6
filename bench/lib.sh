# Set-up shared by the bench scripts; each sources it first:  . "$(dirname "$0")/lib.sh"
# BENCH_SCALE (percent, default 100) shrinks or grows the generated data sets, e.g. BENCH_SCALE=1
# for a quick check that a script still runs.
set -euo pipefail

# bench_probe [PATH]: sets $probe to the probe's absolute path (default: the bench preset's build).
bench_probe() {
    probe=$(realpath "${1:-build/bench/bench/quillfern-probe}")
    [ -x "$probe" ] || {
        echo "no probe at $probe: cmake --preset bench && cmake --build build/bench --target quillfern-probe" >&2
        exit 1
    }
}

# bench_work [DIR]: sets $work to DIR (made if missing, kept afterwards so its data sets are reused)
# or, without one, to a fresh temporary folder that is removed at exit.
bench_work() {
    if [ -n "${1:-}" ]; then
        work=$1
        mkdir -p "$work"
    else
        work=$(mktemp -d)
        trap 'rm -rf "$work"' EXIT
    fi
}

# scaled N: N scaled by BENCH_SCALE, at least 1.
scaled() {
    local n=$(($1 * ${BENCH_SCALE:-100} / 100))
    echo $((n > 0 ? n : 1))
}

# seconds COMMAND...: the wall-clock seconds of one run; its output and failure are ignored.
seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" > /dev/null 2>&1 || true
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f\n", e - s }'
}

# timed LABEL COMMAND...: prints the label (padded to $label_width, default 28) and the seconds of
# one run; a failing command stops the script.
timed() {
    local label=$1
    shift
    local start end
    start=$(date +%s.%N)
    "$@" > /dev/null
    end=$(date +%s.%N)
    awk -v l="$label" -v s="$start" -v e="$end" -v w="${label_width:-28}" \
        'BEGIN { printf "%-" w "s %6.3f s\n", l, e - s }'
}

# measure COMMAND...: prints "seconds peak-MiB" of one run.
measure() {
    /usr/bin/time -o time.out -f '%e %M' "$@" > /dev/null 2> /dev/null || echo "  (failed: $*)" >&2
    awk '{ printf "%.2f %.0f\n", $1, $2 / 1024 }' time.out
}

# measure_precise COMMAND...: the same with the seconds to the millisecond (for short runs).
measure_precise() {
    local start end
    start=$(date +%s.%N)
    /usr/bin/time -o time.out -f '%M' "$@" > /dev/null 2> /dev/null || echo "  (failed: $*)" >&2
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" '{ printf "%.3f %.0f\n", e - s, $1 / 1024 }' time.out
}

# row LABEL BASE-SECONDS SECONDS MIB: one result line, the label padded to $label_width (default 22),
# with the ratio to the base.
row() {
    awk -v l="$1" -v b="$2" -v s="$3" -v m="$4" -v w="${label_width:-22}" \
        'BEGIN { printf "  %-" w "s %7.2f s  x%5.2f  %6s MiB\n", l, s, (b > 0 ? s / b : 0), m }'
}

# make_mixed_set FILES WORD: mixed/ with FILES random files and FILES text files of 10 MB each
# (BENCH_SCALE percent of that; the text's vocabulary includes WORD); kept when it is there.
make_mixed_set() {
    [ -d mixed ] && return
    local files=$1 word=$2 size i
    size=$(scaled 10000000)
    mkdir -p mixed/random mixed/text
    for i in $(seq 1 "$files"); do head -c "$size" /dev/urandom > "mixed/random/r$i.bin"; done
    python3 - "$files" "$word" "$size" <<'PY'
import random, sys
files, word, limit = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
random.seed(1)
words = ("압축 파일 이름 한글 문서 archive " + word + " benchmark quillfern 누리함 text line data "
         "the quick brown fox jumps over lazy dog 0123456789").split()
for i in range(1, files + 1):
    with open(f"mixed/text/t{i}.txt", "w") as f:
        size = 0
        while size < limit:
            line = " ".join(random.choice(words) for _ in range(12)) + "\n"
            f.write(line)
            size += len(line.encode())
PY
}

# make_small_set FILES PER-FOLDER: small/ with FILES small text files, PER-FOLDER to a folder;
# kept when it is there.
make_small_set() {
    [ -d small ] && return
    python3 - "$1" "$2" <<'PY'
import os, random, sys
files, per = int(sys.argv[1]), int(sys.argv[2])
random.seed(2)
for i in range(files):
    d = f"small/d{i // per}"
    os.makedirs(d, exist_ok=True)
    with open(f"{d}/f{i}.txt", "w") as f:
        f.write(("작은 파일 %d " % i) * random.randint(5, 300))
PY
}

# add LABEL PREPARE COMMAND...: queues a command of a case in $labels, $prepares and $commands (the
# command quoted for eval); the script's own run_case says what PREPARE means and runs the queue.
labels=()
prepares=()
commands=()
add() {
    labels+=("$1")
    prepares+=("$2")
    shift 2
    commands+=("$(printf '%q ' "$@")")
}
