#pragma once

#include <QSettings>

#include <memory>

// The user-defaults store. A JSON-backed QSettings format keeps value types apart (a string is
// never read back as a one-element list, nor the other way round).
namespace Settings {

// The application's settings (organisation and application "Quillfern") in
// $XDG_CONFIG_HOME/Quillfern/Quillfern.json. A fresh object each call; all share one file.
std::unique_ptr<QSettings> open();

// The settings format itself, registered on first use.
QSettings::Format format();

} // namespace Settings
