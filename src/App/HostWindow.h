#pragma once

#include <QList>
#include <QMainWindow>
#include <QUuid>

#include <optional>

class ContentView;
class QTabWidget;

// A top-level window whose tabs are the main windows of the application, one session each. Its
// tab bar always shows, with a "+" button for a new tab and a close button per tab. A window
// closes when its last tab does.
class HostWindow : public QMainWindow {
    Q_OBJECT

public:
    HostWindow();
    ~HostWindow() override;

    // Opens a main window for a session (a fresh one without a value): it becomes a tab right
    // after the current tab of the host window it was asked from, else of the first shown, not
    // minimised host window, or, with none, the first tab of a new host window. A session whose
    // tab is open already is brought forward.
    static ContentView *openMainWindow(std::optional<QUuid> session = std::nullopt);
    // The host window a request comes from: the active one, or the one holding the active dialog.
    static HostWindow *askingHost();

    // Every host window, oldest first.
    static QList<HostWindow *> hosts();
    // The content of the session's open tab, if any.
    static ContentView *contentFor(const QUuid &session);
    // The key tab: the current tab of the active host window.
    static ContentView *keyContent();

    QTabWidget *tabs() const { return tabs_; }
    ContentView *currentContent() const;
    QList<ContentView *> contents() const;
    void bringForward(ContentView *content);

    void closeTab(int index);
    void closeCurrentTab();
    void selectPreviousTab();
    void selectNextTab();
    // The tab bar's "+": a new tab with a fresh session.
    void newWindowForTab();
    // The tab goes to a window of its own; its content (and session) stays as it is.
    void moveTabToNewWindow(int index);
    void moveCurrentTabToNewWindow();
    // The tabs of every other host window join this one, after its own.
    void mergeAllWindows();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void addContent(ContentView *content);
    void adoptContent(ContentView *content, int index);
    void currentTabChanged();
    void endAllContent();

    QTabWidget *tabs_ = nullptr;
};
