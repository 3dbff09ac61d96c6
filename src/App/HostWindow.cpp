#include "App/HostWindow.h"

#include "App/AppCommands.h"
#include "App/ContentView.h"
#include "App/WindowActivation.h"
#include "Core/Localization.h"
#include "Core/TabOpener.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QMenu>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

QList<QPointer<HostWindow>> &registry()
{
    static QList<QPointer<HostWindow>> list;
    return list;
}

} // namespace

HostWindow::HostWindow()
{
    // Windows of the main group carry an identifier beginning with "main"; the about and
    // settings windows never host tabs.
    setObjectName(QStringLiteral("main"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(L("누리함"));
    resize(920, 620);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->setDocumentMode(true);
    tabs_->setTabsClosable(true);
    tabs_->setMovable(true);
    tabs_->setTabBarAutoHide(false);
    tabs_->tabBar()->setExpanding(true);
    auto *plus = new QToolButton(tabs_);
    plus->setObjectName(QStringLiteral("newTabButton"));
    plus->setText(QStringLiteral("+"));
    plus->setToolTip(L("새 탭"));
    plus->setAutoRaise(true);
    tabs_->setCornerWidget(plus, Qt::TopRightCorner);
    connect(plus, &QToolButton::clicked, this, &HostWindow::newWindowForTab);
    connect(tabs_, &QTabWidget::tabCloseRequested, this, &HostWindow::closeTab);
    connect(tabs_, &QTabWidget::currentChanged, this, &HostWindow::currentTabChanged);
    setCentralWidget(tabs_);
    tabs_->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabs_->tabBar(), &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const int index = tabs_->tabBar()->tabAt(at);
        if (index < 0)
            return;
        QMenu menu;
        QAction *move = menu.addAction(L("탭을 새로운 윈도우로 이동"), this,
                                       [this, index] { moveTabToNewWindow(index); });
        move->setEnabled(tabs_->count() > 1);
        menu.addAction(L("탭 닫기"), this, [this, index] { closeTab(index); });
        menu.exec(tabs_->tabBar()->mapToGlobal(at));
    });

    AppCommands::install(this);
    registry().append(this);
}

HostWindow::~HostWindow()
{
    endAllContent();
    registry().removeAll(QPointer<HostWindow>(this));
    registry().removeAll(QPointer<HostWindow>());
}

QList<HostWindow *> HostWindow::hosts()
{
    QList<HostWindow *> result;
    for (const auto &host : registry())
        if (host)
            result.append(host.data());
    return result;
}

ContentView *HostWindow::contentFor(const QUuid &session)
{
    for (HostWindow *host : hosts())
        for (ContentView *content : host->contents())
            if (content->session() == session)
                return content;
    return nullptr;
}

ContentView *HostWindow::keyContent()
{
    for (HostWindow *host : hosts())
        if (host->isActiveWindow())
            return host->currentContent();
    return nullptr;
}

HostWindow *HostWindow::askingHost()
{
    // A dialog (the question about arriving files) asks on behalf of the window it belongs to.
    for (QWidget *window = QApplication::activeWindow(); window != nullptr;
         window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
        if (auto *host = qobject_cast<HostWindow *>(window))
            return host->isVisible() && !host->isMinimized() ? host : nullptr;
    }
    return nullptr;
}

ContentView *HostWindow::openMainWindow(std::optional<QUuid> session)
{
    if (session) {
        if (ContentView *open = contentFor(*session)) {
            if (auto *host = qobject_cast<HostWindow *>(open->window()))
                host->bringForward(open);
            return open;
        }
    }
    HostWindow *host = askingHost();
    for (HostWindow *candidate : hosts()) {
        if (host == nullptr && candidate->isVisible() && !candidate->isMinimized())
            host = candidate;
    }
    if (!host) {
        host = new HostWindow;
        host->show();
    }
    auto *content = new ContentView(session);
    host->addContent(content);
    host->bringForward(content);
    return content;
}

