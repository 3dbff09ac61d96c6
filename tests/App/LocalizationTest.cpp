#include "Core/Localization.h"
#include "App/ContentView.h"
#include "App/HostWindow.h"
#include "App/InterfaceLanguage.h"
#include "App/SettingsDialog.h"
#include "Core/ByteCount.h"
#include "Core/LanguageSetting.h"
#include "Core/Router.h"
#include "Core/Utility.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The stored choice, installed as at start; undone afterwards, leaving the keys untranslated.
class StoredLanguage {
public:
    explicit StoredLanguage(LanguageSetting language)
    {
        LanguageSettings::apply(language);
        InterfaceLanguage::install();
    }
    ~StoredLanguage()
    {
        for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        LanguageSettings::apply(LanguageSetting::system);
        QLocale::setDefault(QLocale::system());
    }
    StoredLanguage(const StoredLanguage &) = delete;
    StoredLanguage &operator=(const StoredLanguage &) = delete;
};

// Every text a person reads in a window: labels, buttons, menus, tree rows, the title.
QStringList visibleTexts(QWidget *root)
{
    QStringList texts{root->windowTitle()};
    for (auto *label : root->findChildren<QLabel *>())
        if (label->isVisibleTo(root))
            texts << label->text();
    for (auto *button : root->findChildren<QAbstractButton *>())
        if (button->isVisibleTo(root))
            texts << button->text();
    for (auto *bar : root->findChildren<QMenuBar *>())
        for (QAction *menu : bar->actions())
            texts << menu->text();
    for (auto *tree : root->findChildren<QTreeWidget *>())
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            texts << (*it)->text(0);
    texts.removeAll(QString());
    return texts;
}

QStringList withHangul(const QStringList &texts)
{
    static const QRegularExpression hangul(
        QStringLiteral("[\\x{1100}-\\x{11FF}\\x{3130}-\\x{318F}\\x{AC00}-\\x{D7A3}]"));
    return texts.filter(hangul);
}

// Opens the settings window's offer to add the right-click menu and reads the question box that
// follows, then dismisses it.
struct QuestionBox {
    QString title, text;
    QStringList buttons;
};
QuestionBox readRightClickQuestion()
{
    SettingsDialog *settings = SettingsDialog::present();
    auto *offer = settings->findChild<QPushButton *>(QStringLiteral("fileManagerButton"));
    QuestionBox seen;
    if (offer == nullptr || offer->isHidden())
        return seen;
    QTimer::singleShot(0, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        for (QAbstractButton *b : box->buttons())
            seen.buttons << b->text();
        box->reject();
    });
    offer->click();
    settings->close();
    return seen;
}

class LocalizationTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HostWindow *host : HostWindow::hosts())
            host->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Router::shared().resetForTesting();
    }
};

} // namespace

