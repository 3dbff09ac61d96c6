#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The ten tools, in sidebar order.
enum class Utility {
    sendCheckup,
    hangulFilename,
    dsStoreCleaner,
    zipKorean,
    filenameSanitizer,
    heicConverter,
    videoConverter,
    textEncoding,
    sleepPreventer,
    tweaks,
};

namespace Utilities {

inline constexpr std::array<Utility, 10> allCases{
    Utility::sendCheckup,       Utility::hangulFilename, Utility::dsStoreCleaner, Utility::zipKorean,
    Utility::filenameSanitizer, Utility::heicConverter,  Utility::videoConverter, Utility::textEncoding,
    Utility::sleepPreventer,    Utility::tweaks,
};

QString toString(Utility u); // the raw value, also the id
std::optional<Utility> fromString(const QString &rawValue);
inline QString id(Utility u)
{
    return toString(u);
}

QString title(Utility u);    // localised at every call
QString subtitle(Utility u); // localised at every call
QString category(Utility u); // localised at every call
QString icon(Utility u);     // symbol name, not localised

// The sidebar sections below the home entry: "파일", "변환", "시스템" (localised).
QStringList categories();

} // namespace Utilities
