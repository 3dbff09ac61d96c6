#include "Features/TextEncoding/TextEncodingEngine.h"

#include "Core/LinkText.h"
#include "Core/LongPath.h"
#include "Core/Text.h"
#include "Features/TextEncoding/TextFile.h"
#include "support/FakeTrash.h"
#include "support/TestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Engine = TextEncodingEngine;
using Kind = Engine::Status::Kind;
using TestSupport::readBytes;
using TestSupport::TempDir;

namespace {

const Engine::Item *find(const Engine &engine, std::string_view name)
{
    for (const auto &item : engine.items())
        if (item.url.filename() == name)
            return &item;
    return nullptr;
}

std::string utf16le(std::u16string_view text)
{
    std::string out = "\xFF\xFE";
    for (char16_t c : text) {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    return out;
}

} // namespace

TEST(TextEncodingDetect, EncodingsLineEndingsAndPreviews)
{
    const struct {
        std::string bytes;
        Engine::DetectedEncoding encoding;
        QString lineEnding;
        QString preview;
    } cases[] = {
        {"a\nb", Engine::DetectedEncoding::utf8, "LF", "a"},
        {"a\r\nb", Engine::DetectedEncoding::utf8, "CRLF", "a"},
        {"a\r\nb\n", Engine::DetectedEncoding::utf8, "혼합", "a"},
        {"a\rb", Engine::DetectedEncoding::utf8, "없음", "a\rb"},
        {"  plain  ", Engine::DetectedEncoding::utf8, "없음", "plain"},
        {"\nsecond", Engine::DetectedEncoding::utf8, "LF", ""},
        {"\xEF\xBB\xBFhi\n", Engine::DetectedEncoding::utf8bom, "LF", "hi"},
        {"\xEF\xBB\xBF\xC3", Engine::DetectedEncoding::utf8bom, "없음", ""},
        {utf16le(u"한\r\n"), Engine::DetectedEncoding::utf16, "—", "한"},
        {"\xC7\xD1\xB1\xDB\r\n", Engine::DetectedEncoding::cp949, "CRLF", "한글"},
        {std::string("a\0b", 3), Engine::DetectedEncoding::binary, "없음", ""},
        // Bytes outside Windows code page 949 after a valid syllable (so the whole is not UTF-8):
        // lone 0x80 and 0xFF, the user-defined rows C9 and FE.
        {"\xC7\xD1\x80", Engine::DetectedEncoding::unknown, "없음", ""},
        {"\xC7\xD1\xFF", Engine::DetectedEncoding::unknown, "없음", ""},
        {"\xC7\xD1\xC9\xA1", Engine::DetectedEncoding::unknown, "없음", ""},
        {"\xC7\xD1\xFE\xA1", Engine::DetectedEncoding::unknown, "없음", ""},
        {"\xC7\xD1\x81\x41", Engine::DetectedEncoding::cp949, "없음", "한갂"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QByteArray::fromStdString(c.bytes).toHex().toStdString());
        const auto [encoding, text] = Engine::detect(c.bytes);
        EXPECT_EQ(encoding, c.encoding);
        EXPECT_EQ(Engine::label(Engine::lineEndingKind(c.bytes, encoding)), c.lineEnding);
        EXPECT_EQ(Engine::previewLine(text.value_or("")), c.preview);
    }
    // Overlong and surrogate forms are not UTF-8 (they may still pass as CP949).
    EXPECT_NE(Engine::detect("\xC0\xAF").first, Engine::DetectedEncoding::utf8);
    EXPECT_NE(Engine::detect("\xED\xA0\x80").first, Engine::DetectedEncoding::utf8);
    // A UTF-16 body with an unpaired surrogate or an odd length decodes to nothing.
    EXPECT_FALSE(Engine::detect(std::string("\xFF\xFE\x00\xD8", 4)).second);
    EXPECT_FALSE(Engine::detect(std::string("\xFE\xFF\x00", 3)).second);
    EXPECT_EQ(Engine::detect(std::string("\xFE\xFF\xD5\x5C", 4)).second, "한");
}

TEST(TextEncodingDetect, PreviewKeepsFiftyUserPerceivedCharacters)
{
    const std::string hangul = "가나다라마바사아자차카타파하"; // 14 syllables
    std::string longLine;
    for (int i = 0; i < 4; ++i)
        longLine += hangul;
    longLine += "😀end\nsecond";
    const QString preview = Engine::previewLine(longLine);
    EXPECT_EQ(preview, QString::fromStdString(hangul + hangul + hangul + "가나다라마바사아"));

    std::string emoji;
    for (int i = 0; i < 60; ++i)
        emoji += "👍🏽";
    EXPECT_EQ(Engine::previewLine(emoji).size(), 50 * QString::fromUtf8("👍🏽").size());
}

TEST(TextEncodingDetect, LineEndingRewrite)
{
    EXPECT_EQ(Engine::rewriteLineEndings("a\r\nb\rc\nd", Engine::LineEndingChoice::lf), "a\nb\nc\nd");
    EXPECT_EQ(Engine::rewriteLineEndings("a\r\nb\rc\nd\r", Engine::LineEndingChoice::crlf),
              "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(Engine::rewriteLineEndings("a\r\nb\r", Engine::LineEndingChoice::keep), "a\r\nb\r");
}

TEST(TextEncodingScan, FolderRulesAndSkippedFiles)
{
    TempDir dir;
    const auto folder = dir.folder("drop");
    dir.file("drop/notes.TXT", "hello\n");
    dir.file("drop/a.rtf", "rich");
    dir.file("drop/.hidden.txt", "hidden");
    dir.file("drop/.git/config.txt", "inside hidden folder");
    dir.file("drop/empty.txt", "");
    dir.file("drop/nul.txt", std::string("a\0b", 3));
    dir.file("drop/bad.txt", "\x80\x80");
    dir.file("drop/sub/b.srt", "\xC7\xD1\r\n");
    ASSERT_EQ(::mkfifo((folder / "pipe.txt").c_str(), 0644), 0); // must not block the scan
    fs::create_symlink(folder, dir / "link");

    Engine engine;
    QSignalSpy roots(&engine, &Engine::scannedRootsChanged);
    engine.addURLs({folder, dir / "link", folder});
    EXPECT_EQ(engine.scannedRoots().size(), 1u);
    EXPECT_EQ(roots.count(), 1);
    ASSERT_EQ(engine.items().size(), 2u);
    EXPECT_EQ(engine.items()[0].url, folder / "notes.TXT");
    EXPECT_EQ(engine.items()[1].url, folder / "sub/b.srt");
    EXPECT_EQ(engine.items()[1].detected, Engine::DetectedEncoding::cp949);
    // a.rtf, empty, NUL, undecodable files and the pipe count; names beginning with "." do not.
    EXPECT_EQ(engine.skippedCount(), 5);

    // The same rtf dropped by itself is examined whatever its extension.
    engine.addURLs({folder / "a.rtf"});
    EXPECT_NE(find(engine, "a.rtf"), nullptr);
    EXPECT_EQ(engine.items().size(), 3u);

    engine.clear();
    EXPECT_TRUE(engine.items().empty());
    EXPECT_TRUE(engine.scannedRoots().empty());
    EXPECT_EQ(engine.skippedCount(), 0);
}

TEST(TextEncodingScan, TargetAndLineEndingChoicesReevaluate)
{
    TempDir dir;
    dir.file("t/ascii.txt", "plain\n");
    dir.file("t/korean.txt", "\xC7\xD1\n");
    dir.file("t/crlf.txt", "a\r\nb\r\n");
    dir.file("t/mixed.txt", "a\r\nb\n");
    dir.file("t/oneline.txt", "abc");
    dir.file("t/bom.txt", "\xEF\xBB\xBFx\n");
    dir.file("t/wide.txt", utf16le(u"x"));

    Engine engine;
    engine.addURLs({dir / "t"});
    ASSERT_EQ(engine.items().size(), 7u);
    auto statusOf = [&](std::string_view name) { return find(engine, name)->status.kind; };

    const struct {
        Engine::TargetEncoding target;
        Engine::LineEndingChoice eol;
        std::vector<std::pair<std::string, Kind>> expected;
    } steps[] = {
        {Engine::TargetEncoding::utf8,
         Engine::LineEndingChoice::keep,
         {{"ascii.txt", Kind::alreadyOk},
          {"korean.txt", Kind::pending},
          {"crlf.txt", Kind::alreadyOk},
          {"bom.txt", Kind::pending},
          {"wide.txt", Kind::pending}}},
        {Engine::TargetEncoding::cp949,
         Engine::LineEndingChoice::keep,
         {{"ascii.txt", Kind::pending}, {"korean.txt", Kind::alreadyOk}, {"wide.txt", Kind::pending}}},
        {Engine::TargetEncoding::utf8,
         Engine::LineEndingChoice::crlf,
         {{"ascii.txt", Kind::pending},
          {"crlf.txt", Kind::alreadyOk},
          {"mixed.txt", Kind::pending},
          {"oneline.txt", Kind::alreadyOk}}},
        {Engine::TargetEncoding::utf8,
         Engine::LineEndingChoice::lf,
         {{"ascii.txt", Kind::alreadyOk}, {"crlf.txt", Kind::pending}, {"oneline.txt", Kind::alreadyOk}}},
    };
    for (const auto &step : steps) {
        engine.setTarget(step.target);
        engine.setLineEnding(step.eol);
        for (const auto &[name, kind] : step.expected) {
            SCOPED_TRACE(name + " " + Engine::toString(step.target).toStdString() + " " +
                         Engine::toString(step.eol).toStdString());
            EXPECT_EQ(statusOf(name), kind);
        }
    }

    // Writing the present value notifies nobody.
    QSignalSpy targetSpy(&engine, &Engine::targetChanged);
    engine.setTarget(Engine::TargetEncoding::utf8);
    EXPECT_EQ(targetSpy.count(), 0);
    engine.setTarget(Engine::TargetEncoding::cp949);
    EXPECT_EQ(targetSpy.count(), 1);
}

TEST(TextEncodingConvert, Cp949ToUtf8AndBackWithPeer)
{
    TempDir dir;
    FakeTrash trash(dir / "trash");
    const auto file = dir.file("w/subs.smi", "\xC7\xD1\xB1\xDB\r\n");
    ::chmod(file.c_str(), 0755);

    Engine engine;
    engine.setLineEnding(Engine::LineEndingChoice::lf);
    engine.addURLs({file});
    ASSERT_EQ(engine.pendingCount(), 1);
    engine.convertAll();
    EXPECT_EQ(engine.doneCount(), 1);
    EXPECT_EQ(readBytes(file), "\xED\x95\x9C\xEA\xB8\x80\x0A");
    ASSERT_EQ(trash.moved.size(), 1u);
    EXPECT_EQ(readBytes(trash.moved[0]), "\xC7\xD1\xB1\xDB\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0755u);

    engine.setTarget(Engine::TargetEncoding::cp949);
    engine.setLineEnding(Engine::LineEndingChoice::crlf);
    engine.addURLs({});
    ASSERT_EQ(engine.pendingCount(), 1);
    engine.convertAll();
    EXPECT_EQ(engine.doneCount(), 1);
    EXPECT_EQ(readBytes(file), "\xC7\xD1\xB1\xDB\r\n");
    const auto peer = TestSupport::run("iconv", {"-f", "CP949", "-t", "UTF-8", QString::fromStdString(file)});
    EXPECT_EQ(peer.exitCode, 0);
    EXPECT_EQ(peer.out, "한글\r\n");
    // Nothing but the converted file is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "w"), fs::directory_iterator()), 1);
}

TEST(TextEncodingConvert, BomIsDroppedAndCrOnlyLinesBecomeLf)
{
    TempDir dir;
    FakeTrash trash(dir / "trash");
    const auto bom = dir.file("bom.txt", "\xEF\xBB\xBF"
                                         "a\rb");
    Engine engine;
    engine.setLineEnding(Engine::LineEndingChoice::lf);
    engine.addURLs({bom});
    engine.convertAll();
    EXPECT_EQ(engine.doneCount(), 1);
    EXPECT_EQ(readBytes(bom), "a\nb");
}

TEST(TextEncodingConvert, Cp949EncodingRefusesWhatItCannotHold)
{
    const struct {
        std::string utf8;
        std::optional<std::string> cp949;
    } cases[] = {
        {"한글", std::string("\xC7\xD1\xB1\xDB")},
        {"€", std::string("\xA2\xE6")},
        {"😀", std::nullopt},
        {"a\u200Bb", std::nullopt},           // zero-width space: not dropped silently
        {"\u1112\u1161\u11AB", std::nullopt}, // decomposed Hangul: no CP949 form as it stands
        {"\uE000", std::nullopt},             // private use
    };
    TempDir dir;
    FakeTrash trash(dir / "trash");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.utf8);
        const auto file = dir.file("in.txt", c.utf8);
        Engine engine;
        engine.setTarget(Engine::TargetEncoding::cp949);
        engine.addURLs({file});
        ASSERT_EQ(engine.pendingCount(), 1);
        engine.convertAll();
        if (c.cp949) {
            EXPECT_EQ(engine.doneCount(), 1);
            EXPECT_EQ(readBytes(file), *c.cp949);
        } else {
            ASSERT_EQ(engine.failedCount(), 1);
            EXPECT_EQ(
                engine.items()[0].status.message,
                "파일 처리 중 오류가 발생했습니다. (CP949로 표현할 수 없는 문자가 있습니다 (이모지 등))");
            EXPECT_EQ(readBytes(file), c.utf8);
        }
        fs::remove(file);
    }
    EXPECT_EQ(trash.moved.size(), 2u);
}

TEST(TextEncodingConvert, FailuresLeaveTheOriginalInPlace)
{
    TempDir dir;
    FakeTrash trash(dir / "trash");
    const auto refused = dir.file("a/refused.txt", "\xC7\xD1");
    const auto deleted = dir.file("a/deleted.txt", "\xC7\xD1");
    Engine engine;
    engine.addURLs({dir / "a"});
    ASSERT_EQ(engine.pendingCount(), 2);
    fs::remove(deleted);
    trash.refuse = true;
    engine.convertAll();
    ASSERT_EQ(engine.failedCount(), 2);
    EXPECT_EQ(find(engine, "deleted.txt")->status.message,
              "파일 처리 중 오류가 발생했습니다. (파일을 읽을 수 없습니다)");
    EXPECT_EQ(find(engine, "refused.txt")->status.message,
              "파일 처리 중 오류가 발생했습니다. (원본을 휴지통으로 옮기지 못했습니다)");
    EXPECT_EQ(readBytes(refused), "\xC7\xD1");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "a"), fs::directory_iterator()), 1);
}

