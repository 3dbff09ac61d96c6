#include "support/PageTestSupport.h"

#include "App/ContentView.h"
#include "App/HostWindow.h"
#include "App/UtilityView.h"
#include "Features/TextEncoding/TextEncodingView.h"
#include "Ui/EmptyStateWidget.h"
#include "Ui/PageHeaderWidget.h"
#include "support/TestSupport.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QScrollBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace PageTest;

TEST(PageFactory, FileToolsGetTheirOwnPagesWithFreshEngines)
{
    for (Utility tool : {Utility::hangulFilename, Utility::dsStoreCleaner, Utility::filenameSanitizer,
                         Utility::heicConverter, Utility::videoConverter, Utility::textEncoding}) {
        std::unique_ptr<QWidget> page(UtilityView::page(tool, {}));
        EXPECT_EQ(qobject_cast<EmptyStateWidget *>(page.get()), nullptr) << Utilities::id(tool).toStdString();
        auto *toolPage = qobject_cast<ToolPageWidget *>(page.get());
        ASSERT_NE(toolPage, nullptr) << Utilities::id(tool).toStdString();
        EXPECT_EQ(page->objectName(), QStringLiteral("page.") + Utilities::id(tool));
        EXPECT_FALSE(toolPage->showsResults());
    }
}

TEST(PageFactory, ComingBackToTheTextToolShowsAnEmptyPageWithTheDefaultChoices)
{
    TestSupport::TempDir dir;
    const auto file = dir.file("a.txt", "hello\r\n");
    {
        std::unique_ptr<QWidget> first(UtilityView::page(Utility::textEncoding, {}));
        auto *page = qobject_cast<TextEncodingView *>(first.get());
        ASSERT_NE(page, nullptr);
        drop(page, {file});
        ASSERT_EQ(rowCount(page), 1);
        const int cp949 = page->targetPicker()->findData(QStringLiteral("cp949"));
        page->targetPicker()->setCurrentIndex(cp949);
        emit page->targetPicker()->activated(cp949);
        ASSERT_EQ(page->engine().target(), TextEncodingEngine::TargetEncoding::cp949);
    }
    std::unique_ptr<QWidget> again(UtilityView::page(Utility::textEncoding, {}));
    auto *page = qobject_cast<TextEncodingView *>(again.get());
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->showsResults());
    EXPECT_TRUE(page->engine().items().empty());
    EXPECT_EQ(page->engine().target(), TextEncodingEngine::TargetEncoding::utf8);
    EXPECT_EQ(page->engine().lineEnding(), TextEncodingEngine::LineEndingChoice::keep);
    EXPECT_EQ(page->targetPicker()->currentData().toString(), QStringLiteral("utf8"));
    EXPECT_EQ(page->lineEndingPicker()->currentData().toString(), QStringLiteral("keep"));
}

namespace {

// The scroll areas of the page that would need their bar in either direction.
std::pair<int, int> scrollNeeded(QWidget *page)
{
    int vertical = 0;
    int horizontal = 0;
    for (auto *area : page->findChildren<QAbstractScrollArea *>()) {
        if (!area->isVisible())
            continue;
        vertical = std::max(vertical, area->verticalScrollBar()->maximum());
        horizontal = std::max(horizontal, area->horizontalScrollBar()->maximum());
    }
    return {vertical, horizontal};
}

} // namespace

TEST(PageFactory, EveryPageFitsTheDefaultWindowAndScrollsAtTheSmallest)
{
    ContentView *content = HostWindow::openMainWindow();
    auto *host = qobject_cast<HostWindow *>(content->window());
    ASSERT_NE(host, nullptr);
    const QSize standard = host->size();
    EXPECT_EQ(standard, QSize(920, 620));
    for (const bool smallest : {false, true}) {
        if (smallest)
            host->resize(720, 480); // held at the window's minimum
        for (Utility tool : Utilities::allCases) {
            content->setSelection(tool);
            QCoreApplication::processEvents();
            QWidget *page = content->detailPage();
            SCOPED_TRACE(Utilities::id(tool).toStdString() +
                         (smallest ? " at the smallest" : " at the default"));
            // Nothing is cut off at the side, and the window never grows to make room.
            EXPECT_LE(page->minimumSizeHint().width(), page->width());
            EXPECT_EQ(scrollNeeded(page).second, 0);
            if (!smallest) {
                EXPECT_EQ(host->size(), standard);
                EXPECT_EQ(scrollNeeded(page).first, 0);
            }
        }
    }
    host->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(PageFactory, EachPageShowsItsTitlesAndNamesItsTabAndWindow)
{
    const struct {
        Utility tool;
        const char *title;
        const char *subtitle;
    } pages[] = {
        {Utility::sendCheckup, "홈", "파일 문제 해결사"},
        {Utility::hangulFilename, "한글 파일명 변환", "자모 분리 현상 해결"},
        {Utility::dsStoreCleaner, ".DS_Store 청소", "맥이 남긴 숨김 파일 정리"},
        {Utility::zipKorean, "압축 도구", "한글 깨짐 없는 압축·해제"},
        {Utility::filenameSanitizer, "파일명 호환 검사", "Windows에서 저장 안 되는 이름 정리"},
        {Utility::heicConverter, "HEIC 사진 변환", "아이폰 사진을 JPG로"},
        {Utility::videoConverter, "아이폰 영상 변환", "MOV·HEVC를 MP4로"},
        {Utility::textEncoding, "텍스트 인코딩 변환", "한글 깨짐·줄바꿈 문제 해결"},
        {Utility::sleepPreventer, "잠자기 방지", "다운로드·발표할 때 화면 꺼짐 막기"},
        {Utility::tweaks, "맥 설정 스위치", "숨은 설정 켜고 끄기"},
    };
    ContentView *content = HostWindow::openMainWindow();
    auto *host = qobject_cast<HostWindow *>(content->window());
    ASSERT_NE(host, nullptr);
    for (const auto &p : pages) {
        SCOPED_TRACE(Utilities::id(p.tool).toStdString());
        content->setSelection(p.tool);
        QCoreApplication::processEvents();
        auto *header = content->detailPage()->findChild<PageHeaderWidget *>();
        ASSERT_NE(header, nullptr);
        EXPECT_TRUE(header->titleLabel()->isVisible());
        EXPECT_TRUE(header->subtitleLabel()->isVisible());
        EXPECT_EQ(text(header->titleLabel()->text()), p.title);
        EXPECT_EQ(text(header->subtitleLabel()->text()), p.subtitle);
        EXPECT_EQ(text(host->tabs()->tabText(host->tabs()->indexOf(content))), p.title);
        EXPECT_EQ(text(host->windowTitle()), p.title);
    }

    // With no tool the tab and window take the application's name; the current tab names the window.
    content->setSelection(std::nullopt);
    EXPECT_EQ(text(host->windowTitle()), "누리함");
    ContentView *second = HostWindow::openMainWindow();
    ASSERT_EQ(second->window(), host);
    second->setSelection(Utility::tweaks);
    EXPECT_EQ(text(host->windowTitle()), "맥 설정 스위치");
    host->tabs()->setCurrentWidget(content);
    EXPECT_EQ(text(host->windowTitle()), "누리함");
    host->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
