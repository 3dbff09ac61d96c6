#include "Features/DSStoreCleaner/DSStoreCleanerEngine.h"

#include "Core/FilePath.h"
#include "Platform/FreedesktopTrash.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Engine = DSStoreCleanerEngine;
using Kind = Engine::Kind;
using State = Engine::Item::Status::Kind;
using TestSupport::TempDir;

namespace {

struct Found {
    std::string path;
    Kind kind;
    std::int64_t size;
    bool operator==(const Found &) const = default;
};

std::vector<Found> found(const Engine &engine, const fs::path &base)
{
    std::vector<Found> out;
    for (const auto &item : engine.items())
        out.push_back({item.url.lexically_relative(base).native(), item.kind, item.size});
    return out;
}

void PrintTo(const Found &f, std::ostream *os)
{
    *os << f.path << "/" << int(f.kind) << "/" << f.size;
}

// A Trash that refuses every item, running a step first.
struct RefusingTrash : Trash {
    std::function<void(const fs::path &)> before;
    fs::path moveToTrash(const fs::path &item) override
    {
        if (before)
            before(item);
        throw Trash::Error(QStringLiteral("refused"));
    }
    void restore(const fs::path &, const fs::path &) override {}
};

struct InstalledTrash {
    explicit InstalledTrash(Trash *trash) { Trash::install(trash); }
    ~InstalledTrash() { Trash::install(nullptr); }
};

} // namespace

TEST(DSStoreCleaner, FindsTheThreeKindsByNameAndType)
{
    TempDir dir;
    const fs::path root = FilePath::realPathOrSame(dir.folder("r"));
    dir.file("r/.DS_Store", "1234");
    dir.file("r/.ds_store", "no");
    dir.folder("r/sub/.DS_Store/inside"); // a folder of that name counts
    dir.file("r/sub/.DS_Store/inside/x", "123");
    dir.file("r/._photo.jpg", "12");
    dir.file("r/._.DS_Store", "1");
    dir.file("r/._dir/.DS_Store", "12345"); // "._" folders are entered
    dir.file("r/__MACOSX", "not a folder");
    dir.file("r/a/__MACOSX/._a", "1234567890");
    dir.file("r/a/__MACOSX/deep/._b", "12345");
    dir.folder("r/empty/__MACOSX");
    dir.folder("r/__macosx");
    fs::create_symlink("/nonexistent", root / "b.link");
    fs::create_symlink("elsewhere", root / "sub/._link");

    Engine engine;
    engine.addURLs({root});
    const std::vector<Found> expected = {
        {".DS_Store", Kind::dsStore, 4},        {"._.DS_Store", Kind::appleDouble, 1},
        {"._dir/.DS_Store", Kind::dsStore, 5},  {"._photo.jpg", Kind::appleDouble, 2},
        {"a/__MACOSX", Kind::macosxFolder, 15}, {"empty/__MACOSX", Kind::macosxFolder, 0},
        {"sub/.DS_Store", Kind::dsStore, 3},    {"sub/._link", Kind::appleDouble, 9}, // a link's own size
    };
    EXPECT_EQ(found(engine, root), expected);
    // Everything looked at except what lies inside matched folders.
    EXPECT_EQ(engine.scannedCount(), 17);
    EXPECT_EQ(engine.pendingSize(), 39);

    QSignalSpy flagSpy(&engine, &Engine::includeAppleDoubleChanged);
    QSignalSpy itemsSpy(&engine, &Engine::itemsChanged);
    engine.setIncludeAppleDouble(false);
    EXPECT_EQ(engine.items().size(), 5u);
    EXPECT_EQ(found(engine, root)[2].path, "a/__MACOSX"); // still holds "._" files
    engine.setIncludeAppleDouble(false);
    EXPECT_EQ(flagSpy.count(), 1);
    EXPECT_EQ(itemsSpy.count(), 2); // every assignment rescans
    engine.setIncludeDSStore(false);
    engine.setIncludeMacosx(false);
    EXPECT_TRUE(engine.items().empty());
    engine.setIncludeMacosx(true);
    EXPECT_EQ(engine.items().size(), 2u);
}

TEST(DSStoreCleaner, DroppedJunkIsAnItemByItself)
{
    TempDir dir;
    const fs::path base = FilePath::realPathOrSame(dir.path());
    dir.file("x/.DS_Store", "12");
    dir.file("x/__MACOSX/._in", "123");
    dir.file("x/._photo.jpg", "1");
    dir.folder("x/._folder");
    Engine engine;
    engine.addURLs({base / "x/.DS_Store", base / "x/__MACOSX", base / "x/._photo.jpg", base / "x/._folder",
                    base / "gone/.DS_Store", base / "gone/._x"});
    EXPECT_EQ(found(engine, base), (std::vector<Found>{{"x/.DS_Store", Kind::dsStore, 2},
                                                       {"x/._photo.jpg", Kind::appleDouble, 1},
                                                       {"x/__MACOSX", Kind::macosxFolder, 3}}));
    EXPECT_EQ(engine.scannedRoots().size(), 6u);

    // A root inside another root lists its entries once, whichever comes first.
    for (const auto &roots : {std::vector<fs::path>{base / "x/.DS_Store", base / "x"},
                              std::vector<fs::path>{base / "x", base / "x/.DS_Store"}}) {
        Engine nested;
        nested.addURLs(roots);
        EXPECT_EQ(nested.items().size(), 3u);
    }
}

