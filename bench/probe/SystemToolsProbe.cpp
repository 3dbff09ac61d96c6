// System tools: which power assertions this desktop grants, and the hidden-settings switches as the page
// reads and writes them.
#include "Probe.h"

#include "Features/SleepPreventer/SleepPreventerController.h"
#include "Features/Tweaks/TweaksEngine.h"
#include "Platform/PowerManagement.h"

#include <QString>

#include <cstdio>

namespace {

void print(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
}

// power: asks the desktop for each guard's assertion, prints held or refused, and lets them go again.
int power(const std::vector<std::string> &arguments)
{
    if (!arguments.empty())
        return Probe::fail("usage: quillfern-probe power");
    PowerManagement &layer = PowerManagement::system();
    for (auto guard : SleepPreventerController::allGuards) {
        const QString type = SleepPreventerController::assertionType(guard);
        if (type.isEmpty())
            continue;
        auto id = layer.create(type, PowerManagement::levelOn, SleepPreventerController::assertionName);
        print(type + (id ? QStringLiteral("\theld") : QStringLiteral("\trefused")));
        if (id)
            layer.release(*id);
    }
    return 0;
}

// tweaks [--defaults PROGRAM] [--killall PROGRAM] [--set ID on|off]...: sets the given switches, then
// prints every switch and the screenshot settings as a refresh reads them.
int tweaks(const std::vector<std::string> &arguments)
{
    TweaksEngine::Helpers helpers = TweaksEngine::defaultHelpers();
    std::vector<std::pair<QString, bool>> changes;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &a = arguments[i];
        if (a == "--defaults" && i + 1 < arguments.size()) {
            helpers.defaultsProgram = QString::fromStdString(arguments[++i]);
        } else if (a == "--killall" && i + 1 < arguments.size()) {
            helpers.killallProgram = QString::fromStdString(arguments[++i]);
        } else if (a == "--set" && i + 2 < arguments.size() &&
                   (arguments[i + 2] == "on" || arguments[i + 2] == "off")) {
            changes.emplace_back(QString::fromStdString(arguments[i + 1]), arguments[i + 2] == "on");
            i += 2;
        } else {
            return Probe::fail("usage: quillfern-probe tweaks [--defaults PROGRAM] [--killall PROGRAM] "
                               "[--set ID on|off]...");
        }
    }
    TweaksEngine engine(helpers);
    for (const auto &[id, on] : changes) {
        bool known = false;
        for (const auto &section : TweaksEngine::sections()) {
            for (const auto &t : section.tweaks) {
                if (t.id == id) {
                    engine.setTweak(t, on);
                    known = true;
                }
            }
        }
        if (!known)
            return Probe::fail("unknown switch: " + id.toStdString());
    }
    engine.refresh();
    for (const auto &section : TweaksEngine::sections())
        for (const auto &t : section.tweaks)
            print(t.id + (engine.state(t.id) ? QStringLiteral("\ton") : QStringLiteral("\toff")));
    print(QStringLiteral("screenshot-type\t") + (engine.screenshotIsJPG() ? "jpg" : "png"));
    print(QStringLiteral("screenshot-location\t") + engine.screenshotLocation());
    return 0;
}

const Probe::Registration powerCommand("power", "", power);
const Probe::Registration
    tweaksCommand("tweaks", "[--defaults PROGRAM] [--killall PROGRAM] [--set ID on|off]...", tweaks);

} // namespace
