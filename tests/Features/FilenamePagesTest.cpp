#include "support/PageTestSupport.h"

#include "Core/Text.h"
#include "Features/DSStoreCleaner/DSStoreCleanerView.h"
#include "Features/FilenameSanitizer/FilenameSanitizerView.h"
#include "Features/HangulFilename/HangulFilenameView.h"
#include "support/FakeTrash.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace PageTest;
using TestSupport::TempDir;

namespace {

const std::string nfc = "한글 문서";
const std::string nfd = Text::toNfd(nfc);

// The permission line of a page after dropping `root`, seen by an unprivileged user.
template <typename Page, typename Engine> std::string permissionSeenByNobody(const fs::path &root)
{
    return TestSupport::runAsNobodyCapture([&] {
        Page page(std::make_unique<Engine>());
        drop(&page, {root});
        return permission(&page);
    });
}

// Two folders that can be entered but not listed.
void makeTwoUnreadable(const TempDir &dir)
{
    dir.file("tree/closed/" + nfd + ".txt");
    dir.folder("tree/closed2");
    ASSERT_EQ(::chmod((dir / "tree/closed").c_str(), 0300), 0);
    ASSERT_EQ(::chmod((dir / "tree/closed2").c_str(), 0300), 0);
}

} // namespace

TEST(HangulFilenamePage, DropListsNamesWithTheirWindowsLookAndConverts)
{
    TempDir dir;
    const fs::path root = dir.folder("drop");
    dir.file("drop/" + nfd + ".hwp");
    dir.folder("drop/" + nfd + " 폴더");
    dir.file("drop/plain.txt");
    HangulFilenameView page(std::make_unique<HangulRenameEngine>());
    EXPECT_FALSE(page.showsResults());
    EXPECT_EQ(text(page.windowTitle()), "한글 파일명 변환");

    EXPECT_TRUE(drop(&page, {root}));
    ASSERT_TRUE(page.showsResults());
    ASSERT_EQ(rowCount(&page), 2);
    // The root folder and plain.txt are already normal.
    EXPECT_EQ(summary(&page), "변환 대상 2개 · 이미 정상 2개");
    EXPECT_EQ(action(&page), "2개 변환");
    EXPECT_TRUE(actionEnabled(&page));
    EXPECT_EQ(permission(&page), "");

    const ResultRow file = row(&page, 1); // "한글 문서 폴더" sorts first
    EXPECT_EQ(text(file.name), nfd + ".hwp");
    EXPECT_EQ(text(file.newName), nfc + ".hwp");
    EXPECT_EQ(text(file.note), "지금 Windows에서는: ㅎㅏㄴㄱㅡㄹ ㅁㅜㄴㅅㅓ.hwp");
    EXPECT_EQ(file.noteTone, Tone::orange);
    EXPECT_EQ(text(file.badge.text), "변환 대기");
    EXPECT_EQ(file.badge.style, RowBadge::Style::capsule);
    EXPECT_EQ(text(file.folder), root.native());
    EXPECT_EQ(row(&page, 0).symbol, QStringLiteral("folder.fill"));
    EXPECT_EQ(row(&page, 0).symbolTone, Tone::cyan);
    shoot(&page, QStringLiteral("hangul-filename"));

    page.bottomBar()->actionButton()->click();
    EXPECT_EQ(summary(&page), "완료 2개 · 이미 정상 2개");
    EXPECT_EQ(action(&page), "0개 변환");
    EXPECT_FALSE(actionEnabled(&page));
    const ResultRow converted = row(&page, 1);
    EXPECT_EQ(text(converted.badge.text), "완료");
    EXPECT_EQ(converted.noteTone, Tone::secondary); // the preview stays, of the new name
    EXPECT_EQ(text(converted.note), "지금 Windows에서는: ㅎㅏㄴㄱㅡㄹ ㅁㅜㄴㅅㅓ.hwp");
    EXPECT_TRUE(fs::exists(root / (nfc + ".hwp")));

    // The other direction: the preview line goes away.
    page.formPicker()->setCurrentIndex(1);
    emit page.formPicker()->activated(1);
    EXPECT_EQ(page.engine().form(), HangulRenameEngine::Form::nfd);
    ASSERT_EQ(rowCount(&page), 2);
    EXPECT_TRUE(row(&page, 1).note.isEmpty());
    EXPECT_EQ(action(&page), "2개 변환");

    page.bottomBar()->clearButton()->click();
    EXPECT_FALSE(page.showsResults());
}

TEST(HangulFilenamePage, OnlyNormalNamesShowTheAllGoodPanel)
{
    TempDir dir;
    const fs::path root = dir.folder("fine");
    dir.file("fine/" + nfc + ".txt");
    HangulFilenameView page(std::make_unique<HangulRenameEngine>());
    drop(&page, {root});
    EXPECT_TRUE(page.showsResults());
    EXPECT_TRUE(page.results()->showsEmptyState());
    EXPECT_EQ(text(page.results()->emptyState()->title()), "모든 파일명이 이미 정상입니다");
    EXPECT_EQ(text(page.results()->emptyState()->description()),
              "검사한 2개 항목 모두 변환이 필요 없습니다.\n다른 파일을 끌어다 놓으면 이어서 검사합니다.");
    EXPECT_EQ(summary(&page), "이미 정상 2개");
    EXPECT_FALSE(actionEnabled(&page));
}

