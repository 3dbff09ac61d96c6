#pragma once

#include "Archive/LibArchive/LibArchive.h"
#include "Core/Localization.h"

#include <clocale>
#include <cstddef>
#include <cstring>
#include <langinfo.h>
#include <sys/types.h>
#include <utility>

// What the bridge's reading and writing halves share: libarchive's constants and small guards.
namespace LibArchiveSupport {

constexpr int archiveOk = 0;
constexpr int archiveEof = 1;
constexpr int archiveWarn = -20;
constexpr mode_t typeMask = 0xF000;
constexpr mode_t typeDirectory = 0x4000;
constexpr mode_t typeRegular = 0x8000;
constexpr mode_t typeSymlink = 0xA000;
constexpr std::size_t blockSize = 65536;

using Error = LibArchive::ArchiveError;

// libarchive converts names through the thread's LC_CTYPE; in a locale that is not UTF-8 its
// writers drop or mangle non-ASCII names. This switches the calling thread to a UTF-8 LC_CTYPE
// for the length of one call.
class Utf8Ctype {
public:
    Utf8Ctype()
    {
        if (std::strcmp(::nl_langinfo(CODESET), "UTF-8") == 0)
            return;
        locale_t base = ::duplocale(::uselocale(static_cast<locale_t>(nullptr)));
        if (base == static_cast<locale_t>(nullptr))
            return;
        locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", base);
        if (utf8 == static_cast<locale_t>(nullptr)) {
            ::freelocale(base);
            return;
        }
        locale_ = utf8;
        previous_ = ::uselocale(utf8);
    }
    ~Utf8Ctype()
    {
        if (locale_ != static_cast<locale_t>(nullptr)) {
            ::uselocale(previous_);
            ::freelocale(locale_);
        }
    }
    Utf8Ctype(const Utf8Ctype &) = delete;
    Utf8Ctype &operator=(const Utf8Ctype &) = delete;

private:
    locale_t locale_ = static_cast<locale_t>(nullptr);
    locale_t previous_ = static_cast<locale_t>(nullptr);
};

// Releases a libarchive handle or entry on every way out.
template <typename T, typename Free> class Owned {
public:
    Owned(T *value, Free free) : value_(value), free_(free) {}
    ~Owned() { reset(); }
    Owned(const Owned &) = delete;
    Owned &operator=(const Owned &) = delete;
    T *get() const { return value_; }
    T *release() { return std::exchange(value_, nullptr); }
    void reset()
    {
        if (value_ != nullptr)
            free_(value_);
        value_ = nullptr;
    }

private:
    T *value_;
    Free free_;
};

// read(2) that retries when interrupted.
ssize_t readSome(int fd, char *data, std::size_t size);

// Runs one call of the bridge: memory running out ends it with the bridge's own failure.
template <typename Step> auto guarded(Step &&step)
{
    return withinMemory(step, [] { return Error::failed(L("메모리 부족")); });
}

} // namespace LibArchiveSupport
