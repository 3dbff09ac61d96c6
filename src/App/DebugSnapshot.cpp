#include "App/DebugSnapshot.h"

#include "App/AboutDialog.h"
#include "App/ContentView.h"
#include "App/HostWindow.h"
#include "Core/AtomicFile.h"
#include "Core/FileError.h"
#include "Core/Localization.h"
#include "Core/Router.h"
#include "Core/TabOpener.h"
#include "Core/Utility.h"
#include "Features/SendCheckup/SendCheckupEngine.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>

namespace DebugSnapshot {

namespace {

bool &captureFailed()
{
    static bool failed = false;
    return failed;
}

// Ends a hook run; a picture that could not be written makes the run fail.
void finish()
{
    QCoreApplication::exit(captureFailed() ? 1 : 0);
}

std::optional<std::vector<std::string>> &storedArguments()
{
    static std::optional<std::vector<std::string>> arguments;
    return arguments;
}

const std::vector<std::string> &arguments()
{
    if (!storedArguments()) {
        std::vector<std::string> args;
        for (const QString &a : QCoreApplication::arguments())
            args.push_back(a.toLocal8Bit().toStdString());
        storedArguments() = std::move(args);
    }
    return *storedArguments();
}

// The value after the first occurrence of the flag: absent flag, or the flag last.
struct FlagValue {
    bool present = false;
    std::optional<std::string> value;
};

FlagValue flagValue(const std::string &flag)
{
    const auto &args = arguments();
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == flag) {
            if (i + 1 < args.size())
                return {true, args[i + 1]};
            return {true, std::nullopt};
        }
    }
    return {};
}

QString fromBytes(const std::string &s)
{
    return QString::fromLocal8Bit(s.data(), qsizetype(s.size()));
}

// Visible application windows (no menus or tooltips), in the order they were made.
QList<QWidget *> visibleWindows()
{
    QList<QWidget *> out;
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (!window->isVisible() || (window->type() != Qt::Window && window->type() != Qt::Dialog))
            continue;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->windowHandle() == window && widget->isVisible())
                out.append(widget);
    }
    return out;
}

void writeText(const QString &path, const QStringList &lines)
{
    try {
        replaceWholeFile(QFile::encodeName(path).toStdString(), lines.join(QLatin1Char('\n')).toStdString());
    } catch (const FileError &) {
        // Ignored: the pictures matter, not this list.
    }
}

void placeWindow(QSizeF size)
{
    const QList<QWidget *> windows = visibleWindows();
    if (windows.isEmpty())
        return;
    QWidget *window = windows.first();
    window->move(80, 80);
    window->resize(int(size.width()), int(size.height()));
    window->repaint();
}

void activate()
{
    const QList<QWidget *> windows = visibleWindows();
    if (!windows.isEmpty()) {
        windows.first()->raise();
        windows.first()->activateWindow();
    }
}

// Steps run one after another on the main thread, each after its wait; the waits keep the
// interface live between steps.
class Sequence : public QObject {
public:
    Sequence() : QObject(qApp) {}

    Sequence &wait(double seconds)
    {
        pendingWait_ += int(std::lround(seconds * 1000));
        return *this;
    }
    Sequence &then(std::function<void()> step)
    {
        steps_.push_back({pendingWait_, std::move(step)});
        pendingWait_ = 0;
        return *this;
    }
    void start() { next(); }

private:
    void next()
    {
        if (steps_.empty()) {
            deleteLater();
            return;
        }
        Step step = std::move(steps_.front());
        steps_.pop_front();
        QTimer::singleShot(step.wait, this, [this, work = std::move(step.work)] {
            work();
            next();
        });
    }

    struct Step {
        int wait;
        std::function<void()> work;
    };
    std::deque<Step> steps_;
    int pendingWait_ = 0;
};

