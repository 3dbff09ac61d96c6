#include "App/AboutDialog.h"
#include "App/AppCommands.h"
#include "App/ContentView.h"
#include "App/HostWindow.h"
#include "App/InterfaceLanguage.h"
#include "App/LoginItem.h"
#include "App/ManualLink.h"
#include "App/MenuBarContent.h"
#include "App/SettingsDialog.h"
#include "App/SupportButton.h"
#include "App/UpdateCheck.h"
#include "Core/AppInfo.h"
#include "Core/LanguageSetting.h"
#include "Core/Localization.h"
#include "Core/Router.h"
#include "Core/Scheduler.h"
#include "Core/Settings.h"
#include "Core/SupportLink.h"
#include "Core/TabOpener.h"
#include "Features/DailyWord/DailyWord.h"
#include "Features/DailyWord/DailyWordSetting.h"
#include "Features/DailyWord/DailyWords.h"
#include "Platform/Autostart.h"
#include "Platform/FileManagerActions.h"
#include "Platform/Updater.h"
#include "Ui/PageStyle.h"
#include "Ui/ToggleSwitch.h"
#include "support/SaveShot.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

using TestSupport::saveShot;

namespace {

class FakeUpdater : public Updater {
public:
    bool can = false;
    int checks = 0;
    bool canCheckForUpdates() const override { return can; }
    void checkForUpdates() override { ++checks; }
    void set(bool value)
    {
        can = value;
        emit canCheckForUpdatesChanged(value);
    }
};

class FakeLoginService : public LoginItem::Service {
public:
    bool enabled = false;
    bool failRegistration = false;
    int registrations = 0;
    int unregistrations = 0;
    void registerApp() override
    {
        ++registrations;
        if (failRegistration)
            throw Autostart::Error(QStringLiteral("refused"));
        enabled = true;
    }
    void unregisterApp() override
    {
        ++unregistrations;
        enabled = false;
    }
    bool isEnabled() const override { return enabled; }
};

class Windows : public ::testing::Test {
protected:
    void SetUp() override
    {
        Updater::install(&updater);
        LoginItem::install(&login);
    }
    void TearDown() override
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog *>(w) || qobject_cast<HostWindow *>(w))
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Updater::install(nullptr);
        LoginItem::install(nullptr);
        AppInfo::clearOverrides();
        SettingsDialog::setRelaunchHooks({}, {});
        FileManagerActions::removeForUser();
        Settings::open()->clear();
        Router::shared().resetForTesting();
        TabOpener::shared().setOpenTab({});
    }

    FakeUpdater updater;
    FakeLoginService login;
};

} // namespace

TEST_F(Windows, LanguagePickerListsSystemThenTheTwentyAndAChoiceShowsTheRestartRow)
{
    LanguageSettings::apply(LanguageSetting::german);
    auto *settings = new SettingsDialog;
    QComboBox *picker = settings->languagePicker();
    ASSERT_EQ(picker->count(), 22); // system, a divider, twenty languages
    EXPECT_EQ(picker->itemText(0), LanguageSettings::label(LanguageSetting::system));
    EXPECT_TRUE(picker->itemText(1).isEmpty());
    EXPECT_EQ(picker->itemText(2), QStringLiteral("한국어"));
    EXPECT_EQ(picker->itemText(21), QStringLiteral("Türkçe"));
    EXPECT_EQ(picker->currentData().toString(), QStringLiteral("de"));
    settings->show();
    EXPECT_FALSE(settings->restartRow()->isVisible());

    picker->setCurrentIndex(picker->findData(QStringLiteral("en")));
    EXPECT_EQ(Settings::open()->value("AppleLanguages").toStringList(), QStringList{QStringLiteral("en")});
    EXPECT_TRUE(settings->restartRow()->isVisible());
    // Following the system removes the value and still asks for the restart.
    picker->setCurrentIndex(0);
    EXPECT_FALSE(Settings::open()->contains("AppleLanguages"));
    EXPECT_TRUE(settings->restartRow()->isVisible());
    saveShot(*settings, "settings");
    settings->close();

    // The flag is not stored: a new window starts without the row, showing the stored choice.
    LanguageSettings::apply(LanguageSetting::japanese);
    SettingsDialog fresh;
    fresh.show();
    EXPECT_FALSE(fresh.needsRestart());
    EXPECT_FALSE(fresh.restartRow()->isVisible());
    EXPECT_EQ(fresh.languagePicker()->currentData().toString(), QStringLiteral("ja"));
}