// The key list comes from the sources through lupdate, so a text added anywhere fails here until
// both translations have it.
TEST(Localization, EveryKeyOfTheCodeIsFinishedInBothTranslations)
{
    const auto result = TestSupport::run(QStringLiteral("python3"),
                                         {QStringLiteral(QF_SOURCE_DIR "/scripts/update-translations"),
                                          QStringLiteral("--check"), QStringLiteral("--lupdate"),
                                          QStringLiteral(QF_LUPDATE)});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_NE(result.out.find("quillfern_ko.ts"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("quillfern_en.ts"), std::string::npos) << result.out;
}

// The check on a small tree of its own: a key only in the code, a key left unfinished, a
// translation that drops a placeholder, and a Korean rewording of a key naming nothing of macOS.
TEST(Localization, CheckReportsMissingUnfinishedAndWrongTranslations)
{
    TestSupport::TempDir dir;
    dir.file("scripts/update-translations",
             TestSupport::readBytes(QF_SOURCE_DIR "/scripts/update-translations"));
    dir.file("src/Probe.cpp", "#include \"Core/Localization.h\"\n"
                              "namespace {\n"
                              "QString a() { return L(\"새 키\"); }\n"
                              "QString b(int n) { return L(\"파일 %lld개\", n); }\n"
                              "}\n"
                              "static const char *rows[] = {QT_TRANSLATE_NOOP(\"Quillfern\", \"표의 키\")};\n"
                              "QString c() { return L(\"Finder에서 보기\"); }\n");
    const auto ts = [](const char *language, const std::string &messages) {
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" language=\"" +
               std::string(language) + "\" sourcelanguage=\"ko\">\n<context>\n<name>Quillfern</name>\n" +
               messages + "</context>\n</TS>\n";
    };
    const auto message = [](const std::string &source, const std::string &translation, bool finished = true) {
        return "<message><source>" + source + "</source><translation" +
               (finished ? "" : " type=\"unfinished\"") + ">" + translation + "</translation></message>\n";
    };
    dir.file("translations/quillfern_en.ts",
             ts("en", message("파일 %lld개", "files") + message("표의 키", "Table key", false) +
                          message("Finder에서 보기", "Show in File Manager")));
    dir.file("translations/quillfern_ko.ts",
             ts("ko", message("새 키", "다른 말") + message("파일 %lld개", "파일 %lld개") +
                          message("Finder에서 보기", "파일 관리자에서 보기")));

    const auto check =
        TestSupport::run(QStringLiteral("python3"),
                         {TestSupport::q(dir / "scripts/update-translations"), QStringLiteral("--check"),
                          QStringLiteral("--lupdate"), QStringLiteral(QF_LUPDATE)});
    EXPECT_EQ(check.exitCode, 1) << check.out << check.err;
    for (const char *line : {"missing: 새 키", "placeholders differ: 파일 %lld개", "unfinished: 표의 키",
                             "reworded without a macOS name: 새 키", "missing: 표의 키"})
        EXPECT_NE(check.out.find(line), std::string::npos) << line << "\n" << check.out;
    EXPECT_EQ(check.out.find("Finder"), std::string::npos) << check.out;

    // A refresh makes the Korean file complete and leaves the English gaps for a translator.
    const auto refresh = TestSupport::run(QStringLiteral("python3"),
                                          {TestSupport::q(dir / "scripts/update-translations"),
                                           QStringLiteral("--lupdate"), QStringLiteral(QF_LUPDATE)});
    EXPECT_EQ(refresh.exitCode, 0) << refresh.out << refresh.err;
    const std::string korean = TestSupport::readBytes(dir / "translations/quillfern_ko.ts");
    EXPECT_NE(korean.find("<translation>파일 관리자에서 보기</translation>"), std::string::npos) << korean;
    EXPECT_NE(korean.find("<source>표의 키</source>\n        <translation>표의 키</translation>"),
              std::string::npos)
        << korean;
    const std::string english = TestSupport::readBytes(dir / "translations/quillfern_en.ts");
    EXPECT_NE(english.find("<source>새 키</source>\n        <translation type=\"unfinished\"></translation>"),
              std::string::npos)
        << english;
}

TEST_F(LocalizationTest, EnglishStoredShowsEnglishAtTheNextStart)
{
    StoredLanguage english(LanguageSetting::english);
    ContentView *content = HostWindow::openMainWindow();
    auto *host = qobject_cast<HostWindow *>(content->window());
    ASSERT_NE(host, nullptr);

    // The window takes the title of the page its current tab shows.
    EXPECT_EQ(host->windowTitle(), QStringLiteral("Home"));
    QTreeWidget *sidebar = content->sidebar();
    EXPECT_EQ(sidebar->topLevelItem(0)->text(0), QStringLiteral("Home — File Fixer"));
    QStringList sections;
    for (int i = 1; i < sidebar->topLevelItemCount(); ++i)
        sections << sidebar->topLevelItem(i)->text(0);
    EXPECT_EQ(sections, (QStringList{"File", "Conversion", "System"}));
    EXPECT_TRUE(withHangul(visibleTexts(host)).isEmpty())
        << withHangul(visibleTexts(host)).join(u'\n').toStdString();

    content->setSelection(Utility::heicConverter);
    const QStringList page = visibleTexts(content->detailPage());
    EXPECT_TRUE(page.contains(QStringLiteral("HEIC Photo Converter"))) << page.join(u'\n').toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("Drag HEIC photos or folders here")))
        << page.join(u'\n').toStdString();
    EXPECT_TRUE(withHangul(page).isEmpty()) << withHangul(page).join(u'\n').toStdString();

    const QuestionBox box = readRightClickQuestion();
    EXPECT_EQ(box.title, QStringLiteral("File manager right-click menu"));
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Add Quillfern to the right-click menu")))
        << box.text.toStdString();
    EXPECT_EQ(box.buttons, (QStringList{"&Yes", "&No"}));
}

