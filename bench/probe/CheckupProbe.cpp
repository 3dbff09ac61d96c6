// checkup ROOT... [--fix] [--undo]: the diagnosis (one line per kind: kind, pending count), then
// with --fix the journalled changes (operation, paths; a link's texts), then with --undo the restored and
// failed counts. All in one process, as a tab would do it.
#include "Probe.h"
#include "ProbeSupport.h"

#include "Features/SendCheckup/SendCheckupEngine.h"

#include <cstdio>

namespace fs = std::filesystem;

namespace {

void printDiagnosis(const SendCheckupEngine &engine)
{
    std::printf("hangul\t%d\n", engine.hangul.pendingCount());
    std::printf("junk\t%d\n", engine.junk.pendingCount());
    std::printf("names\t%d\n", engine.names.pendingCount());
    std::printf("heic\t%lld\n", static_cast<long long>(engine.heic.pendingCount()));
    std::printf("message\t%s\n", engine.inferenceMessage().toStdString().c_str());
}

int checkup(const std::vector<std::string> &arguments)
{
    const auto parsed = Probe::parseArguments(arguments, {"--fix", "--undo"}, {}, true);
    const bool fix = parsed && parsed->has("--fix");
    const bool undo = parsed && parsed->has("--undo");
    if (!parsed || parsed->rest.empty() || (undo && !fix))
        return Probe::fail("usage: checkup ROOT... [--fix] [--undo]");
    const PathList roots(parsed->rest.begin(), parsed->rest.end());

    SendCheckupEngine engine;
    engine.addURLs(roots);
    printDiagnosis(engine);
    if (!fix)
        return 0;
    engine.fixAll();
    for (const auto &op : engine.journal()->operations()) {
        if (const auto *r = std::get_if<UndoJournal::Renamed>(&op))
            std::printf("renamed\t%.*s\t%s\n", int(r->from().size()), r->from().data(), r->to().c_str());
        else if (const auto *t = std::get_if<UndoJournal::Trashed>(&op))
            std::printf("trashed\t%.*s\t%.*s\n", int(t->original().size()), t->original().data(),
                        int(t->trash().size()), t->trash().data());
        else if (const auto *l = std::get_if<UndoJournal::Relinked>(&op))
            std::printf("relinked\t%s\t%s\t%s\n", l->change->path.c_str(), l->change->oldText.c_str(),
                        l->change->newText.c_str());
        else
            std::printf("created\t%s\n", std::get<UndoJournal::Created>(op).path.c_str());
    }
    if (!undo)
        return 0;
    engine.undoLastFix();
    const auto result = *engine.lastUndoResult();
    std::printf("undo\t%d restored\t%d failed\n", result.restored, result.failed);
    return result.failed > 0 ? 1 : 0;
}

const Probe::Registration registration("checkup", "ROOT... [--fix] [--undo]", checkup);

} // namespace