TEST_F(Windows, TheRestartNoticeIsOrange)
{
    SettingsDialog settings;
    settings.show();
    QComboBox *picker = settings.languagePicker();
    picker->setCurrentIndex(picker->findData(QStringLiteral("en")));
    auto *notice = settings.restartRow()->findChild<QLabel *>(QStringLiteral("restartText"));
    ASSERT_NE(notice, nullptr);
    // The colour it is drawn in: the row lies on the group's Base background, where a label uses Text.
    const QColor orange = PageStyle::color(Tone::orange, settings.palette());
    EXPECT_EQ(notice->palette().color(notice->foregroundRole()), orange);

    // And on screen: its letters are orange, not grey.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QImage image = notice->grab().toImage();
    int orangeDots = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            orangeDots += c.red() - c.blue() > 90 && c.green() > c.blue() && c.red() > c.green();
        }
    EXPECT_GT(orangeDots, 20);
}

TEST_F(Windows, RelaunchStartsTheProgramDirectlyAndQuits)
{
    QString program;
    QStringList arguments;
    int quits = 0;
    SettingsDialog::setRelaunchHooks(
        [&](const QString &p, const QStringList &a) {
            program = p;
            arguments = a;
            return false; // even a failed start quits
        },
        [&] { ++quits; });
    SettingsDialog settings;
    settings.relaunch();
    EXPECT_EQ(program, QCoreApplication::applicationFilePath());
    EXPECT_EQ(arguments, QStringList{QStringLiteral("--relaunched")});
    EXPECT_EQ(quits, 1);
}

TEST_F(Windows, DailyWordSwitchStoresTheVersionAndComesBackWithANewOne)
{
    AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.4.0"));
    {
        SettingsDialog settings;
        ToggleSwitch *toggle = settings.dailyWordToggle();
        EXPECT_TRUE(toggle->isChecked()); // nothing stored
        toggle->click();
        EXPECT_FALSE(toggle->isChecked());
        EXPECT_EQ(Settings::open()->value(DailyWordSetting::settingsKey).toString(), QStringLiteral("1.4.0"));
        SettingsDialog again;
        EXPECT_FALSE(again.dailyWordToggle()->isChecked());
    }
    // An update: on again without any write.
    AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.5.0"));
    SettingsDialog updated;
    EXPECT_TRUE(updated.dailyWordToggle()->isChecked());
    EXPECT_EQ(Settings::open()->value(DailyWordSetting::settingsKey).toString(), QStringLiteral("1.4.0"));
    updated.dailyWordToggle()->click();
    updated.dailyWordToggle()->click();
    EXPECT_EQ(Settings::open()->value(DailyWordSetting::settingsKey).toString(), QString());
}

TEST_F(Windows, FailedLoginRegistrationTurnsTheToggleBackWithoutASecondCall)
{
    login.failRegistration = true;
    SettingsDialog settings;
    ToggleSwitch *toggle = settings.loginToggle();
    EXPECT_FALSE(toggle->isChecked());
    toggle->click();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(login.registrations, 1);
    EXPECT_EQ(login.unregistrations, 0);

    login.failRegistration = false;
    toggle->click();
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(login.enabled);
    toggle->click();
    EXPECT_FALSE(login.enabled);
    EXPECT_EQ(login.unregistrations, 1);
    login.enabled = true;
    SettingsDialog reopened;
    EXPECT_TRUE(reopened.loginToggle()->isChecked());
}

