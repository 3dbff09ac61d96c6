#!/usr/bin/env bash
# Times the batch steps that spread over the worker threads, side by side with peers that use every
# core: 20 HEIC photos of 12 MP to JPEG (heif-convert, 8 at a time through xargs -P8), an AES-256
# ZIP and a plain ZIP of 20 000 small files (7zz, all threads), and a password 7z with hidden names
# of the 500 MB mixed set (7zz -mx1, all threads); each also with QUILLFERN_THREADS=1. The commands
# of a case run in turn, round after round (BENCH_ROUNDS, default 5), so that other work on the
# machine falls on all of them alike; each row is the median of its rounds, with the ratio to the
# peer (the case's first row) and the largest peak memory (MiB; for xargs that of the largest
# single heif-convert). Then the probe's idle size, the bound that archive creation is held to.
# Usage: bench/parallel.sh [PROBE] [WORKDIR]
#        BEFORE=path/to/older/quillfern-probe adds its rows ("before", one thread as it always was).
#        (WORKDIR keeps the generated sets for the next run; without one a temporary folder is used)
. "$(dirname "$0")/lib.sh"
export LC_ALL=C.UTF-8
bench_probe "${1:-}"
bench_work "${2:-}"
before=${BEFORE:+$(realpath "$BEFORE")}
cd "$work"
password=bench-password
label_width=34

make_sets() {
    make_mixed_set "$(scaled 25)" parallel
    make_small_set "$(scaled 20000)" 500
    local photos width
    photos=$(scaled 20)
    # 4000 x 3000 (12 MP) at full scale, smaller with the scale so that a quick check stays quick.
    width=$(($(scaled 4000) < 160 ? 160 : $(scaled 4000) / 2 * 2))
    [ -f "heic/p$photos.heic" ] && return
    rm -rf heic && mkdir -p heic
    ffmpeg -v error -y -f lavfi -i "testsrc2=size=${width}x$((width * 3 / 4))" -frames:v 1 photo.png
    heif-enc -q 90 photo.png -o photo.heic > /dev/null
    for i in $(seq 1 "$photos"); do cp photo.heic "heic/p$i.heic"; done
    rm -f photo.png photo.heic
}

# A case: `add LABEL PREPARE COMMAND...` (lib.sh) queues a command (PREPARE is eval'ed before each
# run); `run_case` runs the queue round after round and prints the medians.

run_case() {
    local rounds=${BENCH_ROUNDS:-5} n=${#labels[@]} r i s k
    local -a times=() peak=() medians=()
    for ((r = 0; r < rounds; r++)); do
        for ((i = 0; i < n; i++)); do
            eval "${prepares[i]}"
            eval "/usr/bin/time -o time.out -f '%e %M' ${commands[i]}" > /dev/null 2>&1 ||
                echo "  (failed: ${labels[i]})"
            read -r s k < time.out
            times[i]+="$s "
            [ "$k" -gt "${peak[i]:-0}" ] && peak[i]=$k
        done
    done
    for ((i = 0; i < n; i++)); do
        medians[i]=$(printf '%s\n' ${times[i]} | sort -g | awk '{ v[NR] = $1 } END {
            print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }')
        row "${labels[i]}" "${medians[0]}" "${medians[i]}" "$((peak[i] / 1024))"
    done
    labels=()
    prepares=()
    commands=()
}

# ours LABEL PREPARE ARGS...: the probe with all threads, with one thread, and the older probe.
ours() {
    local label=$1 prepare=$2
    shift 2
    add "probe $label" "$prepare" "$probe" "$@"
    add "  QUILLFERN_THREADS=1" "$prepare" env QUILLFERN_THREADS=1 "$probe" "$@"
    [ -n "$before" ] && add "  before (one thread)" "$prepare" "$before" "$@"
    return 0
}

heic_case() {
    local photos
    photos=$(find heic -name '*.heic' | wc -l)
    echo "== $photos HEIC photos ($(du -sh heic | cut -f1)) to JPEG, quality 90"
    local clean="rm -f heic/*.jpg"
    add "heif-convert -q 90, xargs -P8" "$clean" sh -c \
        'find heic -name "*.heic" | xargs -P8 -I{} heif-convert -q 90 {} {}.jpg'
    ours "heic --apply" "$clean" heic --apply heic
    run_case
    rm -f heic/*.jpg
}

zip_case() { # LABEL 7ZZ-OPTIONS PROBE-OPTIONS
    echo "== ZIP of $(find small -type f | wc -l) small files ($(du -sh small | cut -f1)), $1"
    # shellcheck disable=SC2086
    add "7zz a -tzip ${2%% -p*}" "rm -f out-peer.zip" 7zz a -bso0 -tzip $2 out-peer.zip small
    # shellcheck disable=SC2086
    ours zip-create "rm -f out-probe.zip" zip-create out-probe.zip $3 small
    run_case
    ls -l out-peer.zip out-probe.zip | awk '{ printf "    %-22s %12d bytes\n", $9, $5 }'
    rm -f out-peer.zip out-probe.zip
}

sevenzip_case() {
    echo "== password 7z with hidden names of the mixed set ($(du -sh mixed | cut -f1))"
    add "7zz a -p -mhe -mx1" "rm -f out-peer.7z" 7zz a -bso0 -t7z -mx1 -mhe=on "-p$password" out-peer.7z mixed
    ours 7z-create "rm -f out-probe.7z" 7z-create out-probe.7z --password "$password" --hide-names mixed
    run_case
    7zz t -bso0 "-p$password" out-probe.7z > /dev/null && echo "  7zz t accepts the probe's archive" ||
        echo "  7zz t REJECTS the probe's archive"
    ls -l out-peer.7z out-probe.7z | awk '{ printf "    %-22s %12d bytes\n", $9, $5 }'
    rm -f out-peer.7z out-probe.7z
}

idle_size() {
    printf x > tiny.txt && rm -f tiny.zip && zip -q tiny.zip tiny.txt
    /usr/bin/time -o time.out -f '%M' "$probe" zip-list tiny.zip > /dev/null
    echo "== the probe's idle size: $(($(cat time.out) / 1024)) MiB (archive creation: idle + 64 MiB + the workers' buffers)"
    rm -f tiny.txt tiny.zip
}

echo "$(nproc) cores; medians of ${BENCH_ROUNDS:-5} interleaved rounds"
make_sets
heic_case
zip_case "AES-256" "-mem=AES256 -p$password" "--aes $password"
zip_case "plain" "-mx5" ""
sevenzip_case
idle_size
