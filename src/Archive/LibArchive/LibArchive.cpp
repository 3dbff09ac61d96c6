#include "Archive/LibArchive/LibArchive.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/LibArchive/LibArchiveSupport.h"
#include "Core/Localization.h"
#include "Core/Text.h"

#include <cerrno>
#include <dlfcn.h>
#include <unistd.h>

using namespace LibArchiveSupport;

// The arguments are a name, a type and a parameter list, which cannot stand in parentheses.
// NOLINTBEGIN(bugprone-macro-parentheses)
void LibArchiveSymbols::bind(void *library)
{
#define QF_LIBARCHIVE_BIND(member, symbol, role, result, parameters)                                         \
    member = reinterpret_cast<result(*) parameters>(::dlsym(library, #symbol));
    QF_LIBARCHIVE_SYMBOLS(QF_LIBARCHIVE_BIND)
#undef QF_LIBARCHIVE_BIND
    // Libraries without the UTF-8 setter take names in the locale's encoding, which is UTF-8 here.
    if (entrySetPathname == nullptr)
        entrySetPathname = entrySetPathnameBytes;
}

bool LibArchiveSymbols::complete(Role wanted) const
{
#define QF_LIBARCHIVE_PRESENT(member, symbol, role, result, parameters)                                      \
    if (Role::role == wanted && member == nullptr)                                                           \
        return false;
    QF_LIBARCHIVE_SYMBOLS(QF_LIBARCHIVE_PRESENT)
#undef QF_LIBARCHIVE_PRESENT
    return true;
}
// NOLINTEND(bugprone-macro-parentheses)

ssize_t LibArchiveSupport::readSome(int fd, char *data, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, data, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

QString LibArchive::ArchiveError::description() const
{
    switch (kind()) {
    case Kind::unavailable:
        return L("이 시스템에서 압축 라이브러리를 사용할 수 없습니다.");
    case Kind::passwordRequired:
        return L("암호가 걸린 파일입니다. 암호를 입력하세요.");
    case Kind::wrongPassword:
        return L("암호가 올바르지 않거나 이 포맷의 암호 해제를 지원하지 않습니다.");
    case Kind::failed:
        return L("압축 처리에 실패했습니다. (%@)", detail());
    }
    return {};
}

bool LibArchive::Item::isMacJunk() const
{
    return ::isMacJunk(name);
}

const std::set<std::string> &LibArchive::supportedExtensions()
{
    static const std::set<std::string> extensions{"7z",   "rar",  "tar", "gz",  "tgz", "bz2",
                                                  "tbz",  "tbz2", "xz",  "txz", "lz4", "zst",
                                                  "cpio", "iso",  "lzh", "lha", "cab", "ar"};
    return extensions;
}

LibArchive &LibArchive::shared()
{
    static LibArchive instance("libarchive.so.13");
    return instance;
}

LibArchive::LibArchive(const std::string &library)
{
    // The handle is never closed: the library stays loaded for the life of the process.
    void *handle = ::dlopen(library.c_str(), RTLD_NOW);
    if (handle == nullptr)
        return;
    bind(handle);
    isAvailable_ = complete(Role::read);
}

bool LibArchive::canWrite() const
{
    return complete(Role::write);
}

LibArchive::ArchiveError LibArchive::interpret(const std::string &text)
{
    const QString lower = Text::fromUtf8(text).toLower();
    const auto has = [&](const char *word) { return lower.contains(QLatin1String(word)); };
    if (has("passphrase") || has("password") || has("encrypted"))
        return has("incorrect") || has("invalid") ? Error::wrongPassword() : Error::passwordRequired();
    return Error::failed(Text::fromUtf8(text));
}

std::string LibArchive::lastError(struct archive *handle) const
{
    const char *text = errorString ? errorString(handle) : nullptr;
    if (text == nullptr)
        return Text::utf8(L("알 수 없는 오류"));
    return text;
}

std::string LibArchive::decodeName(const char *raw)
{
    if (raw == nullptr)
        return {};
    const std::string_view bytes(raw);
    if (Text::isValidUtf8(bytes))
        return std::string(bytes);
    if (auto cp949 = Text::decodeCp949(bytes))
        return *cp949;
    // Latin-1 maps every byte, so decoding always ends here at the latest.
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())).toStdString();
}
