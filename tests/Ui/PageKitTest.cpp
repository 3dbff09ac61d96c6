#include "support/PageTestSupport.h"

#include "Features/HangulFilename/HangulFilenameView.h"
#include "Ui/FileDrop.h"
#include "Ui/SymbolIcon.h"
#include "support/TestSupport.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace PageTest;
using TestSupport::TempDir;

TEST(PageKit, DroppedUriListKeepsNameBytes)
{
    // A CP949 name (not UTF-8), an NFD name, spaces and a '%' itself, CRLF lines, a comment and
    // URLs that are not local files.
    const QByteArray list = "# comment\r\n"
                            "file:///tmp/%C7%D1%B1%DB.txt\r\n"
                            "file:///tmp/%E1%84%92%E1%85%A1%E1%86%AB.txt\r\n"
                            "file://localhost/tmp/a%20b%25c\r\n"
                            "https://example.org/x\r\n"
                            "file://otherhost/tmp/y\r\n"
                            "\r\n"
                            "file:///tmp/bad%zz\n";
    const auto paths = FileDrop::paths(list);
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(paths[0].native(), std::string("/tmp/\xC7\xD1\xB1\xDB.txt"));
    EXPECT_EQ(paths[1].native(), std::string("/tmp/\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB.txt"));
    EXPECT_EQ(paths[2].native(), std::string("/tmp/a b%c"));
}

TEST(PageKit, EveryPageTakesADragOnlyForItsLocalFiles)
{
    const struct {
        const char *what;
        QByteArray uriList; // empty: the drag carries no URL list at all
        bool taken;
    } cases[] = {
        {"a local file", "file:///tmp/a.txt\r\n", true},
        {"a name that is not UTF-8", "file:///tmp/%C7%D1.txt\r\n", true},
        {"web pages and a local file", "https://example.org/x\r\nfile:///tmp/a.txt\r\n", true},
        {"web pages only", "https://example.org/x\r\n", false},
        {"a file of another host", "file://otherhost/tmp/y\r\n", false},
        {"a list that names nothing", "# comment\r\n", true},
        {"no URL list", {}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QMimeData data;
        data.setText(QStringLiteral("words"));
        if (!c.uriList.isEmpty())
            data.setData(QStringLiteral("text/uri-list"), c.uriList);
        EXPECT_EQ(FileDrop::takes(&data), c.taken);

        HangulFilenameView page(std::make_unique<HangulRenameEngine>());
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        enter.setAccepted(false);
        QApplication::sendEvent(&page, &enter);
        EXPECT_EQ(enter.isAccepted(), c.taken);
        EXPECT_EQ(page.isDropTargeted(), c.taken);
    }
}

TEST(PageKit, EverySymbolPictureDrawsInItsTint)
{
    const QStringList pictures = QDir(QStringLiteral(":/symbols")).entryList({QStringLiteral("*.svg")});
    EXPECT_GE(pictures.size(), 31);
    QStringList names = {QStringLiteral("archivebox.fill"), QStringLiteral("lock.doc.fill"),
                         QStringLiteral("no.such.symbol")};
    for (const QString &picture : pictures)
        names << picture.chopped(4);
    const QColor tint(200, 40, 10);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const QImage image =
            SymbolIcon::pixmap(name, 32, tint, 2.0).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(64, 64));
        int covered = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) < 255)
                    continue;
                ++covered;
                ASSERT_EQ(QColor(pixel), tint);
            }
        EXPECT_GT(covered, 64) << "the picture draws nothing";
    }
    EXPECT_FALSE(SymbolIcon::isKnown(QStringLiteral("no.such.symbol")));
}

TEST(PageKit, SummaryPartsJoinWithMiddleDot)
{
    EXPECT_EQ(text(ToolPageWidget::joinParts({})), "");
    EXPECT_EQ(text(ToolPageWidget::joinParts({"a"})), "a");
    EXPECT_EQ(text(ToolPageWidget::joinParts({"a", "b", "c"})), "a \u00B7 b \u00B7 c");
}

