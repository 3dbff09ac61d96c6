#pragma once

#include "Features/SendCheckup/UndoJournal.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

// Keeps the symbolic links below the dropped roots reaching what a fix pass renames. Here the two
// spellings of a Korean name are two names, so a link whose text spells the old one would point
// nowhere after the pass: such a link gets the new spelling in its text, the rest of the text kept
// as it was (relative or absolute), and the change is journalled. Links that reach nothing before
// the pass, or that reach something the pass did not rename, are left alone.
class LinkRepair {
public:
    // Notes the links below the roots that reach an entry now, before the pass renames anything.
    explicit LinkRepair(const std::vector<std::filesystem::path> &roots);

    bool empty() const { return links_.empty(); }

    // Follows one step's renames, journalled as ops[first…] (each folder's entries renamed before the
    // folder, so every old path holds the old names of the folders above it): the links' texts and
    // their own paths are spelled anew.
    void follow(const std::vector<UndoJournal::Operation> &ops, std::size_t first);

    // Rewrites each link whose text a step spelled anew and whose new text reaches the very entry
    // the old one did, and journals it.
    void rewrite(std::vector<UndoJournal::Operation> &ops) const;

private:
    struct Link {
        std::string path; // where it stands, followed through every step
        std::string oldText;
        std::string text; // spelled anew by every step
        UndoJournal::Inode link;
        UndoJournal::Inode target;
    };
    std::vector<Link> links_;
};
