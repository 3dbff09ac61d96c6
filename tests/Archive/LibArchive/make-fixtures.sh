#!/usr/bin/env bash
# Makes the archives the libarchive bridge tests read, with the peers that produce them in the
# wild (bsdtar, GNU tar, gzip, 7zz) and python3's tarfile for hostile or unusual headers.
# Usage: make-fixtures.sh OUTDIR
set -euo pipefail
# The peers must see the Korean names as UTF-8 whatever the caller's locale.
export LC_ALL=C.UTF-8
out=$1
mkdir -p "$out"
cd "$out"

# A small tree with Korean names, an empty file, a binary file and a nested folder.
mkdir -p tree/자료/하위
printf '분기 보고서 초안, 두 번째 판.\nSecond line.\n' > tree/자료/보고서.txt
: > tree/자료/빈파일.txt
python3 -c 'import random,sys; r=random.Random(7); sys.stdout.buffer.write(bytes(r.getrandbits(8) for _ in range(200000)))' \
    > tree/자료/하위/data.bin
printf 'Read me first, please.\n' > tree/readme.txt

members=(자료 readme.txt)
bsdtar -C tree --format pax -cf pax.tar "${members[@]}"
bsdtar -C tree --format ustar -cf ustar.tar "${members[@]}"
bsdtar -C tree --format newc -cf newc.cpio "${members[@]}"
tar -C tree --format=gnu -czf gnu.tar.gz "${members[@]}"
tar -C tree --format=gnu -cjf gnu.tar.bz2 "${members[@]}"
tar -C tree --format=gnu -cJf gnu.tar.xz "${members[@]}"
(cd tree && 7zz a -bd -bso0 ../peer.7z "${members[@]}")

# Hard links: newc cpio stores the data with the last member of a link group only.
mkdir linked
printf 'shared data\n' > linked/x.txt
ln linked/x.txt linked/y.txt
ln linked/x.txt linked/z.txt
bsdtar -C linked --format newc -cf links.cpio x.txt y.txt z.txt
bsdtar -C linked --format pax -cf links-pax.tar x.txt y.txt z.txt
rm -r linked

# Bare compressed streams: plain gzip keeps the original name in its header, gzip -n does not.
printf 'Meeting notes: budget, schedule and staffing.\n' > notes.txt
gzip -k notes.txt
printf 'Memo about the move, with dates.\n' > memo-source.txt
gzip -n -c memo-source.txt > memo.txt.gz
# One word per line: libarchive's format detection takes this for an mtree manifest.
printf 'apple\nbanana\ncherry\n' | gzip -n > words.txt.gz
rm notes.txt memo-source.txt

# Encrypted archives.
printf 'Secret contents of the file.\n' > secret.txt
7zz a -bd -bso0 -psecret -mhe=on hidden-names.7z secret.txt
zip -q -P secret locked.zip secret.txt
rm secret.txt

# 7-Zip reading a pipe stores a FIFO entry that holds the piped bytes.
printf 'abc' | 7zz a -bd -bso0 -sififo.txt fifo.7z

python3 - <<'PY'
import io, tarfile, unicodedata

def add(tar, name, data=b"", kind=tarfile.REGTYPE, link=""):
    info = tarfile.TarInfo(name)
    info.type = kind
    info.linkname = link
    info.mtime = 1700000000
    info.mode = 0o755 if kind == tarfile.DIRTYPE else 0o644
    if kind == tarfile.REGTYPE:
        info.size = len(data)
        tar.addfile(info, io.BytesIO(data))
    else:
        tar.addfile(info)

def make(path, members, fmt=tarfile.GNU_FORMAT, encoding="utf-8"):
    with tarfile.open(path, "w", format=fmt, encoding=encoding) as tar:
        for m in members:
            add(tar, *m)

make("evil.tar", [("ok.txt", b"fine\n"), ("../evil.txt", b"escaped\n"), ("after.txt", b"later\n")])
make("inner-evil.tar", [("dir/../../evil.txt", b"escaped\n")])
make("abs.tar", [("ok.txt", b"fine\n"), ("/abs.txt", b"absolute\n")])
make("cp949.tar", [("한글폴더/", b"", tarfile.DIRTYPE), ("한글폴더/문서.txt", "내용".encode("cp949"))],
     fmt=tarfile.USTAR_FORMAT, encoding="cp949")
