#include "Core/LanguageSetting.h"

#include "Core/Localization.h"
#include "Core/Settings.h"

#include <QStringList>

namespace LanguageSettings {

namespace {

constexpr auto key = "AppleLanguages";

struct Row {
    const char *raw;
    const char *label;
};

constexpr Row rows[count] = {
    {"system", QT_TRANSLATE_NOOP("Quillfern", "시스템 설정 따름")},
    {"ko", "한국어"},
    {"en", "English"},
    {"zh-Hans", "简体中文"},
    {"zh-Hant", "繁體中文"},
    {"hi", "हिन्दी"},
    {"es", "Español"},
    {"fr", "Français"},
    {"bn", "বাংলা"},
    {"pt", "Português"},
    {"ru", "Русский"},
    {"id", "Bahasa Indonesia"},
    {"ur", "اردو"},
    {"de", "Deutsch"},
    {"ja", "日本語"},
    {"ar", "العربية"},
    {"mr", "मराठी"},
    {"vi", "Tiếng Việt"},
    {"te", "తెలుగు"},
    {"ha", "Hausa"},
    {"tr", "Türkçe"},
};

} // namespace

const std::array<LanguageSetting, count> &allCases()
{
    static const std::array<LanguageSetting, count> cases = [] {
        std::array<LanguageSetting, count> out{};
        for (int i = 0; i < count; ++i)
            out[std::size_t(i)] = static_cast<LanguageSetting>(i);
        return out;
    }();
    return cases;
}

QString rawValue(LanguageSetting language)
{
    return QString::fromLatin1(rows[int(language)].raw);
}

std::optional<LanguageSetting> fromRawValue(const QString &raw)
{
    for (LanguageSetting language : allCases())
        if (raw == rawValue(language))
            return language;
    return std::nullopt;
}

QString label(LanguageSetting language)
{
    if (language == LanguageSetting::system)
        return L(rows[0].label);
    return QString::fromUtf8(rows[int(language)].label);
}

void apply(LanguageSetting language)
{
    auto settings = Settings::open();
    if (language == LanguageSetting::system)
        settings->remove(QLatin1String(key));
    else
        settings->setValue(QLatin1String(key), QStringList{rawValue(language)});
    settings->sync();
}

LanguageSetting current()
{
    const QVariant value = Settings::open()->value(QLatin1String(key));
    if (value.metaType().id() != QMetaType::QStringList)
        return LanguageSetting::system;
    const QStringList list = value.toStringList();
    if (list.isEmpty())
        return LanguageSetting::system;
    const QString &first = list.first();
    if (auto exact = fromRawValue(first))
        return *exact;
    const QStringList pieces = first.split(QLatin1Char('-'), Qt::SkipEmptyParts);
    if (!pieces.isEmpty())
        if (auto byLanguage = fromRawValue(pieces.first()))
            return *byLanguage;
    return LanguageSetting::system;
}

} // namespace LanguageSettings
