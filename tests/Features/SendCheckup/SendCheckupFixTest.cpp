// The fix pass and its undo on a real tree: every change must come back byte for byte.
#include "Archive/Zip/ZipBackend.h"
#include "Core/FilePath.h"
#include "Core/Router.h"
#include "Core/ScanSupport.h"
#include "Core/Text.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Features/ZipKorean/SourceCollection.h"
#include "Features/ZipKorean/ZipKoreanEngine.h"
#include "Platform/FreedesktopTrash.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QImage>

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

namespace {

const std::string nfdHan = "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB"; // 한
const std::string nfcHan = "\xED\x95\x9C";
const std::string nfdGa = "\xE1\x84\x80\xE1\x85\xA1"; // 가
const std::string nfcGa = "\xEA\xB0\x80";
const std::string cp949Name = "\xC7\xD1\xB1\xDB.txt";

struct Entry {
    char type;
    std::int64_t size;
    mode_t mode;
    std::string digest;
    bool operator==(const Entry &) const = default;
};
using Manifest = std::map<std::string, Entry>;

void collect(const fs::path &base, const fs::path &path, Manifest &out)
{
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0) << path;
    Entry e{'f', st.st_size, mode_t(st.st_mode & 07777), {}};
    if (S_ISDIR(st.st_mode)) {
        e = {'d', 0, mode_t(st.st_mode & 07777), {}};
    } else if (S_ISLNK(st.st_mode)) {
        e = {'l', 0, 0, fs::read_symlink(path).native()};
    } else {
        e.digest = QCryptographicHash::hash(QByteArray::fromStdString(TestSupport::readBytes(path)),
                                            QCryptographicHash::Sha256)
                       .toHex()
                       .toStdString();
    }
    out[fs::relative(path, base).native()] = e;
    if (S_ISDIR(st.st_mode))
        for (const auto &child : fs::directory_iterator(path))
            collect(base, child.path(), out);
}

Manifest manifestOf(const fs::path &root)
{
    Manifest m;
    collect(root, root, m);
    return m;
}

std::set<std::string> trashInfos()
{
    std::set<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(FreedesktopTrash::homeTrash() / "info", ec), end; !ec && it != end;
         it.increment(ec))
        names.insert(it->path().filename().native());
    return names;
}

// Entries of b that a does not hold.
std::vector<std::string> added(const std::set<std::string> &a, const std::set<std::string> &b)
{
    std::vector<std::string> out;
    std::set_difference(b.begin(), b.end(), a.begin(), a.end(), std::back_inserter(out));
    return out;
}

bool makeHeicOrSkip(const fs::path &target)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return TestSupport::haveProgram(QStringLiteral("heif-enc")) &&
           TestSupport::makeHeic(target, image).exitCode == 0;
}

bool anyName(const Manifest &m, const std::function<bool(const std::string &)> &test)
{
    for (const auto &[relative, entry] : m)
        for (const auto &piece : fs::path(relative))
            if (test(piece.native()))
                return true;
    return false;
}

class SendCheckupFix : public ::testing::Test {
protected:
    void SetUp() override
    {
        drop = dir.folder("drop");
        dir.folder("drop/" + nfdHan);
        dir.file("drop/" + nfdHan + "/" + nfdGa + ".txt", "inside a decomposed folder");
        dir.file("drop/" + nfcGa + " twin.txt", "composed twin");
        dir.file("drop/" + nfdGa + " twin.txt", "decomposed twin");
        dir.file("drop/.DS_Store", "junk");
        dir.file("drop/._a", "apple double");
        dir.file("drop/__MACOSX/._x", "inside macosx");
        dir.file("drop/a:b?.txt", "colon");
        dir.file("drop/con.txt", "reserved");
        dir.file("drop/trail.", "trailing dot");
        dir.file("drop/bad?/worse*", "nested");
        dir.file("drop/" + cp949Name, "cp949 bytes");
        ::chmod((drop / "con.txt").c_str(), 0600);
        makeHeic(drop / "photo.heic");
        fs::create_symlink(drop, dir / "droplink");
        before = manifestOf(drop);
    }

