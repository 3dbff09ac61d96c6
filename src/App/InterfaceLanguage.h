#pragma once

#include <QStringList>

// The interface language at start-up. The stored choice (or, when it follows the system, the
// system's languages in order) picks the first language the program is translated into; any
// other falls back to Korean, the language of the keys. Its translation (the Korean one words
// macOS names for Linux) and Qt's own translation of the same language are installed, and the
// choice becomes the default locale. A change of the choice takes effect at the next start.
namespace InterfaceLanguage {

// Installs the translators, replacing any installed by an earlier call, and sets the
// interface languages that the manual and support links follow.
void install();
// The same with the given system languages in place of the system's own (tests).
void install(const QStringList &systemLanguages);

} // namespace InterfaceLanguage
