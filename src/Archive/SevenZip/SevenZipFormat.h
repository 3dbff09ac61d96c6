#pragma once

#include <array>
#include <cstdint>

// The fixed parts of the 7z container that the reader and the writer share.
namespace SevenZip {

// Every block and field of a 7z header is introduced by one of these identifiers, written as a
// 7z number.
enum class Property : std::uint64_t {
    end = 0x00,
    header = 0x01,
    archiveProperties = 0x02,
    additionalStreamsInfo = 0x03,
    mainStreamsInfo = 0x04,
    filesInfo = 0x05,
    packInfo = 0x06,
    unpackInfo = 0x07,
    subStreamsInfo = 0x08,
    size = 0x09,
    crc = 0x0A,
    folder = 0x0B,
    codersUnpackSize = 0x0C,
    numUnpackStream = 0x0D,
    emptyStream = 0x0E,
    emptyFile = 0x0F,
    anti = 0x10,
    name = 0x11,
    creationTime = 0x12,
    accessTime = 0x13,
    modificationTime = 0x14,
    windowsAttributes = 0x15,
    comment = 0x16,
    encodedHeader = 0x17,
    startPosition = 0x18,
    dummy = 0x19,
};

// Every identifier the writer emits fits one byte.
constexpr std::uint8_t byte(Property p)
{
    return static_cast<std::uint8_t>(p);
}

inline constexpr std::array<std::uint8_t, 6> signature{0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C};

// The start header: signature, version (2), CRC of the next 20 bytes (4), next-header offset
// counted from its end (8), next-header size (8), next-header CRC (4).
inline constexpr std::uint64_t startHeaderSize = 32;

} // namespace SevenZip
