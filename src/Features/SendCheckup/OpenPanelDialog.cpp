#include "Features/SendCheckup/OpenPanelDialog.h"

#include "Core/Localization.h"

#include <QAbstractItemView>
#include <QFile>
#include <QFileSystemModel>
#include <QItemSelectionModel>

#include <set>

namespace fs = std::filesystem;

OpenPanelDialog::OpenPanelDialog(QWidget *parent) : QFileDialog(parent)
{
    setObjectName(QStringLiteral("openPanel"));
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFiles);
    setLabelText(QFileDialog::Accept, L("진단"));
    setWindowTitle(L("살펴볼 파일이나 폴더를 선택하세요"));
    allowSeveral();
}

std::optional<std::vector<fs::path>> OpenPanelDialog::run(QWidget *parent)
{
    OpenPanelDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

namespace {
// The dialog's two views of the folder's entries (the sidebar of places is not one of them).
QList<QAbstractItemView *> entryViews(const QFileDialog &dialog)
{
    QList<QAbstractItemView *> views;
    for (const char *name : {"listView", "treeView"})
        if (auto *view = dialog.findChild<QAbstractItemView *>(QLatin1String(name)))
            views << view;
    return views;
}
} // namespace

void OpenPanelDialog::allowSeveral()
{
    for (auto *view : entryViews(*this))
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void OpenPanelDialog::showEvent(QShowEvent *event)
{
    QFileDialog::showEvent(event);
    allowSeveral(); // the views may be made only when the dialog first shows
}

void OpenPanelDialog::accept()
{
    chosen_.clear();
    std::set<QString> seen;
    for (auto *view : entryViews(*this)) {
        if (view->selectionModel() == nullptr || !view->isVisible())
            continue;
        for (const QModelIndex &index : view->selectionModel()->selectedRows()) {
            const QString path = index.data(QFileSystemModel::FilePathRole).toString();
            if (!path.isEmpty() && seen.insert(path).second)
                chosen_.emplace_back(QFile::encodeName(path).toStdString());
        }
    }
    if (!chosen_.empty()) {
        QDialog::accept();
        return;
    }
    // A typed name, or a folder to enter: the dialog's own handling.
    QFileDialog::accept();
    if (result() == QDialog::Accepted)
        for (const QString &path : selectedFiles())
            chosen_.emplace_back(QFile::encodeName(path).toStdString());
}
