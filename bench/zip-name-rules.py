#!/usr/bin/env python3
"""Measures how often candidate rules for decoding a ZIP entry name without the UTF-8 flag
(and without a Unicode Path field) recover the name its writer meant.

Writers: Korean Windows (CP949 bytes), Info-ZIP on Linux (UTF-8 NFC), macOS tools (UTF-8 NFD).
Names: every precomposed syllable alone; random names of 1-8 syllables, bare or mixed with
spaces, digits, Latin letters and punctuation, drawn from all 11,172 syllables or from the 2,350
of KS X 1001; a set of everyday names; a set of names in other scripts (the cost side).
CP949 is glibc's iconv, called through ctypes, so the strictness matches the reader's.
Rules, each after "all ASCII -> as is" and falling back to Latin-1:
  old    CP949 if it converts, else UTF-8 if valid
  utf8   UTF-8 if valid, else CP949
  3byte  UTF-8 first only when it holds a character of three bytes or more, else CP949 first
  plaus  UTF-8 first unless its reading holds a C1 control or Latin Extended-B, then CP949 first
  word   UTF-8 first unless its reading holds a C1 control or a word made only of U+0080-U+023F
Prints error rates (%) per set and writer for each rule, then how many CP949 names are also
valid UTF-8.   Usage: bench/zip-name-rules.py [NAMES_PER_ROW] [SEED]   (defaults 5000 1)
"""
import ctypes
import random
import re
import sys
import unicodedata

libc = ctypes.CDLL(None, use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p] + [ctypes.c_void_p] * 4
FAIL = ctypes.c_size_t(-1).value


def converter(to, frm):
    cd = libc.iconv_open(to, frm)
    assert cd != FAIL

    def convert(data):  # the whole input or None, like the reader's Text helper
        src = ctypes.create_string_buffer(data, len(data))
        dst = ctypes.create_string_buffer(4 * len(data) + 16)
        inp, inleft = ctypes.c_void_p(ctypes.addressof(src)), ctypes.c_size_t(len(data))
        outp, outleft = ctypes.c_void_p(ctypes.addressof(dst)), ctypes.c_size_t(len(dst))
        libc.iconv(cd, None, None, None, None)
        if libc.iconv(cd, ctypes.byref(inp), ctypes.byref(inleft), ctypes.byref(outp), ctypes.byref(outleft)) == FAIL:
            return None
        if libc.iconv(cd, None, None, ctypes.byref(outp), ctypes.byref(outleft)) == FAIL:
            return None
        return dst.raw[:outp.value - ctypes.addressof(dst)]
    return convert


from_cp949, to_cp949 = converter(b"UTF-8", b"CP949"), converter(b"CP949", b"UTF-8")


def cp949_decode(b):
    out = from_cp949(b)
    return None if out is None else out.decode()


def utf8_decode(b):
    try:
        return b.decode("utf-8")
    except UnicodeDecodeError:
        return None


# What CP949 Hangul turns into when it happens to be valid UTF-8: rows C2-C8 give U+0080-U+023F.
# "plaus": a C1 control or Latin Extended-B, which no real name holds (Vietnamese ơ/ư aside).
# "word": a C1 control, or a word made only of U+0080-U+023F, a word being a run between ASCII
# characters other than letters: a real accented word keeps some ASCII letters, while a misread
# Korean word is wholly such characters.
def latin2byte(c):
    return 0x80 <= ord(c) <= 0x23F


def implausible(text, words):
    if any(0x80 <= ord(c) <= 0x9F or (not words and 0x180 <= ord(c) <= 0x24F) for c in text):
        return True
    if words:
        for word in re.split(r"[\x00-\x40\x5b-\x60\x7b-\x7f]+", text):
            if word and all(latin2byte(c) for c in word):
                return True
    return False


