#pragma once

#include <QString>

#include <optional>

// Bundle information compiled in from CMake, by the other platform's keys
// ("CFBundleShortVersionString", "CFBundleVersion"). Tests may override a value or remove it.
namespace AppInfo {

std::optional<QString> value(const QString &key);
QString shortVersion(); // empty when absent
QString buildNumber();  // empty when absent

// The folder the installed program lives in (the install prefix's bin folder). Tests may
// override it with the key "installedProgramFolder".
QString installedProgramFolder();

// The address of the update feed the build was given; empty when none.
QString updateFeed();

void setOverride(const QString &key, std::optional<QString> value); // tests
void clearOverrides();

} // namespace AppInfo