    void makeHeic(const fs::path &target)
    {
        if (!TestSupport::haveProgram(QStringLiteral("heif-enc")))
            GTEST_SKIP() << "heif-enc missing";
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const auto r = TestSupport::makeHeic(target, image);
        ASSERT_EQ(r.exitCode, 0) << r.err;
    }

    TempDir dir;
    fs::path drop;
    Manifest before;
};

} // namespace

TEST_F(SendCheckupFix, FixThenUndoRestoresTheTreeByteForByte)
{
    const auto trashBefore = trashInfos();
    SendCheckupEngine engine;
    engine.addURLs({dir / "droplink"});
    ASSERT_EQ(engine.roots(), PathList{drop});
    EXPECT_EQ(engine.selectedKinds(), 4);

    engine.fixAll();
    EXPECT_TRUE(engine.isFixed());
    ASSERT_TRUE(engine.journal().has_value());
    const Manifest fixed = manifestOf(drop);
    // Only the twin whose composed form already exists stays decomposed.
    EXPECT_FALSE(anyName(fixed, [](const std::string &n) {
        return n != nfdGa + " twin.txt" && Text::isValidUtf8(n) && !Text::isNfc(n);
    }));
    EXPECT_FALSE(anyName(fixed, [](const std::string &n) {
        return n.find_first_of(":?*") != std::string::npos || n == "con.txt" || n == "trail.";
    }));
    EXPECT_FALSE(anyName(
        fixed, [](const std::string &n) { return n == ".DS_Store" || n == "._a" || n == "__MACOSX"; }));
    EXPECT_TRUE(fixed.count("photo.jpg") || fixed.count("photo.jpeg")) << "no JPEG beside the photo";
    EXPECT_EQ(fixed.at(nfcGa + " twin.txt"), before.at(nfcGa + " twin.txt"));
    EXPECT_EQ(fixed.at(nfdGa + " twin.txt"), before.at(nfdGa + " twin.txt"));
    EXPECT_EQ(fixed.at(cp949Name), before.at(cp949Name));
    EXPECT_EQ(added(trashBefore, trashInfos()).size(), 3u);

    engine.undoLastFix();
    ASSERT_TRUE(engine.lastUndoResult().has_value());
    EXPECT_EQ(engine.lastUndoResult()->failed, 0);
    EXPECT_GT(engine.lastUndoResult()->restored, 8);
    EXPECT_FALSE(engine.isFixed());
    EXPECT_FALSE(engine.journal().has_value());
    EXPECT_EQ(engine.roots(), PathList{drop});

    const Manifest after = manifestOf(drop);
    EXPECT_EQ(after, before);
    EXPECT_FALSE(anyName(after, [](const std::string &n) { return n.starts_with(".brindlow-"); }));
    // Only the JPEG is left in the Trash, with its own .trashinfo.
    const auto infos = added(trashBefore, trashInfos());
    ASSERT_EQ(infos.size(), 1u);
    EXPECT_TRUE(infos[0].starts_with("photo.jp")) << infos[0];
}

TEST_F(SendCheckupFix, TakenOldNameFailsOnceAndOverwritesNothing)
{
    SendCheckupEngine engine;
    engine.setFixHeic(false);
    engine.setFixJunk(false);
    engine.addURLs({drop});
    engine.fixAll();
    // Someone puts a new file where one repaired name used to be.
    TestSupport::writeBytes(drop / "con.txt", "a new file");

    engine.undoLastFix();
    ASSERT_TRUE(engine.lastUndoResult().has_value());
    EXPECT_EQ(engine.lastUndoResult()->failed, 1);
    EXPECT_EQ(TestSupport::readBytes(drop / "con.txt"), "a new file");
    Manifest after = manifestOf(drop);
    after.erase("con.txt");
    Manifest expected = before;
    expected.erase("con.txt");
    // Everything else is back; the repaired file still stands under its new name.
    for (const auto &[name, entry] : expected)
        EXPECT_TRUE(after.count(name)) << name;
    EXPECT_EQ(after.size(), expected.size() + 1);
}

