#pragma once

#include "Core/Router.h"
#include "Features/DSStoreCleaner/DSStoreCleanerEngine.h"
#include "Features/FilenameSanitizer/FilenameSanitizerEngine.h"
#include "Features/HangulFilename/HangulRenameEngine.h"
#include "Features/HeicConvert/HeicConvertEngine.h"
#include "Features/SendCheckup/UndoJournal.h"

#include <QObject>
#include <QUuid>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

// The model behind one window tab's send-checkup dashboard: the dropped roots, a diagnosis for
// four kinds of problem through engines of its own, one fix pass recorded in an undo journal, and
// its undo. Kept in a registry keyed by the tab's session. Main thread only.
class SendCheckupEngine : public QObject {
    Q_OBJECT

public:
    struct UndoResult {
        int restored = 0;
        int failed = 0;
        bool operator==(const UndoResult &) const = default;
    };

    SendCheckupEngine();
    ~SendCheckupEngine() override;

    // The engine of a session, created on first use.
    static SendCheckupEngine &session(const QUuid &id);
    static void discard(const QUuid &id);
    static bool hasSession(const QUuid &id);
    // Lets the router hand arrivals to, and drop, the engines of this registry. Idempotent.
    static void attachToRouter();

    HangulRenameEngine hangul;
    DSStoreCleanerEngine junk;
    FilenameSanitizerEngine names;
    HeicConvertEngine heic;

    const PathList &pendingArrival() const { return pendingArrival_; }
    void setPendingArrival(PathList files);
    const PathList &roots() const { return roots_; }
    bool isFixed() const { return isFixed_; }
    const std::optional<UndoJournal> &journal() const { return journal_; }
    const std::optional<UndoResult> &lastUndoResult() const { return lastUndoResult_; }

    bool fixHangul() const { return fixHangul_; }
    bool fixJunk() const { return fixJunk_; }
    bool fixNames() const { return fixNames_; }
    bool fixHeic() const { return fixHeic_; }
    void setFixHangul(bool on);
    void setFixJunk(bool on);
    void setFixNames(bool on);
    void setFixHeic(bool on);

    // Kinds whose switch is on and which have something pending (0 to 4).
    int selectedKinds() const;
    // The largest unreadable-folder count of the four checks.
    std::int64_t unreadableFolderCount() const;
    std::optional<QString> unreadableWarning() const;
    QString inferenceMessage() const;

    // Adds files and folders (each resolved to its real path, the path unchanged when that
    // fails; a path byte-equal to a held root is skipped) and rediagnoses.
    void addURLs(const PathList &urls);
    void rescanAll();
    void clear();

    // Runs the ticked fixes (HEIC copies, junk to the Trash, Korean names to NFC, Windows names)
    // and journals every change in the order it was made; the pass's journal replaces the last.
    void fixAll();
    // Reverses the last pass's journal, maps the roots back and rediagnoses.
    void undoLastFix();

signals:
    void pendingArrivalChanged();
    void rootsChanged();
    void isFixedChanged();
    void journalChanged();
    void lastUndoResultChanged();
    void fixSwitchesChanged();

private:
    void setRoots(PathList roots);
    void setIsFixed(bool fixed);
    void setJournal(std::optional<UndoJournal> journal);
    void setLastUndoResult(std::optional<UndoResult> result);
    void setSwitch(bool &value, bool on);

    PathList pendingArrival_;
    bool fixHangul_ = true;
    bool fixJunk_ = true;
    bool fixNames_ = true;
    bool fixHeic_ = true;
    PathList roots_;
    bool isFixed_ = false;
    std::optional<UndoJournal> journal_;
    std::optional<UndoResult> lastUndoResult_;
};
