#pragma once

#include <QObject>
#include <QString>

// The version rule of the daily word: hiding it stores the running version, so a release with a
// different version shows it again; showing it stores "".
namespace DailyWordSetting {

inline constexpr const char *settingsKey = "dailyWordHiddenInVersion";

// The application's short version string, "" when it has none; read at every call.
QString currentVersion();

// The stored version in which the word was hidden ("" by default).
QString hiddenInVersion();
// Hidden exactly while the stored value equals the current version.
bool isHidden();
// Stores the choice; open pages hear of a change through the notifier.
void setHidden(bool hidden);

class Notifier : public QObject {
    Q_OBJECT

signals:
    void changed();
};
Notifier &notifier();

} // namespace DailyWordSetting