TEST_F(Windows, RightClickMenuRowFollowsTheInstalledActionsWhenTheWindowIsActiveAgain)
{
    auto *settings = SettingsDialog::present();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(settings));
    EXPECT_FALSE(settings->fileManagerMenuOn());
    EXPECT_TRUE(settings->fileManagerButton()->isVisible());
    EXPECT_FALSE(settings->fileManagerOnLabel()->isVisible());
    EXPECT_TRUE(
        settings->fileManagerCaption()->text().startsWith(QStringLiteral("Finder 우클릭 메뉴에 넣으려면")));

    FileManagerActions::installForUser(QStringLiteral("/opt/with space/quillfern"));
    EXPECT_TRUE(FileManagerActions::isInstalled());
    // Coming back to the window reads the state again.
    QEvent activation(QEvent::ActivationChange);
    settings->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(settings));
    QCoreApplication::sendEvent(settings, &activation);
    EXPECT_TRUE(settings->fileManagerMenuOn());
    EXPECT_TRUE(settings->fileManagerOnLabel()->isVisible());
    EXPECT_FALSE(settings->fileManagerButton()->isVisible());
    EXPECT_EQ(settings->fileManagerCaption()->text(),
              QStringLiteral("Finder에서 파일을 우클릭하면 \"Quillfern\"이 보입니다."));
    saveShot(*settings, "settings-menu-on");

    // The user's own copies come out again through the button beside the label.
    QPushButton *remove = settings->fileManagerRemoveButton();
    ASSERT_TRUE(remove->isVisible());
    QString asked;
    QTimer::singleShot(0, [&asked] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked = box->text();
            box->button(QMessageBox::Yes)->click();
        }
    });
    remove->click();
    EXPECT_EQ(asked, QStringLiteral("파일 관리자의 우클릭 메뉴에서 누리함을 뺄까요?"));
    EXPECT_FALSE(FileManagerActions::isInstalled());
    EXPECT_TRUE(settings->fileManagerButton()->isVisible());
    EXPECT_FALSE(settings->fileManagerOnLabel()->isVisible());
    EXPECT_FALSE(remove->isVisible());
}

// A word file of one's own that is passed over is named in the settings, with the reason.
TEST(SettingsWindow, SaysWhenTheOwnWordFileIsNotUsedAndWhy)
{
    // Before anything reads the store: it reads its file once.
    const auto file = DailyWordStore::defaultFileURL();
    TestSupport::writeBytes(file, "너무 긴 말씀 | 가 1:1\n" + std::string(std::size_t{4} << 20, '#'));
    EXPECT_EQ(DailyWordStore::shared().words(), DailyWords::all());
    SettingsDialog settings;
    ASSERT_NE(settings.dailyWordProblem(), nullptr);
    const QString text = settings.dailyWordProblem()->text().remove(QChar(0x200B));
    EXPECT_EQ(text, QStringLiteral("%1 파일을 쓰지 않고 기본 말씀을 보여 줍니다: 4MiB보다 큽니다")
                        .arg(QString::fromStdString(file.native())));
    settings.show();
    saveShot(settings, "settings-word-file-unused");
}

TEST(FileManagerActions, TemplatesGetTheProgramQuotedForTheirFormat)
{
    const QString path = QStringLiteral("/opt/a \"b\" $c/quillfern");
    EXPECT_EQ(FileManagerActions::render(QStringLiteral("Exec=@QUILLFERN_EXEC@ --service %U"), path, false),
              QStringLiteral("Exec=\"/opt/a \\\\\"b\\\\\" \\\\$c/quillfern\" --service %U"));
    EXPECT_EQ(FileManagerActions::render(QStringLiteral("Exec=@QUILLFERN_EXEC@ %U"),
                                         QStringLiteral("/usr/bin/quillfern"), false),
              QStringLiteral("Exec=/usr/bin/quillfern %U"));
    EXPECT_EQ(
        FileManagerActions::render(QStringLiteral("[\"@QUILLFERN_EXEC@\"]"), QStringLiteral("/a\"\\b"), true),
        QStringLiteral("[\"/a\\\"\\\\b\"]"));
}

