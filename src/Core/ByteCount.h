#pragma once

#include <QString>

#include <cstdint>

// Byte counts for people, in the file style of the other platform's formatter: decimal units
// (1 KB = 1000 bytes), whole bytes and kilobytes, one decimal for megabytes, two from gigabytes
// on, trailing zeros dropped ("Zero KB", "1 byte", "999 bytes", "2 KB", "1.2 MB", "1.23 GB").
namespace ByteCount {

QString fileStyle(std::int64_t bytes);

} // namespace ByteCount
