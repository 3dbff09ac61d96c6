#include "Archive/Zip/ZipBackend.h"

#include "ZipTestSupport.h"
#include "support/TestSupport.h"

using namespace ZipTest;

// The adapter the compress-and-extract tool calls: create, list, extract whole or one file.
TEST(ZipBackend, createsListsAndExtracts)
{
    TestSupport::TempDir dir;
    const std::vector<ZipWriter::Source> sources{
        {"폴더/", dir.folder("src/폴더"), true},
        {"폴더/문서.txt", dir.file("src/폴더/문서.txt", "내용"), false},
        {"폴더/._문서.txt", dir.file("src/폴더/._문서.txt", "junk"), false}};
    const ZipBackend backend;
    for (const QString &password : {QString(), QStringLiteral("암호")}) {
        SCOPED_TRACE(password.toStdString());
        const auto zip = dir / "out.zip";
        std::filesystem::remove(zip);
        ArchiveBackend::CreateOptions create;
        create.password = password;
        create.zipAes256 = true;
        backend.createAt(zip, sources, create);

        const auto listing = backend.list(zip, {});
        EXPECT_EQ(listing.needsPassword, !password.isEmpty());
        ASSERT_EQ(listing.entries.size(), 3u);
        EXPECT_EQ(listing.entries[1],
                  (ArchiveBackend::Entry{"폴더/문서.txt", false, 6, false, !password.isEmpty()}));

        ArchiveBackend::ExtractOptions extract;
        extract.password = password;
        extract.destination = dir.folder("all" + std::to_string(password.size()));
        EXPECT_EQ(backend.extract(zip, extract), 1);
        EXPECT_EQ(TestSupport::entriesBelow(extract.destination),
                  (std::set<std::string>{"폴더", "폴더/문서.txt"}));

        extract.singleFileTarget = dir / ("one" + std::to_string(password.size()) + ".txt");
        EXPECT_EQ(backend.extract(zip, extract), 1);
        EXPECT_EQ(TestSupport::readBytes(*extract.singleFileTarget), "내용");
        // The single file is created exclusively: an item standing there is never replaced.
        expectZipError([&] { backend.extract(zip, extract); }, ZipError::Kind::ioError);
        EXPECT_EQ(TestSupport::readBytes(*extract.singleFileTarget), "내용");
    }
}
