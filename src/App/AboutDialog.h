#pragma once

#include <QDialog>

// The about window: one instance at most; asking for it again brings it to the front.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    // Opens the window (or brings the open one forward) and returns it.
    static AboutDialog *present();
    static AboutDialog *instance(); // the open window, if any

private:
    AboutDialog();
};
