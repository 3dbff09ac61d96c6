#include "Archive/Zip/ZipEntry.h"

#include "Archive/ArchiveFiles.h"

bool ZipEntry::isMacJunk() const
{
    return ::isMacJunk(decodedName);
}

QString ZipEntry::toString(NameEncoding encoding)
{
    switch (encoding) {
    case NameEncoding::utf8:
        return QStringLiteral("UTF-8");
    case NameEncoding::cp949:
        return QStringLiteral("CP949");
    case NameEncoding::latin1:
        return QStringLiteral("Latin-1");
    }
    return {};
}

std::optional<ZipEntry::NameEncoding> ZipEntry::fromString(const QString &raw)
{
    for (auto e : {NameEncoding::utf8, NameEncoding::cp949, NameEncoding::latin1})
        if (toString(e) == raw)
            return e;
    return std::nullopt;
}