TEST_F(SendCheckupFix, DecomposedRootIsFollowedThroughBothRenamesAndBack)
{
    const auto root = dir.folder(nfdHan + "?");
    dir.file(nfdHan + "?/x.txt", "x");
    SendCheckupEngine engine;
    engine.addURLs({root});
    engine.fixAll();
    ASSERT_EQ(engine.roots().size(), 1u);
    const std::string name = engine.roots()[0].filename().native();
    EXPECT_TRUE(name.starts_with(nfcHan)) << name;
    EXPECT_EQ(name.find('?'), std::string::npos);
    EXPECT_TRUE(fs::exists(engine.roots()[0] / "x.txt"));

    engine.undoLastFix();
    EXPECT_EQ(engine.roots(), PathList{root});
    EXPECT_EQ(engine.lastUndoResult(), (SendCheckupEngine::UndoResult{2, 0}));
}

TEST_F(SendCheckupFix, SwitchesOffChangeNothingAndEachPassReplacesTheLastOnesJournal)
{
    SendCheckupEngine engine;
    engine.addURLs({drop});
    for (auto set : {&SendCheckupEngine::setFixHangul, &SendCheckupEngine::setFixJunk,
                     &SendCheckupEngine::setFixNames, &SendCheckupEngine::setFixHeic})
        (engine.*set)(false);
    engine.fixAll();
    EXPECT_TRUE(engine.isFixed());
    EXPECT_TRUE(engine.journal()->empty());
    EXPECT_EQ(manifestOf(drop), before);

    engine.setFixNames(true);
    engine.fixAll();
    EXPECT_EQ(engine.journal()->operations().size(), 5u); // a:b?.txt, con.txt, trail., bad?, worse*
    const Manifest named = manifestOf(drop);

    // The same folder again: nothing is left to repair, so this pass leaves nothing to undo.
    engine.addURLs({drop});
    EXPECT_FALSE(engine.isFixed()); // arrivals clear the fixed state but keep the journal
    EXPECT_EQ(engine.journal()->operations().size(), 5u);
    engine.fixAll();
    EXPECT_TRUE(engine.journal()->empty());

    // A pass with changes of its own: undo reverses these and only these.
    engine.setFixJunk(true);
    engine.addURLs({drop});
    engine.fixAll();
    EXPECT_EQ(engine.journal()->operations().size(), 3u); // .DS_Store, ._a, __MACOSX
    engine.undoLastFix();
    EXPECT_EQ(engine.lastUndoResult(), (SendCheckupEngine::UndoResult{3, 0}));
    EXPECT_EQ(manifestOf(drop), named);
}

TEST(SendCheckupRoots, NestedRootsFollowEveryRenameIntoTheArchiveAndBack)
{
    const std::string folder = "\xED\x8F\xB4\xEB\x8D\x94"; // 폴더
    const std::string sub = "\xED\x95\x98\xEC\x9C\x84";    // 하위
    const struct {
        std::string parent;
        std::string child;
    } cases[] = {
        {Text::toNfd(folder), Text::toNfd(sub)},              // the Korean-name step
        {folder + ":1", sub},                                 // the Windows-name step
        {Text::toNfd(folder) + ":1", Text::toNfd(sub) + "?"}, // both, on both roots
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.parent + "/" + c.child);
        TempDir dir;
        dir.file(c.parent + "/" + c.child + "/inside.txt", "inside");
        dir.file(c.parent + "/beside.txt", "beside");
        const fs::path parent = FilePath::realPathOrSame(dir.path()) / c.parent;
        const fs::path child = parent / c.child;
        const auto before = TestSupport::entriesBelow(parent);

        SendCheckupEngine engine;
        engine.addURLs({parent, child});
        engine.fixAll();
        ASSERT_EQ(engine.roots().size(), 2u);
        const fs::path fixedChild = engine.roots()[1];
        EXPECT_EQ(fixedChild.parent_path(), engine.roots()[0]);
        EXPECT_TRUE(fs::is_directory(fixedChild)) << fixedChild;
        EXPECT_TRUE(Text::isNfc(fixedChild.native()));
        EXPECT_EQ(fixedChild.native().find_first_of(":?"), std::string::npos);

        // The dashboard hands its roots to the compress tool, which packs both folders.
        const QUuid session = QUuid::createUuid();
        Router::shared().openZip(engine.roots(), session);
        ZipKoreanEngine zip;
        zip.addURLs(Router::shared().takeZipHandoff(session));
        zip.createZip();
        ASSERT_TRUE(zip.createdZip()) << zip.actionError().value_or(QString()).toStdString();
        std::set<std::string> packed;
        for (const auto &entry : ZipBackend().list(*zip.createdZip(), {}).entries)
            packed.insert(entry.name);
        EXPECT_TRUE(packed.count(fixedChild.filename().native() + "/inside.txt")) << *zip.createdZip();
        fs::remove(*zip.createdZip());

        engine.undoLastFix();
        EXPECT_EQ(engine.lastUndoResult()->failed, 0);
        EXPECT_EQ(engine.roots(), (PathList{parent, child}));
        EXPECT_EQ(TestSupport::entriesBelow(parent), before);
    }
}