TEST(PageKit, DragHoverTintsTheDropZoneAndBouncesItsSymbol)
{
    HangulFilenameView page(std::make_unique<HangulRenameEngine>());
    page.resize(700, 500);
    DropZoneWidget *zone = page.dropZone();
    EXPECT_FALSE(page.isDropTargeted());
    EXPECT_FALSE(zone->symbol()->isBouncing());

    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), "file:///tmp/x\r\n");
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&page, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_TRUE(page.isDropTargeted());
    EXPECT_TRUE(zone->symbol()->isAccent());
    EXPECT_TRUE(zone->symbol()->isBouncing());
    shoot(&page, QStringLiteral("drop-zone-hovered"));

    QDragLeaveEvent leave;
    QApplication::sendEvent(&page, &leave);
    EXPECT_FALSE(page.isDropTargeted());
    EXPECT_FALSE(zone->symbol()->isAccent());
    EXPECT_FALSE(page.showsResults()); // hovering adds nothing

    // A drag without file URLs is not taken.
    QMimeData plain;
    plain.setText(QStringLiteral("hello"));
    QDragEnterEvent other(QPoint(10, 10), Qt::CopyAction, &plain, Qt::LeftButton, Qt::NoModifier);
    other.setAccepted(false);
    QApplication::sendEvent(&page, &other);
    EXPECT_FALSE(other.isAccepted());
    EXPECT_FALSE(page.isDropTargeted());
}

TEST(PageKit, OpenPanelCancelChangesNothingAndConfirmAddsLikeADrop)
{
    TempDir dir;
    const auto file = dir.file("\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB.txt");
    HangulFilenameView page(std::make_unique<HangulRenameEngine>());

    OpenPanelRequest asked;
    page.setOpenPanel(std::make_unique<FakeOpenPanel>(std::nullopt, &asked));
    page.dropZone()->pickButton()->click();
    EXPECT_TRUE(asked.allowsFiles);
    EXPECT_TRUE(asked.allowsFolders);
    EXPECT_EQ(text(asked.prompt), "추가");
    EXPECT_EQ(text(asked.message), "파일명을 검사할 파일이나 폴더를 선택하세요");
    EXPECT_FALSE(page.showsResults());
    EXPECT_TRUE(page.engine().scannedRoots().empty());

    page.setOpenPanel(std::make_unique<FakeOpenPanel>(std::vector<fs::path>{file}));
    page.dropZone()->pickButton()->click();
    EXPECT_TRUE(page.showsResults());
    EXPECT_EQ(rowCount(&page), 1);
}

namespace {

// A list source over a plain vector, to watch what the model tells its views.
struct Rows {
    std::vector<QUuid> ids;
    int built = 0; // rows made for showing
    ResultListModel::Source source()
    {
        return {[this] { return int(ids.size()); },
                [this](int i) { return ids[std::size_t(i)]; },
                [this](int i) {
                    ++built;
                    ResultRow row;
                    row.name = QString::number(i);
                    row.badge = RowBadge::capsule(QStringLiteral("변환 대기"));
                    return row;
                },
                {}};
    }
};

} // namespace