TEST_F(Windows, AboutWindowShowsTheDefaultVersionAndKeepsItsSize)
{
    AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), std::nullopt);
    AppInfo::setOverride(QStringLiteral("CFBundleVersion"), std::nullopt);
    AboutDialog *about = AboutDialog::present();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_EQ(about->versionLabel()->text(), QStringLiteral("버전 1.0.0 (1)"));
    const QSize size = about->size();
    about->resize(size.width() + 200, size.height() + 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(about->size(), size);
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    saveShot(*about, "about");
    // Asking again brings the same window forward.
    EXPECT_EQ(AboutDialog::present(), about);

    // Its support button shows the given title and tooltip whatever the language.
    EXPECT_EQ(about->supportButton()->label()->text(), QStringLiteral("후원하기"));
    EXPECT_EQ(about->supportButton()->toolTip(),
              QStringLiteral("누리함이 마음에 드셨다면 개발을 도와주세요."));
}

TEST_F(Windows, EveryUpdateButtonFollowsTheUpdater)
{
    MenuBarContent tray(
        SleepSwitch{[] { return false; }, [] {}, [] {}, [](QObject *, std::function<void()>) {}});
    ContentView *content = HostWindow::openMainWindow();
    auto *host = qobject_cast<HostWindow *>(content->window());
    AboutDialog *about = AboutDialog::present();
    const QList<QAction *> actions{tray.findChild<QAction *>(QStringLiteral("checkForUpdates")),
                                   host->menuBar()->findChild<QAction *>(QStringLiteral("checkForUpdates"))};
    ASSERT_FALSE(actions.contains(nullptr));
    auto states = [&] {
        std::vector<bool> out;
        for (QAction *a : actions)
            out.push_back(a->isEnabled());
        out.push_back(about->updateButton()->isEnabled());
        return out;
    };
    EXPECT_EQ(states(), std::vector<bool>(3, false));
    updater.set(true);
    EXPECT_EQ(states(), std::vector<bool>(3, true));
    updater.set(false); // a check is running
    EXPECT_EQ(states(), std::vector<bool>(3, false));
    updater.set(true);
    about->updateButton()->click();
    actions.first()->trigger();
    EXPECT_EQ(updater.checks, 2);

    // A model made while the updater can check is enabled at once.
    CheckForUpdatesViewModel late;
    EXPECT_TRUE(late.canCheckForUpdates());
}

TEST(Updater, FeedVersionsAreComparedPieceByPiece)
{
    const struct {
        const char *candidate;
        const char *current;
        bool newer;
    } cases[] = {{"1.0.1", "1.0.0", true},  {"1.10", "1.9", true}, {"1.0", "1.0.0", false},
                 {"1.0.0", "1.0.1", false}, {"2", "1.9.9", true},  {"1.0.0.1", "1.0", true}};
    for (const auto &c : cases)
        EXPECT_EQ(Updater::isNewer(c.candidate, c.current), c.newer) << c.candidate << " vs " << c.current;

    using Kind = UpdateCheckResult::Kind;
    EXPECT_EQ(FeedUpdater::evaluate("{\"version\":\"1.2.0\",\"url\":\"https://x/\"}", "1.0.0").kind,
              Kind::newVersion);
    EXPECT_EQ(FeedUpdater::evaluate("{\"version\":\"1.2.0\",\"url\":\"https://x/\"}", "1.0.0").address,
              "https://x/");
    EXPECT_EQ(FeedUpdater::evaluate("1.0.0\nnotes", "1.0.0").kind, Kind::upToDate);
    EXPECT_EQ(FeedUpdater::evaluate("", "1.0.0").kind, Kind::failed);
    EXPECT_EQ(FeedUpdater::evaluate("{\"name\":\"x\"}", "1.0.0").kind, Kind::failed);

    // Without a feed address no check can start.
    FeedUpdater none(QString(), QStringLiteral("1.0.0"));
    EXPECT_FALSE(none.canCheckForUpdates());
    none.checkForUpdates(); // nothing happens
}