// A file that appears at the original's path while it is in the Trash is never replaced; the
// converted bytes are not left behind either.
TEST(TextEncodingConvert, NothingThatAppearedIsReplaced)
{
    TempDir dir;
    FakeTrash trash(dir / "trash");
    trash.afterMove = [](const fs::path &item) { TestSupport::writeBytes(item, "intruder"); };
    const auto file = dir.file("w/x.txt", "\xC7\xD1");
    Engine engine;
    engine.addURLs({file});
    engine.convertAll();
    ASSERT_EQ(engine.failedCount(), 1);
    EXPECT_EQ(readBytes(file), "intruder");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "w"), fs::directory_iterator()), 1);
    // The original could not go back (its place is taken), so it stays in the Trash.
    ASSERT_EQ(trash.moved.size(), 1u);
    EXPECT_EQ(readBytes(trash.moved[0]), "\xC7\xD1");
}

TEST(TextEncodingConvert, FailedWriteInReadOnlyFolderKeepsOriginal)
{
    TempDir dir;
    const auto folder = dir.folder("ro");
    const auto file = dir.file("ro/x.txt", "\xC7\xD1\n");
    ::chmod(folder.c_str(), 0555);
    const auto trashFolder = dir.folder("nobody-trash");
    ::chmod(trashFolder.c_str(), 0777);
    const std::string result = TestSupport::runAsNobodyCapture([&] {
        FakeTrash trash(trashFolder);
        Engine engine;
        engine.addURLs({file});
        engine.convertAll();
        if (engine.items().size() != 1)
            return std::string("no item");
        return engine.items()[0].status.message.toStdString() + "|" + std::to_string(trash.moved.size());
    });
    EXPECT_EQ(result, "파일 처리 중 오류가 발생했습니다. (쓰기 실패: " + file.native() + ")|0");
    EXPECT_EQ(readBytes(file), "\xC7\xD1\n");
    ::chmod(folder.c_str(), 0755);
}