def decode(rule, b):
    if all(x < 0x80 for x in b):
        return b.decode()
    u, k = utf8_decode(b), cp949_decode(b)
    if rule == "old":
        order = (k, u)
    elif rule == "utf8":
        order = (u, k)
    elif rule == "3byte":  # UTF-8 first only when it has a character of 3 bytes or more
        order = (u, k) if u is not None and any(ord(c) >= 0x800 for c in u) else (k, u)
    else:  # UTF-8 first unless its reading looks like misread CP949
        order = (k, u) if u is not None and implausible(u, rule == "word") else (u, k)
    for text in order:
        if text is not None:
            return text
    return b.decode("latin-1")


RULES = ("old", "utf8", "3byte", "plaus", "word")
WRITERS = (("cp949", "NFC", lambda t: to_cp949(t.encode())), ("utf8-nfc", "NFC", str.encode),
           ("utf8-nfd", "NFD", str.encode))

ALL = [chr(c) for c in range(0xAC00, 0xD7A4)]
KSX = [s for s in ALL if min(to_cp949(s.encode())) >= 0xA1]  # the 2,350 at B0A1-C8FE
assert len(KSX) == 2350

EVERYDAY = """보고서.hwp|보고서 (최종) v2.docx|사진_2024-01.jpg|회의록 초안.txt|한글 문서.txt|문서.txt
견적서_최종본.xlsx|2024년 3월 급여명세서.pdf|신청서 양식.hwp|이력서(홍길동).docx|자기소개서 v3.docx
프로젝트 계획서.pptx|강의자료 1주차.pdf|과제 제출 - 김철수.zip|영수증 스캔 001.png|가족사진 2023 여름.jpg
새 폴더/|바탕화면/메모.txt|다운로드/설치파일.exe|음악/아이유 - 좋은 날.mp3|계약서 사본.pdf
주간 업무 보고 (3월 2주).xlsx|회계 자료/2023 결산.xlsx|제안서_초안_수정.hwp|발표 자료 최종_진짜최종.pptx
스크린샷 2024-05-06 오후 3.14.22.png|카톡 대화 백업.txt|체크리스트.xlsx|표 1.xlsx|책 목록.txt|청구서.pdf
화면 캡처.png|확인서.hwp|환불 요청서.docx|회의실 예약.xlsx|호텔 예약 확인.pdf|티켓.pdf|크리스마스 카드.jpg
타임라인.pptx|통계 분석 결과.csv|학생 명단.xlsx|휴가 신청서.hwp|출장 보고서.docx|출력용.pdf|초대장.png
참고문헌.txt|채용 공고.pdf|천체 사진/|철수 사진.jpg|처음 시작하기.md|카메라 원본/DSC_0001.JPG|큰 그림.png
클럽 회원 명단.xlsx|키보드 설정.txt|트렌드 리포트 2024.pdf|특허 출원서.hwp|틀린 그림 찾기.jpg|표지.png
풀이.pdf|품의서.hwp|호환성 검사.txt|홈페이지 시안.psd|화학 실험 보고서.docx|효과음.wav|회사 소개서.pdf
서울시 공문.hwp|부산 여행 일정.xlsx|제주도 맛집 리스트.txt|엄마 생신 선물.txt|아빠 사진.jpg|동생 숙제.hwp
짜장면 레시피.txt|짝꿍 명단.xlsx|째깍째깍.mp3|찌개 끓이는 법.docx|최종 결과.zip|친구들/|칠판 사진.jpg
침대 설명서.pdf|카드 명세서 2024-02.pdf|칸반 보드.png|칼럼 원고.hwp|캐릭터 설정.txt|캠핑 준비물.txt
커리큘럼.pdf|크롬 북마크.html|킹덤 시즌2.mkv|타이머.exe|탁구 대회.jpg|탄소 배출량.xlsx|탈퇴 신청.txt
[공지] 시스템 점검 안내.txt|README 한글판.md|Q&A 정리.txt|A4 인쇄용 (컬러).pdf|#1 기획안.pptx
~$보고서.docx|백업_2024.01.01.tar.gz|로고 (투명 배경).png|개발 일지 - 1일차.md|의견서.hwp""".replace("\n", "|").split("|")