TEST(DSStoreCleaner, TrashAllMovesIntoTheTrashOfTheTestHome)
{
    TempDir dir;
    const fs::path root = FilePath::realPathOrSame(dir.folder("photos"));
    dir.file("photos/.DS_Store", "ds");
    dir.file("photos/._a.jpg", "ad");
    dir.file("photos/a.jpg", "photo");
    dir.file("photos/__MACOSX/._a.jpg", "inner");
    Engine engine;
    // The nested root lies inside a folder that is trashed as a whole.
    engine.addURLs({root, root / "__MACOSX/._a.jpg"});
    ASSERT_EQ(engine.items().size(), 4u);

    engine.trashAll();
    EXPECT_EQ(engine.trashedCount(), 4);
    EXPECT_EQ(engine.pendingSize(), 0);
    const fs::path files = FreedesktopTrash::homeTrash() / "files";
    for (const auto &item : engine.items()) {
        EXPECT_FALSE(fs::exists(fs::symlink_status(item.url))) << item.url;
        if (item.url == root / "__MACOSX/._a.jpg") {
            EXPECT_EQ(item.trashedTo, std::nullopt); // went with its folder
        } else {
            ASSERT_TRUE(item.trashedTo.has_value()) << item.url;
            EXPECT_EQ(item.trashedTo->parent_path(), files);
        }
    }
    EXPECT_EQ(TestSupport::readBytes(root / "a.jpg"), "photo");

    if (TestSupport::haveProgram(QStringLiteral("trash-list"))) {
        const auto listed = TestSupport::run(QStringLiteral("trash-list"), {});
        for (const char *name : {"/.DS_Store", "/._a.jpg", "/__MACOSX"})
            EXPECT_NE(listed.out.find(root.native() + name + "\n"), std::string::npos)
                << listed.out << listed.err;
    }
    engine.trashAll(); // nothing pending: nothing happens
    EXPECT_EQ(engine.trashedCount(), 4);
}

TEST(DSStoreCleaner, RefusedMoveFailsAlsoWhenTheEntryIsGone)
{
    TempDir dir;
    const fs::path root = FilePath::realPathOrSame(dir.folder("r"));
    dir.file("r/.DS_Store");
    dir.file("r/gone/._x");
    RefusingTrash trash;
    trash.before = [&](const fs::path &item) {
        if (item.filename() == "._x")
            fs::remove(item);
    };
    InstalledTrash installed(&trash);
    Engine engine;
    engine.addURLs({root});
    engine.trashAll();
    ASSERT_EQ(engine.items().size(), 2u);
    EXPECT_EQ(engine.items()[0].status, Engine::Item::Status::failed(QStringLiteral("refused")));
    // Gone by other means than this pass: not moved to the Trash by us.
    EXPECT_EQ(engine.items()[1].status, Engine::Item::Status::failed(QStringLiteral("refused")));
    EXPECT_EQ(engine.failedCount(), 2);
    EXPECT_EQ(engine.pendingSize(), 0);
}

TEST(DSStoreCleaner, ItemMovedAwaySinceTheScanFailsWithTheSystemsReason)
{
    TempDir dir;
    const fs::path root = FilePath::realPathOrSame(dir.folder("r"));
    dir.file("r/sub/.DS_Store", "ds");
    dir.file("r/._kept", "ad");
    Engine engine;
    engine.addURLs({root});
    ASSERT_EQ(engine.pendingCount(), 2);
    fs::rename(root / "sub", root / "sub2");

    engine.trashAll();
    EXPECT_EQ(engine.trashedCount(), 1);
    EXPECT_EQ(engine.failedCount(), 1);
    const auto &moved = engine.items()[1];
    ASSERT_EQ(moved.url, root / "sub/.DS_Store");
    EXPECT_EQ(moved.status,
              Engine::Item::Status::failed(QString::fromUtf8(
                  "'.DS_Store' 항목을 휴지통으로 옮기지 못했습니다. (No such file or directory)")));
    EXPECT_FALSE(moved.trashedTo);
    EXPECT_EQ(TestSupport::readBytes(root / "sub2/.DS_Store"), "ds");
}

TEST(DSStoreCleaner, UnexaminableEntryAfterRefusalStaysFailed)
{
    TempDir dir;
    const fs::path own = FilePath::realPathOrSame(dir.folder("own"));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(own.c_str(), 65534, 65534), 0);
    }
    const std::string result = TestSupport::runAsNobodyCapture([&] {
        const fs::path folder = own / "f";
        fs::create_directory(folder);
        TestSupport::writeBytes(folder / ".DS_Store", "x");
        RefusingTrash trash;
        // The folder loses its search permission: lstat then fails with EACCES, not ENOENT.
        trash.before = [&](const fs::path &) { ::chmod(folder.c_str(), 0600); };
        InstalledTrash installed(&trash);
        Engine engine;
        engine.addURLs({folder});
        engine.trashAll();
        ::chmod(folder.c_str(), 0700);
        return engine.items().size() == 1 ? engine.items()[0].status.message.toStdString() : "no item";
    });
    EXPECT_EQ(result, "refused");
}

TEST(DSStoreCleaner, UnreadableFoldersAreCountedAsUnprivilegedUser)
{
    TempDir dir;
    dir.file("r/closed/.DS_Store");
    dir.file("r/__MACOSX/closed/._x", "12");
    dir.file("r/__MACOSX/._y", "123");
    ASSERT_EQ(::chmod((dir / "r/closed").c_str(), 0300), 0);
    ASSERT_EQ(::chmod((dir / "r/__MACOSX/closed").c_str(), 0300), 0);
    const std::string result = TestSupport::runAsNobodyCapture([&] {
        Engine engine;
        engine.addURLs({dir / "r"});
        std::string out = std::to_string(engine.scan.unreadableCount);
        for (const auto &item : engine.items())
            out += " " + item.url.filename().native() + "=" + std::to_string(item.size);
        return out;
    });
    EXPECT_EQ(result, "2 __MACOSX=3");
}
