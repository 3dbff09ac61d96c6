#pragma once

#include "Core/LanguageSetting.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class QVBoxLayout;
class QWidget;
class ToggleSwitch;

// The settings window: one instance at most; asking for it again brings it to the front. One
// grouped form: the file managers' right-click menu, start at login, the daily word on the home
// screen and the interface language, with an offer to relaunch after a language change.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    // Opens the window (or brings the open one forward) and returns it.
    static SettingsDialog *present();
    static SettingsDialog *instance(); // the open window, if any

    explicit SettingsDialog(QWidget *parent = nullptr);

    // How the relaunch starts the program and ends this one (tests replace both).
    using Starter = std::function<bool(const QString &program, const QStringList &arguments)>;
    static void setRelaunchHooks(Starter start, std::function<void()> quit);

    LanguageSetting language() const { return language_; }
    bool needsRestart() const { return needsRestart_; }
    bool fileManagerMenuOn() const { return fileManagerMenuOn_; }

    QComboBox *languagePicker() const { return languagePicker_; }
    ToggleSwitch *loginToggle() const { return loginToggle_; }
    ToggleSwitch *dailyWordToggle() const { return dailyWordToggle_; }
    QToolButton *fileManagerOnLabel() const { return fileManagerOn_; }
    QPushButton *fileManagerButton() const { return fileManagerButton_; }
    QPushButton *fileManagerRemoveButton() const { return fileManagerRemove_; }
    QLabel *dailyWordProblem() const { return dailyWordProblem_; } // none while the file is fine
    QLabel *fileManagerCaption() const { return fileManagerCaption_; }
    QWidget *restartRow() const { return restartRow_; }

    // Reads the right-click menu's state again (the window does so whenever it becomes active).
    void refreshFileManagerState();
    // Starts the program anew and quits this one.
    void relaunch();

protected:
    void changeEvent(QEvent *event) override;

private:
    void languageChosen(int index);
    void loginToggled(bool on);
    void offerFileManagerActions();
    void offerFileManagerRemoval();
    void syncDailyWord();
    // A row of the form: its title at the left, the control at the right.
    void addRow(const QString &title, QWidget *control);
    void fitHeight();

    LanguageSetting language_;
    bool needsRestart_ = false;
    bool fileManagerMenuOn_ = false;

    QVBoxLayout *rows_ = nullptr;
    QComboBox *languagePicker_ = nullptr;
    ToggleSwitch *loginToggle_ = nullptr;
    ToggleSwitch *dailyWordToggle_ = nullptr;
    QToolButton *fileManagerOn_ = nullptr;
    QPushButton *fileManagerButton_ = nullptr;
    QPushButton *fileManagerRemove_ = nullptr;
    QLabel *dailyWordProblem_ = nullptr;
    QLabel *fileManagerCaption_ = nullptr;
    QWidget *restartRow_ = nullptr;
};
