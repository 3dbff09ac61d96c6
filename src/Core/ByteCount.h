#pragma once

#include <QString>

#include <cstdint>

// Byte counts for people, in the file style of the other platform's formatter: decimal units
// (1 KB = 1000 bytes), whole bytes and kilobytes, one decimal for megabytes, two from gigabytes
// on, trailing zeros dropped. The words come from the interface language: Korean "0KB",
// "1바이트", "680바이트", "2KB", "1.2MB", "1.23GB"; English "Zero KB", "1 byte", "680 bytes",
// "2 KB", "1.2 MB", "1.23 GB".
namespace ByteCount {

QString fileStyle(std::int64_t bytes);

} // namespace ByteCount
