#pragma once

#include "Platform/Trash.h"

#include <filesystem>

// The freedesktop.org Trash on byte paths. An item on the device of the home trash
// ($XDG_DATA_HOME/Trash) goes there; an item on another device goes to that volume's
// $topdir/.Trash/$uid (when .Trash is a sticky folder and not a link) or $topdir/.Trash-$uid.
// The .trashinfo name is reserved with O_EXCL and the item moved with renameat2(RENAME_NOREPLACE),
// so nothing already in the Trash is ever replaced.
class FreedesktopTrash final : public Trash {
public:
    std::filesystem::path moveToTrash(const std::filesystem::path &item) override;
    void restore(const std::filesystem::path &trashed, const std::filesystem::path &original) override;

    // $XDG_DATA_HOME/Trash, or ~/.local/share/Trash when XDG_DATA_HOME is unset or relative.
    static std::filesystem::path homeTrash();
};
