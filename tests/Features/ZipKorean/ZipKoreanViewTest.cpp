#include "Features/ZipKorean/ZipKoreanView.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/SevenZip/SevenZipWriter.h"
#include "Archive/Zip/ZipWriter.h"
#include "Core/Router.h"
#include "Core/Text.h"
#include "EngineTestSupport.h"
#include "Platform/FileManager.h"
#include "Ui/ResultListView.h"
#include "support/SaveShot.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace fs = std::filesystem;
using TestSupport::saveShot;
using TestSupport::TempDir;
using Mode = ZipKoreanEngine::Mode;
using Format = ZipKoreanEngine::CreateFormat;

namespace {

std::string cp(const char *utf8)
{
    return *Text::encodeCp949(utf8);
}

// A ZIP of stored entries whose names are the given bytes (no UTF-8 flag).
void writeStoredZip(const fs::path &path, const std::vector<std::pair<std::string, std::string>> &entries)
{
    std::vector<EngineTest::RawEntry> raw;
    for (const auto &[name, data] : entries)
        raw.push_back({name, data});
    TestSupport::writeBytes(path, EngineTest::storedZip(raw));
}

// Stands in for the file manager and remembers the items it was asked to show.
class RecordingViewer : public FileViewer {
public:
    void showItems(const std::vector<fs::path> &items) override
    {
        shown.insert(shown.end(), items.begin(), items.end());
    }
    std::vector<fs::path> shown;
};

class ZipKoreanViewTest : public ::testing::Test {
protected:
    ZipKoreanViewTest() : session(QUuid::createUuid()), view(std::make_unique<ZipKoreanEngine>(), session)
    {
        Router::shared().resetForTesting();
        FileViewer::install(&viewer);
        view.resize(900, 600);
        view.setItemChooser([](QWidget *) { return std::optional<ZipKoreanView::PathList>(); });
    }
    ~ZipKoreanViewTest() override
    {
        FileViewer::install(nullptr);
        Router::shared().resetForTesting();
    }

