// Compressed streams read to their end and checked there; bytes that no format knows refused.
#include "LibArchiveTesting.h"

#include <gtest/gtest.h>

using namespace LibArchiveTesting;
using Error = LibArchive::ArchiveError;
using Kind = Error::Kind;
namespace fs = std::filesystem;

TEST(LibArchiveStream, DamageThatOnlyTheStreamsOwnChecksSeeFailsListingAndExtraction)
{
    const struct {
        const char *archive;
        const char *detail; // empty: libarchive's own text
    } cases[] = {
        {"flipped.tar.gz", "gzip CRC 불일치"},
        {"crc.tar.gz", "gzip CRC 불일치"},
        {"length.tar.gz", "gzip 크기 불일치"},
        {"cut.tar.gz", "gzip 데이터 잘림"},
        {"flipped.tar.xz", ""},
        {"flipped.tar.bz2", ""},
        {"flipped.tar.zst", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.archive);
        for (const bool extracting : {false, true}) {
            TestSupport::TempDir out;
            const Error error = errorOf([&] {
                if (extracting)
                    bridge().extract(fixtures() / c.archive, out.path(), false, {}, {}, {});
                else
                    bridge().listEntries(fixtures() / c.archive, {});
            });
            EXPECT_EQ(error.kind(), Kind::failed);
            if (*c.detail != '\0') {
                EXPECT_EQ(error.detail(), QString::fromUtf8(c.detail));
            } else {
                EXPECT_FALSE(error.detail().isEmpty());
            }
        }
    }
}

TEST(LibArchiveStream, SoundStreamsReadToTheirEnd)
{
    const std::string noise = TestSupport::readBytes(fixtures() / "noise.tar").substr(512, 200000);
    // A tar split across two gzip members, and the same tar whole.
    for (const char *archive : {"members.tar.gz", "noise.tar"}) {
        SCOPED_TRACE(archive);
        TestSupport::TempDir out;
        EXPECT_EQ(bridge().extract(fixtures() / archive, out.path(), false, {}, {}, {}), 1);
        EXPECT_EQ(filesBelow(out.path()), (std::map<std::string, std::string>{{"noise.bin", noise}}));
    }
}

TEST(LibArchiveStream, OnlyARecognisedCompressionMakesABareStream)
{
    // A bare compressed file is its one entry, named after the archive.
    for (const char *archive : {"memo.txt.gz", "memo.txt.xz", "memo.txt.bz2", "memo.txt.zst"}) {
        SCOPED_TRACE(archive);
        EXPECT_EQ(bridge().listEntries(fixtures() / archive, {}),
                  (std::vector<LibArchive::Item>{{"memo.txt", false, 0}}));
        TestSupport::TempDir out;
        EXPECT_EQ(bridge().extract(fixtures() / archive, out.path(), false, {}, out / "memo.txt", {}), 1);
        EXPECT_EQ(TestSupport::readBytes(out / "memo.txt"), "Memo about the move, with dates.\n");
    }
    // Anything else that no format knows is refused, whatever its name says; so is a compressed
    // stream whose name promises a tar that is not there.
    for (const char *archive :
         {"fake.tar", "fake.iso", "fake.rar", "fake.cab", "fake.cpio", "fake.gz", "fake.xz", "fake.zst",
          "first-damaged.tar", "first-damaged.tar.gz", "fake-inside.tar.gz"}) {
        SCOPED_TRACE(archive);
        EXPECT_EQ(errorOf([&] { bridge().listEntries(fixtures() / archive, {}); }),
                  Error::failed(QStringLiteral("Unrecognized archive format")));
        TestSupport::TempDir out;
        EXPECT_EQ(errorOf([&] { bridge().extract(fixtures() / archive, out.path(), false, {}, {}, {}); }),
                  Error::failed(QStringLiteral("Unrecognized archive format")));
        EXPECT_TRUE(entriesBelow(out.path()).empty());
    }
}