TEST(TextEncodingConvert, OriginalGoesToTheUsersTrash)
{
    TempDir dir;
    const auto file = dir.file("memo.txt", "\xC7\xD1\n");
    Engine engine;
    engine.addURLs({file});
    engine.convertAll();
    ASSERT_EQ(engine.doneCount(), 1) << engine.items()[0].status.message.toStdString();
    EXPECT_EQ(readBytes(file), "\xED\x95\x9C\n");
    const fs::path trashed = fs::path(qgetenv("XDG_DATA_HOME").toStdString()) / "Trash/files/memo.txt";
    EXPECT_EQ(readBytes(trashed), "\xC7\xD1\n");
}

// When the new file cannot take the original's place, the original comes back from the Trash.
TEST(TextEncodingConvert, FailedFinalStepPutsTheOriginalBack)
{
    TempDir dir;
    FakeTrash trash(dir / "trash");
    trash.afterMove = [](const fs::path &item) {
        for (const auto &entry : fs::directory_iterator(item.parent_path()))
            fs::remove(entry.path());
    };
    const auto file = dir.file("w/x.txt", "\xC7\xD1");
    Engine engine;
    engine.addURLs({file});
    engine.convertAll();
    ASSERT_EQ(engine.failedCount(), 1);
    EXPECT_EQ(engine.items()[0].status.message.toStdString(),
              "파일 처리 중 오류가 발생했습니다. (쓰기 실패: " + file.native() + ")");
    EXPECT_EQ(trash.restored, 1);
    EXPECT_EQ(readBytes(file), "\xC7\xD1");
}

