#pragma once

#include <QPushButton>

class CheckForUpdatesViewModel;
class QAction;
class QObject;

// The update-check controls ("업데이트 확인…"): each has its own model and is enabled exactly
// while the shared updater can start a check. A finished check is shown in a message window.
namespace UpdateCheck {

QAction *makeAction(QObject *parent);

// Shows the results of the shared updater's checks (connected once per updater).
void presentResults();

} // namespace UpdateCheck

class CheckForUpdatesButton : public QPushButton {
    Q_OBJECT

public:
    explicit CheckForUpdatesButton(QWidget *parent = nullptr);

    CheckForUpdatesViewModel *model() const { return model_; }

private:
    CheckForUpdatesViewModel *model_ = nullptr;
};
