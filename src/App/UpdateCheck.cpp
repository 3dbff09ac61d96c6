#include "App/UpdateCheck.h"

#include "Core/AppInfo.h"
#include "Core/Localization.h"
#include "Platform/Updater.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>

namespace UpdateCheck {

namespace {

void show(const UpdateCheckResult &result)
{
    auto *box = new QMessageBox;
    box->setObjectName(QStringLiteral("updateResult"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(L("업데이트 확인"));
    switch (result.kind) {
    case UpdateCheckResult::Kind::upToDate:
        box->setIcon(QMessageBox::Information);
        box->setText(L("최신 버전을 사용하고 있습니다. (%@)", AppInfo::shortVersion()));
        break;
    case UpdateCheckResult::Kind::newVersion: {
        box->setIcon(QMessageBox::Information);
        box->setText(L("새 버전 %@이(가) 나왔습니다.", result.version));
        if (!result.address.isEmpty()) {
            QPushButton *open = box->addButton(L("내려받기 페이지 열기"), QMessageBox::AcceptRole);
            const QUrl address(result.address);
            QObject::connect(open, &QPushButton::clicked, [address] { QDesktopServices::openUrl(address); });
        }
        break;
    }
    case UpdateCheckResult::Kind::failed:
        box->setIcon(QMessageBox::Warning);
        box->setText(L("업데이트를 확인하지 못했습니다."));
        box->setInformativeText(result.detail);
        break;
    }
    box->addButton(QMessageBox::Ok);
    // The feed's words (and a server's error text) are shown as they are, never read as markup
    // whose links would open.
    for (QLabel *label : box->findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    box->show();
}

} // namespace

void presentResults()
{
    static QPointer<Updater> connected;
    Updater &updater = Updater::shared();
    if (connected == &updater)
        return;
    connected = &updater;
    QObject::connect(&updater, &Updater::checkFinished, &updater, &show);
}

QAction *makeAction(QObject *parent)
{
    presentResults();
    auto *action = new QAction(L("업데이트 확인…"), parent);
    action->setObjectName(QStringLiteral("checkForUpdates"));
    auto *model = new CheckForUpdatesViewModel(action);
    action->setEnabled(model->canCheckForUpdates());
    QObject::connect(model, &CheckForUpdatesViewModel::canCheckForUpdatesChanged, action,
                     &QAction::setEnabled);
    QObject::connect(action, &QAction::triggered, model, &CheckForUpdatesViewModel::checkForUpdates);
    return action;
}

} // namespace UpdateCheck

CheckForUpdatesButton::CheckForUpdatesButton(QWidget *parent) : QPushButton(L("업데이트 확인…"), parent)
{
    setObjectName(QStringLiteral("checkForUpdates"));
    UpdateCheck::presentResults();
    model_ = new CheckForUpdatesViewModel(this);
    setEnabled(model_->canCheckForUpdates());
    connect(model_, &CheckForUpdatesViewModel::canCheckForUpdatesChanged, this, &QPushButton::setEnabled);
    connect(this, &QPushButton::clicked, model_, &CheckForUpdatesViewModel::checkForUpdates);
}