// A file edited or replaced after the scan is left as it is now: its new text is neither replaced
// by the converted old one nor sent to the Trash.
TEST(TextEncodingConvert, FileChangedSinceTheScanIsLeftAlone)
{
    const auto setModified = [](const fs::path &path, std::int64_t seconds) {
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    };
    const struct {
        const char *change;
        std::function<void(const fs::path &)> apply;
    } changes[] = {
        {"edited, longer", [](const fs::path &file) { TestSupport::writeBytes(file, "\xC7\xD1 new\n"); }},
        {"same size, later time",
         [&](const fs::path &file) {
             TestSupport::writeBytes(file, "\xB1\xDB\n");
             setModified(file, 2000000000);
         }},
        {"replaced by another file of the same size and time",
         [&](const fs::path &file) {
             const auto other = file.parent_path() / "other";
             TestSupport::writeBytes(other, "\xB1\xDB\n");
             setModified(other, 1000000000);
             fs::rename(other, file);
         }},
    };
    for (const auto &change : changes) {
        SCOPED_TRACE(change.change);
        TempDir dir;
        FakeTrash trash(dir / "trash");
        const auto file = dir.file("w/memo.txt", "\xC7\xD1\n");
        setModified(file, 1000000000);
        Engine engine;
        engine.addURLs({file});
        ASSERT_EQ(engine.pendingCount(), 1);
        change.apply(file);
        const auto now = readBytes(file);
        engine.convertAll();
        ASSERT_EQ(engine.failedCount(), 1);
        EXPECT_EQ(engine.items()[0].status.message,
                  "파일 처리 중 오류가 발생했습니다. (목록에 올린 뒤 파일이 바뀌어 그대로 두었습니다)");
        EXPECT_EQ(readBytes(file), now);
        EXPECT_TRUE(trash.moved.empty());
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / "w"), fs::directory_iterator()), 1);
    }
}