OTHER = """café.txt|résumé.pdf|Müller Bericht.doc|naïve.txt|Ångström.dat|Łódź 2023.jpg|año nuevo.xlsx
Straße.txt|Zürich.pdf|crème brûlée.jpg|São Paulo.png|Dvořák.mp3|Voyage à Paris.jpg|Smörgåsbord.txt
Sơn.jpg|Trường học.txt|Phở bò.txt|Nguyễn Văn A.docx|Đà Nẵng.jpg|București.txt|Țara.txt|Běijīng.txt|lǚxíng.txt
Ελληνικά.txt|отчёт.doc|Москва.jpg|привет мир.txt|25°C.csv|© 2024.txt|½ 크기.png|m² 단가.xlsx|日本語.txt|資料.pdf|写真 2024.jpg|東京タワー.png
ファイル.txt|中文文件.docx|报告.pdf|韓國語.hwp|漢字 연습.txt|עברית.txt|عربي.txt|Tiếng Việt.txt""".replace("\n", "|").split("|")


def random_names(pool, n, mixed, rng):
    seps = [" ", "_", "-", ""]
    deco = ["2024-01", "v2", "(1)", "(최종)", "[A]", "copy", "IMG_0012", "01", "final", "#3", "사본"]
    exts = ["", ".txt", ".docx", ".hwp", ".pdf", ".jpg", ".xlsx", ".zip"]
    for length in range(1, 9):
        rows = []
        for _ in range(n):
            cuts = sorted(rng.sample(range(1, length), min(length - 1, rng.randint(0, 2)))) if mixed else []
            bounds = [0] + cuts + [length]
            words = ["".join(rng.choice(pool) for _ in range(bounds[i + 1] - bounds[i])) for i in range(len(bounds) - 1)]
            name = rng.choice(seps).join(words)
            if mixed:
                if rng.random() < 0.5:
                    name = rng.choice(deco) + rng.choice(seps) + name
                if rng.random() < 0.5:
                    name = name + rng.choice(seps) + rng.choice(deco)
                name += rng.choice(exts)
            rows.append(name)
        yield length, rows


def main():
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 5000
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 1)
    sets = [("syllable, each of 11172", ALL)]
    sets += [(f"bare {L} syl (all)", rows) for L, rows in random_names(ALL, n, False, rng)]
    sets += [(f"mixed {L} syl (all)", rows) for L, rows in random_names(ALL, n, True, rng)]
    sets += [(f"mixed {L} syl (KS X 1001)", rows) for L, rows in random_names(KSX, n, True, rng)]
    sets += [(f"everyday ({len(EVERYDAY)})", EVERYDAY), (f"other scripts ({len(OTHER)})", OTHER)]

    width = 7 * len(RULES)
    print(f"{'set':<26}" + "".join(f"| {w:<{width}}" for w, _, _ in WRITERS))
    print(f"{'':<26}" + ("| " + " ".join(f"{r:>6}" for r in RULES) + " ") * len(WRITERS))
    overlap = []
    for title, names in sets:
        line = f"{title:<26}"
        for writer, form, encode in WRITERS:
            pairs = [(t, encode(t)) for t in (unicodedata.normalize(form, s) for s in names)]
            pairs = [(s, b) for s, b in pairs if b is not None]  # CP949 cannot write every name
            wrong = [sum(decode(r, b) != s for s, b in pairs) for r in RULES]
            line += "| " + " ".join(f"{100 * w / max(1, len(pairs)):6.2f}" for w in wrong) + " "
            if writer == "cp949":
                both = [(s, b) for s, b in pairs if any(x >= 0x80 for x in b) and utf8_decode(b) is not None]
                overlap.append((title, len(pairs), both))
        print(line, flush=True)

    print("\nCP949-written names that are also valid UTF-8 (non-ASCII), and what UTF-8 makes of them")
    for title, total, both in overlap:
        shown = ", ".join(f"{s}->{utf8_decode(b)}" for s, b in both[:4])
        caught = [sum(implausible(utf8_decode(b), w) for _, b in both) for w in (False, True)]
        print(f"{title:<26} {len(both):5}/{total:<6} {100 * len(both) / max(1, total):6.2f}%"
              f"  caught by plaus {caught[0]:4}, word {caught[1]:4}  {shown}")


main()
