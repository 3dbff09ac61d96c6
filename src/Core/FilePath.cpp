#include "Core/FilePath.h"

#include "Core/Descriptor.h"
#include "Core/LinkText.h"
#include "Core/LongPath.h"
#include "Core/Text.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace FilePath {

QString display(const fs::path &p)
{
    return Text::lossyUtf8(p.native());
}

namespace {

// realpath(3) for a path of PATH_MAX bytes or more, which the kernel refuses whole: one component
// at a time, each looked at relative to the folder reached so far, and each link's text put in
// place of its name, as the kernel would.
std::optional<fs::path> realPathInPieces(const fs::path &p)
{
    std::error_code ignored;
    const std::string whole = fs::absolute(p, ignored).native();
    std::vector<std::string> left; // components still to follow, the next one last
    const auto push = [&left](std::string_view text) {
        std::vector<std::string> words;
        for (std::size_t start = 0; start <= text.size();) {
            const auto slash = std::min(text.find('/', start), text.size());
            if (slash > start)
                words.emplace_back(text.substr(start, slash - start));
            start = slash + 1;
        }
        left.insert(left.end(), words.rbegin(), words.rend());
    };
    push(whole);
    Descriptor folder(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    std::string resolved; // "" is "/"
    int links = 0;
    while (!left.empty() && folder.valid()) {
        const std::string name = std::move(left.back());
        left.pop_back();
        if (name == ".")
            continue;
        if (name == "..") {
            folder = Descriptor(::openat(folder.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
            resolved.resize(std::min(resolved.size(), resolved.rfind('/')));
            continue;
        }
        struct stat st {};
        if (::fstatat(folder.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return std::nullopt;
        if (S_ISLNK(st.st_mode)) {
            const auto text = linkText(folder.get(), name.c_str());
            if (!text || ++links > 40)
                return std::nullopt;
            if (text->starts_with('/')) {
                folder = Descriptor(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
                resolved.clear();
            }
            push(*text);
            continue;
        }
        resolved.append("/").append(name);
        if (!left.empty())
            folder = Descriptor(
                ::openat(folder.get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }
    if (!folder.valid())
        return std::nullopt;
    return fs::path(resolved.empty() ? std::string("/") : resolved);
}

} // namespace

std::optional<fs::path> realPath(const fs::path &p)
{
    char *resolved = ::realpath(p.c_str(), nullptr);
    if (resolved == nullptr)
        return errno == ENAMETOOLONG ? realPathInPieces(p) : std::nullopt;
    fs::path out(resolved);
    std::free(resolved);
    return out;
}

fs::path realPathOrSame(const fs::path &p)
{
    return realPath(p).value_or(p);
}

bool exists(const fs::path &p)
{
    struct stat st {};
    return LongPath::stat(p, st) == 0;
}

std::optional<std::string> percentDecode(std::string_view text)
{
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int hi = hex(text[i + 1]);
        const int lo = hex(text[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
    }
    return out;
}

std::optional<fs::path> fromFileUrl(std::string_view url)
{
    constexpr std::string_view scheme = "file:";
    if (url.size() < scheme.size())
        return std::nullopt;
    for (std::size_t i = 0; i < scheme.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(url[i])) != scheme[i])
            return std::nullopt;
    std::string_view rest = url.substr(scheme.size());
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const auto slash = rest.find('/');
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && host != "localhost")
            return std::nullopt;
        rest = slash == std::string_view::npos ? std::string_view("/") : rest.substr(slash);
    }
    if (const auto cut = rest.find_first_of("?#"); cut != std::string_view::npos)
        rest = rest.substr(0, cut);
    auto decoded = percentDecode(rest);
    // A NUL (%00) would end the name early in every call that takes it: "/a%00b" is no "/a".
    if (!decoded || decoded->empty() || decoded->front() != '/' || decoded->find('\0') != std::string::npos)
        return std::nullopt;
    return fs::path(*decoded);
}

std::vector<fs::path> fromUriList(std::string_view uriList)
{
    std::vector<fs::path> paths;
    while (!uriList.empty()) {
        const auto end = uriList.find('\n');
        std::string_view line = uriList.substr(0, end);
        uriList = end == std::string_view::npos ? std::string_view() : uriList.substr(end + 1);
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
            line.remove_suffix(1); // also the CR of CRLF lines
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front())))
            line.remove_prefix(1);
        if (line.empty() || line.front() == '#')
            continue;
        if (auto path = fromFileUrl(line))
            paths.push_back(std::move(*path));
    }
    return paths;
}

std::string toFileUrl(const fs::path &p)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out = "file://";
    for (unsigned char c : p.native()) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            out.push_back(char(c));
        } else {
            out.push_back('%');
            out.push_back(digits[c >> 4]);
            out.push_back(digits[c & 15]);
        }
    }
    return out;
}

} // namespace FilePath
