#include "Ui/OpenPanel.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <QLineEdit>

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
        // What the user typed, as against the names the dialog writes there for a selection.
        if (auto *edit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            connect(edit, &QLineEdit::textEdited, this, [this](const QString &text) { typed_ = text; });
    }

    const std::vector<fs::path> &chosen() const { return chosen_; }

    void accept() override
    {
        // A typed path to a folder goes there, as in a file manager's location bar; choosing a
        // folder takes selecting it.
        if (const auto folder = typedFolder()) {
            setDirectory(*folder);
            for (auto *view : findChildren<QAbstractItemView *>())
                view->clearSelection();
            if (auto *edit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                edit->clear();
            typed_.clear();
            return;
        }
        chosen_.clear();
        std::set<QString> seen;
        for (auto *view : findChildren<QAbstractItemView *>()) {
            // The file views only: the sidebar's rows are places, not choices.
            if (view->selectionModel() == nullptr || !view->isVisible() ||
                qobject_cast<QFileSystemModel *>(view->model()) == nullptr)
                continue;
            for (const QModelIndex &index : view->selectionModel()->selectedRows()) {
                if (index.parent() != view->rootIndex())
                    continue; // left selected in a folder no longer shown
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
        // The dialog closes with the chosen items as they are: QFileDialog's own accept would
        // look at the name field again.
        QDialog::accept(); // NOLINT(bugprone-parent-virtual-call)
    }

private:
    // The folder the name field names while it holds what the user typed.
    std::optional<QString> typedFolder() const
    {
        const auto *edit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (edit == nullptr || typed_.isEmpty() || edit->text() != typed_)
            return std::nullopt;
        QString path = typed_;
        if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
            path = QDir::homePath() + path.mid(1);
        const QFileInfo info(directory().absoluteFilePath(path));
        if (!info.isDir())
            return std::nullopt;
        return info.absoluteFilePath();
    }

    bool foldersOnly_;
    bool allowsFolders_ = true;
    std::vector<fs::path> chosen_;
    QString typed_;
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
