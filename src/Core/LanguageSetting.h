#pragma once

#include <QString>

#include <array>
#include <optional>

// The interface-language choice: follow the system, or one of twenty fixed languages. Stored as
// the application's own "AppleLanguages" value (a one-element list), read at the next start.
enum class LanguageSetting {
    system,
    korean,
    english,
    chinese,
    chineseTraditional,
    hindi,
    spanish,
    french,
    bengali,
    portuguese,
    russian,
    indonesian,
    urdu,
    german,
    japanese,
    arabic,
    marathi,
    vietnamese,
    telugu,
    hausa,
    turkish,
};

namespace LanguageSettings {

inline constexpr int count = 21;
const std::array<LanguageSetting, count> &allCases();

QString rawValue(LanguageSetting language);
std::optional<LanguageSetting> fromRawValue(const QString &raw);
// "시스템 설정 따름" (localised) for system; every other label is the language's own name.
QString label(LanguageSetting language);

// Stores the choice in the application's settings; the running interface does not change.
void apply(LanguageSetting language);
// The stored choice; anything missing or malformed is system.
LanguageSetting current();

} // namespace LanguageSettings