void runManualShots(ContentView *view)
{
    const auto dir = outputDirectory("--manual-shots");
    if (!dir)
        return;
    QPointer<ContentView> content(view);
    auto *sequence = new Sequence;
    sequence->wait(1.2).then([] {
        placeWindow(shotSize().value_or(QSizeF(980, 660)));
        activate();
        QApplication::setActiveWindow(visibleWindows().value(0));
    });
    sequence->then([content] {
        if (content)
            content->setSelection(Utilities::allCases.front());
    });
    sequence->wait(0.9);
    const auto &cases = Utilities::allCases;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Utility tool = cases[i];
        sequence->then([dir = *dir, tool] {
            captureWindow(dir + QLatin1Char('/') + Utilities::toString(tool) + QStringLiteral(".png"));
        });
        if (i + 1 < cases.size()) {
            const Utility nextTool = cases[i + 1];
            sequence->then([content, nextTool] {
                if (content)
                    content->setSelection(nextTool);
            });
            sequence->wait(0.9);
        } else {
            sequence->wait(0.3);
        }
    }
    sequence->then([] { finish(); });
    sequence->start();
}

bool &uiTestBegun()
{
    static bool begun = false;
    return begun;
}

void runUITestSteps(const QString &dir, const QUuid &session)
{
    auto *sequence = new Sequence;
    auto shot = [dir](const char *name) {
        return [dir, name] { captureWindow(dir + QLatin1Char('/') + QLatin1String(name)); };
    };
    auto engine = [session]() -> SendCheckupEngine & { return SendCheckupEngine::session(session); };
    sequence->wait(0.8).then([] { placeWindow(QSizeF(980, 660)); });
    sequence->wait(1.2).then(shot("1-dashboard.png")).then([engine] { engine().fixAll(); });
    sequence->wait(1.0).then(shot("2-done.png")).then([engine, session] {
        Router::shared().openZip(engine().roots(), session);
    });
    sequence->wait(1.2).then(shot("3-zip.png")).then([session] {
        Router::shared().request(Utility::sendCheckup, session);
    });
    sequence->wait(0.8).then([engine] { engine().undoLastFix(); });
    sequence->wait(1.0).then(shot("4-undone.png")).then([] {
        TabOpener::shared().openTab(QUuid::createUuid());
    });
    sequence->wait(1.2).then(shot("5-newtab.png")).then([dir] {
        QStringList lines;
        for (QWidget *window : visibleWindows()) {
            const QString name =
                window->objectName().isEmpty() ? window->windowTitle() : window->objectName();
            auto *host = qobject_cast<HostWindow *>(window);
            lines << name + QStringLiteral(" tabs=") + QString::number(host ? host->tabs()->count() : 0);
        }
        writeText(dir + QStringLiteral("/windows.txt"), lines);
        for (HostWindow *host : HostWindow::hosts()) {
            if (host->isActiveWindow() || HostWindow::hosts().size() == 1) {
                host->selectPreviousTab();
                break;
            }
        }
    });
    sequence->wait(0.8).then(shot("6-tabswitch.png"));
    sequence->wait(0.3).then([] { finish(); });
    sequence->start();
}

void runUITest(ContentView *view)
{
    const auto dir = outputDirectory("--uitest-shots");
    if (!dir)
        return;
    const QUuid session = view->session();
    // Waits, without a time limit, for files to reach the tab; the polling ends with the tab,
    // so a closed tab leaves no loop behind.
    auto *poll = new QTimer(view);
    poll->setObjectName(QStringLiteral("uiTestPoll"));
    poll->setInterval(200);
    auto check = [poll, session, dir = *dir] {
        if (SendCheckupEngine::session(session).roots().empty())
            return;
        poll->stop();
        poll->deleteLater();
        if (uiTestBegun())
            return;
        uiTestBegun() = true;
        runUITestSteps(dir, session);
    };
    QObject::connect(poll, &QTimer::timeout, poll, check);
    poll->start();
}