# ustar keeps the bytes as they are (libarchive composes pax names itself).
make("nfd.tar", [(unicodedata.normalize("NFD", "한글.txt"), b"nfd\n")], fmt=tarfile.USTAR_FORMAT)
make("links.tar", [
    ("a.txt", b"linked contents\n"),
    ("b.txt", b"", tarfile.LNKTYPE, "a.txt"),
    ("c.txt", b"", tarfile.SYMTYPE, "a.txt"),
    ("d.txt", b"", tarfile.LNKTYPE, "missing.txt"),
    ("e.txt", b"", tarfile.LNKTYPE, "../a.txt"),
    ("f.txt", b"", tarfile.LNKTYPE, "/etc/hostname"),
])
make("backslash.tar", [("dir\\file.txt", b"back\n")], fmt=tarfile.USTAR_FORMAT)
make("junk.tar", [
    ("__MACOSX/._keep.txt", b"appledouble\n"),
    ("folder/.DS_Store", b"ds\n"),
    ("._b.txt", b"appledouble\n"),
    ("._top/inner.txt", b"not junk\n"),
    ("keep.txt", b"keep\n"),
])
make("prefix.tar", [("R/", b"", tarfile.DIRTYPE), ("R/a.txt", b"in R\n"), ("S/b.txt", b"in S\n")])
make("kinds.tar", [
    ("d/", b"", tarfile.DIRTYPE),
    ("d/empty.txt", b""),
    ("d/link", b"", tarfile.SYMTYPE, "empty.txt"),
    ("d/fifo", b"", tarfile.FIFOTYPE),
    ("d/char", b"", tarfile.CHRTYPE),
])
make("data-inside.tar", [("data", b"a file that is really named data\n")])
# Names that repeat, exactly or once composed; a folder that repeats is the same folder.
make("twins.tar", [
    ("한글.txt", b"nfc\n"),
    (unicodedata.normalize("NFD", "한글.txt"), b"nfd\n"),
    ("a.txt", b"first\n"),
    ("a.txt", b"second\n"),
    ("d/", b"", tarfile.DIRTYPE),
    ("d/x.txt", b"x\n"),
    ("d/", b"", tarfile.DIRTYPE),
    ("d/y.txt", b"y\n"),
], fmt=tarfile.USTAR_FORMAT)
# A compressed tar cut short inside its second entry's data.
import random
noise = random.Random(9).randbytes(300000)
buffer = io.BytesIO()
with tarfile.open(fileobj=buffer, mode="w:gz", format=tarfile.USTAR_FORMAT) as tar:
    add(tar, "first.txt", b"first\n")
    add(tar, "noise.bin", noise)
open("truncated.tar.gz", "wb").write(buffer.getvalue()[:150000])
make("one.tar", [("only.txt", b"the only file\n")])
make("empty.tar", [])

# A second header with a broken checksum: libarchive reports it as retryable.
with tarfile.open("damaged.tar", "w", format=tarfile.USTAR_FORMAT) as tar:
    add(tar, "first.txt", b"first\n")
    add(tar, "second.txt", b"second\n")
raw = bytearray(open("damaged.tar", "rb").read())
raw[1024 + 148:1024 + 156] = b"0000000\0"
open("damaged.tar", "wb").write(bytes(raw))
PY
gzip -n -c data-inside.tar > data-inside.tar.gz
rm data-inside.tar

# Compressed streams damaged where only their own checks can tell: a byte flipped inside data
# that gzip, xz and zstd store as it is, gzip's trailer altered or cut off. A tar split across two
# gzip members is sound.
python3 - <<'PY'
import bz2, gzip, io, lzma, random, tarfile
noise = random.Random(11).randbytes(200000)
buffer = io.BytesIO()
with tarfile.open(fileobj=buffer, mode="w", format=tarfile.USTAR_FORMAT) as tar:
    info = tarfile.TarInfo("noise.bin")
    info.size = len(noise)
    info.mtime = 1700000000
    tar.addfile(info, io.BytesIO(noise))
plain = buffer.getvalue()
open("noise.tar", "wb").write(plain)

def flipped(data, at):
    data = bytearray(data)
    data[at] ^= 0x20
    return bytes(data)

gz = gzip.compress(plain, mtime=0)
open("flipped.tar.gz", "wb").write(flipped(gz, len(gz) // 2))
open("crc.tar.gz", "wb").write(flipped(gz, len(gz) - 8))
open("length.tar.gz", "wb").write(flipped(gz, len(gz) - 2))
open("cut.tar.gz", "wb").write(gz[:-8])
half = len(plain) // 2
open("members.tar.gz", "wb").write(gzip.compress(plain[:half], mtime=0) + gzip.compress(plain[half:], mtime=0))
xz = lzma.compress(plain)
open("flipped.tar.xz", "wb").write(flipped(xz, len(xz) // 2))
bz = bz2.compress(plain)
open("flipped.tar.bz2", "wb").write(flipped(bz, len(bz) // 2))

# Bytes that no format knows, under the names of archives; a tar whose first header is damaged.
junk = random.Random(12).randbytes(5000)
for extension in ("tar", "iso", "rar", "cab", "cpio", "gz", "xz", "zst"):
    open("fake." + extension, "wb").write(junk)
open("fake-inside.tar.gz", "wb").write(gzip.compress(junk, mtime=0))
damaged = bytearray(plain)
damaged[148:156] = b"0000000\0"
open("first-damaged.tar", "wb").write(bytes(damaged))
open("first-damaged.tar.gz", "wb").write(gzip.compress(bytes(damaged), mtime=0))

memo = b"Memo about the move, with dates.\n"
open("memo.txt.xz", "wb").write(lzma.compress(memo))
open("memo.txt.bz2", "wb").write(bz2.compress(memo))
open("memo.bin", "wb").write(memo)
PY
zstd -q -c noise.tar > noise.tar.zst
python3 -c 'import sys; d = bytearray(open("noise.tar.zst", "rb").read()); d[len(d) // 2] ^= 0x20; open("flipped.tar.zst", "wb").write(bytes(d))'
zstd -q -c memo.bin > memo.txt.zst
rm noise.tar.zst memo.bin