TEST(SupportLink, PageLabelAndTooltipFollowTheLanguage)
{
    const QString origin = SupportLink::origin();
    const struct {
        const char *language;
        const char *path;
        const char *label;
    } cases[] = {
        {"ko", "/support/", "후원하기"},
        {"ko-KR", "/support/", "후원하기"},
        {"en", "/support/en/", "Support"},
        {"zh-HK", "/support/zh-Hant/", "支援開發"},
        {"zh-TW", "/support/zh-Hant/", "支援開發"},
        {"zh_MO", "/support/zh-Hant/", "支援開發"},
        {"zh", "/support/zh/", "支持开发"},
        {"zh-Hans", "/support/zh/", "支持开发"},
        {"zh-SG", "/support/zh/", "支持开发"},
        {"pt-BR", "/support/pt/", "Apoiar"},
        {"it", "/support/en/", "Support"},
        {"", "/support/en/", "Support"},
    };
    for (const auto &c : cases) {
        const QString language = QString::fromUtf8(c.language);
        EXPECT_EQ(SupportLink::url(language).toString(), origin + QString::fromUtf8(c.path)) << c.language;
        EXPECT_EQ(SupportLink::label(language), QString::fromUtf8(c.label)) << c.language;
    }
    EXPECT_EQ(SupportLink::tooltip(QStringLiteral("it")),
              QStringLiteral("If this app helps you, consider supporting its development."));
    EXPECT_EQ(SupportLink::normalized(QStringLiteral("--")), QStringLiteral("--"));
}

TEST(SupportHeart, BeatShapesAndShades)
{
    const SupportHeart::Shell squash = SupportHeart::shellShape(1.05);
    EXPECT_NEAR(squash.scaleX, 1.34, 1e-9);
    EXPECT_NEAR(squash.scaleY, 0.74, 1e-9);
    EXPECT_NEAR(squash.rotation, -7, 1e-9);
    EXPECT_NEAR(squash.anchorX, 0.5, 1e-9);
    EXPECT_NEAR(squash.anchorY, 0.72, 1e-9);
    const SupportHeart::Shell rest = SupportHeart::shellShape(0);
    EXPECT_NEAR(rest.scaleX, 1, 1e-9);
    EXPECT_NEAR(rest.rotation, 0, 1e-9);
    const SupportHeart::Shell rebound = SupportHeart::shellShape(1.14);
    EXPECT_NEAR(rebound.scaleX, 1.2, 1e-9);
    EXPECT_NEAR(rebound.anchorY, 0.5, 1e-9);

    const auto [base, light] = SupportHeart::babyShades(6);
    EXPECT_NEAR(base.blueF(), 1.0, 1e-3);
    EXPECT_NEAR(light.redF(), 0.18 + 0.82 * 0.28, 2e-3);
    const QRectF box(0, 0, 10, 10);
    const QPainterPath heart = SupportHeart::heartPath(box);
    EXPECT_TRUE(heart.contains(QPointF(5, 6)));
    EXPECT_FALSE(heart.contains(QPointF(5, 0.5))); // the notch between the lobes
}

