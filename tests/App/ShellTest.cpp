#include "App/AboutDialog.h"
#include "App/BrindlowApp.h"
#include "App/ContentView.h"
#include "App/HostWindow.h"
#include "App/ManualLink.h"
#include "App/MenuBarContent.h"
#include "App/SettingsDialog.h"
#include "App/UtilityView.h"
#include "Core/AppInfo.h"
#include "Core/Router.h"
#include "Core/Scheduler.h"
#include "Core/TabOpener.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Ui/SymbolIcon.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <functional>

using TestSupport::TempDir;

namespace {

// A keep-awake controller whose start can be told to succeed or decline.
class FakeSleepController : public QObject {
    Q_OBJECT

public:
    bool accepts = false;
    int starts = 0;
    int stops = 0;

    bool isActive() const { return active; }
    void start()
    {
        ++starts;
        if (accepts)
            set(true);
    }
    void stop()
    {
        ++stops;
        set(false);
    }
    void set(bool value)
    {
        if (value == active)
            return;
        active = value;
        emit isActiveChanged();
    }

signals:
    void isActiveChanged();

private:
    bool active = false;
};

// Lets the event loop run until the condition holds (QTRY_* would fail unseen by GoogleTest).
bool eventually(const std::function<bool()> &condition)
{
    return QTest::qWaitFor(condition, 3000);
}

QString pageTitle(QWidget *page)
{
    auto *title = page ? page->findChild<QLabel *>(QStringLiteral("title")) : nullptr;
    return title ? title->text() : QString();
}

// Every page names itself "page.<tool id>".
std::optional<Utility> pageTool(QWidget *page)
{
    const QString prefix = QStringLiteral("page.");
    if (page == nullptr || !page->objectName().startsWith(prefix))
        return std::nullopt;
    return Utilities::fromString(page->objectName().mid(prefix.size()));
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Router::shared().resetForTesting();
        Scheduler::install(&clock);
    }

    void TearDown() override
    {
        for (HostWindow *host : HostWindow::hosts())
            host->close();
        if (AboutDialog::instance())
            AboutDialog::instance()->close();
        if (SettingsDialog::instance())
            SettingsDialog::instance()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Scheduler::install(nullptr);
        TabOpener::shared().setOpenTab({});
        Router::shared().resetForTesting();
    }

    static HostWindow *hostOf(ContentView *content) { return qobject_cast<HostWindow *>(content->window()); }

