#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The maker's support page and the support button's default label and tooltip, chosen by the
// interface language from three twenty-language tables. Without a language, the first language
// the interface shows counts.
namespace SupportLink {

// The table key for a language identifier: "zh…" is zh-Hant for Hant, TW, HK or MO, else
// zh-Hans; any other identifier its first "-" piece (pt-BR is pt).
QString normalized(const std::optional<QString> &language);

// The page /support/ followed by the key's path and "/" when it has one; a key outside the
// table uses the English path.
QUrl url(const std::optional<QString> &language = std::nullopt);
QString label(const std::optional<QString> &language = std::nullopt);
QString tooltip(const std::optional<QString> &language = std::nullopt);

// The maker's web site origin.
QString origin();

} // namespace SupportLink
