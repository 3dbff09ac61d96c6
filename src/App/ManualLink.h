#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The address of the online manual in the user's language.
namespace ManualLink {

// The page of the manual for a list of preferred localisations (first one counts; none means
// Korean): Korean is the base page, a language outside the manual's twenty is English.
QUrl manualURL(const QStringList &preferredLocalizations);

// The same for the languages the interface shows.
QUrl manualURL();

// The base address; each language's folder and "/" follow it.
QString baseAddress();

} // namespace ManualLink
