#!/usr/bin/env bash
# Times the converters of quillfern-probe side by side with their peers: HEIC to JPEG against
# heif-convert -q 90, CP949 text to UTF-8 against iconv (one 200 MB file, and 1,000 small files
# against one iconv over all of them), and HEVC video to H.264 against the ffmpeg command line
# with the same settings; prints seconds, the ratio to the peer and peak memory (MiB). The text
# converter's originals go to a Trash inside the work folder.
# Usage: bench/converters.sh [PROBE] [WORKDIR] [heic|text|video...]
#        (WORKDIR keeps the generated sets for the next run; without one a temporary folder is used;
#        the names pick the converters to time, all by default)
. "$(dirname "$0")/lib.sh"
bench_probe "${1:-}"
bench_work "${2:-}"
shift $(($# > 2 ? 2 : $#))
only=" ${*:-heic text video} "
cd "$work"
export XDG_DATA_HOME="$work/xdg"
mkdir -p "$XDG_DATA_HOME"

# picked NAME: whether the converter NAME is to be timed.
picked() { [[ $only == *" $1 "* ]]; }

make_sets() {
    mkdir -p sets
    picked heic && [ ! -f sets/photo.heic ] && {
        ffmpeg -v error -y -f lavfi -i testsrc2=size=4000x3000 -frames:v 1 sets/photo.png
        heif-enc -q 90 sets/photo.png -o sets/photo.heic > /dev/null
    }
    picked text && [ ! -f sets/cp949-big.txt ] && python3 - "$(scaled 200000000)" "$(scaled 1000)" <<'PY'
import os, random, sys
limit, files = int(sys.argv[1]), int(sys.argv[2])
random.seed(3)
words = "한글 자막 파일 인코딩 변환 누리함 옛 윈도우 메모장 줄바꿈 text line 0123456789".split()
def line():
    return (" ".join(random.choice(words) for _ in range(10)) + "\r\n").encode("cp949")
os.makedirs("sets/cp949-small", exist_ok=True)
for i in range(files):
    with open(f"sets/cp949-small/s{i:04}.txt", "wb") as f:
        f.write(b"".join(line() for _ in range(random.randint(5, 300))))
with open("sets/cp949-big.txt.part", "wb") as f:
    size = 0
    while size < limit:
        piece = b"".join(line() for _ in range(1000))
        f.write(piece)
        size += len(piece)
os.rename("sets/cp949-big.txt.part", "sets/cp949-big.txt")
PY
    picked video && [ ! -f sets/clip.mov ] && ffmpeg -v error -y -f lavfi -i testsrc2=size=1920x1080:rate=30 \
        -f lavfi -i sine=frequency=440:sample_rate=48000 -t "$(scaled 5)" \
        -c:v libx265 -preset fast -tag:v hvc1 -x265-params log-level=none -c:a aac sets/clip.mov
    return 0
}

# best SETUP COMMAND...: the fastest of three runs (the machine may be shared), each after SETUP.
best() {
    local setup="$1" result=""
    shift
    for _ in 1 2 3; do
        eval "$setup"
        result+="$(measure "$@")"$'\n'
    done
    printf '%s' "$result" | sort -n | head -1
}

fresh() { rm -rf run && mkdir run && cp "$@" run/; }

make_sets

fresh_small() { rm -rf run && mkdir run && cp -r sets/cp949-small run/small; }
no_trash() { rm -rf "$XDG_DATA_HOME/Trash"; }

# memory_bound INPUT-BYTES: the peak memory allowed for the text converter, the input's size plus
# 64 MiB (a file is read whole to detect its encoding).
memory_bound() { awk -v b="$1" 'BEGIN { printf "%.0f", b / 1048576 + 64 }'; }

if picked heic; then
echo "HEIC 4000x3000 to JPEG, quality 90 (best of 3)"
read -r ps pm < <(best "fresh sets/photo.heic" heif-convert -q 90 run/photo.heic run/peer.jpg)
read -r qs qm < <(best "fresh sets/photo.heic" "$probe" heic --apply run)
row "heif-convert -q 90" "$ps" "$ps" "$pm"
row "quillfern-probe heic" "$ps" "$qs" "$qm"
fi

if picked text; then
big=$(stat -c %s sets/cp949-big.txt)
echo "CP949 text ($((big / 1000000)) MB, one file) to UTF-8 (best of 3)"
read -r ps pm < <(best "fresh sets/cp949-big.txt" sh -c 'iconv -f CP949 -t UTF-8 run/cp949-big.txt > run/peer.txt')
read -r qs qm < <(best "fresh sets/cp949-big.txt; no_trash" "$probe" text --to utf8 --eol keep --apply run/cp949-big.txt)
row "iconv" "$ps" "$ps" "$pm"
row "quillfern-probe text" "$ps" "$qs" "$qm"
cmp -s run/cp949-big.txt <(iconv -f CP949 -t UTF-8 sets/cp949-big.txt) && same="identical to" || same="DIFFERENT from"
echo "  output $same iconv's; memory bound (input + 64 MiB) $(memory_bound "$big") MiB"
no_trash

small=$(ls sets/cp949-small | wc -l)
echo "CP949 text ($small small files) to UTF-8, one iconv over all of them (best of 3)"
read -r ps pm < <(best fresh_small sh -c 'iconv -f CP949 -t UTF-8 run/small/*.txt > run/peer.txt')
read -r qs qm < <(best "fresh_small; no_trash" "$probe" text --to utf8 --eol keep --apply run/small)
row "iconv" "$ps" "$ps" "$pm"
row "quillfern-probe text" "$ps" "$qs" "$qm"
no_trash
fi

if picked video; then
echo "HEVC 1080p 5 s to H.264 High, CRF 18, preset medium, AAC copied, faststart"
fresh sets/clip.mov
read -r ps pm < <(measure ffmpeg -v error -y -noautorotate -i run/clip.mov -map 0:v:0 -map 0:a:0 \
    -c:v libx264 -preset medium -profile:v high -crf 18 -pix_fmt yuv420p -c:a copy \
    -map_metadata 0 -movflags +faststart run/peer.mp4)
fresh sets/clip.mov
read -r qs qm < <(measure "$probe" video --apply run)
row "ffmpeg" "$ps" "$ps" "$pm"
row "quillfern-probe video" "$ps" "$qs" "$qm"
fi
