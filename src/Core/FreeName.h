#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <unordered_set>
#include <utility>

// Free-name search: a taken path gets " N" before its last extension (after the whole name when
// it has none), N from 2 to 9999; the first free path wins. A path is taken when lstat finds
// anything there (a dangling symbolic link counts) or when its folder holds a name equal to it
// after NFC: Windows and macOS take the two spellings for one name. A name that is not UTF-8
// compares as bytes. nullopt when every candidate is taken.
std::optional<std::filesystem::path> freeName(const std::filesystem::path &wanted);
// The same for a name in the folder open as `folder`: only the wanted path's last component is
// looked up there (with its composed and decomposed spellings), and the result keeps the wanted path's folder
// part.
std::optional<std::filesystem::path> freeName(int folder, const std::filesystem::path &wanted);
// The same rule with another judge: the first candidate, in order, for which `taken` says false.
std::optional<std::filesystem::path>
freeName(const std::filesystem::path &wanted,
         const std::function<bool(const std::filesystem::path &)> &taken);

// The same search for a run of many new names: the folder looked into last is listed once and
// kept for as long as nothing but the caller's own renames, told through renamed(), change it.
class FreeNames {
public:
    std::optional<std::filesystem::path> find(const std::filesystem::path &wanted);
    // The caller moved `from` to `to`: the kept listing follows.
    void renamed(const std::filesystem::path &from, const std::filesystem::path &to);

private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const Stamp &other) const;
    };
    struct Listing {
        std::string folder;
        Stamp stamp;
        // The NFC forms of the names in the folder that are not in NFC themselves.
        std::unordered_multiset<std::string> spelledOtherwise;
    };
    static std::optional<Stamp> stampOf(int folder);

    std::optional<Listing> listing_;
};

// True when lstat finds anything at the path.
bool pathIsTaken(const std::filesystem::path &path);

// "photo.heic" -> {"photo", ".heic"}; "archive" -> {"archive", ""}; ".bashrc" -> {".bashrc", ""}.
std::pair<std::string, std::string> splitExtension(const std::string &name);