TEST_F(Windows, HeartIsStaticWithReducedMotionOrAnInactiveWindow)
{
    QWidget window;
    auto *heart = new SupportHeart(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(QTest::qWaitFor([&] { return heart->isAnimating(); }, 2000));

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !heart->isAnimating(); }, 2000));

    SupportHeart::setReduceMotion(true);
    QWidget calm;
    auto *still = new SupportHeart(&calm);
    calm.show();
    calm.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&calm));
    EXPECT_FALSE(still->isAnimating());
}

TEST(InterfaceLanguage, StoredChoiceBecomesTheInterfaceLanguageAtStart)
{
    const struct {
        LanguageSetting choice;
        const char *key;
    } cases[] = {{LanguageSetting::chineseTraditional, "zh-Hant"},
                 {LanguageSetting::chinese, "zh-Hans"},
                 {LanguageSetting::portuguese, "pt"},
                 {LanguageSetting::hausa, "ha"}};
    for (const auto &c : cases) {
        LanguageSettings::apply(c.choice);
        InterfaceLanguage::install();
        // The support link and the manual follow the chosen language, not the system's.
        EXPECT_EQ(SupportLink::normalized(std::nullopt), QString::fromLatin1(c.key));
    }
    EXPECT_TRUE(ManualLink::manualURL().toString().endsWith(QStringLiteral("/ha/")));
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/i18n/quillfern_en.qm")));
    LanguageSettings::apply(LanguageSetting::system);
    QLocale::setDefault(QLocale::system());
}

TEST(Updater, FeedCheckReportsTheResultAndBlocksASecondCheckMeanwhile)
{
    TestSupport::TempDir dir;
    const auto feed = dir.file("feed.json", "{\"version\": \"9.0.0\", \"url\": \"https://example.com/get\"}");
    FeedUpdater updater(QUrl::fromLocalFile(QString::fromStdString(feed.native())).toString(),
                        QStringLiteral("1.0.0"));
    QSignalSpy enabled(&updater, &Updater::canCheckForUpdatesChanged);
    QSignalSpy finished(&updater, &Updater::checkFinished);
    ASSERT_TRUE(updater.canCheckForUpdates());
    updater.checkForUpdates();
    EXPECT_FALSE(updater.canCheckForUpdates()); // running
    updater.checkForUpdates();                  // ignored while running
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.count(), 1);
    const auto result = finished.first().first().value<UpdateCheckResult>();
    EXPECT_EQ(result.kind, UpdateCheckResult::Kind::newVersion);
    EXPECT_EQ(result.version, QStringLiteral("9.0.0"));
    EXPECT_TRUE(updater.canCheckForUpdates());
    ASSERT_EQ(enabled.count(), 2);
    EXPECT_FALSE(enabled.at(0).first().toBool());
    EXPECT_TRUE(enabled.at(1).first().toBool());

    // A feed that cannot be read is a failure, not an "up to date".
    FeedUpdater missing(QUrl::fromLocalFile(QString::fromStdString((dir / "none.json").native())).toString(),
                        QStringLiteral("1.0.0"));
    QSignalSpy failed(&missing, &Updater::checkFinished);
    missing.checkForUpdates();
    ASSERT_TRUE(failed.wait(10000));
    EXPECT_EQ(failed.first().first().value<UpdateCheckResult>().kind, UpdateCheckResult::Kind::failed);
}

