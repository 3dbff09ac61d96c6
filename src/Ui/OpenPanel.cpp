#include "Ui/OpenPanel.h"

#include <QAbstractItemView>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QItemSelectionModel>

#include <set>

namespace fs = std::filesystem;

namespace {

// Qt's dialog picks either files or folders; with both allowed, the selected rows of its views
// are taken as they are, so a folder can be chosen beside files.
class FilesAndFoldersDialog : public QFileDialog {
public:
    FilesAndFoldersDialog(QWidget *parent, const OpenPanelRequest &request)
        : QFileDialog(parent), foldersOnly_(!request.allowsFiles)
    {
        setOption(QFileDialog::DontUseNativeDialog);
        setOption(QFileDialog::ShowDirsOnly, foldersOnly_);
        setFileMode(foldersOnly_ ? QFileDialog::Directory : QFileDialog::ExistingFiles);
        setLabelText(QFileDialog::Accept, request.prompt);
        setWindowTitle(request.message);
        allowsFolders_ = request.allowsFolders;
        for (auto *view : findChildren<QAbstractItemView *>())
            view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    }

    const std::vector<fs::path> &chosen() const { return chosen_; }

    void accept() override
    {
        chosen_.clear();
        std::set<QString> seen;
        for (auto *view : findChildren<QAbstractItemView *>()) {
            if (view->selectionModel() == nullptr || !view->isVisible())
                continue;
            for (const QModelIndex &index : view->selectionModel()->selectedRows()) {
                const QString path = index.data(QFileSystemModel::FilePathRole).toString();
                const bool isFolder = QFileInfo(path).isDir();
                if (path.isEmpty() || (isFolder && !allowsFolders_) || (!isFolder && foldersOnly_))
                    continue;
                if (seen.insert(path).second)
                    chosen_.emplace_back(QFile::encodeName(path).toStdString());
            }
        }
        if (chosen_.empty()) {
            QFileDialog::accept(); // a typed name, or entering a folder
            if (result() == QDialog::Accepted)
                for (const QString &path : selectedFiles())
                    chosen_.emplace_back(QFile::encodeName(path).toStdString());
            return;
        }
        QDialog::accept();
    }

private:
    bool foldersOnly_;
    bool allowsFolders_ = true;
    std::vector<fs::path> chosen_;
};

} // namespace

std::optional<std::vector<fs::path>> FileDialogOpenPanel::choose(QWidget *parent,
                                                                 const OpenPanelRequest &request)
{
    FilesAndFoldersDialog dialog(parent, request);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}
