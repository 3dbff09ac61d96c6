// Every extraction path (the ZIP and 7z readers of our own, the libarchive bridge) writes only
// below its destination: a symbolic link standing anywhere inside can never redirect a write, and
// a destination handed over as an open descriptor stays the folder written even when its path is
// taken over meanwhile. Symbolic-link entries follow one rule everywhere: they are left out.
#include "Archive/LibArchive/LibArchiveBackend.h"
#include "Archive/SevenZip/SevenZipBackend.h"
#include "Archive/Zip/ZipBackend.h"

#include "Core/Descriptor.h"
#include "Core/FormatError.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <map>
#include <memory>

namespace fs = std::filesystem;
using TestSupport::TempDir;

namespace {

struct Format {
    const char *name;
    const char *extension;
    std::shared_ptr<ArchiveBackend> backend;
    const char *pack; // shell command packing the items that follow it into ARCHIVE
};

const std::vector<Format> &formats()
{
    static const std::vector<Format> list{
        {"zip", "zip", std::make_shared<ZipBackend>(), "zip -q -r -y ARCHIVE"},
        {"7z, own reader", "7z", std::make_shared<SevenZipBackend>(), "7zz a -bso0 -snl ARCHIVE"},
        {"7z, libarchive", "7z", std::make_shared<LibArchiveBackend>(), "7zz a -bso0 -snl ARCHIVE"},
        {"tar", "tar", std::make_shared<LibArchiveBackend>(), "bsdtar -cf ARCHIVE"},
        {"tar.gz", "tar.gz", std::make_shared<LibArchiveBackend>(), "bsdtar -czf ARCHIVE"},
    };
    return list;
}

// Packs the items of the folder `from` with the format's peer into `stem` plus the extension.
fs::path pack(const Format &format, const fs::path &from, const std::string &items, const fs::path &stem)
{
    fs::path archive = stem.native() + "." + format.extension;
    fs::remove(archive);
    QString command = QString::fromUtf8(format.pack);
    command.replace(QStringLiteral("ARCHIVE"), TestSupport::q(archive));
    const auto r = TestSupport::run(
        QStringLiteral("sh"), {QStringLiteral("-c"), command + ' ' + QString::fromStdString(items)}, from);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return archive;
}

std::map<std::string, std::string> files(const fs::path &root)
{
    std::map<std::string, std::string> out;
    for (const auto &path : TestSupport::entriesBelow(root))
        if (fs::is_regular_file(fs::symlink_status(root / path)))
            out[path] = TestSupport::readBytes(root / path);
    return out;
}

Descriptor openFolder(const fs::path &path)
{
    return Descriptor(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

} // namespace

TEST(ExtractionSafety, ALinkPlantedInsideTheDestinationNeverRedirectsAWrite)
{
    TempDir dir;
    dir.file("src/sub/x.txt", "x\n");
    dir.file("src/a/b/y.txt", "y\n");
    const auto outside = dir.folder("outside");
    // A link where a folder of the archive goes, and one below a folder that is really there.
    const struct {
        const char *what;
        const char *folder; // made first, when not empty
        const char *link;
    } plantings[] = {
        {"a top folder", "", "sub"},
        {"an intermediate component", "a", "a/b"},
    };
    for (const auto &format : formats()) {
        const auto archive = pack(format, dir / "src", "sub a", dir / "tree");
        for (const auto &planting : plantings) {
            SCOPED_TRACE(std::string(format.name) + ", " + planting.what);
            TempDir out;
            if (*planting.folder != '\0')
                fs::create_directories(out / planting.folder);
            fs::create_directory_symlink(outside, out / planting.link);
            ArchiveBackend::ExtractOptions options;
            options.destination = out.path();
            EXPECT_THROW(format.backend->extract(archive, options), FormatError);
            EXPECT_TRUE(TestSupport::entriesBelow(outside).empty());
            EXPECT_TRUE(fs::is_symlink(out / planting.link));
        }
    }
}

TEST(ExtractionSafety, TheDestinationsDescriptorStaysTheFolderWritten)
{
    TempDir dir;
    dir.file("src/sub/x.txt", "x\n");
    dir.file("src/only.txt", "only\n");
    const auto outside = dir.folder("outside");
    for (const auto &format : formats()) {
        SCOPED_TRACE(format.name);
        const auto tree = pack(format, dir / "src", "sub", dir / "tree");
        const auto one = pack(format, dir / "src", "only.txt", dir / "one");
        for (const bool single : {false, true}) {
            TempDir out;
            const auto destination = out.folder("chosen");
            const Descriptor folder = openFolder(destination);
            ASSERT_TRUE(folder.valid());
            // Someone takes the chosen name over after the folder was made and opened.
            fs::rename(destination, out / "made");
            fs::create_directory_symlink(outside, destination);
            ArchiveBackend::ExtractOptions options;
            options.destination = destination;
            options.destinationFolder = folder.get();
            if (single)
                options.singleFileTarget = destination / "only.txt";
            EXPECT_EQ(format.backend->extract(single ? one : tree, options), 1);
            EXPECT_TRUE(TestSupport::entriesBelow(outside).empty());
            EXPECT_EQ(files(out / "made"), single
                                               ? (std::map<std::string, std::string>{{"only.txt", "only\n"}})
                                               : (std::map<std::string, std::string>{{"sub/x.txt", "x\n"}}));
        }
    }
}

TEST(ExtractionSafety, SymbolicLinkEntriesAreLeftOutEverywhere)
{
    TempDir dir;
    dir.file("src/real.txt", "real\n");
    fs::create_symlink("real.txt", dir / "src" / "link");
    for (const auto &format : formats()) {
        SCOPED_TRACE(format.name);
        const auto archive = pack(format, dir / "src", "real.txt link", dir / "links");
        // The peer stored the link as a link.
        const auto listing = format.backend->list(archive, {});
        ASSERT_EQ(listing.entries.size(), 2u);
        TempDir out;
        ArchiveBackend::ExtractOptions options;
        options.destination = out.path();
        EXPECT_EQ(format.backend->extract(archive, options), 1);
        EXPECT_EQ(TestSupport::entriesBelow(out.path()), (std::set<std::string>{"real.txt"}));
    }
}
