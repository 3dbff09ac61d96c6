#include "support/PageTestSupport.h"

#include "App/UtilityView.h"
#include "Features/TextEncoding/TextEncodingView.h"
#include "support/TestSupport.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <memory>

using namespace PageTest;

TEST(PageFactory, FileToolsGetTheirOwnPagesWithFreshEngines)
{
    for (Utility tool : {Utility::hangulFilename, Utility::dsStoreCleaner, Utility::filenameSanitizer,
                         Utility::heicConverter, Utility::videoConverter, Utility::textEncoding}) {
        std::unique_ptr<QWidget> page(UtilityView::page(tool, {}));
        EXPECT_EQ(qobject_cast<PlaceholderView *>(page.get()), nullptr) << Utilities::id(tool).toStdString();
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
