#include "Core/ScanSupport.h"

#include "Core/Text.h"

#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace ScanSupport {

QUuid newId()
{
    quint64 bits[2];
    QRandomGenerator::global()->fillRange(bits);
    QUuid id;
    id.data1 = uint(bits[0] >> 32);
    id.data2 = ushort(bits[0] >> 16);
    id.data3 = ushort((bits[0] & 0x0FFF) | 0x4000); // version 4
    for (int i = 0; i < 8; ++i)
        id.data4[i] = uchar(bits[1] >> (8 * i));
    id.data4[0] = uchar((id.data4[0] & 0x3F) | 0x80); // RFC 4122 variant
    return id;
}

std::filesystem::path standardized(const std::filesystem::path &path)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        absolute = path;
    std::string text = absolute.lexically_normal().native();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

bool appendRoots(std::vector<std::filesystem::path> &roots, const std::vector<std::filesystem::path> &adding)
{
    bool appended = false;
    for (const auto &root : adding) {
        const bool held = std::any_of(roots.begin(), roots.end(), [&](const std::filesystem::path &r) {
            return r.native() == root.native();
        });
        if (!held) {
            roots.push_back(root);
            appended = true;
        }
    }
    return appended;
}

bool addRoots(std::vector<std::filesystem::path> &roots, const std::vector<std::filesystem::path> &urls,
              std::filesystem::path (*resolve)(const std::filesystem::path &))
{
    std::vector<std::filesystem::path> adding;
    adding.reserve(urls.size());
    for (const auto &url : urls)
        adding.push_back(resolve(url));
    return appendRoots(roots, adding);
}

bool replaceRoot(std::vector<std::filesystem::path> &roots, const std::filesystem::path &from,
                 const std::filesystem::path &to)
{
    for (auto &root : roots) {
        if (root.native() == from.native()) {
            root = to;
            return true;
        }
    }
    return false;
}

std::size_t depth(const std::filesystem::path &path)
{
    const std::string &text = path.native();
    std::size_t count = 0;
    bool inName = false;
    for (char c : text) {
        if (c == '/') {
            inName = false;
        } else if (!inName) {
            inName = true;
            ++count;
        }
    }
    return count;
}

std::vector<std::size_t> deepestFirst(const std::vector<std::filesystem::path> &paths)
{
    std::vector<std::pair<std::size_t, std::size_t>> order;
    order.reserve(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i)
        order.emplace_back(depth(paths[i]), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    std::vector<std::size_t> indices;
    indices.reserve(order.size());
    for (const auto &entry : order)
        indices.push_back(entry.second);
    return indices;
}

OpenFolder::OpenFolder(const std::filesystem::path &path)
    : path_(path), fd_(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC))
{
}

OpenFolder::~OpenFolder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int OpenFolder::lstat(const std::string &name, struct stat &st) const
{
    const int result = fd_ >= 0 ? ::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW)
                                : ::lstat((path_ / name).c_str(), &st);
    return result == 0 ? 0 : errno;
}

EntryType entryType(const OpenFolder &folder, const DirectoryScan::Entry &entry)
{
    if (entry.type != DT_UNKNOWN)
        return {entry.type == DT_DIR, 0};
    struct stat st;
    const int error = folder.lstat(entry.name, st);
    return {error == 0 && S_ISDIR(st.st_mode), error};
}

EntryType pathType(const std::filesystem::path &path)
{
    struct stat st;
    const int error = ::lstat(path.c_str(), &st) == 0 ? 0 : errno;
    return {error == 0 && S_ISDIR(st.st_mode), error};
}

std::int64_t entrySize(const std::filesystem::path &path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? std::int64_t(st.st_size) : 0;
}

namespace {

std::string nfcKey(std::string_view bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(bytes);
    return Text::toNfc(bytes);
}

} // namespace

// UTF-8 byte order is code point order, so NFC bytes compare scalar by scalar. "/" never
// composes with a neighbour, so each component can be normalised on its own.
std::string orderKey(const std::filesystem::path &path)
{
    const std::string &bytes = path.native();
    std::string key;
    key.reserve(bytes.size());
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t slash = std::min(bytes.find('/', start), bytes.size());
        key += nfcKey(std::string_view(bytes).substr(start, slash - start));
        if (slash < bytes.size())
            key += '/';
        start = slash + 1;
    }
    return key;
}

std::vector<std::string> orderKeys(const std::vector<const std::filesystem::path *> &paths)
{
    std::vector<std::string> keys;
    keys.reserve(paths.size());
    std::string folder, folderKey;
    for (const auto *path : paths) {
        const std::string &bytes = path->native();
        const std::size_t slash = bytes.rfind('/');
        if (slash == std::string::npos) {
            keys.push_back(nfcKey(bytes));
            continue;
        }
        if (keys.empty() || std::string_view(bytes).substr(0, slash) != folder) {
            folder = bytes.substr(0, slash);
            folderKey = orderKey(folder);
        }
        keys.push_back(folderKey + "/" + nfcKey(std::string_view(bytes).substr(slash + 1)));
    }
    return keys;
}

} // namespace ScanSupport
