// The fix pass and its undo on a real tree: every change must come back byte for byte.
#include "Core/Text.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Platform/FreedesktopTrash.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QImage>

#include <gtest/gtest.h>

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
