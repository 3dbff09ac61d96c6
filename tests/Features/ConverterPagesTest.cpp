#include "support/PageTestSupport.h"

#include "Core/ByteCount.h"
#include "Features/HeicConvert/HeicConvertView.h"
#include "Features/TextEncoding/TextEncodingView.h"
#include "Features/VideoConvert/VideoConvertView.h"
#include "support/FakeTrash.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace PageTest;
using TestSupport::TempDir;

namespace {

using TestSupport::q;

fs::path makeHeic(const TempDir &dir, const std::string &name)
{
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const fs::path heic = dir / name;
    fs::create_directories(heic.parent_path());
    const auto r = TestSupport::makeHeic(heic, image, {"-q", "80"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return heic;
}

fs::path makeClip(const fs::path &path, const QStringList &codec)
{
    QStringList args{"-v",        "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=64x48:rate=10",
                     "-frames:v", "4"};
    args += codec;
    args << q(path);
    const auto r = TestSupport::run("ffmpeg", args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return path;
}

// Waits (without a time limit of its own: the test runner's applies) for a signal.
void waitFor(QObject *object, const char *signal)
{
    QSignalSpy spy(object, signal);
    while (spy.isEmpty())
        spy.wait(1000);
}

} // namespace

TEST(HeicConverterPage, ConvertsPhotosAndShowsEachOutcome)
{
    TempDir dir;
    const fs::path root = dir.folder("photos");
    makeHeic(dir, "photos/IMG_0001.HEIC");
    makeHeic(dir, "photos/IMG_0002.heic");
    dir.file("photos/broken.heic", "not a photo");
    dir.file("photos/note.txt");
    HeicConvertView page(std::make_unique<HeicConvertEngine>());
    EXPECT_EQ(text(page.windowTitle()), "HEIC 사진 변환");

    drop(&page, {root});
    ASSERT_EQ(rowCount(&page), 3);
    const auto size = page.engine().pendingSize();
    EXPECT_EQ(summary(&page), "HEIC 3장 (" + text(ByteCount::fileStyle(size)) + ")");
    EXPECT_EQ(action(&page), "3장 JPG로 변환");
    EXPECT_TRUE(actionEnabled(&page));
    EXPECT_EQ(text(row(&page, 0).badge.text), "변환 대기");
    EXPECT_EQ(text(row(&page, 2).size), "11바이트");
    shoot(&page, QStringLiteral("heic-converter"));

    page.bottomBar()->actionButton()->click();
    EXPECT_EQ(summary(&page), "완료 2장 · 실패 1장");
    EXPECT_EQ(action(&page), "0장 JPG로 변환");
    EXPECT_FALSE(actionEnabled(&page));
    const ResultRow failed = row(&page, 2); // upper case sorts first
    EXPECT_EQ(text(failed.name), "broken.heic");
    EXPECT_EQ(text(failed.badge.text), "실패");
    EXPECT_TRUE(failed.tooltip.startsWith(QStringLiteral("파일 처리 중 오류가 발생했습니다. (")));
    // What the list shows on hovering the row.
    const QModelIndex index = page.results()->model()->index(2);
    EXPECT_EQ(page.results()->model()->data(index, Qt::ToolTipRole).toString(), failed.tooltip);
    EXPECT_FALSE(page.results()->model()->data(page.results()->model()->index(0), Qt::ToolTipRole).isValid());
    const ResultRow done = row(&page, 0);
    EXPECT_EQ(text(done.badge.text), "IMG_0001.jpg");
    EXPECT_EQ(done.badge.style, RowBadge::Style::label);
    shoot(&page, QStringLiteral("heic-converter-done"));

    // More files rescan everything: converted photos are pending again.
    drop(&page, {dir.file("more.txt")});
    EXPECT_EQ(summary(&page).substr(0, 11), "HEIC 3장 (");
}

TEST(HeicConverterPage, NoPhotosShowsThePanelWithAnEmptySummary)
{
    TempDir dir;
    const fs::path root = dir.folder("docs");
    dir.file("docs/a.txt");
    HeicConvertView page(std::make_unique<HeicConvertEngine>());
    drop(&page, {root});
    EXPECT_TRUE(page.showsResults());
    EXPECT_TRUE(page.results()->showsEmptyState());
    EXPECT_EQ(text(page.results()->emptyState()->title()), "HEIC 사진이 없습니다");
    EXPECT_EQ(summary(&page), "");
    EXPECT_EQ(action(&page), "0장 JPG로 변환");
    EXPECT_FALSE(actionEnabled(&page));
}

// Folders the scan could not open are reported on every converter page, also where the page
// would otherwise say nothing about them.
TEST(ConverterPages, UnreadableFoldersShowThePermissionLine)
{
    TempDir dir;
    const fs::path tree = dir.folder("tree");
    dir.folder("tree/a");
    dir.folder("tree/b");
    ASSERT_EQ(::chmod((tree / "a").c_str(), 0300), 0);
    ASSERT_EQ(::chmod((tree / "b").c_str(), 0300), 0);
    const fs::path plain = dir.file("plain.txt");
    const std::function<ToolPageWidget *()> pages[] = {
        [] { return new HeicConvertView(std::make_unique<HeicConvertEngine>()); },
        [] { return new TextEncodingView(std::make_unique<TextEncodingEngine>()); },
        [] { return new VideoConvertView(std::make_unique<VideoConvertEngine>()); },
    };
    for (const auto &make : pages) {
        const std::string line = TestSupport::runAsNobodyCapture([&] {
            std::unique_ptr<ToolPageWidget> page(make());
            drop(page.get(), {tree});
            std::string seen = permission(page.get()) + "|";
            page->bottomBar()->clearButton()->click();
            drop(page.get(), {plain});
            return seen + permission(page.get());
        });
        EXPECT_EQ(line, "폴더 2개는 권한이 없어 살펴보지 못했습니다|");
    }
}

TEST(TextEncodingPage, PickersReevaluateAndConvertingMarksRows)
{
    TempDir dir;
    const fs::path root = dir.folder("texts");
    dir.file("texts/cp949.txt", "\xC7\xD1\xB1\xDB\r\n");    // 한글 in CP949
    dir.file("texts/lf.txt", "\xED\x95\x9C\xEA\xB8\x80\n"); // UTF-8, LF
    dir.file("texts/crlf.srt", "1\r\n00:00 hello\r\n");     // UTF-8 (ASCII), CRLF
    dir.file("texts/image.png", "x");                       // not a text extension
    FakeTrash trash(dir / "trash");
    TextEncodingView page(std::make_unique<TextEncodingEngine>());
    EXPECT_EQ(text(page.windowTitle()), "텍스트 인코딩 변환");
    EXPECT_EQ(page.targetPicker()->currentData().toString(), QStringLiteral("utf8"));
    EXPECT_EQ(page.lineEndingPicker()->currentData().toString(), QStringLiteral("keep"));

    drop(&page, {root});
    ASSERT_EQ(rowCount(&page), 3);
    EXPECT_EQ(summary(&page), "변환 대상 1개 · 이미 정상 2개");
    EXPECT_EQ(action(&page), "1개 변환");
    ResultRow cp949;
    for (int i = 0; i < rowCount(&page); ++i)
        if (row(&page, i).name == QStringLiteral("cp949.txt"))
            cp949 = row(&page, i);
    ASSERT_TRUE(cp949.capsule.has_value());
    EXPECT_EQ(text(cp949.capsule->text), "CP949/EUC-KR · CRLF");
    EXPECT_EQ(cp949.capsule->tone, Tone::orange);
    EXPECT_EQ(text(cp949.badge.text), "변환 대상");
    EXPECT_EQ(text(cp949.note), "한글");
    shoot(&page, QStringLiteral("text-encoding"));

    // Line ending LF: the CRLF files become pending too.
    const int lf = page.lineEndingPicker()->findData(QStringLiteral("lf"));
    page.lineEndingPicker()->setCurrentIndex(lf);
    emit page.lineEndingPicker()->activated(lf);
    EXPECT_EQ(summary(&page), "변환 대상 2개 · 이미 정상 1개");

    // One conversion is refused by the Trash, then the rest goes through.
    trash.refuse = true;
    page.bottomBar()->actionButton()->click();
    EXPECT_EQ(summary(&page), "실패 2개 · 이미 정상 1개");
    ResultRow failed = row(&page, 0);
    EXPECT_EQ(text(failed.badge.text), "실패");
    EXPECT_FALSE(failed.tooltip.isEmpty());
    trash.refuse = false;
    page.bottomBar()->clearButton()->click();
    EXPECT_FALSE(page.showsResults());
    drop(&page, {root});
    page.bottomBar()->actionButton()->click();
    EXPECT_EQ(summary(&page), "완료 2개 · 이미 정상 1개");
    EXPECT_EQ(action(&page), "0개 변환");
    EXPECT_FALSE(actionEnabled(&page));

    // A picker change while rows are listed leaves the done badges alone.
    const int keep = page.lineEndingPicker()->findData(QStringLiteral("keep"));
    page.lineEndingPicker()->setCurrentIndex(keep);
    emit page.lineEndingPicker()->activated(keep);
    EXPECT_EQ(summary(&page), "완료 2개 · 이미 정상 1개");
}

TEST(TextEncodingPage, NoTextFilesShowsThePlaceholder)
{
    TempDir dir;
    const fs::path root = dir.folder("none");
    dir.file("none/a.bin", "x");
    TextEncodingView page(std::make_unique<TextEncodingEngine>());
    OpenPanelRequest asked;
    page.setOpenPanel(std::make_unique<FakeOpenPanel>(std::vector<fs::path>{root}, &asked));
    page.dropZone()->pickButton()->click();
    EXPECT_EQ(text(asked.message), "인코딩을 검사할 텍스트 파일이나 폴더를 선택하세요");
    EXPECT_TRUE(page.results()->showsEmptyState());
    EXPECT_EQ(text(page.results()->emptyState()->title()), "텍스트 파일이 없습니다");
    EXPECT_EQ(summary(&page), "");
    EXPECT_FALSE(actionEnabled(&page));
}

TEST(VideoConverterPage, AnalysesThenConvertsOffTheMainThreadShowingTheBusyState)
{
    TempDir dir;
    const fs::path root = dir.folder("clips");
    makeClip(root / "old.mov", {"-c:v", "mpeg4"});
    makeClip(root / "ready.mp4", {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"});
    dir.file("clips/fake.mov", "not a video");
    dir.file("clips/.hidden.mov", "ignored");
    VideoConvertView page(std::make_unique<VideoConvertEngine>());
    EXPECT_EQ(text(page.windowTitle()), "아이폰 영상 변환");

    drop(&page, {root});
    ASSERT_EQ(rowCount(&page), 3);
    if (page.engine().isAnalyzing()) {
        EXPECT_EQ(row(&page, 0).badge.style, RowBadge::Style::spinner);
        waitFor(&page.engine(), SIGNAL(analysisFinished()));
    }
    QApplication::processEvents();
    EXPECT_EQ(summary(&page), "변환 대상 1개 · 실패 1개 · 이미 호환 1개");
    EXPECT_EQ(action(&page), "1개 MP4로 변환");
    EXPECT_TRUE(actionEnabled(&page));
    const ResultRow failed = row(&page, 0);
    EXPECT_EQ(text(failed.name), "fake.mov");
    EXPECT_EQ(text(failed.badge.text), "실패");
    EXPECT_FALSE(failed.tooltip.isEmpty());
    const ResultRow pending = row(&page, 1);
    EXPECT_EQ(pending.badge.style, RowBadge::Style::capsule);
    EXPECT_EQ(pending.badge.tone, Tone::orange);
    EXPECT_EQ(row(&page, 2).badge.style, RowBadge::Style::text);
    shoot(&page, QStringLiteral("video-converter"));

    page.bottomBar()->actionButton()->click();
    EXPECT_TRUE(page.engine().isWorking());
    EXPECT_EQ(action(&page), "변환 중…");
    EXPECT_FALSE(actionEnabled(&page));
    EXPECT_TRUE(page.bottomBar()->isBusy());
    EXPECT_FALSE(page.bottomBar()->clearButton()->isEnabled());
    EXPECT_EQ(text(row(&page, 1).badge.text), "변환 중…");
    shoot(&page, QStringLiteral("video-converter-working"));

    waitFor(&page.engine(), SIGNAL(conversionFinished()));
    QApplication::processEvents();
    EXPECT_FALSE(page.bottomBar()->isBusy());
    EXPECT_TRUE(page.bottomBar()->clearButton()->isEnabled());
    EXPECT_EQ(summary(&page), "완료 1개 · 실패 1개 · 이미 호환 1개");
    EXPECT_EQ(text(row(&page, 1).badge.text), "old.mp4");
    EXPECT_EQ(action(&page), "0개 MP4로 변환");
    EXPECT_FALSE(actionEnabled(&page));
    EXPECT_TRUE(fs::exists(root / "old.mp4"));
}

TEST(VideoConverterPage, NoVideosShowsThePanelWithAnEmptySummary)
{
    TempDir dir;
    const fs::path root = dir.folder("none");
    dir.file("none/a.txt");
    VideoConvertView page(std::make_unique<VideoConvertEngine>());
    drop(&page, {root});
    EXPECT_TRUE(page.results()->showsEmptyState());
    EXPECT_EQ(text(page.results()->emptyState()->title()), "영상 파일이 없습니다");
    EXPECT_EQ(summary(&page), "");
    EXPECT_FALSE(actionEnabled(&page));
    page.bottomBar()->clearButton()->click();
    EXPECT_FALSE(page.showsResults());
}

TEST(VideoConverterPage, AConversionRunsToItsEndAfterThePageIsGone)
{
    TempDir dir;
    const fs::path root = dir.folder("clips");
    makeClip(root / "first.mov", {"-c:v", "mpeg4"});
    makeClip(root / "second.mov", {"-c:v", "mpeg4"});
    auto page = std::make_unique<VideoConvertView>(std::make_unique<VideoConvertEngine>());
    drop(page.get(), {root});
    if (page->engine().isAnalyzing())
        waitFor(&page->engine(), SIGNAL(analysisFinished()));
    QApplication::processEvents();
    ASSERT_EQ(page->engine().pendingCount(), 2);

    page->bottomBar()->actionButton()->click();
    ASSERT_TRUE(page->engine().isWorking());
    QPointer<VideoConvertEngine> engine = &page->engine();
    page.reset(); // another tool was chosen, or the tab closed

    // The engine outlives its page until the run has written both copies, then goes.
    ASSERT_FALSE(engine.isNull());
    EXPECT_TRUE(QTest::qWaitFor([&] { return engine.isNull(); }, 60000));
    EXPECT_TRUE(fs::exists(root / "first.mp4"));
    EXPECT_TRUE(fs::exists(root / "second.mp4"));
    EXPECT_TRUE(TestSupport::noPartialFiles(dir.path()));
}
