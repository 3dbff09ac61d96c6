// Photos are decoded and encoded on worker threads: whatever their number, the JPEGs, their names,
// the statuses and the notifications must be those of a single thread.
#include "Features/HeicConvert/HeicConvertEngine.h"

#include "support/TestSupport.h"

#include <QImage>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <sys/statvfs.h>

#include <cstdlib>
#include <map>
#include <random>

namespace fs = std::filesystem;
using Engine = HeicConvertEngine;
using TestSupport::TempDir;

namespace {

QImage picture(int width, int height, unsigned seed, bool noise)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 gen(seed);
    image.fill(QColor::fromRgb(gen() & 0xFF, gen() & 0xFF, gen() & 0xFF));
    if (noise)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, gen() | 0xFF000000u);
    return image;
}

// Through the shell, not QProcess: ThreadSanitizer loses track of the calling thread's locks once
// QProcess has started a child, and these tests run under it.
fs::path heic(const fs::path &path, const QImage &image)
{
    const fs::path png = path.native() + ".png";
    EXPECT_TRUE(image.save(TestSupport::q(png), "PNG"));
    const std::string command =
        "heif-enc -q 90 '" + png.native() + "' -o '" + path.native() + "' > /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    fs::remove(png);
    return path;
}

// Each status as text, one line per item.
std::string statuses(const Engine &engine)
{
    std::string out;
    for (const auto &item : engine.items())
        out += item.url.filename().native() + " " + std::to_string(int(item.status.kind)) + " " +
               item.status.text.toStdString() + "\n";
    return out;
}

struct Outcome {
    std::vector<std::string> notified; // the statuses at every notification
    std::map<std::string, std::string> files;
};

Outcome convert(const fs::path &folder, unsigned threads)
{
    const TestSupport::WorkerThreads cap(threads);
    Engine engine;
    engine.addURLs({folder});
    Outcome run;
    QObject::connect(&engine, &Engine::itemsChanged, [&] { run.notified.push_back(statuses(engine)); });
    engine.convertAll();
    for (const auto &name : TestSupport::entriesBelow(folder))
        run.files[name] = fs::is_symlink(folder / name) ? "link" : TestSupport::readBytes(folder / name);
    return run;
}

// Copies every file of `from` into a fresh `to`.
void copyFolder(const fs::path &from, const fs::path &to)
{
    fs::remove_all(to);
    fs::create_directories(to);
    for (const auto &entry : fs::directory_iterator(from))
        fs::copy(entry.path(), to / entry.path().filename(), fs::copy_options::copy_symlinks);
}

} // namespace

// Names taken by earlier photos of the list, a damaged photo, a file that is no photo, and one
// that cannot be read, among photos that convert.
TEST(HeicParallel, everyThreadCountGivesTheSameJpegsAndStatuses)
{
    TempDir dir;
    const auto photos = dir.folder("photos");
    const auto plain = heic(dir / "plain.heic", picture(160, 120, 1, false));
    const auto noisy = heic(dir / "noisy.heic", picture(200, 150, 2, true));
    for (int i = 0; i < 14; ++i)
        fs::copy_file(i % 3 == 0 ? noisy : plain, photos / ("IMG_" + std::to_string(1000 + i) + ".heic"));
    fs::copy_file(plain, photos / "same.heic"); // listed after same.HEIF, which takes same.jpg
    fs::copy_file(noisy, photos / "same.HEIF");
    dir.file("photos/taken.jpg", "was here");
    fs::copy_file(plain, photos / "taken.heic");
    const std::string whole = TestSupport::readBytes(noisy);
    dir.file("photos/damaged.heic", whole.substr(0, whole.size() / 2));
    dir.file("photos/not a photo.heic", "text");
    fs::create_symlink(dir / "gone", photos / "unreadable.heic");

    const auto first = dir / "one";
    copyFolder(photos, first);
    const Outcome one = convert(first, 1);
    ASSERT_EQ(one.notified.size(), 20u);
    EXPECT_NE(one.notified.back().find("same.HEIF 1 same.jpg"), std::string::npos);
    EXPECT_NE(one.notified.back().find("same.heic 1 same 2.jpg"), std::string::npos);
    EXPECT_NE(one.notified.back().find("taken.heic 1 taken 2.jpg"), std::string::npos);
    EXPECT_NE(one.notified.back().find("damaged.heic 2 "), std::string::npos);
    for (const unsigned threads : {3u, 8u}) {
        SCOPED_TRACE(threads);
        const auto folder = dir / "many";
        copyFolder(photos, folder);
        const Outcome many = convert(folder, threads);
        EXPECT_EQ(many.notified, one.notified);
        EXPECT_TRUE(many.files == one.files);
    }
}

// A disk that fills up in the middle of the batch fails the photos whose JPEG does not fit with
// the write failure, the same ones whatever the threads, and leaves no partial JPEG.
TEST(HeicParallel, aFullDiskFailsTheSamePhotos)
{
    TempDir dir;
    const auto disk = dir / "disk";
    const TestSupport::SmallDisk small(disk);
    if (!small.mounted())
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    const auto noisy = heic(dir / "noisy.heic", picture(400, 300, 3, true));
    const auto jpegSize = [&] {
        TempDir probe;
        fs::copy_file(noisy, probe / "p.heic");
        Engine::convert(probe / "p.heic");
        return fs::file_size(probe / "p.jpg");
    }();

    std::vector<std::string> results;
    for (const unsigned threads : {1u, 8u}) {
        SCOPED_TRACE(threads);
        for (const auto &entry : fs::directory_iterator(disk))
            fs::remove_all(entry.path());
        const auto folder = disk / "p";
        fs::create_directory(folder);
        for (int i = 0; i < 10; ++i)
            fs::copy_file(noisy, folder / ("IMG_" + std::to_string(i) + ".heic"));
        // Room left for about three of the ten JPEGs.
        struct statvfs vfs {};
        ASSERT_EQ(::statvfs(disk.c_str(), &vfs), 0);
        const std::uintmax_t room = std::uintmax_t(vfs.f_bavail) * vfs.f_frsize;
        ASSERT_GT(room, 4 * jpegSize);
        TestSupport::writeBytes(disk / "filler", std::string(room - 3 * jpegSize - jpegSize / 2, 'f'));

        const Outcome run = convert(folder, threads);
        ASSERT_EQ(run.notified.size(), 10u);
        results.push_back(run.notified.back());
        EXPECT_TRUE(TestSupport::noPartialFiles(disk));
    }
    EXPECT_EQ(results[0], results[1]);
    const std::string failure =
        "IMG_9.heic 2 " + FileError::writeFailed(disk / "p/IMG_9.jpg").description().toStdString() + "\n";
    EXPECT_NE(results[0].find(failure), std::string::npos) << results[0];
    EXPECT_NE(results[0].find("IMG_0.heic 1 IMG_0.jpg"), std::string::npos) << results[0];
}