ContentView *HostWindow::currentContent() const
{
    return qobject_cast<ContentView *>(tabs_->currentWidget());
}

QList<ContentView *> HostWindow::contents() const
{
    QList<ContentView *> result;
    for (int i = 0; i < tabs_->count(); ++i)
        if (auto *content = qobject_cast<ContentView *>(tabs_->widget(i)))
            result.append(content);
    return result;
}

void HostWindow::addContent(ContentView *content)
{
    const int index = tabs_->count() == 0 ? 0 : tabs_->currentIndex() + 1;
    adoptContent(content, index);
    content->contentAppeared();
}

void HostWindow::bringForward(ContentView *content)
{
    WindowActivation::bringForward(*this);
    if (tabs_->currentWidget() != content)
        tabs_->setCurrentWidget(content);
    else if (isActiveWindow())
        content->becameKey();
}

void HostWindow::closeTab(int index)
{
    auto *content = qobject_cast<ContentView *>(tabs_->widget(index));
    if (!content)
        return;
    tabs_->removeTab(index);
    content->contentDisappeared();
    content->deleteLater();
    if (tabs_->count() == 0)
        close();
}

void HostWindow::closeCurrentTab()
{
    if (tabs_->count() > 0)
        closeTab(tabs_->currentIndex());
}

void HostWindow::selectPreviousTab()
{
    if (tabs_->count() > 1)
        tabs_->setCurrentIndex((tabs_->currentIndex() + tabs_->count() - 1) % tabs_->count());
}

void HostWindow::selectNextTab()
{
    if (tabs_->count() > 1)
        tabs_->setCurrentIndex((tabs_->currentIndex() + 1) % tabs_->count());
}

void HostWindow::newWindowForTab()
{
    TabOpener::shared().openTab(QUuid::createUuid());
}

void HostWindow::adoptContent(ContentView *content, int index)
{
    tabs_->insertTab(index, content, content->windowTitle());
    // The tab, and the window while the tab is current, carry the title of the page it shows. A
    // content that moved to another window is no tab here any more and changes nothing.
    connect(content, &QWidget::windowTitleChanged, this, [this, content](const QString &title) {
        const int at = tabs_->indexOf(content);
        if (at < 0)
            return;
        tabs_->setTabText(at, title);
        if (at == tabs_->currentIndex())
            setWindowTitle(title);
    });
    if (tabs_->currentWidget() == content)
        setWindowTitle(content->windowTitle());
}

void HostWindow::moveTabToNewWindow(int index)
{
    auto *content = qobject_cast<ContentView *>(tabs_->widget(index));
    if (!content || tabs_->count() < 2)
        return;
    tabs_->removeTab(index);
    auto *host = new HostWindow;
    host->adoptContent(content, 0);
    host->move(pos() + QPoint(40, 40));
    host->show();
    host->bringForward(content);
}

void HostWindow::moveCurrentTabToNewWindow()
{
    moveTabToNewWindow(tabs_->currentIndex());
}

void HostWindow::mergeAllWindows()
{
    for (HostWindow *other : hosts()) {
        if (other == this)
            continue;
        for (ContentView *content : other->contents()) {
            other->tabs_->removeTab(other->tabs_->indexOf(content));
            adoptContent(content, tabs_->count());
        }
        other->close();
    }
    if (ContentView *content = currentContent())
        bringForward(content);
}

void HostWindow::currentTabChanged()
{
    if (ContentView *content = currentContent())
        setWindowTitle(content->windowTitle());
    if (isActiveWindow())
        if (ContentView *content = currentContent())
            content->becameKey();
}

void HostWindow::closeEvent(QCloseEvent *event)
{
    endAllContent();
    event->accept();
}

void HostWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        if (ContentView *content = currentContent())
            content->becameKey();
}

void HostWindow::endAllContent()
{
    if (!tabs_)
        return;
    for (ContentView *content : contents())
        content->contentDisappeared();
}