// A symbolic link stays a link: the file it points to is converted where it lies, and only that
// file's old version goes to the Trash. A link found beside its target shares the one conversion.
TEST(TextEncodingConvert, LinkedFileIsConvertedWhereItLies)
{
    TempDir dir;
    FakeTrash trash(dir / "trash");
    const auto real = dir.file("d/real.txt", "\xC7\xD1\r\n");
    fs::create_symlink("real.txt", dir / "d/a-link.txt");
    const auto far = dir.file("elsewhere/far.txt", "\xB1\xDB\n");
    fs::create_symlink(far, dir / "far-link.txt");

    Engine engine;
    engine.addURLs({dir / "d", dir / "far-link.txt"});
    ASSERT_EQ(engine.pendingCount(), 3);
    engine.convertAll();
    EXPECT_EQ(engine.doneCount(), 3);
    EXPECT_EQ(readBytes(real), "한\r\n");
    EXPECT_EQ(readBytes(far), "글\n");
    EXPECT_TRUE(fs::is_symlink(dir / "d/a-link.txt"));
    EXPECT_EQ(fs::read_symlink(dir / "d/a-link.txt"), "real.txt");
    EXPECT_TRUE(fs::is_symlink(dir / "far-link.txt"));
    EXPECT_EQ(fs::read_symlink(dir / "far-link.txt"), far);
    ASSERT_EQ(trash.moved.size(), 2u);
    for (const auto &trashed : trash.moved)
        EXPECT_FALSE(fs::is_symlink(trashed)) << trashed;
    EXPECT_EQ(readBytes(trash.moved[0]), "\xC7\xD1\r\n");
    EXPECT_EQ(readBytes(trash.moved[1]), "\xB1\xDB\n");
}