TEST(SendCheckupNames, HeicCopyNeverTwinsANameSpelledInAnotherNormalisation)
{
    const std::string trip = "\xEC\x97\xAC\xED\x96\x89"; // 여행
    TempDir dir;
    const fs::path folder = FilePath::realPathOrSame(dir.folder("trip"));
    TestSupport::writeBytes(folder / (Text::toNfd(trip) + ".jpg"), "the user's photo");
    if (!makeHeicOrSkip(folder / (Text::toNfd(trip) + ".heic")))
        GTEST_SKIP() << "heif-enc missing";
    const Manifest before = manifestOf(folder);

    SendCheckupEngine engine;
    engine.addURLs({folder});
    engine.fixAll();
    EXPECT_EQ(engine.heic.doneCount(), 1);
    EXPECT_EQ(engine.hangul.failedCount(), 0);
    EXPECT_EQ(engine.hangul.doneCount(), 2);
    EXPECT_EQ(TestSupport::entriesBelow(folder),
              (std::set<std::string>{trip + ".jpg", trip + " 2.jpg", trip + ".heic"}));
    EXPECT_EQ(TestSupport::readBytes(folder / (trip + ".jpg")), "the user's photo");

    engine.undoLastFix();
    EXPECT_EQ(engine.lastUndoResult(), (SendCheckupEngine::UndoResult{3, 0}));
    EXPECT_EQ(manifestOf(folder), before);
}

TEST(SendCheckupJunk, JunkMovedAwayBeforeTheFixFailsAndIsNotJournalled)
{
    TempDir dir;
    const fs::path root = FilePath::realPathOrSame(dir.folder("r"));
    dir.file("r/sub/.DS_Store", "ds");
    SendCheckupEngine engine;
    engine.addURLs({root});
    ASSERT_EQ(engine.junk.pendingCount(), 1);
    fs::rename(root / "sub", root / "sub2");

    engine.fixAll();
    EXPECT_EQ(engine.junk.trashedCount(), 0);
    EXPECT_EQ(engine.junk.failedCount(), 1);
    EXPECT_TRUE(engine.journal()->empty());
    EXPECT_EQ(TestSupport::readBytes(root / "sub2/.DS_Store"), "ds");
}

