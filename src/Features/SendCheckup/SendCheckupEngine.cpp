#include "Features/SendCheckup/SendCheckupEngine.h"

#include "Core/Localization.h"
#include "Core/Notify.h"
#include "Core/Router.h"
#include "Core/ScanSupport.h"
#include "Core/Text.h"
#include "Features/SendCheckup/LinkRepair.h"

#include <algorithm>
#include <map>
#include <set>
#include <variant>

namespace fs = std::filesystem;

namespace {

std::map<QUuid, std::unique_ptr<SendCheckupEngine>> &registry()
{
    static std::map<QUuid, std::unique_ptr<SendCheckupEngine>> sessions;
    return sessions;
}

std::string nfcOf(std::string_view path)
{
    return Text::toNfc(path);
}

// Journals the renames a bulk action performs in the order it performs them, deepest first, not
// in the order of the engine's list. Undo walks the journal backwards, so a folder gets its old
// name back before the entries inside it, whose recorded paths lie below that old name. On Linux
// a name's decomposed and composed spellings are two different names: in list order (a folder
// before its entries) an NFD entry inside an NFD folder would be looked for below the old folder
// name while the folder still had its new one, and its undo would fail.
// Each rename carries the roots at or below the renamed path along with it; with `equivalent`,
// also a root that names the renamed entry in another normalisation.
template <typename Engine> class RenameRecorder {
public:
    RenameRecorder(Engine &engine, std::vector<UndoJournal::Operation> &ops, PathList &roots, bool equivalent)
        : engine_(engine), ops_(ops), roots_(roots), equivalent_(equivalent)
    {
        ops.reserve(ops.size() + std::size_t(engine.pendingCount()));
        engine.setRenameWatcher([this](int index, std::string &from) { record(index, from); });
    }
    ~RenameRecorder() { engine_.setRenameWatcher({}); }
    RenameRecorder(const RenameRecorder &) = delete;
    RenameRecorder &operator=(const RenameRecorder &) = delete;

private:
    void record(int index, const std::string &from)
    {
        // The entry keeps its folder: its new path is the old folder and the new name.
        const std::string to(ScanSupport::pathBytes(engine_.items()[std::size_t(index)].url));
        if (to != from)
            ops_.push_back(UndoJournal::renamed(from, to));
        if (!ScanSupport::followRename(roots_, from, to) && equivalent_) {
            // A root that names the entry in another normalisation is the same item.
            const std::string key = nfcOf(from);
            const auto root = std::find_if(roots_.begin(), roots_.end(),
                                           [&](const fs::path &r) { return nfcOf(r.native()) == key; });
            if (root != roots_.end())
                *root = to;
        }
    }

    Engine &engine_;
    std::vector<UndoJournal::Operation> &ops_;
    PathList &roots_;
    bool equivalent_;
};

// The paths one step moved to the Trash: whether a path went with them (is one, or lies below one).
class PathsGone {
public:
    void add(std::string path)
    {
        if (path.size() >= lengths_.size())
            lengths_.resize(path.size() + 1);
        lengths_[path.size()] = true;
        paths_.insert(std::move(path));
    }

    bool holds(std::string_view path) const
    {
        if (paths_.empty())
            return false;
        // The path itself, then each folder above it; only lengths that some path has are looked up.
        for (std::size_t end = path.size(); end > 0;) {
            if (end < lengths_.size() && lengths_[end] && paths_.count(path.substr(0, end)) != 0)
                return true;
            const auto slash = path.rfind('/', end - 1);
            if (slash == std::string_view::npos)
                break;
            end = slash;
        }
        return false;
    }

private:
    std::set<std::string, std::less<>> paths_;
    std::vector<bool> lengths_;
};

} // namespace

SendCheckupEngine::SendCheckupEngine()
{
    hangul.setForm(HangulRenameEngine::Form::nfc);
}

SendCheckupEngine::~SendCheckupEngine() = default;

SendCheckupEngine &SendCheckupEngine::session(const QUuid &id)
{
    auto &engine = registry()[id];
    if (!engine)
        engine = std::make_unique<SendCheckupEngine>();
    return *engine;
}

void SendCheckupEngine::discard(const QUuid &id)
{
    // Released on the event loop: a window may still be delivering a signal from it.
    if (auto node = registry().extract(id))
        node.mapped().release()->deleteLater();
}

