#pragma once

#include <QObject>
#include <QString>

class QNetworkAccessManager;

// What one update check found.
struct UpdateCheckResult {
    enum class Kind { upToDate, newVersion, failed };
    Kind kind = Kind::failed;
    QString version; // the feed's version (newVersion, upToDate)
    QString address; // where to get it (newVersion): a web page's address, may be empty
    QString detail;  // failed: what went wrong
};

// The one updater of the process: it says whether a check can start now and runs checks the
// user asks for. It only finds out; it never downloads or installs anything.
class Updater : public QObject {
    Q_OBJECT

public:
    // The installed updater; the feed updater unless a test installed another.
    static Updater &shared();
    static void install(Updater *updater); // nullptr restores the feed updater

    virtual bool canCheckForUpdates() const = 0;
    // Starts a check; its result arrives through checkFinished.
    virtual void checkForUpdates() = 0;

    // Whether the text is a version: dot-separated numbers ("1.2.0").
    static bool isVersion(const QString &text);
    // Whether `candidate` is a later version than `current`: dot-separated numbers compared in
    // order by value, missing pieces counting as 0. A text that is no version is never later.
    static bool isNewer(const QString &candidate, const QString &current);

signals:
    void canCheckForUpdatesChanged(bool canCheck);
    void checkFinished(const UpdateCheckResult &result);
};

// Reads the feed address compiled in at build time: a small JSON object
// {"version": "1.2.0", "url": "https://…"} or a text whose first line is the version. Without an
// address no check can start. A feed over 64 KiB fails as soon as that shows (its announced
// length, or its bytes as they come), and so does a check that takes over 30 seconds in all; a
// version that is not dot-separated numbers cannot be read; a "url" that is not a web page's
// (https or http) is left out.
class FeedUpdater : public Updater {
    Q_OBJECT

public:
    explicit FeedUpdater(QString feedAddress, QString currentVersion, QObject *parent = nullptr);

    bool canCheckForUpdates() const override;
    void checkForUpdates() override;

    // The result for a feed's bytes.
    static UpdateCheckResult evaluate(const QByteArray &feed, const QString &currentVersion);

private:
    void setChecking(bool checking);

    QString feed_;
    QString current_;
    bool checking_ = false;
    QNetworkAccessManager *network_ = nullptr;
};

// The model of one update button: whether it is enabled. It takes the shared updater's value
// when made and follows every change while it lives.
class CheckForUpdatesViewModel : public QObject {
    Q_OBJECT

public:
    explicit CheckForUpdatesViewModel(QObject *parent = nullptr);

    bool canCheckForUpdates() const { return canCheck_; }
    // The button's action.
    void checkForUpdates();

signals:
    void canCheckForUpdatesChanged(bool canCheck);

private:
    void set(bool canCheck);

    bool canCheck_ = false;
};