TEST(HangulFilenamePage, FailedRenameShowsTheSystemTextAndThePermissionLineComesAndGoes)
{
    TempDir dir;
    makeTwoUnreadable(dir);
    const fs::path locked = dir.folder("locked");
    dir.file("locked/" + nfd);
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    const std::string seen = TestSupport::runAsNobodyCapture([&] {
        HangulFilenameView page(std::make_unique<HangulRenameEngine>());
        drop(&page, {dir / "tree"});
        std::string out = permission(&page) + "|";
        page.bottomBar()->clearButton()->click();
        drop(&page, {locked});
        out += permission(&page) + "|";
        page.bottomBar()->actionButton()->click();
        const ResultRow failed = row(&page, 0);
        return out + text(failed.badge.text) + "|" + text(failed.tooltip) + "|" + summary(&page);
    });
    EXPECT_EQ(seen,
              "폴더 2개는 권한이 없어 살펴보지 못했습니다||실패|Permission denied|실패 1개 · 이미 정상 1개");
}

TEST(FilenameSanitizerPage, SafeNamesShowTheAllSafePanelWithTheExaminedCount)
{
    TempDir dir;
    const fs::path root = dir.folder("safe");
    dir.file("safe/a.txt");
    dir.file("safe/b.txt");
    FilenameSanitizerView page(std::make_unique<FilenameSanitizerEngine>());
    drop(&page, {root});
    ASSERT_TRUE(page.showsResults());
    EXPECT_TRUE(page.results()->showsEmptyState());
    EXPECT_EQ(text(page.results()->emptyState()->title()), "모든 파일명이 Windows에서 안전합니다");
    EXPECT_EQ(text(page.results()->emptyState()->description()),
              "3개 항목 모두 문제가 없습니다.\n다른 파일을 끌어다 놓으면 이어서 검사합니다.");
    EXPECT_EQ(summary(&page), "검사 3개");
    EXPECT_EQ(action(&page), "0개 이름 바꾸기");
    EXPECT_FALSE(actionEnabled(&page));
}

TEST(FilenameSanitizerPage, ProblemNamesListTheirIssuesAndAPartlyFailedRenameSaysSo)
{
    TempDir dir;
    const fs::path root = dir.folder("send");
    dir.file("send/what?.txt");
    dir.file("send/CON.txt");
    dir.folder("send/stuck");
    dir.file("send/stuck/a|b.txt");
    ASSERT_EQ(::chmod((dir / "send/stuck").c_str(), 0555), 0);

    {
        FilenameSanitizerView page(std::make_unique<FilenameSanitizerEngine>());
        drop(&page, {root});
        ASSERT_EQ(rowCount(&page), 3);
        EXPECT_EQ(summary(&page), "문제 3개 · 검사 5개");
        EXPECT_EQ(action(&page), "3개 이름 바꾸기");
        const ResultRow first = row(&page, 0);
        EXPECT_EQ(text(first.name), "CON.txt");
        EXPECT_EQ(text(first.badge.text), "변경 대기");
        EXPECT_EQ(first.noteTone, Tone::orange);
        EXPECT_FALSE(first.note.isEmpty());
        shoot(&page, QStringLiteral("filename-sanitizer"));
    }

    // Nobody may rename in the dropped folder but not inside "stuck".
    ASSERT_EQ(::chmod(root.c_str(), 0777), 0);
    const std::string seen = TestSupport::runAsNobodyCapture([&] {
        FilenameSanitizerView page(std::make_unique<FilenameSanitizerEngine>());
        drop(&page, {root});
        page.bottomBar()->actionButton()->click();
        const ResultRow stuck = row(&page, 1);
        return summary(&page) + "|" + text(stuck.badge.text) + "|" + text(stuck.tooltip) + "|" +
               text(row(&page, 0).badge.text) + "|" + (actionEnabled(&page) ? "on" : "off");
    });
    EXPECT_EQ(seen, "완료 2개 · 실패 1개 · 검사 5개|실패|Permission denied|완료|off");
    ::chmod((dir / "send/stuck").c_str(), 0755);
}

TEST(FilenameSanitizerPage, UnreadableFolderShowsThePermissionLine)
{
    TempDir dir;
    makeTwoUnreadable(dir);
    EXPECT_EQ((permissionSeenByNobody<FilenameSanitizerView, FilenameSanitizerEngine>(dir / "tree")),
              "폴더 2개는 권한이 없어 살펴보지 못했습니다");
}