    static void waitActive(QWidget *window)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    // The tab closes as the user closes it: its content goes away.
    static void closeTabOf(ContentView *content)
    {
        HostWindow *host = hostOf(content);
        host->closeTab(host->tabs()->indexOf(content));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ManualScheduler clock;
    Router &router = Router::shared();
};

TEST_F(ShellTest, SidebarListsHomeThenOneSectionPerCategoryInCatalogueOrder)
{
    ContentView *content = HostWindow::openMainWindow();
    QTreeWidget *sidebar = content->sidebar();

    ASSERT_EQ(sidebar->topLevelItemCount(), 1 + Utilities::categories().size());
    EXPECT_EQ(sidebar->topLevelItem(0)->text(0), Utilities::title(Utility::sendCheckup));
    EXPECT_EQ(sidebar->topLevelItem(0)->childCount(), 0);

    std::vector<Utility> listed{Utility::sendCheckup};
    for (int s = 0; s < Utilities::categories().size(); ++s) {
        QTreeWidgetItem *section = sidebar->topLevelItem(s + 1);
        EXPECT_EQ(section->text(0), Utilities::categories()[s]);
        EXPECT_FALSE(section->flags() & Qt::ItemIsSelectable) << "a section header is not a tool";
        for (int r = 0; r < section->childCount(); ++r) {
            const auto tool = static_cast<Utility>(section->child(r)->data(0, Qt::UserRole + 1).toInt());
            EXPECT_EQ(Utilities::category(tool), section->text(0));
            EXPECT_EQ(section->child(r)->text(0), Utilities::title(tool));
            listed.push_back(tool);
        }
    }
    // Every tool once, in catalogue order, with a symbol the shell can draw.
    EXPECT_EQ(listed, std::vector<Utility>(Utilities::allCases.begin(), Utilities::allCases.end()));
    for (Utility tool : Utilities::allCases)
        EXPECT_TRUE(SymbolIcon::isKnown(Utilities::icon(tool))) << Utilities::icon(tool).toStdString();
    EXPECT_TRUE(SymbolIcon::isKnown(QStringLiteral("hammer.fill")));

    // A window opened without a session shows the home page and has a session of its own.
    EXPECT_FALSE(content->session().isNull());
    EXPECT_EQ(content->selection(), Utility::sendCheckup);
    EXPECT_EQ(pageTool(content->detailPage()), Utility::sendCheckup);
    EXPECT_TRUE(sidebar->topLevelItem(0)->isSelected());
}

TEST_F(ShellTest, SelectingRebuildsThePageAndDeselectingShowsTheEmptyView)
{
    ContentView *content = HostWindow::openMainWindow();
    QTreeWidget *sidebar = content->sidebar();
    QTreeWidgetItem *textRow = nullptr;
    for (QTreeWidgetItemIterator it(sidebar); *it; ++it)
        if ((*it)->text(0) == Utilities::title(Utility::textEncoding))
            textRow = *it;
    ASSERT_NE(textRow, nullptr);

    sidebar->setCurrentItem(textRow);
    EXPECT_EQ(content->selection(), Utility::textEncoding);
    QPointer<QWidget> firstPage = content->detailPage();
    EXPECT_EQ(pageTool(firstPage), Utility::textEncoding);
    EXPECT_EQ(pageTitle(firstPage), Utilities::title(Utility::textEncoding));

    // Leaving a tool drops its page; coming back builds a new one.
    content->setSelection(Utility::tweaks);
    EXPECT_TRUE(firstPage.isNull());
    content->setSelection(Utility::textEncoding);
    EXPECT_EQ(pageTool(content->detailPage()), Utility::textEncoding);

    // A Ctrl-click on the selected row deselects it.
    waitActive(hostOf(content));
    sidebar->scrollToItem(textRow);
    const QRect rect = sidebar->visualItemRect(textRow);
    QTest::mouseClick(sidebar->viewport(), Qt::LeftButton, Qt::ControlModifier, rect.center());
    EXPECT_EQ(content->selection(), std::nullopt);
    EXPECT_EQ(content->detailPage()->objectName(), QStringLiteral("emptyContent"));
    EXPECT_EQ(pageTitle(content->detailPage()), QStringLiteral("도구를 선택하세요"));
    EXPECT_EQ(content->detailPage()->findChild<QLabel *>(QStringLiteral("description"))->text(),
              QStringLiteral("왼쪽 목록에서 사용할 도구를 선택하세요."));
}

TEST_F(ShellTest, CtrlTAddsAnEmptyDashboardTabThatBecomesCurrentAndKey)
{
    ContentView *first = HostWindow::openMainWindow();
    HostWindow *host = hostOf(first);
    waitActive(host);
    EXPECT_EQ(router.activeSession(), first->session());

    QTest::keyClick(host, Qt::Key_T, Qt::ControlModifier);
    ASSERT_EQ(host->tabs()->count(), 2);
    auto *added = qobject_cast<ContentView *>(host->tabs()->widget(1));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(host->currentContent(), added);
    EXPECT_NE(added->session(), first->session());
    EXPECT_EQ(added->selection(), Utility::sendCheckup);
    EXPECT_TRUE(SendCheckupEngine::session(added->session()).roots().empty());
    EXPECT_TRUE(eventually([&] { return router.activeSession() == added->session(); }));
    EXPECT_EQ(router.liveSessions(), (std::vector<QUuid>{first->session(), added->session()}));
    EXPECT_EQ(HostWindow::hosts().size(), 1);

    // The "+" of the tab bar opens a tab through the tab opener the shown content installed.
    host->findChild<QToolButton *>(QStringLiteral("newTabButton"))->click();
    EXPECT_EQ(host->tabs()->count(), 3);
}

TEST_F(ShellTest, NewMainWindowJoinsAsTabRightOfTheCurrentOneOrOpensItsOwnWindow)
{
    ContentView *a = HostWindow::openMainWindow();
    HostWindow *host = hostOf(a);
    ContentView *b = HostWindow::openMainWindow();
    EXPECT_EQ(hostOf(b), host);
    EXPECT_EQ(host->contents(), (QList<ContentView *>{a, b}));
    EXPECT_EQ(host->currentContent(), b);

    // The new tab goes right after the current one, not at the end.
    host->tabs()->setCurrentWidget(a);
    ContentView *c = HostWindow::openMainWindow();
    EXPECT_EQ(host->contents(), (QList<ContentView *>{a, c, b}));
    EXPECT_FALSE(host->tabs()->tabBar()->isHidden()) << "the tab bar shows even for few tabs";

    // Opening a session whose tab is open brings that tab forward instead of a second copy.
    EXPECT_EQ(HostWindow::openMainWindow(b->session()), b);
    EXPECT_EQ(host->tabs()->count(), 3);
    EXPECT_EQ(host->currentContent(), b);

    // A minimised host takes no tabs: the new main window is a window of its own.
    host->showMinimized();
    EXPECT_TRUE(eventually([&] { return host->isMinimized(); }));
    ContentView *d = HostWindow::openMainWindow();
    EXPECT_NE(hostOf(d), host);
    EXPECT_EQ(HostWindow::hosts().size(), 2);
    EXPECT_EQ(hostOf(d)->tabs()->count(), 1);
    EXPECT_FALSE(hostOf(d)->tabs()->tabBar()->isHidden());
}

TEST_F(ShellTest, TabsMoveBetweenWindowsWithoutEndingTheirSessions)
{
    ContentView *a = HostWindow::openMainWindow();
    HostWindow *first = hostOf(a);
    ContentView *b = HostWindow::openMainWindow();
    first->moveCurrentTabToNewWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(HostWindow::hosts().size(), 2);
    HostWindow *second = hostOf(b);
    EXPECT_NE(second, first);
    EXPECT_EQ(first->contents(), QList<ContentView *>{a});
    EXPECT_EQ(second->contents(), QList<ContentView *>{b});
    EXPECT_EQ(router.liveSessions(), (std::vector<QUuid>{a->session(), b->session()}));
    clock.advance(5000);
    EXPECT_TRUE(SendCheckupEngine::hasSession(b->session())) << "moving a tab does not close it";

    // A lone tab stays where it is; a new main window joins the first shown window.
    second->moveCurrentTabToNewWindow();
    EXPECT_EQ(HostWindow::hosts().size(), 2);
    ContentView *c = HostWindow::openMainWindow();
    EXPECT_EQ(hostOf(c), first);

    second->mergeAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(HostWindow::hosts(), QList<HostWindow *>{second});
    EXPECT_EQ(second->contents(), (QList<ContentView *>{b, a, c}));
    EXPECT_EQ(router.liveSessions().size(), 3u);
}

TEST_F(ShellTest, TheCurrentTabOfTheActiveWindowIsTheActiveSession)
{
    ContentView *a = HostWindow::openMainWindow();
    HostWindow *host = hostOf(a);
    waitActive(host);
    ContentView *b = HostWindow::openMainWindow();
    EXPECT_TRUE(eventually([&] { return router.activeSession() == b->session(); }));

    host->selectPreviousTab();
    EXPECT_EQ(router.activeSession(), a->session());
    host->selectNextTab();
    EXPECT_EQ(router.activeSession(), b->session());

    // Closing the active tab hands the board to the last live session.
    closeTabOf(b);
    EXPECT_EQ(router.liveSessions(), std::vector<QUuid>{a->session()});
    EXPECT_EQ(router.activeSession(), a->session());

    // Closing the last tab closes its window.
    QPointer<HostWindow> watched = host;
    closeTabOf(a);
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(router.liveSessions().empty());
    EXPECT_EQ(router.activeSession(), std::nullopt);
}

TEST_F(ShellTest, ClosedTabKeepsItsEngineForTwoSecondsThenLosesEngineAndPendingWork)
{
    TempDir dir;
    const auto file = dir.file("a.txt", "x");
    const QUuid session = QUuid::createUuid();

    ContentView *content = HostWindow::openMainWindow(session);
    SendCheckupEngine *engine = &SendCheckupEngine::session(session);
    engine->addURLs({file});
    closeTabOf(content);
    router.openZip({file}, session); // pending work left for the session while it is gone

    // Back within two seconds: the same engine with its files, and its hand-off still waiting.
    clock.advance(1500);
    content = HostWindow::openMainWindow(session);
    EXPECT_EQ(content->selection(), Utility::zipKorean);
    clock.advance(1000);
    ASSERT_TRUE(SendCheckupEngine::hasSession(session));
    EXPECT_EQ(&SendCheckupEngine::session(session), engine);
    EXPECT_EQ(engine->roots().size(), 1u);
    EXPECT_EQ(router.takeZipHandoff(session), PathList{file});

    // Gone for two seconds: engine and pending entries are dropped.
    router.openZip({file}, session);
    closeTabOf(content);
    router.request(Utility::tweaks, session);
    clock.advance(1999);
    EXPECT_TRUE(SendCheckupEngine::hasSession(session));
    clock.advance(1);
    EXPECT_FALSE(SendCheckupEngine::hasSession(session));
    EXPECT_FALSE(router.hasPendingUtility(session));
    EXPECT_TRUE(router.takeZipHandoff(session).empty());
}

TEST_F(ShellTest, PendingToolIsTakenOnceByItsOwnTab)
{
    const QUuid mine = QUuid::createUuid();
    router.request(Utility::heicConverter, mine);
    ContentView *other = HostWindow::openMainWindow();
    EXPECT_EQ(other->selection(), Utility::sendCheckup) << "another session's request is not taken";

    ContentView *content = HostWindow::openMainWindow(mine);
    EXPECT_EQ(content->selection(), Utility::heicConverter);
    EXPECT_EQ(pageTool(content->detailPage()), Utility::heicConverter);
    EXPECT_FALSE(router.hasPendingUtility(mine));

    // A request arriving while the tab is shown switches it at once, and only that tab.
    content->setSelection(std::nullopt);
    router.openZip({}, mine);
    EXPECT_EQ(content->selection(), Utility::zipKorean);
    EXPECT_FALSE(router.hasPendingUtility(mine));
    EXPECT_EQ(other->selection(), Utility::sendCheckup);
}

TEST_F(ShellTest, FirstShownWindowTakesUnassignedFilesAndAnEmptyArrivalLeavesTheEngineAlone)
{
    TempDir dir;
    const auto file = dir.file("photo.heic", "x");
    router.openCheckup({file});
    ContentView *first = HostWindow::openMainWindow();
    EXPECT_EQ(SendCheckupEngine::session(first->session()).roots(), PathList{file});
    EXPECT_EQ(first->selection(), Utility::sendCheckup);
    EXPECT_TRUE(router.unassignedArrival().empty());

    ContentView *second = HostWindow::openMainWindow();
    EXPECT_TRUE(SendCheckupEngine::session(second->session()).roots().empty()) << "taken once, by the first";

    // Files for a new tab reach that tab only.
    router.openCheckupInNewTab({file});
    ASSERT_EQ(hostOf(first)->tabs()->count(), 3);
    ContentView *third = hostOf(first)->currentContent();
    EXPECT_EQ(SendCheckupEngine::session(third->session()).roots(), PathList{file});
}

TEST_F(ShellTest, TrayMenuHoldsThePartsItemsInOrder)
{
    FakeSleepController controller;
    MenuBarContent menu(SleepSwitch::of(controller));
    const QList<QAction *> actions = menu.actions();
    ASSERT_EQ(actions.size(), 7);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("잠자기 방지"));
    EXPECT_TRUE(actions[0]->isCheckable());
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text(), QStringLiteral("누리함 열기"));
    EXPECT_EQ(actions[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(actions[3]->text(), QStringLiteral("누리함에 관하여"));
    EXPECT_EQ(actions[4]->text(), QStringLiteral("업데이트 확인…"));
    EXPECT_TRUE(actions[5]->isSeparator());
    EXPECT_EQ(actions[6]->text(), QStringLiteral("누리함 종료"));
    EXPECT_EQ(actions[6]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST_F(ShellTest, SleepToggleShowsTheControllerNotTheFlip)
{
    FakeSleepController controller;
    MenuBarContent menu(SleepSwitch::of(controller));
    QAction *toggle = menu.sleepToggle();

    // A declined start leaves the switch off.
    toggle->trigger();
    EXPECT_EQ(controller.starts, 1);
    EXPECT_FALSE(toggle->isChecked());

    controller.accepts = true;
    toggle->trigger();
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_EQ(controller.stops, 1);
    EXPECT_FALSE(toggle->isChecked());

    // A change made elsewhere (the sleep page) shows at once.
    controller.set(true);
    EXPECT_TRUE(toggle->isChecked());
    controller.set(false);
    EXPECT_FALSE(toggle->isChecked());

    // The application's menu drives the shared controller and shows whatever it reports.
    MenuBarContent shared(SleepSwitch::shared());
    shared.sleepToggle()->trigger();
    EXPECT_EQ(shared.sleepToggle()->isChecked(), SleepController::shared().isActive());
    SleepController::shared().stop();
    EXPECT_FALSE(shared.sleepToggle()->isChecked());
}

TEST_F(ShellTest, OpenFromTrayWithNoWindowOpensOneAfterADelayAndOtherwiseBringsItForward)
{
    MenuBarContent::openMainWindow();
    EXPECT_TRUE(HostWindow::hosts().isEmpty());
    clock.advance(399);
    EXPECT_TRUE(HostWindow::hosts().isEmpty());
    clock.advance(1);
    ASSERT_EQ(HostWindow::hosts().size(), 1);
    EXPECT_EQ(HostWindow::hosts().first()->tabs()->count(), 1);
    clock.advance(1000);
    EXPECT_EQ(HostWindow::hosts().first()->tabs()->count(), 1) << "no second window from the fallback";

    // With a window there, nothing is opened.
    MenuBarContent::openMainWindow();
    clock.advance(2000);
    EXPECT_EQ(HostWindow::hosts().size(), 1);
    EXPECT_EQ(HostWindow::hosts().first()->tabs()->count(), 1);
}

TEST_F(ShellTest, WindowMenusCarryTheCommandsAndOpenSingleDialogs)
{
    ContentView *content = HostWindow::openMainWindow();
    HostWindow *host = hostOf(content);
    const struct {
        const char *name;
        QKeySequence key;
    } commands[] = {
        {"newTab", QKeySequence(Qt::CTRL | Qt::Key_T)},
        {"closeTab", QKeySequence(Qt::CTRL | Qt::Key_W)},
        {"previousTab", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Left)},
        {"nextTab", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right)},
        {"manual", QKeySequence(Qt::CTRL | Qt::Key_Question)},
        {"settings", QKeySequence(QStringLiteral("Ctrl+,"))},
        {"quit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto &command : commands) {
        auto *action = host->menuBar()->findChild<QAction *>(QString::fromLatin1(command.name));
        ASSERT_NE(action, nullptr) << command.name;
        EXPECT_EQ(action->shortcut(), command.key) << command.name;
    }
    EXPECT_TRUE(host->menuBar()
                    ->findChild<QAction *>(QStringLiteral("manual"))
                    ->shortcuts()
                    .contains(QKeySequence(Qt::Key_F1)));
    // Without a tray (as here) the keep-awake switch is reachable from the window's menus.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        EXPECT_NE(host->menuBar()->findChild<QAction *>(QStringLiteral("sleepToggle")), nullptr);
    }

    // About and settings are single windows, never hosts of tabs.
    host->menuBar()->findChild<QAction *>(QStringLiteral("about"))->trigger();
    AboutDialog *about = AboutDialog::instance();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("누리함에 관하여"));
    EXPECT_EQ(AboutDialog::present(), about);
    host->menuBar()->findChild<QAction *>(QStringLiteral("settings"))->trigger();
    ASSERT_NE(SettingsDialog::instance(), nullptr);
    EXPECT_EQ(SettingsDialog::present(), SettingsDialog::instance());
    ContentView *next = HostWindow::openMainWindow();
    EXPECT_EQ(hostOf(next), host);

    // Ctrl+W closes the current tab.
    waitActive(host);
    QTest::keyClick(host, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(host->contents(), QList<ContentView *>{content});
}

TEST_F(ShellTest, StartOpensOneMainWindowAndClosingTheLastOneQuitsOnlyWithoutATray)
{
    for (const bool withTray : {true, false}) {
        SCOPED_TRACE(withTray);
        BrindlowApp application;
        application.start(false, withTray);
        ASSERT_EQ(HostWindow::hosts().size(), 1);
        HostWindow *host = HostWindow::hosts().first();
        EXPECT_EQ(host->tabs()->count(), 1);
        EXPECT_EQ(host->currentContent()->selection(), Utility::sendCheckup);
        EXPECT_EQ(application.trayIcon() != nullptr, withTray);

        // The tray leads back to a closed window; without it the program ends with its last one.
        QTimer::singleShot(0, host, &QWidget::close);
        QTimer::singleShot(withTray ? 300 : 10000, [] { QCoreApplication::exit(2); });
        EXPECT_EQ(QCoreApplication::exec(), withTray ? 2 : 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(HostWindow::hosts().isEmpty());
        EXPECT_TRUE(router.liveSessions().empty());
    }
    QApplication::setQuitOnLastWindowClosed(true);
}

TEST_F(ShellTest, TrayAndWindowsShowTheProgramIconWhichStandsOutOnDarkAndLightPanels)
{
    BrindlowApp application;
    application.start(false, true);
    ASSERT_NE(application.trayIcon(), nullptr);
    const QImage tray = application.trayIcon()->icon().pixmap(22, 22).toImage().convertToFormat(
        QImage::Format_ARGB32_Premultiplied);
    ASSERT_EQ(tray.size(), QSize(22, 22));
    EXPECT_EQ(
        HostWindow::hosts().first()->windowIcon().pixmap(22, 22).toImage().convertToFormat(tray.format()),
        tray);
    for (const char *panel : {"#000000", "#303030", "#dcdcdc", "#ffffff"}) {
        QImage shown(tray.size(), QImage::Format_RGB32);
        shown.fill(QColor(QString::fromLatin1(panel)));
        QPainter(&shown).drawImage(0, 0, tray);
        const int background = qGray(QColor(QString::fromLatin1(panel)).rgb());
        int standingOut = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                standingOut += std::abs(qGray(shown.pixel(x, y)) - background) >= 60 ? 1 : 0;
        EXPECT_GE(standingOut, shown.width() * shown.height() / 2) << panel;
    }
    for (HostWindow *host : HostWindow::hosts())
        host->close();
    QApplication::setQuitOnLastWindowClosed(true);
}

TEST_F(ShellTest, NewTabsJoinTheWindowTheyWereAskedFrom)
{
    TempDir dir;
    ContentView *a = HostWindow::openMainWindow();
    HostWindow *first = hostOf(a);
    HostWindow::openMainWindow();
    first->moveCurrentTabToNewWindow();
    ASSERT_EQ(HostWindow::hosts().size(), 2);
    HostWindow *second = HostWindow::hosts().last();
    // The user works in the second window while the first stays shown.
    waitActive(second);

    QTest::keyClick(second, Qt::Key_T, Qt::ControlModifier);
    second->findChild<QToolButton *>(QStringLiteral("newTabButton"))->click();
    EXPECT_EQ(second->tabs()->count(), 3);

    // "새 탭에서 시작" in the question about files arriving at a tab that holds some.
    ContentView *asking = second->currentContent();
    ASSERT_TRUE(eventually([&] { return router.activeSession() == asking->session(); }));
    SendCheckupEngine::session(asking->session()).addURLs({dir.file("held.txt")});
    const PathList arriving{dir.file("new.txt")};
    router.openCheckup(arriving);
    QMessageBox *question = nullptr;
    ASSERT_TRUE(eventually([&] {
        question = asking->findChild<QMessageBox *>(QStringLiteral("arrivalQuestion"));
        return question != nullptr && question->isVisible();
    }));
    QAbstractButton *newTab = nullptr;
    for (QAbstractButton *button : question->buttons())
        if (button->text() == QStringLiteral("새 탭에서 시작"))
            newTab = button;
    ASSERT_NE(newTab, nullptr);
    newTab->click();
    ASSERT_TRUE(eventually([&] { return second->tabs()->count() == 4; }));
    EXPECT_EQ(SendCheckupEngine::session(second->currentContent()->session()).roots(), arriving);
    EXPECT_EQ(first->contents(), QList<ContentView *>{a});
}

TEST_F(ShellTest, ManualAddressFollowsThePreferredLanguage)
{
    const struct {
        const char *code;
        const char *folder;
    } cases[] = {
        {"zh-HK", "zh-Hant/"},
        {"zh-Hant-TW", "zh-Hant/"},
        {"zh-MO", "zh-Hant/"},
        {"zh-Hans-CN", "zh/"},
        {"zh", "zh/"},
        {"ko-KR", ""},
        {"ko", ""},
        {"fr-CA", "fr/"},
        {"pt-BR", "pt/"},
        {"sv", "en/"},
        {"en-GB", "en/"},
        {"ha", "ha/"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ManualLink::manualURL({QString::fromLatin1(c.code)}).toString(),
                  ManualLink::baseAddress() + QString::fromLatin1(c.folder))
            << c.code;
    EXPECT_EQ(ManualLink::manualURL(QStringList{}).toString(), ManualLink::baseAddress());
}

TEST_F(ShellTest, NewToolRequestMailCarriesSubjectAndBodyWithTheVersion)
{
    AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), std::nullopt);
    const QUrl url = ContentView::newToolRequestUrl();
    AppInfo::clearOverrides();
    EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(url.path(), ContentView::feedbackAddress());
    const QUrlQuery query(url);
    const auto items = query.queryItems(QUrl::FullyDecoded);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].first, QStringLiteral("subject"));
    EXPECT_EQ(items[0].second, QStringLiteral("[누리함] 새 도구 요청"));
    EXPECT_EQ(items[1].first, QStringLiteral("body"));
    const QString body = items[1].second;
    EXPECT_TRUE(body.startsWith(QStringLiteral("안녕하세요, 이런 도구가 있으면 좋겠어요:\n\n")));
    EXPECT_TRUE(body.endsWith(QStringLiteral("누리함 버전: ? · macOS ") + QSysInfo::prettyProductName()))
        << body.toStdString();

    AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("2.5 & more"));
    const QUrl withVersion = ContentView::newToolRequestUrl();
    AppInfo::clearOverrides();
    EXPECT_TRUE(QUrlQuery(withVersion)
                    .queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded)
                    .contains(QStringLiteral("누리함 버전: 2.5 & more · macOS ")));
}

} // namespace

#include "ShellTest.moc"
