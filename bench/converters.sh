#!/usr/bin/env bash
# Times the converters of quillfern-probe side by side with their peers: HEIC to JPEG against
# heif-convert -q 90, CP949 text to UTF-8 against iconv, and HEVC video to H.264 against the
# ffmpeg command line with the same settings; prints seconds, the ratio to the peer and peak
# memory (MiB). The text converter's originals go to a Trash inside the work folder.
# Usage: bench/converters.sh [PROBE] [WORKDIR]
#        (WORKDIR keeps the generated sets for the next run; without one a temporary folder is used)
. "$(dirname "$0")/lib.sh"
bench_probe "${1:-}"
bench_work "${2:-}"
cd "$work"
export XDG_DATA_HOME="$work/xdg"
mkdir -p "$XDG_DATA_HOME"

make_sets() {
    [ -f sets/photo.heic ] || {
        mkdir -p sets
        ffmpeg -v error -y -f lavfi -i testsrc2=size=4000x3000 -frames:v 1 sets/photo.png
        heif-enc -q 90 sets/photo.png -o sets/photo.heic > /dev/null
    }
    [ -f sets/text.txt ] || python3 - "$(scaled 50000000)" <<'PY'
import random, sys
limit = int(sys.argv[1])
random.seed(3)
words = "한글 자막 파일 인코딩 변환 누리함 옛 윈도우 메모장 줄바꿈 text line 0123456789".split()
with open("sets/text.txt", "wb") as f:
    size = 0
    while size < limit:
        line = (" ".join(random.choice(words) for _ in range(10)) + "\r\n").encode("cp949")
        f.write(line)
        size += len(line)
PY
    [ -f sets/clip.mov ] || ffmpeg -v error -y -f lavfi -i testsrc2=size=1920x1080:rate=30 \
        -f lavfi -i sine=frequency=440:sample_rate=48000 -t "$(scaled 5)" \
        -c:v libx265 -preset fast -tag:v hvc1 -x265-params log-level=none -c:a aac sets/clip.mov
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

echo "HEIC 4000x3000 to JPEG, quality 90 (best of 3)"
read -r ps pm < <(best "fresh sets/photo.heic" heif-convert -q 90 run/photo.heic run/peer.jpg)
read -r qs qm < <(best "fresh sets/photo.heic" "$probe" heic --apply run)
row "heif-convert -q 90" "$ps" "$ps" "$pm"
row "quillfern-probe heic" "$ps" "$qs" "$qm"

echo "CP949 text (50 MB) to UTF-8 (best of 3)"
read -r ps pm < <(best "fresh sets/text.txt" sh -c 'iconv -f CP949 -t UTF-8 run/text.txt > run/peer.txt')
read -r qs qm < <(best "fresh sets/text.txt; rm -rf '$XDG_DATA_HOME/Trash'" "$probe" text --to utf8 --eol keep --apply run/text.txt)
row "iconv" "$ps" "$ps" "$pm"
row "quillfern-probe text" "$ps" "$qs" "$qm"
rm -rf "$XDG_DATA_HOME/Trash"

echo "HEVC 1080p 5 s to H.264 High, CRF 18, preset medium, AAC copied, faststart"
fresh sets/clip.mov
read -r ps pm < <(measure ffmpeg -v error -y -noautorotate -i run/clip.mov -map 0:v:0 -map 0:a:0 \
    -c:v libx264 -preset medium -profile:v high -crf 18 -pix_fmt yuv420p -c:a copy \
    -map_metadata 0 -movflags +faststart run/peer.mp4)
fresh sets/clip.mov
read -r qs qm < <(measure "$probe" video --apply run)
row "ffmpeg" "$ps" "$ps" "$pm"
row "quillfern-probe video" "$ps" "$qs" "$qm"