TEST(PageKit, ModelRepaintsTheSameItemsAndResetsOnlyForOthers)
{
    Rows rows;
    for (int i = 0; i < 100000; ++i)
        rows.ids.push_back(QUuid::createUuid());
    ResultListView view(rows.source());
    EXPECT_TRUE(view.list()->uniformItemSizes());
    QSignalSpy resets(view.model(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(view.model(), &QAbstractItemModel::dataChanged);

    view.sync();
    EXPECT_EQ(view.model()->rowCount(), 100000);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_FALSE(view.showsEmptyState());

    view.sync(); // statuses changed in place: a repaint, the scroll position stays
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(changes.count(), 1);

    // Painting makes only the rows on screen.
    view.resize(600, 400);
    rows.built = 0;
    (void)view.grab();
    EXPECT_GT(rows.built, 0);
    EXPECT_LT(rows.built, 100);

    rows.ids[500] = QUuid::createUuid(); // a rescan gives new ids
    view.sync();
    EXPECT_EQ(resets.count(), 2);

    rows.ids.clear();
    view.sync();
    EXPECT_TRUE(view.showsEmptyState());
}

namespace {

// Selects the named entries of the dialog's current folder in its visible view and confirms.
bool chooseInDialog(const fs::path &folder, const QStringList &names)
{
    QFileDialog *dialog = nullptr;
    (void)QTest::qWaitFor(
        [&] { return (dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())); }, 5000);
    if (dialog == nullptr)
        return false;
    dialog->setDirectory(QString::fromStdString(folder.native()));
    QAbstractItemView *view = nullptr;
    for (auto *candidate : dialog->findChildren<QAbstractItemView *>())
        if (candidate->isVisible() && candidate->model() != nullptr &&
            (candidate->objectName() == "listView" || candidate->objectName() == "treeView"))
            view = candidate;
    if (view == nullptr)
        return false;
    const QModelIndex root = view->rootIndex();
    // The dialog's model fills in the background.
    if (!QTest::qWaitFor([&] { return view->model()->rowCount(root) >= names.size(); }, 5000))
        return false;
    int selected = 0;
    for (int r = 0; r < view->model()->rowCount(root); ++r) {
        const QModelIndex index = view->model()->index(r, 0, root);
        if (names.contains(index.data().toString())) {
            view->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
            ++selected;
        }
    }
    if (selected != names.size()) {
        QMetaObject::invokeMethod(dialog, "reject");
        return false;
    }
    QMetaObject::invokeMethod(dialog, "accept");
    return true;
}

} // namespace

TEST(PageKit, FileDialogChoosesFilesAndFoldersTogether)
{
    TempDir dir;
    dir.file("pick/a.txt");
    dir.folder("pick/folder");
    dir.file("pick/other.txt");
    const fs::path folder = dir / "pick";

    const struct {
        OpenPanelRequest request;
        QStringList select;
        std::vector<std::string> chosen;
    } cases[] = {
        {{true, true, "추가", "m"}, {"a.txt", "folder"}, {"a.txt", "folder"}},
        {{false, true, "추가", "m"}, {"folder"}, {"folder"}},
    };
    for (const auto &c : cases) {
        bool driven = false;
        QTimer::singleShot(0, [&] { driven = chooseInDialog(folder, c.select); });
        const auto chosen = FileDialogOpenPanel().choose(nullptr, c.request);
        ASSERT_TRUE(driven);
        ASSERT_TRUE(chosen.has_value());
        std::vector<std::string> names;
        for (const auto &p : *chosen) {
            EXPECT_EQ(p.parent_path(), folder);
            names.push_back(p.filename().native());
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.chosen);
    }

    // Cancelled: nothing.
    QTimer::singleShot(0, [] {
        QWidget *dialog = nullptr;
        (void)QTest::qWaitFor([&] { return (dialog = QApplication::activeModalWidget()) != nullptr; }, 5000);
        if (dialog)
            QMetaObject::invokeMethod(dialog, "reject");
    });
    EXPECT_FALSE(FileDialogOpenPanel().choose(nullptr, {}).has_value());
}

TEST(PageKit, AFolderPathTypedInTheFileDialogOpensThatFolder)
{
    TempDir dir;
    dir.file("start/a.txt");
    dir.file("inner folder/b.txt");
    const fs::path start = dir / "start";
    const fs::path inner = dir / "inner folder";

    // Typed as a full path and as a path relative to the folder shown.
    for (const QString &typed : {QString::fromStdString(inner.native()), QStringLiteral("../inner folder")}) {
        bool stayedOpen = false;
        QString shown;
        QTimer::singleShot(0, [&] {
            QFileDialog *dialog = nullptr;
            (void)QTest::qWaitFor(
                [&] { return (dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())); },
                5000);
            if (dialog == nullptr)
                return;
            dialog->setDirectory(QString::fromStdString(start.native()));
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (edit == nullptr) {
                QMetaObject::invokeMethod(dialog, "reject");
                return;
            }
            QTest::keyClicks(edit, typed);
            QTest::keyClick(edit, Qt::Key_Return);
            stayedOpen = dialog->isVisible();
            shown = dialog->directory().absolutePath();
            // A name typed in the opened folder is then chosen as usual.
            edit->clear();
            QTest::keyClicks(edit, QStringLiteral("b.txt"));
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible())
                QMetaObject::invokeMethod(dialog, "reject");
        });
        const auto chosen = FileDialogOpenPanel().choose(nullptr, {true, true, "추가", "m"});
        EXPECT_TRUE(stayedOpen) << typed.toStdString();
        EXPECT_EQ(shown.toStdString(), inner.native()) << typed.toStdString();
        ASSERT_TRUE(chosen.has_value()) << typed.toStdString();
        EXPECT_EQ(*chosen, std::vector<fs::path>{inner / "b.txt"});
    }
}
