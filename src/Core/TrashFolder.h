#pragma once

#include "Core/Folder.h"

#include <filesystem>
#include <string>

// The Trash folders of the freedesktop Trash specification. What they hold was thrown away, with
// its original paths: no tool scans, renames, counts or packs them, whatever folder holding one
// was dropped (a home folder, or the top folder of a USB stick the Trash has just been used on).
namespace TrashFolder {

// The home Trash: $XDG_DATA_HOME/Trash, or ~/.local/share/Trash when XDG_DATA_HOME is unset or
// relative.
std::filesystem::path home();

// Whether the entry `name` of the open folder `holder` is a Trash folder: the home Trash, or at the
// top folder of a mount ".Trash" (which holds the users' own) or ".Trash-" and a user id. With
// followLinks, a link that leads to one counts too.
bool is(const Folder &holder, const std::string &name, bool followLinks = false);

// The same for the entry at a path (a link to a Trash folder counts).
bool is(const std::filesystem::path &path);

} // namespace TrashFolder