TEST(SendCheckupDeep, TreeDeeperThanPathMaxIsFixedAndUndoneByteForByte)
{
    const std::string nfdHangul = Text::toNfd("\xED\x95\x9C\xEA\xB8\x80"); // 한글
    TempDir dir;
    const fs::path base = FilePath::realPathOrSame(dir.folder("deep"));
    const fs::path level20 = TestSupport::deepFolders(base, 20);
    const fs::path level23 = TestSupport::deepFolders(level20, 3);
    const std::map<fs::path, std::string> files{
        {level20 / nfdHangul / (nfdGa + ".txt"), "nfd in nfd"},
        {level20 / "bad:20.txt", "colon"},
        {level20 / "._junk20", "apple double"},
        {level23 / "bad:23.txt", "colon deeper"},
        {level23 / "._junk23", "apple double deeper"},
        {level23 / (nfdGa + "23.txt"), "nfd deepest"},
    };
    TestSupport::makeFolders(level20 / nfdHangul);
    for (const auto &[path, bytes] : files)
        TestSupport::writeBytes(path, bytes);
    ASSERT_GT((level23 / "bad:23.txt").native().size(), std::size_t(PATH_MAX));
    const auto before = TestSupport::entriesBelow(base);

    SendCheckupEngine engine;
    engine.addURLs({base});
    EXPECT_EQ(engine.hangul.pendingCount(), 3);
    EXPECT_EQ(engine.junk.pendingCount(), 2);
    EXPECT_EQ(engine.names.pendingCount(), 2);
    EXPECT_EQ(engine.unreadableFolderCount(), 0);

    engine.fixAll();
    EXPECT_EQ(engine.hangul.doneCount(), 3);
    EXPECT_EQ(engine.junk.trashedCount(), 2);
    EXPECT_EQ(engine.names.doneCount(), 2);
    EXPECT_EQ(engine.journal()->operations().size(), 7u);
    for (const auto &entry : TestSupport::entriesBelow(base)) {
        const std::string name(fs::path(entry).filename().native());
        EXPECT_TRUE(Text::isNfc(name) && !name.starts_with("._") && name.find(':') == std::string::npos)
            << name;
    }
    EXPECT_EQ(TestSupport::readBytes(level23 / (nfcGa + "23.txt")), "nfd deepest");

    engine.undoLastFix();
    EXPECT_EQ(engine.lastUndoResult(), (SendCheckupEngine::UndoResult{7, 0}));
    EXPECT_EQ(TestSupport::entriesBelow(base), before);
    for (const auto &[path, bytes] : files)
        EXPECT_EQ(TestSupport::readBytes(path), bytes) << path.filename();
}

// The junk step fills a Trash that lies inside the dropped folder (a volume's top folder has its
// own, the home folder holds the home Trash): what it holds is never renamed, counted or packed.
TEST(SendCheckupTrash, TheTrashInsideADroppedFolderIsNeverTheUsersFolder)
{
    const std::string album = Text::toNfd("\xEC\x82\xAC\xEC\xA7\x84\xEC\xB2\xA9"); // 사진첩
    const std::string spring = "._" + Text::toNfd("\xEB\xB4\x84") + ".jpg";        // ._봄.jpg
    TempDir dir;
    const fs::path base = FilePath::realPathOrSame(dir.path());
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    struct Restore {
        QByteArray value;
        ~Restore() { qputenv("XDG_DATA_HOME", value); }
    } restore{dataHome};
    const struct {
        const char *what;
        fs::path root;
        fs::path trash;
    } cases[] = {
        {"the home folder", base / "home", base / "home/.local/share/Trash"},
        {"a volume's top folder", base / "U", base / "U" / (".Trash-" + std::to_string(::getuid()))},
    };
    TestSupport::SmallDisk stick(base / "U");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.root == base / "U" && !stick.mounted())
            GTEST_SKIP() << "mounting a small tmpfs needs root";
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((base / "home/.local/share").native()));
        TestSupport::makeFolders(base / "home/.local/share");
        TestSupport::makeFolders(c.root / album);
        TestSupport::writeBytes(c.root / album / spring, "a");
        TestSupport::writeBytes(c.root / ".DS_Store", "d");
        TestSupport::writeBytes(c.root / "._a:b", "colon"); // junk Windows cannot store either
        fs::create_symlink(fs::relative(c.trash, c.root), c.root / "shortcut");
        const auto before = TestSupport::entriesBelow(c.root);

        SendCheckupEngine engine;
        engine.addURLs({c.root});
        EXPECT_EQ(engine.hangul.pendingCount(), 2);
        EXPECT_EQ(engine.junk.pendingCount(), 3);
        EXPECT_EQ(engine.names.pendingCount(), 1);

        engine.fixAll();
        // The decomposed AppleDouble went to the Trash before the Korean-name step: left out, not
        // failed; the Windows-name step finds nothing, also not in the Trash.
        EXPECT_EQ(engine.junk.trashedCount(), 3);
        EXPECT_EQ(engine.hangul.items().size(), 1u);
        EXPECT_EQ(engine.hangul.doneCount(), 1);
        EXPECT_EQ(engine.names.items().size(), 0u);
        EXPECT_EQ(engine.journal()->operations().size(), 4u);
        EXPECT_EQ(TestSupport::entriesBelow(c.trash / "files"),
                  (std::set<std::string>{".DS_Store", "._a:b", spring}));
        EXPECT_EQ(TestSupport::entriesBelow(c.trash / "info"),
                  (std::set<std::string>{".DS_Store.trashinfo", "._a:b.trashinfo", spring + ".trashinfo"}));

        // The next diagnosis and the archive of the roots pass the Trash over.
        engine.rescanAll();
        EXPECT_EQ(engine.hangul.pendingCount() + engine.junk.pendingCount() + engine.names.pendingCount(), 0);
        // The root, the album and the link (and .local and share), not the Trash.
        EXPECT_EQ(engine.junk.scannedCount(), c.root == base / "U" ? 3 : 5);
        DirectoryScan scan;
        const auto packed = SourceCollection::of({c.root}, scan).sources;
        EXPECT_FALSE(packed.empty());
        for (const auto &source : packed) {
            EXPECT_EQ(source.entryName.find("Trash"), std::string::npos) << source.entryName;
            EXPECT_EQ(source.entryName.find("shortcut"), std::string::npos) << source.entryName;
        }

        engine.undoLastFix();
        EXPECT_EQ(engine.lastUndoResult(), (SendCheckupEngine::UndoResult{4, 0}));
        auto after = TestSupport::entriesBelow(c.root);
        const std::string trash = fs::relative(c.trash, c.root).native();
        std::erase_if(after, [&](const std::string &e) { return ScanSupport::isAtOrBelow(e, trash); });
        EXPECT_EQ(after, before);
    }
}