TEST_F(LocalizationTest, KoreanStoredSpeaksOfLinuxAndTranslatesQtsOwnDialogs)
{
    StoredLanguage korean(LanguageSetting::korean);
    EXPECT_EQ(L("Finder에서 보기"), QStringLiteral("파일 관리자에서 보기"));
    EXPECT_EQ(L("드래그 앤 드롭 · Dock의 누리함 아이콘에 놓아도 돼요"),
              QStringLiteral("드래그 앤 드롭 · 작업 표시줄이나 실행기의 누리함 아이콘에 놓아도 돼요"));
    EXPECT_EQ(L("누리함 버전: %@ · macOS %@"), QStringLiteral("누리함 버전: %@ · macOS %@"))
        << "only whole keys are translated";
    EXPECT_EQ(L("설정"), QStringLiteral("설정"));

    QFileDialog dialog(nullptr, L("살펴볼 파일이나 폴더를 선택하세요"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    ASSERT_NE(buttons, nullptr);
    QStringList texts;
    for (QAbstractButton *b : buttons->buttons())
        texts << b->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("열기(&O)"))) << texts.join(u',').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("취소"))) << texts.join(u',').toStdString();
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"))->text(),
              QStringLiteral("다음에서 찾기:"));

    const QuestionBox box = readRightClickQuestion();
    EXPECT_EQ(box.title, QStringLiteral("파일 관리자 우클릭 메뉴"));
    EXPECT_EQ(box.buttons, (QStringList{"예(&Y)", "아니요(&N)"}));
}

// A language the program is not translated into shows the Korean interface, Linux wording and
// Qt's Korean texts included; the stored choice stays what was picked.
TEST_F(LocalizationTest, UntranslatedLanguagesFallBackToKorean)
{
    for (LanguageSetting language :
         {LanguageSetting::german, LanguageSetting::japanese, LanguageSetting::arabic}) {
        StoredLanguage stored(language);
        EXPECT_EQ(LanguageSettings::current(), language);
        EXPECT_EQ(L("Finder에서 보기"), QStringLiteral("파일 관리자에서 보기"));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("예(&Y)"));
    }
}

TEST_F(LocalizationTest, ByteCountsFollowTheInterfaceLanguage)
{
    const struct {
        std::int64_t bytes;
        const char *korean;
        const char *english;
    } cases[] = {
        {0, "0KB", "Zero KB"},
        {1, "1바이트", "1 byte"},
        {680, "680바이트", "680 bytes"},
        {1000, "1KB", "1 KB"},
        {999'500, "1MB", "1 MB"},
        {1'250'000, "1.3MB", "1.3 MB"},
        {1'234'567'890, "1.23GB", "1.23 GB"},
        {1'500'000'000'000, "1.5TB", "1.5 TB"},
        {-2048, "-2KB", "-2 KB"},
    };
    {
        StoredLanguage korean(LanguageSetting::korean);
        for (const auto &c : cases)
            EXPECT_EQ(ByteCount::fileStyle(c.bytes).toStdString(), c.korean) << c.bytes;
    }
    StoredLanguage english(LanguageSetting::english);
    for (const auto &c : cases)
        EXPECT_EQ(ByteCount::fileStyle(c.bytes).toStdString(), c.english) << c.bytes;
}

// English counts pick their plural form by the first number; Korean has one form.
TEST_F(LocalizationTest, FirstNumberPicksThePluralForm)
{
    StoredLanguage english(LanguageSetting::english);
    EXPECT_EQ(L("파일 %lld개", 1), QStringLiteral("1 file"));
    EXPECT_EQ(L("파일 %lld개", 2), QStringLiteral("2 files"));
    EXPECT_EQ(L("파일 %lld개", 0), QStringLiteral("0 files"));
    EXPECT_EQ(L("포르랑! %lld개 항목을 해결했어요 (%lld개 실패)", 1, 3),
              QStringLiteral("Done! Fixed 1 item (3 failed)"));
    // A translation with one form serves every count.
    EXPECT_EQ(L("%@ 외 %lld개", "a.txt", 4), QStringLiteral("a.txt and 4 more"));
    EXPECT_EQ(L("완료 %lld개", 1), QStringLiteral("1 done"));
    EXPECT_EQ(L("완료 %lld개", 7), QStringLiteral("7 done"));
}
