#include "App/AboutDialog.h"

#include "Core/Localization.h"

#include <QPointer>
#include <QVBoxLayout>

namespace {
QPointer<AboutDialog> &openDialog()
{
    static QPointer<AboutDialog> dialog;
    return dialog;
}
} // namespace

AboutDialog::AboutDialog()
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(L("누리함에 관하여"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The window takes the size of its content; the user cannot resize it.
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(40, 24, 40, 28);
}

AboutDialog *AboutDialog::instance()
{
    return openDialog().data();
}

AboutDialog *AboutDialog::present()
{
    if (!openDialog())
        openDialog() = new AboutDialog;
    AboutDialog *dialog = openDialog().data();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}