// A file larger than one read: a CR LF pair and a two-byte character each cut by the end of a
// piece convert exactly, and iconv reads the result back as the same text.
TEST(TextEncodingConvert, FileLargerThanOnePieceConvertsAcrossItsCuts)
{
    const std::size_t piece = FileReader::pieceSize;
    const std::string line = "\xC7\xD1\xB1\xDB text 0123\r\n"; // 한글 text 0123
    std::string cp949;
    const auto fillTo = [&](std::size_t size) {
        while (cp949.size() + line.size() <= size)
            cp949 += line;
        cp949.append(size - cp949.size(), 'x');
    };
    fillTo(piece - 1);
    cp949 += "\r\n"; // the CR ends the first piece, its LF begins the second
    fillTo(2 * piece - 1);
    cp949 += "\xC7\xD1"; // the lead byte ends the second piece
    fillTo(2 * piece + 5000);

    TempDir dir;
    FakeTrash trash(dir / "trash");
    const auto file = dir.file("big.txt", cp949);
    Engine engine;
    engine.setLineEnding(Engine::LineEndingChoice::lf);
    engine.addURLs({file});
    ASSERT_EQ(engine.pendingCount(), 1);
    EXPECT_EQ(engine.items()[0].detected, Engine::DetectedEncoding::cp949);
    EXPECT_EQ(engine.items()[0].lineEnding, "CRLF");
    engine.convertAll();
    ASSERT_EQ(engine.doneCount(), 1) << engine.items()[0].status.message.toStdString();

    std::string expected = *Text::decodeCp949(cp949);
    std::erase(expected, '\r');
    const auto converted = readBytes(file);
    EXPECT_TRUE(converted == expected);
    EXPECT_EQ(converted.find('\r'), std::string::npos);
    const auto peer = TestSupport::run("iconv", {"-f", "UTF-8", "-t", "CP949", TestSupport::q(file)});
    EXPECT_EQ(peer.exitCode, 0);
    std::string withoutCr = cp949;
    std::erase(withoutCr, '\r');
    EXPECT_TRUE(peer.out == withoutCr);
}

