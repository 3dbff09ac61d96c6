#pragma once

#include "Archive/SevenZip/SevenZipError.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace SevenZipTest {

// Every file and folder below root: relative path -> contents ("/" + nothing for a folder).
std::map<std::string, std::string> tree(const std::filesystem::path &root);

// One entry of `7zz l -slt`: path, folder flag, size.
struct PeerEntry {
    std::string path;
    bool isDirectory = false;
    std::int64_t size = 0;
    std::string method;
    bool operator==(const PeerEntry &) const = default;
};
// Lists an archive with 7zz; `ok` false when 7zz failed.
std::vector<PeerEntry> peerList(const std::filesystem::path &archive, const QString &password, bool *ok);
// Runs 7zz with the arguments; returns its exit code.
int sevenZip(const QStringList &arguments, std::string *output = nullptr);

std::vector<std::uint8_t> bytes(std::string_view s);

// Runs the step expecting a SevenZipReadError of the kind with exactly the detail.
void expectReadError(const std::function<void()> &step, SevenZipReadError::Kind kind,
                     const QString &detail = {});

} // namespace SevenZipTest