// The Korean-name step renames what the diagnosis showed, and only that.
TEST(SendCheckupNames, TheKoreanNameStepRenamesOnlyWhatTheDiagnosisShowed)
{
    TempDir dir;
    const fs::path root = FilePath::realPathOrSame(dir.folder("r"));
    const std::string shown = Text::toNfd("\xEA\xB0\x80") + ".txt"; // 가.txt
    const std::string gone = Text::toNfd("\xEB\x82\x98") + ".txt";  // 나.txt
    const std::string junk = "._" + Text::toNfd("\xEB\x8B\xA4");    // ._다
    const std::string later = Text::toNfd("\xEB\x9D\xBC") + ".txt"; // 라.txt
    for (const auto &name : {shown, gone, junk})
        dir.file("r/" + name, name);
    SendCheckupEngine engine;
    engine.addURLs({root});
    ASSERT_EQ(engine.hangul.pendingCount(), 3);
    fs::remove(root / gone);       // deleted by the user: this one fails
    dir.file("r/" + later, "new"); // appeared after the diagnosis: nobody was shown it

    engine.fixAll();
    EXPECT_EQ(engine.hangul.doneCount(), 1);
    ASSERT_EQ(engine.hangul.failedCount(), 1);
    EXPECT_EQ(engine.hangul.items().size(), 2u); // the AppleDouble went to the Trash: left out
    for (const auto &item : engine.hangul.items()) {
        if (item.status.kind == HangulRenameEngine::Item::Status::Kind::failed) {
            EXPECT_EQ(item.status.message, "No such file or directory");
        }
    }
    EXPECT_EQ(TestSupport::entriesBelow(root), (std::set<std::string>{Text::toNfc(shown), later}));
}