TEST(JunkCleanerPage, KindsMenuFiltersTheListAndTrashingMarksRows)
{
    TempDir dir;
    const fs::path root = dir.folder("usb");
    dir.file("usb/.DS_Store", std::string(1500, 'x'));
    dir.file("usb/._photo.jpg", std::string(2000, 'y'));
    dir.file("usb/__MACOSX/._a", std::string(500, 'z'));
    dir.file("usb/keep.txt");
    FakeTrash trash(dir / "trash");
    DSStoreCleanerView page(std::make_unique<DSStoreCleanerEngine>());
    EXPECT_EQ(text(page.windowTitle()), ".DS_Store 청소");
    for (auto kind : DSStoreCleanerEngine::allKinds)
        EXPECT_TRUE(page.kindToggle(kind)->isChecked());

    drop(&page, {root});
    ASSERT_EQ(rowCount(&page), 3);
    EXPECT_EQ(summary(&page), "청소 대상 3개 (4KB) · 검사 5개");
    EXPECT_EQ(action(&page), "3개 휴지통으로");
    const ResultRow macosx = row(&page, 2);
    EXPECT_EQ(text(macosx.name), "__MACOSX");
    EXPECT_EQ(macosx.symbol, QStringLiteral("folder.fill"));
    EXPECT_EQ(macosx.symbolTone, Tone::cyan);
    EXPECT_EQ(text(macosx.size), "500바이트");
    EXPECT_EQ(text(macosx.badge.text), "삭제 대기");
    shoot(&page, QStringLiteral("junk-cleaner"));

    page.kindToggle(DSStoreCleanerEngine::Kind::appleDouble)->trigger();
    EXPECT_FALSE(page.engine().includeAppleDouble());
    EXPECT_EQ(rowCount(&page), 2);
    EXPECT_EQ(action(&page), "2개 휴지통으로");
    page.kindToggle(DSStoreCleanerEngine::Kind::appleDouble)->trigger();
    EXPECT_EQ(rowCount(&page), 3);

    trash.refuse = true;
    page.kindToggle(DSStoreCleanerEngine::Kind::dsStore)->trigger(); // only the AppleDouble file and __MACOSX
    page.bottomBar()->actionButton()->click();
    EXPECT_EQ(summary(&page), "실패 2개 · 검사 5개");
    EXPECT_EQ(text(row(&page, 0).tooltip), "refused");
    trash.refuse = false;
    page.kindToggle(DSStoreCleanerEngine::Kind::dsStore)->trigger(); // a rescan lists them again
    page.bottomBar()->actionButton()->click();
    EXPECT_EQ(summary(&page), "완료 3개 · 검사 5개");
    EXPECT_EQ(text(row(&page, 0).badge.text), "휴지통으로 이동");
    EXPECT_FALSE(actionEnabled(&page));
}

TEST(JunkCleanerPage, NoJunkAndSingleFilesAndTheFolderOnlyPanel)
{
    TempDir dir;
    const fs::path clean = dir.folder("clean");
    dir.file("clean/a.txt");
    const fs::path single = dir.file("note.txt");
    const fs::path store = dir.file(".DS_Store", "abc");

    DSStoreCleanerView page(std::make_unique<DSStoreCleanerEngine>());
    OpenPanelRequest asked;
    page.setOpenPanel(std::make_unique<FakeOpenPanel>(std::vector<fs::path>{clean}, &asked));
    page.dropZone()->pickButton()->click();
    EXPECT_FALSE(asked.allowsFiles);
    EXPECT_TRUE(asked.allowsFolders);
    EXPECT_EQ(text(asked.message), "청소할 폴더를 선택하세요");
    EXPECT_TRUE(page.results()->showsEmptyState());
    EXPECT_EQ(text(page.results()->emptyState()->title()), "이미 깨끗합니다");
    EXPECT_EQ(text(page.results()->emptyState()->description()),
              "2개 항목을 검사했지만 청소할 파일이 없습니다.\n다른 폴더를 끌어다 놓으면 이어서 검사합니다.");
    EXPECT_EQ(summary(&page), "검사 2개");
    EXPECT_EQ(action(&page), "0개 휴지통으로");
    EXPECT_FALSE(actionEnabled(&page));

    DSStoreCleanerView files(std::make_unique<DSStoreCleanerEngine>());
    drop(&files, {single});
    EXPECT_EQ(summary(&files), "검사 1개");
    drop(&files, {store});
    ASSERT_EQ(rowCount(&files), 1);
    EXPECT_EQ(summary(&files), "청소 대상 1개 (3바이트) · 검사 2개");
}

TEST(JunkCleanerPage, UnreadableFoldersShowThePermissionLine)
{
    TempDir dir;
    makeTwoUnreadable(dir);
    EXPECT_EQ((permissionSeenByNobody<DSStoreCleanerView, DSStoreCleanerEngine>(dir / "tree")),
              "폴더 2개는 권한이 없어 살펴보지 못했습니다");
}
