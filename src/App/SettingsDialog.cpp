#include "App/SettingsDialog.h"

#include "Core/Localization.h"

#include <QPointer>
#include <QVBoxLayout>

namespace {
QPointer<SettingsDialog> &openDialog()
{
    static QPointer<SettingsDialog> dialog;
    return dialog;
}
} // namespace

SettingsDialog::SettingsDialog()
{
    setObjectName(QStringLiteral("settings"));
    setWindowTitle(L("설정"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    setFixedWidth(460);
}

SettingsDialog *SettingsDialog::instance()
{
    return openDialog().data();
}

SettingsDialog *SettingsDialog::present()
{
    if (!openDialog())
        openDialog() = new SettingsDialog;
    SettingsDialog *dialog = openDialog().data();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}