bool SendCheckupEngine::hasSession(const QUuid &id)
{
    return registry().count(id) != 0;
}

void SendCheckupEngine::attachToRouter()
{
    Router::shared().setCheckupHook({
        [](const QUuid &id, const PathList &files) {
            SendCheckupEngine &engine = session(id);
            // A dashboard that already shows files asks before taking more.
            if (!engine.roots().empty())
                engine.setPendingArrival(files);
            else
                engine.addURLs(files);
        },
        [](const QUuid &id) { discard(id); },
    });
}

void SendCheckupEngine::setPendingArrival(PathList files)
{
    Notify::assign(this, pendingArrival_, std::move(files), &SendCheckupEngine::pendingArrivalChanged);
}

void SendCheckupEngine::setRoots(PathList roots)
{
    Notify::assign(this, roots_, std::move(roots), &SendCheckupEngine::rootsChanged);
}

void SendCheckupEngine::setIsFixed(bool fixed)
{
    Notify::assign(this, isFixed_, fixed, &SendCheckupEngine::isFixedChanged);
}

void SendCheckupEngine::setJournal(std::optional<UndoJournal> journal)
{
    journal_ = std::move(journal);
    emit journalChanged();
}

void SendCheckupEngine::setLastUndoResult(std::optional<UndoResult> result)
{
    lastUndoResult_ = result;
    emit lastUndoResultChanged();
}

void SendCheckupEngine::setSwitch(bool &value, bool on)
{
    Notify::assign(this, value, on, &SendCheckupEngine::fixSwitchesChanged);
}

void SendCheckupEngine::setFixHangul(bool on)
{
    setSwitch(fixHangul_, on);
}
void SendCheckupEngine::setFixJunk(bool on)
{
    setSwitch(fixJunk_, on);
}
void SendCheckupEngine::setFixNames(bool on)
{
    setSwitch(fixNames_, on);
}
void SendCheckupEngine::setFixHeic(bool on)
{
    setSwitch(fixHeic_, on);
}

int SendCheckupEngine::selectedKinds() const
{
    return int(fixHangul_ && hangul.pendingCount() > 0) + int(fixJunk_ && junk.pendingCount() > 0) +
           int(fixNames_ && names.pendingCount() > 0) + int(fixHeic_ && heic.pendingCount() > 0);
}

std::int64_t SendCheckupEngine::unreadableFolderCount() const
{
    return std::max(
        {hangul.unreadableCount(), junk.unreadableCount(), names.unreadableCount(), heic.unreadableCount()});
}

std::optional<QString> SendCheckupEngine::unreadableWarning() const
{
    const auto count = unreadableFolderCount();
    if (count < 1)
        return std::nullopt;
    return L("폴더 %lld개는 권한이 없어 살펴보지 못했습니다", count);
}

QString SendCheckupEngine::inferenceMessage() const
{
    const auto h = hangul.pendingCount();
    const auto j = junk.pendingCount();
    const auto n = names.pendingCount();
    const auto c = heic.pendingCount();
    if (h >= 1 && j >= 1)
        return L("자소가 분리된 파일명 %lld개와 시스템 잔여 파일 %lld개가 발견됐어요 — Windows로 보낼 준비로 "
                 "판단했어요.",
                 h, j);
    if (h >= 1)
        return L("자소가 분리된 파일명 %lld개를 찾았어요 — Windows로 보내면 이름이 깨져 보여요.", h);
    if (n >= 1)
        return L("Windows에서 저장할 수 없는 이름 %lld개를 찾았어요.", n);
    if (c >= 1)
        return L("HEIC 사진 %lld장이 있어요 — 어디서나 열리는 JPG 변환을 추천해요.", c);
    if (j >= 1)
        return L("시스템 잔여 파일 %lld개만 발견됐어요 — 정리하면 깔끔하게 보낼 수 있어요.", j);
    return L("문제를 찾지 못했어요 — 그대로 보내셔도 좋아요.");
}

void SendCheckupEngine::addURLs(const PathList &urls)
{
    if (ScanSupport::addRoots(roots_, urls))
        emit rootsChanged();
    setIsFixed(false);
    setLastUndoResult(std::nullopt);
    rescanAll();
}

void SendCheckupEngine::rescanAll()
{
    hangul.clear();
    junk.clear();
    names.clear();
    heic.clear();
    if (roots_.empty())
        return;
    hangul.addURLs(roots_);
    junk.addURLs(roots_);
    names.addURLs(roots_);
    heic.addURLs(roots_);
}

