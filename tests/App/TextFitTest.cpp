// Every page, the settings and the about window at the window's smallest size, in Korean and
// English, with the default and with a larger application font: no label, button or picker gets
// less than its size hint (a wrapping label: less than the height its width needs) or lies partly
// outside what shows it, and no sidebar row is shorter than its text. The pictures are saved for a
// person to look at.
#include "App/AboutDialog.h"
#include "App/ContentView.h"
#include "App/HostWindow.h"
#include "App/InterfaceLanguage.h"
#include "App/SettingsDialog.h"
#include "Core/LanguageSetting.h"
#include "Core/Router.h"
#include "Core/Utility.h"
#include "Features/ZipKorean/ZipKoreanView.h"
#include "Ui/ElidedLabel.h"
#include "Ui/ToolPageWidget.h"
#include "support/PageTestSupport.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTranslator>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Setting {
    LanguageSetting language;
    const char *name;
    double fontScale;
};

// Names the setting in the test's name.
[[maybe_unused]] void PrintTo(const Setting &setting, std::ostream *out)
{
    *out << setting.name;
}

std::string describe(const QWidget *w)
{
    QStringList chain;
    for (const QWidget *p = w; p != nullptr; p = p->parentWidget())
        if (!p->objectName().isEmpty())
            chain.prepend(p->objectName());
    QString text;
    if (const auto *l = qobject_cast<const QLabel *>(w))
        text = l->text();
    else if (const auto *b = qobject_cast<const QAbstractButton *>(w))
        text = b->text();
    else if (const auto *c = qobject_cast<const QComboBox *>(w))
        text = c->currentText();
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(QString::fromLatin1(w->metaObject()->className()), chain.join(u'/'), text.left(60))
        .toStdString();
}

// Whether the widget lies wholly inside each widget that holds it, up to the window or to the
// content of a scroll area (which scrolls to show it).
bool wholeInside(const QWidget *w)
{
    for (const QWidget *p = w; !p->isWindow(); p = p->parentWidget()) {
        const QWidget *parent = p->parentWidget();
        if (const auto *area = qobject_cast<const QAbstractScrollArea *>(parent->parentWidget()))
            if (area->viewport() == parent)
                return true;
        if (!parent->rect().contains(p->geometry()))
            return false;
    }
    return true;
}

// What is cut in the widget's window as it stands: one line per label, button or picker that got
// less room than it needs.
std::vector<std::string> cutControls(QWidget *root)
{
    std::vector<std::string> cut;
    QList<QWidget *> all = root->findChildren<QWidget *>();
    all.prepend(root);
    for (QWidget *w : all) {
        if (!w->isVisibleTo(root->window()) || (w->isWindow() && w != root))
            continue;
        // Names and paths are data: those labels elide them in the middle on purpose.
        if (qobject_cast<ElidedLabel *>(w) != nullptr)
            continue;
        // A scroll area may scroll down, never sideways: what is beside the edge is cut.
        if (auto *area = qobject_cast<QAbstractScrollArea *>(w)) {
            if (area->horizontalScrollBar()->maximum() > 0)
                cut.push_back(describe(w) + " scrolls sideways by " +
                              std::to_string(area->horizontalScrollBar()->maximum()));
            continue;
        }
        QSize need;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->text().isEmpty() && label->pixmap().isNull())
                continue;
            need = label->wordWrap()
                       ? QSize(label->minimumSizeHint().width(), label->heightForWidth(w->width()))
                       : label->sizeHint();
        } else if (qobject_cast<QAbstractButton *>(w) != nullptr) {
            need = w->sizeHint();
        } else if (qobject_cast<QComboBox *>(w) != nullptr) {
            need = QSize(w->sizeHint().width(), w->minimumSizeHint().height());
        } else {
            continue;
        }
        if (w->width() < need.width() || w->height() < need.height())
            cut.push_back(describe(w) + " is " + std::to_string(w->width()) + "x" +
                          std::to_string(w->height()) + ", needs " + std::to_string(need.width()) + "x" +
                          std::to_string(need.height()));
        else if (!wholeInside(w))
            cut.push_back(describe(w) + " lies partly outside what shows it");
    }
    return cut;
}

// The sidebar rows that are shorter than their delegate measures them at the sidebar's width.
std::vector<std::string> cutSidebarRows(QTreeWidget *sidebar)
{
    std::vector<std::string> cut;
    for (QTreeWidgetItemIterator it(sidebar); *it; ++it) {
        const QModelIndex index = sidebar->indexFromItem(*it);
        QStyleOptionViewItem option;
        option.initFrom(sidebar->viewport());
        option.font = sidebar->font();
        option.widget = sidebar;
        option.rect = sidebar->visualRect(index);
        const int needed = sidebar->itemDelegateForIndex(index)->sizeHint(option, index).height();
        if (option.rect.height() < needed)
            cut.push_back("sidebar row \"" + (*it)->text(0).toStdString() + "\" is " +
                          std::to_string(option.rect.height()) + " high, needs " + std::to_string(needed));
    }
    return cut;
}