// A byte-order mark says UTF-8, but the bytes after it are CP949: converting must not write them
// on as if they were UTF-8, for either target.
TEST(TextEncodingConvert, ByteOrderMarkBeforeABodyThatIsNotUtf8FailsAndLeavesTheFile)
{
    const std::string bytes = "\xEF\xBB\xBF\xC0\xAF\xB3\xAA";
    for (const auto target : {Engine::TargetEncoding::utf8, Engine::TargetEncoding::cp949}) {
        SCOPED_TRACE(int(target));
        TempDir dir;
        FakeTrash trash(dir / "trash");
        const auto file = dir.file("t/x.txt", bytes);
        Engine engine;
        engine.setTarget(target);
        engine.addURLs({file});
        ASSERT_EQ(engine.pendingCount(), 1);
        engine.convertAll();
        ASSERT_EQ(engine.failedCount(), 1);
        EXPECT_EQ(engine.items()[0].status.message.toStdString(),
                  "파일 처리 중 오류가 발생했습니다. (인코딩 해석 실패)");
        EXPECT_EQ(readBytes(file), bytes);
        EXPECT_TRUE(trash.moved.empty());
        EXPECT_TRUE(TestSupport::noPartialFiles(dir / "t"));
    }
}

// An edit that lands between the last look at the file and its move to the Trash goes to the
// Trash with it: it is put back, and the converted old text never takes its place.
TEST(TextEncodingConvert, EditJustBeforeTheTrashMoveIsPutBack)
{
    TempDir dir;
    FakeTrash trash(dir / "trash");
    trash.beforeMove = [](const fs::path &item) { TestSupport::writeBytes(item, "\xC7\xD1 edited\n"); };
    const auto file = dir.file("w/x.txt", "\xC7\xD1\n");
    Engine engine;
    engine.addURLs({file});
    engine.convertAll();
    ASSERT_EQ(engine.failedCount(), 1);
    EXPECT_EQ(engine.items()[0].status.message.toStdString(),
              "파일 처리 중 오류가 발생했습니다. (목록에 올린 뒤 파일이 바뀌어 그대로 두었습니다)");
    EXPECT_EQ(trash.restored, 1);
    EXPECT_EQ(readBytes(file), "\xC7\xD1 edited\n");
    EXPECT_TRUE(TestSupport::noPartialFiles(dir / "w"));
}

// A file deeper than PATH_MAX is read, converted and replaced like any other.
TEST(TextEncodingConvert, FileDeeperThanPathMaxIsConverted)
{
    TempDir dir;
    FakeTrash trash(dir / "trash");
    const fs::path deep = TestSupport::deepFolders(dir / "top", 24);
    const fs::path file = deep / "x.txt";
    TestSupport::writeBytes(file, "\xC7\xD1\n");
    Engine engine;
    engine.addURLs({dir / "top"});
    ASSERT_EQ(engine.pendingCount(), 1);
    engine.convertAll();
    ASSERT_EQ(engine.doneCount(), 1) << engine.items()[0].status.message.toStdString();
    EXPECT_EQ(readBytes(file), "한\n");
}

// A link that deep is looked at relative to its folder: the file it points to is converted once,
// in its place, and the link keeps pointing to it.
TEST(TextEncodingConvert, LinkDeeperThanPathMaxConvertsTheFileItPointsTo)
{
    TempDir dir;
    FakeTrash trash(dir / "trash");
    const fs::path deep = TestSupport::deepFolders(dir / "top", 24);
    TestSupport::writeBytes(deep / "x.txt", "\xC7\xD1\n");
    {
        const LongPath::At at(deep / "link.txt");
        ASSERT_EQ(::symlinkat("x.txt", at.folder(), at.name()), 0);
    }
    Engine engine;
    engine.addURLs({dir / "top"});
    ASSERT_EQ(engine.pendingCount(), 2);
    engine.convertAll();
    for (const auto &item : engine.items())
        EXPECT_EQ(item.status.kind, Kind::done) << item.status.message.toStdString();
    EXPECT_EQ(readBytes(deep / "x.txt"), "한\n");
    const LongPath::At at(deep / "link.txt");
    EXPECT_EQ(linkText(at.folder(), at.name()), "x.txt");
    EXPECT_EQ(trash.moved.size(), 1u);
}
