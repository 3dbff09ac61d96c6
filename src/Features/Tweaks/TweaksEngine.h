#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

// Hidden preferences of other components, switched on and off through a "defaults"-style helper (read and
// write DOMAIN KEY) and made to take effect by restarting a component through a "killall"-style helper.
// The preferences themselves are the state: nothing is kept between launches.
class TweaksEngine : public QObject {
    Q_OBJECT

public:
    enum class RestartTarget { finder, systemUIServer };
    static QString toString(RestartTarget target); // the process name handed to the restart helper

    struct Tweak {
        QString id;      // stable key, also the key in states()
        QString title;   // localised
        QString caption; // localised
        QString domain;
        QString key;
        std::optional<RestartTarget> restart;
    };
    struct Section {
        QString id;
        QString title;
        std::vector<Tweak> tweaks;
    };
    // The fixed table, localised once on first use.
    static const std::vector<Section> &sections();

    static const QString screenshotDomain; // "com.apple.screencapture"

    // The two helper programs and how long one may take before it counts as giving no answer.
    struct Helpers {
        QString defaultsProgram;
        QString killallProgram;
        int timeoutMilliseconds = 5000;
    };
    // The project's own stand-ins beside the program (never the system's commands of those names).
    static Helpers defaultHelpers();

    explicit TweaksEngine(QObject *parent = nullptr);
    explicit TweaksEngine(Helpers helpers, QObject *parent = nullptr);

    const std::map<QString, bool> &states() const { return states_; }
    bool state(const QString &tweakId) const; // a missing entry is off
    bool screenshotIsJPG() const { return screenshotIsJPG_; }
    const QString &screenshotLocation() const { return screenshotLocation_; }

    // Reads every switch, then the screenshot format and folder: eight helper runs in a row.
    void refresh();
    // Each setter writes the preference; on success it records the value and restarts the component
    // concerned, on failure it records what is really stored (read again) and restarts nothing.
    void setTweak(const Tweak &tweak, bool enabled);
    void setScreenshotJPG(bool jpg);
    void setScreenshotLocation(const QString &path);

signals:
    void statesChanged();
    void screenshotIsJPGChanged();
    void screenshotLocationChanged();

private:
    struct Run {
        bool succeeded = false;      // started, finished in time, exit status 0
        std::optional<QString> text; // standard output, when it is UTF-8
    };
    Run run(const QStringList &arguments) const;
    std::optional<QString> runDefaults(const QStringList &arguments) const;
    std::optional<QString> readString(const QString &domain, const QString &key) const;
    bool readSwitch(const Tweak &tweak) const;
    bool readIsJPG() const;
    QString readLocation() const;
    void killall(RestartTarget target) const;

    void setState(const QString &tweakId, bool on);
    void setIsJPG(bool jpg);
    void setLocation(const QString &path);

    Helpers helpers_;
    std::map<QString, bool> states_;
    bool screenshotIsJPG_ = false;
    QString screenshotLocation_;
};