    template <typename T = QWidget> T *find(const char *name)
    {
        auto *found = view.findChild<T *>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Shown as the page stands now (its window need not be on screen).
    bool shown(const char *name) { return find(name)->isVisibleTo(&view); }
    QString text(const char *name) { return find<QLabel>(name)->text(); }
    // One part of every row a list paints: "entryName" and "sourceName" the name, "badge" the
    // capsule, "junkNote" the note under the name, "entrySize" the size at the end.
    std::vector<QString> rowTexts(const char *list, const std::string &part)
    {
        std::vector<QString> out;
        ResultListModel *model = find<ResultListView>(list)->model();
        for (int i = 0; i < model->rowCount(); ++i) {
            const ResultRow row = model->row(i);
            if (part == "entryName" || part == "sourceName")
                out.push_back(row.name);
            else if (part == "badge")
                out.push_back(row.capsule ? row.capsule->text : QString());
            else if (part == "junkNote")
                out.push_back(row.note);
            else if (part == "entrySize")
                out.push_back(row.badge.text);
        }
        return out;
    }
    int rowCount(const char *list) { return find<ResultListView>(list)->model()->rowCount(); }
    void click(const char *name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void drop(const QList<QUrl> &urls)
    {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }
    static QUrl url(const fs::path &path)
    {
        return QUrl::fromLocalFile(QString::fromStdString(path.native()));
    }

    TempDir dir;
    QUuid session;
    ZipKoreanView view;
    RecordingViewer viewer;
    std::vector<fs::path> &revealed = viewer.shown;
};

} // namespace

TEST_F(ZipKoreanViewTest, IdleDropZoneAndPicker)
{
    EXPECT_TRUE(shown("dropZone"));
    EXPECT_TRUE(shown("infoBox"));
    EXPECT_FALSE(shown("entryList"));
    EXPECT_EQ(ZipKoreanView::navigationTitle(), QString::fromUtf8("압축 도구"));
    EXPECT_EQ(ZipKoreanView::navigationSubtitle(), QString::fromUtf8("한글 깨짐 없는 압축·해제"));
    saveShot(view, "zip-idle");

    // A cancelled chooser changes nothing; a chosen archive is opened.
    click("pickButton");
    EXPECT_EQ(view.engine().mode(), Mode::idle);
    writeStoredZip(dir / "a.zip", {{"a.txt", "A"}});
    view.setItemChooser([&](QWidget *) { return std::optional(ZipKoreanView::PathList{dir / "a.zip"}); });
    click("pickButton");
    EXPECT_EQ(view.engine().mode(), Mode::extract);
    EXPECT_TRUE(shown("entryList"));
    EXPECT_FALSE(shown("dropZone"));
}

TEST_F(ZipKoreanViewTest, ExtractStateListsFilesWithBadgesJunkAndSummary)
{
    writeStoredZip(dir / "win.zip", {{cp("자료") + "/", ""},
                                     {cp("자료") + "/" + cp("보고서") + ".hwp", std::string(1500, 'x')},
                                     {cp("자료") + "/readme.txt", "r"},
                                     {"__MACOSX/._x", "j"}});
    drop({url(dir / "win.zip")});
    EXPECT_EQ(text("extractTitle"), "win.zip");
    EXPECT_EQ(text("extractSubtitle"),
              QString::fromUtf8("Windows(CP949) 인코딩 감지 — 한글 파일명 3개를 복원합니다"));
    EXPECT_EQ(rowTexts("entryList", "entryName"),
              (std::vector<QString>{QString::fromUtf8("자료/보고서.hwp"),
                                    QString::fromUtf8("자료/readme.txt"), "__MACOSX/._x"}));
    EXPECT_EQ(rowTexts("entryList", "badge"),
              (std::vector<QString>{QString::fromUtf8("CP949 복원"), QString::fromUtf8("CP949 복원"), ""}));
    EXPECT_EQ(rowTexts("entryList", "junkNote"),
              (std::vector<QString>{"", "", QString::fromUtf8("맥 쓰레기 파일 — 건너뜀")}));
    EXPECT_EQ(rowTexts("entryList", "entrySize"), (std::vector<QString>{"2KB", "1바이트", "1바이트"}));
    EXPECT_EQ(text("extractSummary"), QString::fromUtf8("파일 3개 · 쓰레기 1개 제외"));
    EXPECT_TRUE(find<QCheckBox>("junkCheck")->isEnabled());
    EXPECT_FALSE(shown("passwordField"));
    EXPECT_FALSE(shown("actionError"));
    saveShot(view, "zip-extract");

    // Switching junk skipping off leaves only the file count; the notes stay.
    find<QCheckBox>("junkCheck")->click();
    EXPECT_FALSE(view.engine().skipMacJunk());
    EXPECT_EQ(text("extractSummary"), QString::fromUtf8("파일 3개"));
    EXPECT_EQ(rowTexts("entryList", "junkNote")[2], QString::fromUtf8("맥 쓰레기 파일 — 건너뜀"));

    // Extracting: the bar turns into its done form.
    find<QCheckBox>("junkCheck")->click();
    click("extractButton");
    EXPECT_FALSE(view.engine().actionError());
    EXPECT_TRUE(shown("extractDone"));
    for (const char *gone : {"passwordField", "junkCheck", "extractSummary", "extractButton"})
        EXPECT_FALSE(shown(gone)) << gone;
    EXPECT_TRUE(shown("clearButton"));
    QTest::mouseClick(find<QWidget>("extractDone")->findChild<QPushButton *>("revealButton"), Qt::LeftButton);
    EXPECT_EQ(revealed, std::vector<fs::path>{dir / QString::fromUtf8("자료").toStdString()});
    saveShot(view, "zip-extracted");

    click("clearButton");
    EXPECT_EQ(view.engine().mode(), Mode::idle);
    EXPECT_TRUE(shown("dropZone"));
}

TEST_F(ZipKoreanViewTest, PasswordStates)
{
    // An encrypted ZIP with readable names: rows with locks and the field, no prompt.
    const fs::path file = dir.file("src/secret.txt", "s");
    ZipWriter::create(dir / "locked.zip", {{"secret.txt", file, false}}, "pw", ZipWriter::Encryption::aes256);
    drop({url(dir / "locked.zip")});
    EXPECT_TRUE(shown("entryList"));
    EXPECT_FALSE(shown("passwordPrompt"));
    EXPECT_TRUE(shown("passwordField"));
    EXPECT_FALSE(find<QCheckBox>("junkCheck")->isEnabled());
    EXPECT_TRUE(find<QCheckBox>("junkCheck")->isChecked());
    click("extractButton");
    EXPECT_TRUE(shown("actionError"));
    EXPECT_TRUE(text("actionError").contains(ZipError::passwordRequired().description()));
    EXPECT_TRUE(shown("extractButton"));

    // A 7z with hidden names: the prompt fills the list area until the password lists it.
    SevenZipWriter::create(dir / "hidden.7z", {{"secret.txt", file, false}}, "pw", true);
    drop({url(dir / "hidden.7z")});
    EXPECT_TRUE(shown("passwordPrompt"));
    EXPECT_FALSE(shown("entryList"));
    EXPECT_TRUE(shown("passwordField"));
    EXPECT_TRUE(find<QPushButton>("extractButton")->isEnabled());
    EXPECT_EQ(text("extractSubtitle"),
              QString::fromUtf8("암호로 보호된 압축 파일 — 암호를 입력하고 풀기를 누르세요"));
    saveShot(view, "zip-password");
    QTest::keyClicks(find<QLineEdit>("passwordField"), "pw");
    EXPECT_EQ(view.engine().password(), "pw");
    QTest::keyClick(find<QLineEdit>("passwordField"), Qt::Key_Return);
    EXPECT_FALSE(view.engine().extractedItem()); // Return starts nothing
    click("extractButton");
    EXPECT_FALSE(view.engine().actionError()) << view.engine().actionError()->toStdString();
    EXPECT_TRUE(shown("extractDone"));
    EXPECT_EQ(TestSupport::readBytes(dir / "secret.txt"), "s");
}

TEST_F(ZipKoreanViewTest, ErrorScreenAndFolderOnlyArchive)
{
    drop({url(dir.folder("box.zip"))});
    EXPECT_TRUE(shown("errorPlaceholder"));
    EXPECT_EQ(text("errorText"), *view.engine().loadError());
    EXPECT_TRUE(shown("clearButton"));

    writeStoredZip(dir / "folders.zip", {{"a/", ""}, {"a/b/", ""}});
    drop({url(dir / "folders.zip")});
    EXPECT_TRUE(shown("entryList"));
    EXPECT_EQ(rowCount("entryList"), 0);
    EXPECT_EQ(text("extractSummary"), "");
    EXPECT_TRUE(find<QPushButton>("extractButton")->isEnabled());
}

TEST_F(ZipKoreanViewTest, HoverStateFollowsTheDrag)
{
    QMimeData mime;
    mime.setUrls({url(dir.file("a.txt", "A"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_TRUE(view.isDropTargeted());
    saveShot(view, "zip-hover");
    QDragLeaveEvent leave;
    QApplication::sendEvent(&view, &leave);
    EXPECT_FALSE(view.isDropTargeted());
    EXPECT_EQ(view.engine().mode(), Mode::idle);

    // A drag of web addresses only is not taken.
    QMimeData web;
    web.setUrls({QUrl("https://example.com/x.zip")});
    QDragEnterEvent other(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    other.ignore();
    QApplication::sendEvent(&view, &other);
    EXPECT_FALSE(other.isAccepted());
    EXPECT_FALSE(view.isDropTargeted());
}

TEST_F(ZipKoreanViewTest, DropsKeepLocalFilesOnly)
{
    writeStoredZip(dir / "one.zip", {{"a.txt", "A"}});
    drop({QUrl("https://example.com/x.zip")});
    EXPECT_EQ(view.engine().mode(), Mode::idle);
    drop({QUrl("https://example.com/x.zip"), url(dir / "one.zip")});
    EXPECT_EQ(view.engine().mode(), Mode::extract);
    EXPECT_FALSE(view.isDropTargeted());

    // A name that is not UTF-8 arrives with its bytes.
    const std::string raw = "\xB0\xA1.txt";
    dir.file(raw, "x");
    drop({QUrl::fromEncoded("file://" + QByteArray::fromStdString(dir.path().native()) + "/%B0%A1.txt")});
    ASSERT_EQ(view.engine().sources().size(), 1u);
    EXPECT_EQ(view.engine().sources()[0].filePath->native(), dir.path().native() + "/" + raw);
}

TEST_F(ZipKoreanViewTest, CreationViewOptionsFollowFormatAndPassword)
{
    dir.file(QString::fromUtf8("사진/a.jpg").toStdString(), "jpg");
    dir.file(QString::fromUtf8("사진/sub/b.jpg").toStdString(), "jpg");
    dir.file(QString::fromUtf8("사진/.DS_Store").toStdString(), "ds");
    drop({url(dir / QString::fromUtf8("사진").toStdString())});
    EXPECT_EQ(view.engine().mode(), Mode::create);
    EXPECT_EQ(text("createTitle"), QString::fromUtf8("사진 (Windows용).zip"));
    EXPECT_EQ(text("createSubtitle"),
              QString::fromUtf8("NFC 파일명 + UTF-8 플래그로 Windows에서 완벽하게 보입니다"));
    EXPECT_EQ(rowTexts("sourceList", "sourceName"),
              (std::vector<QString>{QString::fromUtf8("사진/"), QString::fromUtf8("사진/a.jpg"),
                                    QString::fromUtf8("사진/sub/"), QString::fromUtf8("사진/sub/b.jpg")}));
    EXPECT_EQ(text("createSummary"), QString::fromUtf8("파일 2개 · 쓰레기 1개 제외"));
    EXPECT_TRUE(shown("createPasswordField"));
    EXPECT_FALSE(shown("encryptionPicker"));
    EXPECT_FALSE(shown("hideNamesCheck"));

    auto *formats = find<QComboBox>("formatPicker");
    ASSERT_EQ(formats->count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(formats->itemText(i),
                  ZipKoreanEngine::label(ZipKoreanEngine::allCreateFormats[std::size_t(i)]));

    QTest::keyClicks(find<QLineEdit>("createPasswordField"), "pw");
    EXPECT_EQ(view.engine().createPassword(), "pw");
    EXPECT_TRUE(shown("encryptionPicker"));
    EXPECT_TRUE(text("createSubtitle").endsWith(QString::fromUtf8(" · 암호 적용")));
    saveShot(view, "zip-create");

    // Picking tar hides the password and its options, keeping the password for later.
    formats->setCurrentIndex(2);
    emit formats->activated(2);
    EXPECT_EQ(view.engine().createFormat(), Format::tar);
    EXPECT_EQ(text("createTitle"), QString::fromUtf8("사진.tar"));
    EXPECT_EQ(text("createSubtitle"), QString::fromUtf8("유닉스·개발 환경에서 널리 쓰는 형식입니다"));
    EXPECT_FALSE(shown("createPasswordField"));
    EXPECT_FALSE(shown("encryptionPicker"));

    // 7z with the password: the hide-names box, on by default.
    formats->setCurrentIndex(1);
    emit formats->activated(1);
    EXPECT_EQ(find<QLineEdit>("createPasswordField")->text(), "pw");
    EXPECT_TRUE(shown("hideNamesCheck"));
    EXPECT_TRUE(find<QCheckBox>("hideNamesCheck")->isChecked());
    EXPECT_TRUE(text("createSubtitle").endsWith(QString::fromUtf8(" · 암호 + 목록 숨김")));
    find<QCheckBox>("hideNamesCheck")->click();
    EXPECT_FALSE(view.engine().sevenZipHideNames());
    EXPECT_TRUE(text("createSubtitle").endsWith(QString::fromUtf8(" · 암호 적용")));

    click("createButton");
    ASSERT_FALSE(view.engine().actionError()) << view.engine().actionError()->toStdString();
    EXPECT_TRUE(shown("createDone"));
    for (const char *gone : {"options", "createSummary", "createButton"})
        EXPECT_FALSE(shown(gone)) << gone;
    EXPECT_TRUE(shown("createClearButton"));
    QTest::mouseClick(find<QWidget>("createDone")->findChild<QPushButton *>("revealButton"), Qt::LeftButton);
    EXPECT_EQ(revealed, std::vector<fs::path>{*view.engine().createdZip()});
    saveShot(view, "zip-created");
}

// A long list costs the page no more widgets than a short one: its rows are painted.
TEST_F(ZipKoreanViewTest, ListsPaintTheirRowsWithoutAWidgetEach)
{
    view.show();
    const auto widgets = [&] { return view.findChildren<QWidget *>().size(); };
    const auto packAndOpen = [&](const char *name, int files) {
        for (int i = 0; i < files; ++i)
            dir.file(std::string(name) + "/f" + std::to_string(i) + ".txt", "x");
        drop({url(dir / name)});
        QApplication::processEvents();
        const auto whilePacking = widgets();
        EXPECT_EQ(rowCount("sourceList"), files + 1);
        click("createButton");
        EXPECT_TRUE(view.engine().createdZip());
        drop({url(*view.engine().createdZip())});
        QApplication::processEvents();
        EXPECT_EQ(rowCount("entryList"), files);
        return std::pair(whilePacking, widgets());
    };
    const auto few = packAndOpen("few", 1);
    const auto many = packAndOpen("many", 400);
    EXPECT_EQ(many.first, few.first);
    EXPECT_EQ(many.second, few.second);
}

TEST_F(ZipKoreanViewTest, CreateButtonNeedsSources)
{
    dir.folder("empty/inner");
    drop({url(dir / "empty")});
    EXPECT_EQ(text("createSummary"), QString::fromUtf8("파일 0개"));
    EXPECT_TRUE(find<QPushButton>("createButton")->isEnabled());

    dir.file("junk/.DS_Store", "x");
    drop({url(dir / "junk" / ".DS_Store")});
    EXPECT_EQ(rowCount("sourceList"), 0);
    EXPECT_EQ(text("createSummary"), QString::fromUtf8("파일 0개 · 쓰레기 1개 제외"));
    EXPECT_FALSE(find<QPushButton>("createButton")->isEnabled());
}

TEST_F(ZipKoreanViewTest, HandOffIsTakenOncePerAppearance)
{
    const fs::path folder = dir.folder("fixed");
    dir.file("fixed/a.txt", "A");
    Router::shared().openZip({}, session);
    view.show();
    QApplication::processEvents();
    EXPECT_EQ(view.engine().mode(), Mode::idle);

    Router::shared().openZip({folder}, session);
    view.hide();
    view.show();
    QApplication::processEvents();
    EXPECT_EQ(view.engine().mode(), Mode::create);
    EXPECT_EQ(view.engine().sources().size(), 2u);
    EXPECT_TRUE(Router::shared().takeZipHandoff(session).empty());

    view.engine().clear();
    view.hide();
    view.show();
    QApplication::processEvents();
    EXPECT_EQ(view.engine().mode(), Mode::idle);

    // Another tab's hand-off is not this page's.
    Router::shared().openZip({folder}, QUuid::createUuid());
    view.hide();
    view.show();
    QApplication::processEvents();
    EXPECT_EQ(view.engine().mode(), Mode::idle);
}

TEST_F(ZipKoreanViewTest, EachFormatNamesTheArchiveAndOffersItsOptions)
{
    dir.file("docs/a.txt", "A");
    drop({url(dir / "docs")});
    QTest::keyClicks(find<QLineEdit>("createPasswordField"), "pw");
    const struct {
        const char *title;
        bool password;
        bool encryption;
        bool hideNames;
        const char *subtitle;
    } rows[] = {
        {"docs (Windows용).zip", true, true, false,
         "NFC 파일명 + UTF-8 플래그로 Windows에서 완벽하게 보입니다 · 암호 적용"},
        {"docs.7z", true, false, true,
         "고압축 형식 — 받는 쪽에 7-Zip·반디집 등이 필요합니다 · 암호 + 목록 숨김"},
        {"docs.tar", false, false, false, "유닉스·개발 환경에서 널리 쓰는 형식입니다"},
        {"docs.tar.gz", false, false, false, "유닉스·개발 환경에서 널리 쓰는 형식입니다"},
        {"docs.tar.bz2", false, false, false, "유닉스·개발 환경에서 널리 쓰는 형식입니다"},
        {"docs.tar.xz", false, false, false, "유닉스·개발 환경에서 널리 쓰는 형식입니다"},
    };
    auto *formats = find<QComboBox>("formatPicker");
    for (int i = 0; i < 6; ++i) {
        const auto &row = rows[i];
        SCOPED_TRACE(row.title);
        formats->setCurrentIndex(i);
        emit formats->activated(i);
        EXPECT_EQ(view.engine().createFormat(), ZipKoreanEngine::allCreateFormats[std::size_t(i)]);
        EXPECT_EQ(text("createTitle"), QString::fromUtf8(row.title));
        EXPECT_EQ(text("createSubtitle"), QString::fromUtf8(row.subtitle));
        EXPECT_EQ(shown("createPasswordField"), row.password);
        EXPECT_EQ(shown("encryptionPicker"), row.encryption);
        EXPECT_EQ(shown("hideNamesCheck"), row.hideNames);
    }
    // Without a password neither option shows, nor a suffix.
    formats->setCurrentIndex(0);
    emit formats->activated(0);
    find<QLineEdit>("createPasswordField")->clear();
    emit find<QLineEdit>("createPasswordField")->textEdited({});
    EXPECT_FALSE(shown("encryptionPicker"));
    EXPECT_EQ(text("createSubtitle"),
              QString::fromUtf8("NFC 파일명 + UTF-8 플래그로 Windows에서 완벽하게 보입니다"));
}

TEST_F(ZipKoreanViewTest, FoldersThatCouldNotBeLookedIntoAreSaidBesideTheResult)
{
    dir.file("d/a.txt", "a");
    drop({url(dir / "d")});
    EXPECT_FALSE(shown("createUnreadable"));
    // The count a walk leaves behind when folders refuse it (a real refusal needs another user:
    // the engine's own test makes one).
    view.engine().scan.unreadableCount = 2;
    click("createButton");
    ASSERT_TRUE(shown("createDone"));
    EXPECT_TRUE(shown("createUnreadable"));
    EXPECT_EQ(text("createUnreadable"), QString::fromUtf8("폴더 2개는 권한이 없어 살펴보지 못했습니다"));
    saveShot(view, "zip-created-unreadable");

    // A new drop starts counting again.
    drop({url(dir / "d")});
    EXPECT_FALSE(shown("createUnreadable"));
}
