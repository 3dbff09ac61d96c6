#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <QVariantList>

#include <cstdint>
#include <map>
#include <optional>

// Power assertions and user-activity declarations: the three operations that keep the machine awake.
// Assertion types keep their established names ("PreventUserIdleDisplaySleep", "PreventUserIdleSystemSleep",
// "PreventDiskIdle", "PreventSystemSleep"); a type the platform cannot hold is refused, never faked.
class PowerManagement {
public:
    using AssertionID = std::uint32_t;
    static constexpr int levelOn = 255;

    virtual ~PowerManagement() = default;

    // Holds an assertion; its identifier, or nullopt when the platform refuses it.
    virtual std::optional<AssertionID> create(const QString &type, int level, const QString &name) = 0;
    // Tells the platform the user is active right now (nothing to release). True when the platform
    // took the declaration; false when no one could be told.
    virtual bool declareUserActivity(const QString &name) = 0;
    // Lets an assertion go; an unknown identifier is ignored.
    virtual void release(AssertionID id) = 0;

    // Whether the desktop has a counterpart for the assertion type at all ("PreventDiskIdle" has
    // none): a type without one is always refused, whichever services answer.
    static bool hasCounterpart(const QString &type);

    // The freedesktop implementation on the process's own session and system buses, made on first use
    // and kept until the process ends (the platform drops what is still held then).
    static PowerManagement &system();
};

// org.freedesktop.ScreenSaver on the session bus holds the display; org.freedesktop.login1 on the system
// bus holds idle and sleep through an inhibitor descriptor that releases when it is closed.
class DBusPowerManagement final : public PowerManagement {
public:
    DBusPowerManagement(QDBusConnection sessionBus, QDBusConnection systemBus,
                        int timeoutMilliseconds = 3000);
    ~DBusPowerManagement() override; // closes the descriptors still held
    DBusPowerManagement(const DBusPowerManagement &) = delete;
    DBusPowerManagement &operator=(const DBusPowerManagement &) = delete;

    std::optional<AssertionID> create(const QString &type, int level, const QString &name) override;
    bool declareUserActivity(const QString &name) override;
    void release(AssertionID id) override;

private:
    struct Held {
        bool isCookie = false;
        std::uint32_t cookie = 0; // ScreenSaver
        QString cookiePath;
        int descriptor = -1; // login1
    };

    // Calls the ScreenSaver method at the first path that has it, which `at` receives; the error
    // reply when none does.
    QDBusMessage callScreenSaver(const QString &method, const QVariantList &arguments, QString *at = nullptr);
    std::optional<Held> inhibitScreenSaver(const QString &name);
    std::optional<Held> inhibitLogin(const QString &what, const QString &name);

    QDBusConnection session_;
    QDBusConnection system_;
    int timeout_;
    AssertionID next_ = 1;
    std::map<AssertionID, Held> held_;
};
