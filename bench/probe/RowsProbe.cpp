// rows sources|entries|results|dashboard PATH: the seconds a page takes to show what its engine
// found in PATH, offscreen at the window's smallest size: the compress page's items to pack (PATH a
// folder) or an opened archive's entries (PATH an archive), the Korean file-name page's results and
// the home dashboard (PATH a folder). Prints "rows N", "engine S" (the engine's own work) and
// "page S": the engine filled first, the page is built around it and shown, then hears of the rows
// and paints one whole frame.
#include "Probe.h"

#include "Features/HangulFilename/HangulFilenameView.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Features/SendCheckup/SendCheckupView.h"
#include "Features/ZipKorean/ZipKoreanView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QUuid>
#include <QVBoxLayout>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

namespace {

using Paths = std::vector<std::filesystem::path>;

// The seconds of one call.
double seconds(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e9;
}

// Shows the page in a window of the smallest main-window size, then times the news of the rows and
// everything it makes the page do until one whole frame is painted.
double shown(QWidget *page, const std::function<void()> &news)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    window.resize(720, 480);
    window.show();
    QApplication::processEvents();
    return seconds([&] {
        news();
        QApplication::processEvents();
        (void)window.grab();
    });
}

int rows(const std::vector<std::string> &arguments)
{
    if (arguments.size() != 2)
        return Probe::fail("usage: rows sources|entries|results|dashboard PATH");
    const std::string &kind = arguments[0];
    const Paths input{arguments[1]};
    std::size_t count = 0;
    double engine = 0;
    double page = 0;
    if (kind == "sources" || kind == "entries") {
        auto filled = std::make_unique<ZipKoreanEngine>();
        ZipKoreanEngine *e = filled.get();
        engine = seconds([&] { e->addURLs(input); });
        count = kind == "sources" ? e->sources().size() : e->displayEntries().size();
        page = shown(new ZipKoreanView(std::move(filled), QUuid::createUuid()), [&] {
            if (kind == "sources")
                emit e->sourcesChanged();
            else
                emit e->displayEntriesChanged();
        });
    } else if (kind == "results") {
        auto filled = std::make_unique<HangulRenameEngine>();
        HangulRenameEngine *e = filled.get();
        engine = seconds([&] { e->addURLs(input); });
        count = e->items().size();
        page = shown(new HangulFilenameView(std::move(filled)), [&] { emit e->itemsChanged(); });
    } else if (kind == "dashboard") {
        SendCheckupEngine e;
        engine = seconds([&] { e.addURLs(input); });
        count = e.hangul.items().size();
        page = shown(new SendCheckupView(e, QUuid::createUuid()), [&] { emit e.rootsChanged(); });
    } else {
        return Probe::fail("usage: rows sources|entries|results|dashboard PATH");
    }
    std::printf("rows\t%zu\nengine\t%.3f\npage\t%.3f\n", count, engine, page);
    return 0;
}

const Probe::Registration registration("rows", "sources|entries|results|dashboard PATH", rows,
                                       Probe::Needs::widgets);

} // namespace
