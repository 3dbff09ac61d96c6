#pragma once

#include <QDialog>

// The settings window: one instance at most; asking for it again brings it to the front.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    // Opens the window (or brings the open one forward) and returns it.
    static SettingsDialog *present();
    static SettingsDialog *instance(); // the open window, if any

private:
    SettingsDialog();
};