// A chained undo moves back only what the pass moved: a new file under a name the pass gave up
// is the user's, and stays.
TEST(SendCheckupUndo, AReversalLeavesAloneWhatThePassDidNotRename)
{
    TempDir dir;
    const fs::path root = FilePath::realPathOrSame(dir.folder("r"));
    const std::string nfd = nfdGa + ":1";
    dir.file("r/" + nfd, "ours");
    SendCheckupEngine engine;
    engine.addURLs({root});
    engine.fixAll();
    ASSERT_EQ(engine.journal()->operations().size(), 2u); // to NFC, then to a name Windows can store
    EXPECT_EQ(TestSupport::readBytes(root / (nfcGa + "_1")), "ours");
    dir.file("r/" + nfcGa + ":1", "theirs");

    engine.undoLastFix();
    EXPECT_EQ(engine.lastUndoResult(), (SendCheckupEngine::UndoResult{0, 2}));
    EXPECT_EQ(TestSupport::entriesBelow(root), (std::set<std::string>{nfcGa + ":1", nfcGa + "_1"}));
    EXPECT_EQ(TestSupport::readBytes(root / (nfcGa + ":1")), "theirs");
    EXPECT_EQ(TestSupport::readBytes(root / (nfcGa + "_1")), "ours");
}

// Links below the roots keep reaching what the pass renamed, and undo gives them their old texts.
TEST(SendCheckupLinks, LinksFollowThePassesRenamesAndGetTheirTextsBack)
{
    const std::string real = Text::toNfd("\xEC\x8B\xA4\xEC\xA0\x9C");   // 실제
    const std::string folder = Text::toNfd("\xED\x8F\xB4\xEB\x8D\x94"); // 폴더
    const std::string own = Text::toNfd("\xEB\xA7\x81\xED\x81\xAC");    // 링크
    const auto nfc = [](const std::string &text) { return Text::toNfc(text); };
    TempDir dir;
    const fs::path root = FilePath::realPathOrSame(dir.folder("root"));
    const fs::path outside = FilePath::realPathOrSame(dir.folder("outside"));
    dir.file("root/real/" + real + ".txt", "real");
    dir.file("root/" + folder + "/inside.txt", "inside");
    dir.file("root/a:b.txt", "colon");
    dir.file("outside/" + real + ".txt", "outside");
    const std::string absolute = (root / "real" / (real + ".txt")).native();
    const std::string none = Text::toNfd("\xEC\x97\x86\xEC\x9D\x8C"); // 없음
    const struct {
        std::string at;    // where the link stands before the pass
        std::string after; // and after it
        std::string text;
        std::string fixed;
    } links[] = {
        {"\xEB\xA7\x81\xED\x81\xAC\xED\x8C\x8C\xEC\x9D\xBC.txt",
         "\xEB\xA7\x81\xED\x81\xAC\xED\x8C\x8C\xEC\x9D\xBC.txt", "real/" + real + ".txt",
         "real/" + nfc(real) + ".txt"},
        {"to-folder", "to-folder", folder + "/", nfc(folder) + "/"},
        {"absolute", "absolute", absolute, (root / "real" / (nfc(real) + ".txt")).native()},
        {folder + "/up", nfc(folder) + "/up", "../real/./" + real + ".txt",
         "../real/./" + nfc(real) + ".txt"},
        // Renamed itself, to a name the Windows-name step repaired.
        {own, nfc(own), "a:b.txt", "a_b.txt"},
        // Reaching nothing before the pass, or reaching outside the roots: left alone.
        {"dangling", "dangling", none, none},
        {"out", "out", (outside / (real + ".txt")).native(), (outside / (real + ".txt")).native()},
    };
    for (const auto &l : links)
        fs::create_symlink(l.text, root / l.at);
    fs::create_symlink(absolute, outside / "in"); // outside the roots: left alone
    const Manifest before = manifestOf(root);

    SendCheckupEngine engine;
    engine.addURLs({root});
    engine.fixAll();
    std::size_t relinked = 0;
    for (const auto &op : engine.journal()->operations())
        relinked += std::holds_alternative<UndoJournal::Relinked>(op);
    EXPECT_EQ(relinked, 5u);
    for (const auto &l : links) {
        SCOPED_TRACE(l.after);
        EXPECT_EQ(fs::read_symlink(root / l.after).native(), l.fixed);
        if (l.fixed != l.text) {
            EXPECT_TRUE(fs::exists(root / l.after));
        }
    }
    EXPECT_EQ(fs::read_symlink(outside / "in").native(), absolute);

    engine.undoLastFix();
    EXPECT_EQ(engine.lastUndoResult()->failed, 0);
    EXPECT_EQ(manifestOf(root), before);
}
