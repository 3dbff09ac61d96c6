#pragma once

#include <filesystem>

// Renames without ever replacing an entry at the new name: renameat2 with RENAME_NOREPLACE. Where
// the file system refuses that flag, a hard link to the new name (which the kernel refuses when
// the name is taken) and removal of the old one; where it has no hard links either (or for a
// folder), a look at the new name followed by a plain rename. Returns 0 on success, else the
// errno value (EEXIST when the new name is taken).
int renameNoReplaceAt(int fromFolder, const char *from, int toFolder, const char *to);

// Both names relative to one open folder (a descriptor, O_PATH will do).
int renameNoReplaceAt(int folder, const char *from, const char *to);

// The same by paths, of any length (LongPath).
int renameNoReplace(const std::filesystem::path &from, const std::filesystem::path &to);
