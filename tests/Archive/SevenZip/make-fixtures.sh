#!/usr/bin/env bash
# Makes the 7z archives the reader is checked against, with 7zz and bsdtar, in the folder given.
# Usage: make-fixtures.sh OUT_DIR PASSWORD
set -euo pipefail
export LC_ALL=C.UTF-8
out=$1
password=$2
mkdir -p "$out/src"
cd "$out/src"
mkdir -p "docs/빈 폴더" empty-dir "한글 폴더"
printf 'hello\n' > a.txt
seq 1 40000 > numbers.txt
# Incompressible bytes without a random source, so runs are repeatable.
awk 'BEGIN { srand(7); for (i = 0; i < 30000; i++) printf "%c", int(rand() * 94) + 33 }' > noise.txt
: > empty.txt
printf '가나다라마바사\n' > "한글 폴더/한글 파일.txt"
printf 'x' > "docs/one.txt"
: > "docs/빈 폴더/빈 파일"

items=(a.txt numbers.txt noise.txt empty.txt empty-dir docs "한글 폴더")
make() { # name, then 7zz switches
    local name=$1
    shift
    7zz a -t7z -bd -bso0 -bsp0 -mtm=off -mtc=off -mta=off "$@" "../$name.7z" "${items[@]}"
}
make default
make lzma -m0=LZMA
make copy -m0=Copy
make deflate -m0=Deflate
make header-plain -mhc=off
make solid -ms=on
make non-solid -ms=off
make encrypted "-p$password"
make encrypted-header -mhe=on "-p$password"
make encrypted-plain-header -mhc=off "-p$password"
make deflate-encrypted-header -m0=Deflate -mhe=on "-p$password"
make ppmd -m0=PPMd
make deflate64 -m0=Deflate64
make bcj -mf=BCJ
make bcj2 -mf=BCJ2
bsdtar --format 7zip -cf ../bsdtar.7z "${items[@]}"
bsdtar --format 7zip --options 7zip:compression=deflate -cf ../bsdtar-deflate.7z "${items[@]}"
bsdtar --format 7zip --options 7zip:compression=store -cf ../bsdtar-store.7z "${items[@]}"
