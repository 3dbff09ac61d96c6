#pragma once

#include <filesystem>

// Renames `from` to `to` without ever replacing an entry at `to`: renameat2 with RENAME_NOREPLACE,
// and where the file system refuses that flag, an lstat check followed by a plain rename. Paths
// of any length (LongPath). Returns 0 on success, else the errno value (EEXIST when `to` is taken).
int renameNoReplace(const std::filesystem::path &from, const std::filesystem::path &to);

// The same with both names relative to one open folder (a descriptor, O_PATH will do).
int renameNoReplaceAt(int folder, const char *from, const char *to);
// The same with each name relative to its own folder.
int renameNoReplaceAt(int fromFolder, const char *from, int toFolder, const char *to);
