#pragma once

#include <QDialog>

class CheckForUpdatesButton;
class QLabel;
class SupportButton;

// The about window: one instance at most; asking for it again brings it to the front. One
// centred column: icon, names, version, update button, tagline, credit, contact links, support
// button and legal notice. The window takes the column's size and cannot be resized.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    // Opens the window (or brings the open one forward) and returns it.
    static AboutDialog *present();
    static AboutDialog *instance(); // the open window, if any

    // "버전 %@ (%@)" with the short version and build number, "1.0.0" and "1" when missing.
    static QString version();

    static QString siteAddress();
    static QString contactAddress();

    QLabel *versionLabel() const { return version_; }
    CheckForUpdatesButton *updateButton() const { return update_; }
    SupportButton *supportButton() const { return support_; }

private:
    AboutDialog();

    QLabel *version_ = nullptr;
    CheckForUpdatesButton *update_ = nullptr;
    SupportButton *support_ = nullptr;
};