class TextFit : public ::testing::TestWithParam<Setting> {
protected:
    void SetUp() override
    {
        defaultFont_ = QApplication::font();
        QFont larger = defaultFont_;
        larger.setPointSizeF(defaultFont_.pointSizeF() * GetParam().fontScale);
        QApplication::setFont(larger);
        LanguageSettings::apply(GetParam().language);
        InterfaceLanguage::install();
        const QByteArray given = qgetenv("QUILLFERN_SHOTS");
        shots_ = given.isEmpty() ? QStringLiteral(QF_SHOTS_DIR) : QString::fromUtf8(given);
        QDir().mkpath(shots_);
    }
    void TearDown() override
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        LanguageSettings::apply(LanguageSetting::system);
        QLocale::setDefault(QLocale::system());
        QApplication::setFont(defaultFont_);
        Router::shared().resetForTesting();
    }

    // Lays the window out, checks it and saves its picture under the name.
    void check(QWidget *window, const QString &name)
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QString picture =
            QStringLiteral("%1/%2-%3.png").arg(shots_, QString::fromLatin1(GetParam().name), name);
        window->grab().save(picture);
        for (const std::string &line : cutControls(window))
            ADD_FAILURE() << name.toStdString() << ": " << line << " (" << picture.toStdString() << ")";
    }

    QFont defaultFont_;
    QString shots_;
};

// A folder with one file for every tool: a decomposed Korean name, macOS junk, a name Windows
// cannot store, a photo, a video and a text file.
fs::path filesForEveryTool(TestSupport::TempDir &dir)
{
    fs::path folder = dir / "자료";
    fs::create_directories(folder);
    const QString nfd = QStringLiteral("한글 문서.txt").normalized(QString::NormalizationForm_D);
    TestSupport::writeBytes(folder / nfd.toStdString(), "안녕\r\n");
    TestSupport::writeBytes(folder / ".DS_Store", "x");
    TestSupport::writeBytes(folder / "보고서: 최종?.txt", "x");
    TestSupport::writeBytes(folder / "사진.heic", "not really a photo");
    TestSupport::writeBytes(folder / "영상.mov", "not really a video");
    return folder;
}

} // namespace

TEST_P(TextFit, EveryPageAndWindowGivesEachControlItsRoomAtTheSmallestSize)
{
    TestSupport::TempDir dir;
    const fs::path folder = filesForEveryTool(dir);

    ContentView *content = HostWindow::openMainWindow();
    auto *host = qobject_cast<HostWindow *>(content->window());
    ASSERT_NE(host, nullptr);
    host->resize(1, 1); // held at the window's minimum
    QCoreApplication::processEvents();
    // At the smallest the content is 720 by 480 (give or take the tab pane's frame), and the
    // window never grows to make room.
    const QSize smallest = host->size();
    EXPECT_LE(content->width(), 726);
    EXPECT_LE(content->height(), 486);

    for (Utility tool : Utilities::allCases) {
        const QString id = Utilities::id(tool);
        SCOPED_TRACE(id.toStdString());
        content->setSelection(tool);
        check(host, id);
        QWidget *page = content->detailPage();
        if (auto *toolPage = qobject_cast<ToolPageWidget *>(page)) {
            PageTest::drop(toolPage, {folder});
            check(host, id + QStringLiteral("-results"));
        } else if (auto *zip = qobject_cast<ZipKoreanView *>(page)) {
            PageTest::drop(zip, {folder});
            zip->engine().setCreatePassword(QStringLiteral("pw"));
            check(host, id + QStringLiteral("-create"));
            zip->engine().setCreateFormat(ZipKoreanEngine::CreateFormat::sevenZip);
            check(host, id + QStringLiteral("-create-7z"));
            zip->engine().setCreateFormat(ZipKoreanEngine::CreateFormat::zip);
            zip->engine().setCreatePassword(QString());
            zip->engine().createZip();
            ASSERT_TRUE(zip->engine().createdZip().has_value());
            check(host, id + QStringLiteral("-created"));
            PageTest::drop(zip, {*zip->engine().createdZip()});
            check(host, id + QStringLiteral("-extract"));
        } else if (tool == Utility::sendCheckup) {
            PageTest::drop(page, {folder});
            check(host, id + QStringLiteral("-report"));
            auto *fix = page->findChild<QPushButton *>(QStringLiteral("fix"));
            ASSERT_NE(fix, nullptr);
            fix->click();
            check(host, id + QStringLiteral("-fixed"));
        }
    }
    for (const std::string &line : cutSidebarRows(content->sidebar()))
        ADD_FAILURE() << line;
    EXPECT_EQ(host->size(), smallest);

    SettingsDialog *settings = SettingsDialog::present();
    check(settings, QStringLiteral("settings"));
    AboutDialog *about = AboutDialog::present();
    check(about, QStringLiteral("about"));
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndFonts, TextFit,
                         ::testing::Values(Setting{LanguageSetting::korean, "ko", 1.0},
                                           Setting{LanguageSetting::korean, "ko-large", 1.35},
                                           Setting{LanguageSetting::english, "en", 1.0},
                                           Setting{LanguageSetting::english, "en-large", 1.35}),
                         [](const auto &info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
