#pragma once

#include <QString>
#include <QUuid>

#include <cstdint>
#include <optional>
#include <string>

// One row of an opened archive, as the compress-and-extract page lists it.
struct ArchiveRow {
    QUuid id;
    std::string name; // UTF-8, "/"-separated, NFC
    bool isDirectory = false;
    std::int64_t size = 0;
    std::optional<QString> badge; // "CP949 복원" for names decoded from CP949
    bool isMacJunk = false;
    bool isEncrypted = false;
};
