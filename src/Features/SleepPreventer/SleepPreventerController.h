#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

// Qt's "forever" keyword macro would rewrite the case Duration::forever.
#undef forever

class PowerManagement;

// Keeps the machine awake on request: holds the power assertions of the ticked guards, declares user
// activity every 30 seconds when the screen saver is to be held off, and lets everything go when switched
// off or when the chosen duration runs out. Only the ticked guards survive a relaunch.
class SleepPreventerController : public QObject {
    Q_OBJECT

public:
    enum class Guard { display, idleSystem, diskIdle, systemSleep, userActive };
    enum class Duration { forever, minutes30, hour1, hour2 };
    using GuardSet = std::set<Guard>; // iterates in table order

    static constexpr std::array<Guard, 5> allGuards{Guard::display, Guard::idleSystem, Guard::diskIdle,
                                                    Guard::systemSleep, Guard::userActive};
    static constexpr std::array<Duration, 4> allDurations{Duration::forever, Duration::minutes30,
                                                          Duration::hour1, Duration::hour2};

    static QString toString(Guard guard); // raw value
    static std::optional<Guard> guardFromString(const QString &rawValue);
    static QString label(Guard guard);  // localised
    static QString detail(Guard guard); // localised
    // The assertion type held for a guard; empty for userActive, which declares activity instead.
    static QString assertionType(Guard guard);
    // Whether this desktop can hold the guard at all (disk idle: no).
    static bool hasCounterpart(Guard guard);

    static QString toString(Duration duration);
    static std::optional<Duration> durationFromString(const QString &rawValue);
    static QString label(Duration duration);              // localised
    static std::optional<int> seconds(Duration duration); // none for forever

    static const QString assertionName;                // "Quillfern (Keep Awake)"
    static const QString settingsKey;                  // "sleepPreventerGuards"
    static constexpr int userActivityInterval = 30000; // milliseconds

    // The one controller of the process, on the platform's power layer.
    static SleepPreventerController &shared();

    // A controller on the given power layer (which must outlive it); reads the stored guards.
    explicit SleepPreventerController(PowerManagement &power, QObject *parent = nullptr);
    ~SleepPreventerController() override;

    bool isActive() const { return isActive_; }
    // The end of the current run; none while off and while on for good.
    std::optional<QDateTime> activeUntil() const { return activeUntil_; }
    const GuardSet &enabled() const { return enabled_; }
    // Stores the set under "sleepPreventerGuards" on every call, also when it is unchanged.
    void setEnabled(const GuardSet &guards);
    Duration duration() const { return duration_; }
    void setDuration(Duration duration);

    // Switches prevention on; nothing when already on or with no guard ticked. Refused assertions and a
    // user-activity declaration no one took are skipped; when nothing at all could be held the
    // controller stays off.
    void start();
    // Switches prevention off and releases every held assertion; harmless when off.
    void stop();

signals:
    void isActiveChanged(bool isActive);
    void activeUntilChanged();
    void enabledChanged();
    void durationChanged();

private:
    void setActive(bool active);
    void setActiveUntil(std::optional<QDateTime> until);
    void scheduleUserActivity(std::uint64_t run);

    PowerManagement &power_;
    bool isActive_ = false;
    std::optional<QDateTime> activeUntil_;
    GuardSet enabled_;
    Duration duration_ = Duration::forever;
    std::vector<std::uint32_t> assertions_;
    // Scheduled work carries the number of the run it belongs to; a new number cancels it.
    std::uint64_t run_ = 0;
};
