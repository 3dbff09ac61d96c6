// The writer's entries are prepared on worker threads: whatever their number, the archive must be
// the one a single thread writes.
#include "Archive/Zip/ZipReader.h"
#include "Archive/Zip/ZipWriter.h"

#include "../SourceBatch.h"
#include "ZipTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace ZipTest;
using ZipWriter::Encryption;

namespace {

const std::string password = "병렬 암호";

// Everything the listing shows of an entry except its time.
using Listed = std::tuple<std::string, bool, std::uint16_t, std::int64_t, std::int64_t, int, std::uint32_t,
                          std::optional<int>, std::uint16_t>;

std::vector<Listed> listing(const ArchiveInput &input)
{
    std::vector<Listed> out;
    for (const ZipEntry &e : ZipReader::readEntries(input))
        out.emplace_back(e.decodedName, e.isDirectory, e.method, e.compressedSize, e.uncompressedSize,
                         e.flags, e.crc, e.aesStrength, e.aesActualMethod);
    return out;
}

// The archive's bytes with every time and date field cleared (the writer takes the clock once per
// call, so two calls may differ there).
Bytes withoutTimes(Bytes zip, const ArchiveInput &input)
{
    const std::size_t count = get16(zip, zip.size() - 12);
    std::size_t central = get32(zip, zip.size() - 6);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t local = get32(zip, central + 42);
        std::fill_n(zip.begin() + std::ptrdiff_t(central + 12), 4, 0);
        std::fill_n(zip.begin() + std::ptrdiff_t(local + 10), 4, 0);
        central += 46 + get16(zip, central + 28) + get16(zip, central + 30) + get16(zip, central + 32);
    }
    EXPECT_EQ(ZipReader::readEntries(input).size(), count);
    return zip;
}

struct Made {
    std::vector<Listed> listing;
    std::map<std::string, std::string> contents;
    Bytes bytes; // times cleared
};

Made make(const TestSupport::TempDir &dir, const std::vector<ZipWriter::Source> &sources,
          Encryption encryption, unsigned threads)
{
    const TestSupport::WorkerThreads cap(threads);
    const auto zip = dir / ("out-" + std::to_string(threads) + ".zip");
    std::filesystem::remove(zip);
    ZipWriter::create(zip, sources, encryption == Encryption::none ? "" : password, encryption);
    const auto input = ArchiveInput::open(zip);
    const auto to = dir.folder("x-" + std::to_string(threads));
    std::filesystem::remove_all(to);
    std::filesystem::create_directory(to);
    ZipReader::extract(ZipReader::readEntries(input), input, to, false, std::nullopt,
                       encryption == Encryption::none ? "" : password);
    const std::string raw = TestSupport::readBytes(zip);
    return {listing(input), SourceBatch::contents(to), withoutTimes(Bytes(raw.begin(), raw.end()), input)};
}

// The text of the ZipError that creating the archive throws, and whether anything was left.
std::pair<QString, bool> failure(const std::filesystem::path &zip,
                                 const std::vector<ZipWriter::Source> &sources, Encryption encryption,
                                 unsigned threads)
{
    const TestSupport::WorkerThreads cap(threads);
    QString text = QStringLiteral("no error");
    try {
        ZipWriter::create(zip, sources, encryption == Encryption::none ? "" : password, encryption);
    } catch (const ZipError &e) {
        text = e.description();
    }
    return {text, std::filesystem::exists(zip) || !TestSupport::noPartialFiles(zip.parent_path())};
}

} // namespace

TEST(ZipParallel, everyThreadCountWritesTheSameArchive)
{
    TestSupport::TempDir dir;
    const auto many = SourceBatch::mixed(dir);
    // Fewer encrypted entries: each derives its own key, which takes long under ThreadSanitizer.
    TestSupport::TempDir fewerDir;
    const auto fewer = SourceBatch::mixed(fewerDir, 24);
    for (const Encryption encryption : {Encryption::none, Encryption::aes256, Encryption::traditional}) {
        SCOPED_TRACE(int(encryption));
        const auto &sources = encryption == Encryption::none ? many : fewer;
        SourceBatch::againstOneThread(
            sources.size(), [&](unsigned threads) { return make(dir, sources, encryption, threads); },
            [&](const Made &more, const Made &one) {
                // Without encryption nothing is random: the bytes are the same.
                EXPECT_TRUE(encryption != Encryption::none || more.bytes == one.bytes);
            });
    }
}

// The first unreadable source in list order ends the call with its name, and a disk that fills up
// in the middle of the batch with the write failure; neither leaves a file.
TEST(ZipParallel, failuresAreTheSequentialOnes)
{
    TestSupport::TempDir dir;
    for (const Encryption encryption : {Encryption::none, Encryption::aes256}) {
        SCOPED_TRACE(int(encryption));
        const auto failed = [&](const std::filesystem::path &zip,
                                const std::vector<ZipWriter::Source> &sources,
                                unsigned threads) { return failure(zip, sources, encryption, threads); };
        SourceBatch::expectUnreadableFailure(
            dir, SourceBatch::mixed(dir, 120), dir / "failed.zip",
            [](const QString &detail) { return ZipError::ioError(detail).description(); }, failed);
        SourceBatch::expectFullDiskFailure(dir, "new.zip", failed);
    }
}