void runAboutShots()
{
    const auto dir = outputDirectory("--about-shots");
    if (!dir)
        return;
    auto *sequence = new Sequence;
    sequence->then([] {
        AboutDialog::present();
        activate();
    });
    sequence->wait(1.0).then([] {
        const QString title = L("누리함에 관하여");
        QScreen *best = nullptr;
        for (QScreen *screen : QGuiApplication::screens())
            if (!best || screen->devicePixelRatio() > best->devicePixelRatio())
                best = screen;
        QWidget *window = nullptr;
        for (QWidget *w : visibleWindows())
            if (w->windowTitle() == title) {
                window = w;
                break;
            }
        if (best && window) {
            const QRect frame = window->frameGeometry();
            const QPoint centre = best->geometry().center();
            window->move(centre.x() - frame.width() / 2, centre.y() - frame.height() / 2);
            window->raise();
            window->activateWindow();
        }
    });
    auto clock = std::make_shared<QElapsedTimer>();
    auto lines = std::make_shared<QStringList>();
    sequence->wait(0.8).then([clock] { clock->start(); });
    const int n = aboutShotsFrameCount();
    for (int i = 0; i < n; ++i) {
        sequence->then([dir = *dir, i, clock, lines] {
            captureWindow(L("누리함에 관하여"), dir + QString::asprintf("/f%02d.png", i));
            lines->append(QString::asprintf("%02d %.0f", i, double(clock->nsecsElapsed()) / 1e6));
        });
        sequence->wait(0.04);
    }
    sequence->then([dir = *dir, lines] {
        writeText(dir + QStringLiteral("/timing.txt"), *lines);
        finish();
    });
    sequence->start();
}

} // namespace

void setArguments(std::vector<std::string> args)
{
    storedArguments() = std::move(args);
}

QString directory()
{
    static const QString folder = QDir::tempPath() + QStringLiteral("/quillfern-debug");
    return folder;
}

std::optional<QString> outputDirectory(const std::string &flag)
{
    const FlagValue v = flagValue(flag);
    if (!v.present)
        return std::nullopt;
    return v.value ? fromBytes(*v.value) : directory();
}

std::optional<QSizeF> shotSize()
{
    const FlagValue v = flagValue("--shot-size");
    if (!v.value)
        return std::nullopt;
    const QStringList pieces = fromBytes(*v.value).toLower().split(QLatin1Char('x'), Qt::SkipEmptyParts);
    if (pieces.size() != 2)
        return std::nullopt;
    bool okWidth = false;
    bool okHeight = false;
    const double width = pieces[0].toDouble(&okWidth);
    const double height = pieces[1].toDouble(&okHeight);
    if (!okWidth || !okHeight)
        return std::nullopt;
    return QSizeF(width, height);
}

int aboutShotsFrameCount()
{
    constexpr int fallback = 48;
    const FlagValue v = flagValue("--about-frames");
    if (!v.value || v.value->empty())
        return fallback;
    std::string_view text = *v.value;
    if (text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return fallback;
    return int(std::clamp<long long>(value, 1, 400));
}

bool saveCapture(QWidget *window, const QString &path);

bool capture(QWidget *window, const QString &path)
{
    if (saveCapture(window, path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", QFile::encodeName(path).constData());
    captureFailed() = true;
    return false;
}

bool saveCapture(QWidget *window, const QString &path)
{
    if (!window || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QPixmap picture;
    if (QScreen *screen = window->screen(); screen && window->internalWinId() != 0)
        picture = screen->grabWindow(window->internalWinId());
    // Platforms without a screen picture (offscreen, some compositors) give nothing or a
    // picture of the wrong size: the widget then draws itself.
    const QSize expected = window->size() * window->devicePixelRatio();
    if (picture.isNull() || picture.size() != expected) {
        const QSize size = window->size();
        if (size.isEmpty() || !std::isfinite(double(size.width()) * window->devicePixelRatio()))
            return false;
        picture = window->grab();
    }
    return !picture.isNull() && picture.save(path, "PNG");
}

void captureWindow(const QString &path)
{
    const QList<QWidget *> windows = visibleWindows();
    if (windows.isEmpty())
        return;
    QWidget *chosen = windows.first();
    for (QWidget *w : windows)
        if (!w->windowTitle().isEmpty()) {
            chosen = w;
            break;
        }
    capture(chosen, path);
}

void captureWindow(const QString &title, const QString &path)
{
    for (QWidget *w : visibleWindows())
        if (w->windowTitle() == title) {
            capture(w, path);
            return;
        }
}

void startHooks(ContentView *view)
{
    runManualShots(view);
    runUITest(view);
    runAboutShots();
}

} // namespace DebugSnapshot
