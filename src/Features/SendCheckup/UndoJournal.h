#pragma once

#include <QString>

#include <cstdint>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <variant>
#include <vector>

// The changes one fix pass made to the user's files, kept in memory, in the order they were
// made, and reversed from last to first on request. Paths are kept as their bytes, packed: a pass
// over a large tree journals a rename for every name in it.
class UndoJournal {
public:
    // An entry's device and inode; inode 0 when not known.
    struct Inode {
        dev_t device = 0;
        ino_t inode = 0;
        bool known() const { return inode != 0; }
        bool operator==(const Inode &) const = default;
        // Of the entry at the path itself (a link is not followed).
        static std::optional<Inode> at(const std::string &path);
    };
    // An entry moved from one path to another: both paths in one string, `from` followed by what
    // `to` adds after the folder the two share; and the entry moved, when it is known, so that
    // undo never moves another that took its name.
    class Renamed {
    public:
        Renamed(std::string_view from, std::string_view to, Inode entry);
        std::string_view from() const { return std::string_view(bytes_).substr(0, fromSize_); }
        std::string to() const;
        Inode entry() const { return entry_; }

    private:
        std::string bytes_;
        std::uint32_t fromSize_ = 0;
        std::uint32_t sharedSize_ = 0; // bytes of the folder `from` and `to` share
        Inode entry_;
    };
    // An entry moved to the Trash: its original path and where the Trash put it; and the entry,
    // when it is known, so that undo never brings back another that took its place in the Trash.
    class Trashed {
    public:
        Trashed(std::string_view original, std::string_view trash, Inode entry);
        std::string_view original() const { return std::string_view(bytes_).substr(0, originalSize_); }
        std::string_view trash() const { return std::string_view(bytes_).substr(originalSize_); }
        Inode entry() const { return entry_; }

    private:
        std::string bytes_;
        std::size_t originalSize_ = 0;
        Inode entry_;
    };
    // Who an entry is: device and inode, and its birth time where the file system keeps one
    // (inode numbers are reused as soon as a file is deleted).
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        std::optional<std::pair<std::int64_t, std::uint32_t>> birth;
        bool operator==(const Identity &) const = default;
        static std::optional<Identity> of(const std::string &path);
    };
    // A file the fix wrote. Its identity (and that of its folder) is kept so that undo never
    // trashes a file that merely has the same name.
    struct Created {
        struct Identities {
            std::optional<Identity> file;
            std::optional<Identity> folder;
        };
        std::string path;
        std::shared_ptr<const Identities> identities;
    };
    // A symbolic link whose text the pass rewrote to follow a rename: where it stands, its text
    // before and after, and the rewritten link itself.
    struct Relinked {
        struct Change {
            std::string path;
            std::string oldText;
            std::string newText;
            Inode link;
        };
        std::shared_ptr<const Change> change;
    };
    using Operation = std::variant<Renamed, Trashed, Created, Relinked>;

    struct Result {
        int restored = 0;
        int failed = 0;
        std::vector<bool> reversed; // per operation, in journal order
    };

    UndoJournal() = default;
    explicit UndoJournal(std::vector<Operation> operations) : operations_(std::move(operations)) {}

    // These record the entry now standing at `to` or `trash` (call right after the move).
    static Operation renamed(const std::string &from, const std::string &to);
    static Operation trashed(const std::string &original, const std::string &trash);
    // Records the file now standing at the path (call right after writing it).
    static Operation created(std::string path);
    static Operation relinked(std::string path, std::string oldText, std::string newText, Inode link);

    const std::vector<Operation> &operations() const { return operations_; }
    bool empty() const { return operations_.empty(); }

    // Reverses every operation from last to first; never stops at a failure.
    Result undo() const;

    // Moves the item at `current` to the name `target`, never replacing anything. Where the file
    // system treats both names as one entry (EEXIST on the same inode), it goes through a hidden
    // temporary name in the same folder. Returns the error text, or nothing on success.
    static std::optional<QString> twoStepRename(const std::filesystem::path &current,
                                                const std::filesystem::path &target);

    // Gives the symbolic link at `path` (the entry `link`, whose text is `text`) the text
    // `newText`. A new link is swapped in for it in one step, and whatever was swapped out is
    // checked to be that link, else put back: nothing else standing there is ever replaced.
    // Returns the new link, or nothing when it could not be done.
    static std::optional<Inode> retarget(const std::string &path, Inode link, std::string_view text,
                                         const std::string &newText);

private:
    std::vector<Operation> operations_;
};
