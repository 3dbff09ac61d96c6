#pragma once

#include "Archive/Zip/ZipFormat.h"

#include <QString>
#include <QUuid>

#include <cstdint>
#include <optional>
#include <string>

// One central-directory entry as read from a ZIP archive.
struct ZipEntry {
    // Which decoding produced the name; raw values "UTF-8", "CP949", "Latin-1".
    enum class NameEncoding { utf8, cp949, latin1 };

    QUuid id;                // fresh for every entry read
    std::string decodedName; // UTF-8, every "\" replaced by "/"
    NameEncoding encoding = NameEncoding::utf8;
    bool isDirectory = false; // decodedName ends with "/"
    std::uint16_t method = 0; // 0 stored, 8 DEFLATE, 99 WinZip AES
    std::int64_t compressedSize = 0;
    std::int64_t uncompressedSize = 0;
    std::int64_t localHeaderOffset = 0;
    int flags = 0;         // bit 0 encrypted, bit 3 data descriptor, bit 11 UTF-8 name
    int dosTime = 0;       // MS-DOS time field (the date is not kept)
    std::uint32_t crc = 0; // 0: none given
    std::optional<int> aesStrength;
    std::uint16_t aesActualMethod = 0;
    // A Unix host's mode says symbolic link: such an entry is never extracted.
    bool isSymbolicLink = false;

    bool isEncrypted() const { return (flags & ZipFormat::flagEncrypted) != 0; }
    bool isMacJunk() const;

    static QString toString(NameEncoding encoding);
    static std::optional<NameEncoding> fromString(const QString &raw);
};
