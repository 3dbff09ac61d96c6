#pragma once

#include <QString>

#include <cstdint>

#include <filesystem>
#include <optional>
#include <sys/types.h>
#include <variant>
#include <vector>

// The changes one fix pass made to the user's files, kept in memory, in the order they were
// made, and reversed from last to first on request.
class UndoJournal {
public:
    struct Renamed {
        std::filesystem::path from;
        std::filesystem::path to;
    };
    struct Trashed {
        std::filesystem::path original;
        std::filesystem::path trash;
    };
    // Who an entry is: device and inode, and its birth time where the file system keeps one
    // (inode numbers are reused as soon as a file is deleted).
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        std::optional<std::pair<std::int64_t, std::uint32_t>> birth;
        bool operator==(const Identity &) const = default;
        static std::optional<Identity> of(const std::filesystem::path &path);
    };
    // A file the fix wrote. Its identity (and that of its folder) is kept so that undo never
    // trashes a file that merely has the same name.
    struct Created {
        std::filesystem::path path;
        std::optional<Identity> file;
        std::optional<Identity> folder;
    };
    using Operation = std::variant<Renamed, Trashed, Created>;

    struct Result {
        int restored = 0;
        int failed = 0;
        std::vector<bool> reversed; // per operation, in journal order
    };

    UndoJournal() = default;
    explicit UndoJournal(std::vector<Operation> operations) : operations_(std::move(operations)) {}

    static Operation renamed(std::filesystem::path from, std::filesystem::path to);
    static Operation trashed(std::filesystem::path original, std::filesystem::path trash);
    // Records the file now standing at the path (call right after writing it).
    static Operation created(std::filesystem::path path);

    const std::vector<Operation> &operations() const { return operations_; }
    bool empty() const { return operations_.empty(); }

    // Reverses every operation from last to first; never stops at a failure.
    Result undo() const;

    // Moves the item at `current` to the name `target`, never replacing anything. Where the file
    // system treats both names as one entry (EEXIST on the same inode), it goes through a hidden
    // temporary name in the same folder. Returns the error text, or nothing on success.
    static std::optional<QString> twoStepRename(const std::filesystem::path &current,
                                                const std::filesystem::path &target);

private:
    std::vector<Operation> operations_;
};
