#!/usr/bin/env bash
# Builds the ZIP reader's libFuzzer target with clang (AddressSanitizer and UBSan) and runs it for
# a bounded time, seeded with the reader's fixtures.
# Usage: fuzz/zip-fuzz.sh [SECONDS]   (default 600)
set -euo pipefail
seconds="${1:-600}"
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build/fuzz-zip"
mkdir -p "$out/corpus"
cp -n "$root"/tests/Zip/fixtures/*.zip "$out/corpus/" 2>/dev/null || true

sources=(
    fuzz/ZipFuzz.cpp
    src/Features/ZipKorean/Zip/ZipReader.cpp src/Features/ZipKorean/Zip/ZipCrypto.cpp
    src/Features/ZipKorean/Zip/ZipEntry.cpp src/Features/ZipKorean/ArchiveFiles.cpp
    src/Features/ZipKorean/ZipError.cpp src/Core/Text.cpp src/Core/Localization.cpp src/Core/FilePath.cpp
)
cd "$root"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fPIC \
    -Isrc $(pkg-config --cflags Qt6Core icu-uc libdeflate libcrypto) \
    "${sources[@]}" -o "$out/zip-fuzz" \
    $(pkg-config --libs Qt6Core icu-uc icu-i18n libdeflate libcrypto)
cd "$out"
./zip-fuzz -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -malloc_limit_mb=512 \
    -print_final_stats=1 corpus