TEST(Updater, FeedIsReadWithinItsBoundAndOnlyAWebAddressIsOffered)
{
    const struct {
        const char *url;
        const char *offered;
    } addresses[] = {
        {"https://example.com/get", "https://example.com/get"},
        {"HTTP://example.com/", "http://example.com/"},
        {"file:///usr/bin/xterm", ""},
        {"javascript:alert(1)", ""},
        {"smb://server/share", ""},
        {"https:no-host", ""},
        {"not a url at all", ""},
    };
    for (const auto &a : addresses) {
        const QByteArray feed = QByteArray(R"({"version":"9.0","url":")") + a.url + R"("})";
        const auto result = FeedUpdater::evaluate(feed, QStringLiteral("1.0"));
        EXPECT_EQ(result.kind, UpdateCheckResult::Kind::newVersion) << a.url;
        EXPECT_EQ(result.address, QString::fromLatin1(a.offered)) << a.url;
    }

    // A feed over 64 KiB is no feed: the check fails instead of reading on.
    TestSupport::TempDir dir;
    const auto big = dir.file("feed.txt", "9.0.0\n" + std::string(std::size_t{70} * 1024, 'x'));
    FeedUpdater updater(QUrl::fromLocalFile(QString::fromStdString(big.native())).toString(),
                        QStringLiteral("1.0"));
    QSignalSpy finished(&updater, &Updater::checkFinished);
    updater.checkForUpdates();
    ASSERT_TRUE(finished.wait(10000));
    const auto result = finished.first().first().value<UpdateCheckResult>();
    EXPECT_EQ(result.kind, UpdateCheckResult::Kind::failed);
    EXPECT_EQ(result.detail, QStringLiteral("업데이트 정보가 너무 큽니다."));
    EXPECT_TRUE(updater.canCheckForUpdates());
}

TEST_F(Windows, UpdateResultShowsTheFeedsWordsAsPlainText)
{
    UpdateCheck::presentResults();
    UpdateCheckResult result;
    result.kind = UpdateCheckResult::Kind::newVersion;
    result.version = QStringLiteral("<a href=\"file:///etc\">9.0</a>");
    emit updater.checkFinished(result);
    QMessageBox *box = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("updateResult"))
            box = qobject_cast<QMessageBox *>(w);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(result.version));
    const QList<QLabel *> labels = box->findChildren<QLabel *>();
    ASSERT_FALSE(labels.isEmpty());
    for (QLabel *label : labels)
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
    box->close();
}

TEST(InterfaceLanguage, LinksFollowTheLanguageTheInterfaceShowsAlsoByFallback)
{
    LanguageSettings::apply(LanguageSetting::system);
    const QString support = SupportLink::origin() + QStringLiteral("/support/");
    const struct {
        QStringList system;
        QString key;         // a text whose translation shows which language the interface speaks
        QString manual;      // folder of the manual
        QString supportPage; // path after /support/
    } cases[] = {
        // The C locale has no translation: the interface falls back to Korean, and so do the links.
        {{QStringLiteral("C")}, QStringLiteral("누리함"), QString(), QString()},
        {{QStringLiteral("de-DE"), QStringLiteral("en-GB")},
         QStringLiteral("Quillfern"),
         QStringLiteral("en/"),
         QStringLiteral("en/")},
        {{QStringLiteral("ko-KR")}, QStringLiteral("누리함"), QString(), QString()},
    };
    for (const auto &c : cases) {
        InterfaceLanguage::install(c.system);
        EXPECT_EQ(L("누리함"), c.key) << c.system.join(',').toStdString();
        EXPECT_EQ(ManualLink::manualURL().toString(), ManualLink::baseAddress() + c.manual)
            << c.system.join(',').toStdString();
        EXPECT_EQ(SupportLink::url().toString(), support + c.supportPage) << c.system.join(',').toStdString();
    }
    InterfaceLanguage::install({QStringLiteral("C")});
    QLocale::setDefault(QLocale::system());
}

namespace {
// Stands in for the browser: records the addresses handed to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};
} // namespace

TEST(SupportButton, ClickHandsTheSupportPageToTheDesktopAndDefaultsFollowTheLanguage)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    SupportButton plain;
    EXPECT_EQ(plain.label()->text(), SupportLink::label());
    EXPECT_EQ(plain.toolTip(), SupportLink::tooltip());
    plain.resize(plain.sizeHint());
    plain.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plain));
    // A click on the label part of the button counts as a click on the button.
    QTest::mouseClick(plain.label(), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.first(), SupportLink::url());
}

#include "WindowsTest.moc"