void SendCheckupEngine::clear()
{
    setRoots({});
    setIsFixed(false);
    setJournal(std::nullopt);
    setLastUndoResult(std::nullopt);
    rescanAll();
}

void SendCheckupEngine::fixAll()
{
    setLastUndoResult(std::nullopt);
    std::vector<UndoJournal::Operation> ops;

    if (fixHeic_) {
        std::set<QUuid> pending;
        for (const auto &item : heic.items())
            if (item.status.kind == HeicConvertEngine::Status::Kind::pending)
                pending.insert(item.id);
        heic.convertAll();
        for (const auto &item : heic.items())
            if (pending.count(item.id) != 0 && item.status.kind == HeicConvertEngine::Status::Kind::done)
                ops.push_back(UndoJournal::created(item.written));
    }

    PathsGone trashed;
    if (fixJunk_) {
        std::set<QUuid> pending;
        for (const auto &item : junk.items())
            if (item.status.kind == DSStoreCleanerEngine::Item::Status::Kind::pending)
                pending.insert(item.id);
        junk.trashAll();
        for (const auto &item : junk.items()) {
            if (pending.count(item.id) == 0 ||
                item.status.kind != DSStoreCleanerEngine::Item::Status::Kind::trashed)
                continue;
            trashed.add(item.url.native());
            if (item.trashedTo)
                ops.push_back(UndoJournal::trashed(item.url, *item.trashedTo));
        }
    }

    // Links that reach what the renames below move are kept reaching it.
    const bool renaming =
        (fixHangul_ && hangul.pendingCount() > 0) || (fixNames_ && names.pendingCount() > 0);
    std::optional<LinkRepair> links;
    if (renaming)
        links.emplace(roots_);

    if (fixHangul_) {
        // Only what the diagnosis showed is renamed; what the junk step just took away is not
        // there to rename, which is no failure.
        hangul.leaveOut([&](const std::string &path) { return trashed.holds(path); });
        const std::size_t first = ops.size();
        PathList roots = roots_;
        {
            RenameRecorder<HangulRenameEngine> recorder(hangul, ops, roots, false);
            hangul.applyAll();
        }
        setRoots(std::move(roots));
        if (links)
            links->follow(ops, first);
    }

    if (fixNames_) {
        names.clear();
        names.addURLs(roots_);
        const std::size_t first = ops.size();
        PathList roots = roots_;
        {
            RenameRecorder<FilenameSanitizerEngine> recorder(names, ops, roots, true);
            names.applyAll();
        }
        setRoots(std::move(roots));
        if (links)
            links->follow(ops, first);
    }
    if (links)
        links->rewrite(ops);

    // Undo reverses what this pass did: its journal replaces any earlier one, also when empty.
    setJournal(UndoJournal(std::move(ops)));
    setIsFixed(true);
}

void SendCheckupEngine::undoLastFix()
{
    if (!journal_)
        return;
    // Taken out rather than copied: a large pass journals a rename for every name.
    const UndoJournal journal = std::move(*journal_);
    const UndoJournal::Result result = journal.undo();

    // Roots follow only the renames that were really reversed: a failed one leaves its item under
    // the new name, and the root must keep pointing at it. A root at or below a renamed path goes
    // back with it.
    const auto &ops = journal.operations();
    PathList mapped;
    for (const fs::path &root : roots_) {
        std::string p = root.native();
        for (std::size_t i = ops.size(); i-- > 0;) {
            const auto *renamed = std::get_if<UndoJournal::Renamed>(&ops[i]);
            if (renamed == nullptr || !result.reversed[i])
                continue;
            const std::string to = renamed->to();
            if (ScanSupport::isAtOrBelow(p, to)) {
                p = std::string(renamed->from()).append(p, to.size());
                continue;
            }
            // Normalisation is forgiven only when no root holds the exact path (twins stay apart).
            const bool equivalent =
                nfcOf(to) == nfcOf(p) && std::none_of(roots_.begin(), roots_.end(),
                                                      [&](const fs::path &r) { return r.native() == to; });
            if (equivalent)
                p = renamed->from();
        }
        mapped.emplace_back(std::move(p));
    }
    setRoots(std::move(mapped));
    setLastUndoResult(UndoResult{result.restored, result.failed});
    setJournal(std::nullopt);
    setIsFixed(false);
    rescanAll();
}
