#pragma once

// The interface language at start-up: the stored choice (or the system's languages when it
// follows the system) becomes the default locale, and the matching translator is installed.
// A change of the choice takes effect at the next start.
namespace InterfaceLanguage {
void install();
}
