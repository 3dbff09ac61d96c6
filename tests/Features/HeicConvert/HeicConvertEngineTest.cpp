#include "Features/HeicConvert/HeicConvertEngine.h"

#include "Core/Text.h"
#include "support/TestSupport.h"

#include <QColorSpace>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;
using Engine = HeicConvertEngine;
using Kind = Engine::Status::Kind;
using TestSupport::TempDir;

namespace {

using TestSupport::q;

// A photo whose top-left quarter is red and the rest blue, so a turn shows where that corner went.
fs::path makeJpeg(const fs::path &path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, width / 2, height / 2, Qt::red);
    EXPECT_TRUE(image.save(q(path), "JPEG", 95));
    return path;
}

fs::path makeHeic(const fs::path &heic, const fs::path &jpeg, const QStringList &options = {})
{
    const auto r =
        TestSupport::run("heif-enc", QStringList{"-q", "90"} + options + QStringList{q(jpeg), "-o", q(heic)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return heic;
}

std::string exif(const fs::path &file, const QStringList &tags)
{
    QStringList args{"-s3", "-n"};
    args += tags;
    args << q(file);
    return TestSupport::run("exiftool", args).out;
}

} // namespace

TEST(HeicScan, ExtensionsHiddenNamesAndRoots)
{
    TempDir dir;
    const auto folder = dir.folder("p");
    dir.file("p/IMG_0001.HEIC", "1");
    dir.file("p/IMG_0002.heif", "22");
    dir.file("p/photo.jpg.heic", "333");
    dir.file("p/archive.HEIC.zip", "zip");
    dir.file("p/.x.heic", "4444");
    dir.file("p/._x.heic", "5");
    dir.file("p/sub/notes.txt", "n");
    fs::create_symlink(folder, dir / "link");

    Engine engine;
    engine.addURLs({folder, dir / "link"});
    EXPECT_EQ(engine.scannedRoots().size(), 1u);
    std::vector<std::string> names;
    for (const auto &item : engine.items())
        names.push_back(item.url.filename());
    EXPECT_EQ(names, (std::vector<std::string>{"._x.heic", ".x.heic", "IMG_0001.HEIC", "IMG_0002.heif",
                                               "photo.jpg.heic"}));
    EXPECT_EQ(engine.skippedCount(), 2);
    EXPECT_EQ(engine.pendingCount(), 5);
    EXPECT_EQ(engine.pendingSize(), 1 + 2 + 3 + 4 + 1);

    // A root that is gone still becomes an item, which then fails to read.
    engine.clear();
    EXPECT_EQ(engine.skippedCount(), 0);
    engine.addURLs({dir / "gone.heic"});
    ASSERT_EQ(engine.items().size(), 1u);
    EXPECT_EQ(engine.items()[0].size, 0);
    engine.convertAll();
    EXPECT_EQ(engine.items()[0].status.text, "파일 처리 중 오류가 발생했습니다. (사진을 읽을 수 없습니다)");
}

TEST(HeicScan, NestedRootsListEachPhotoOnce)
{
    TempDir dir;
    const auto outer = dir.folder("outer");
    const auto inner = dir.folder("outer/inner");
    dir.file("outer/inner/a.heic", "1");
    dir.file("outer/inner/notes.txt", "n");
    dir.file("outer/b.heic", "2");
    for (const auto &roots : {std::vector<fs::path>{inner, outer}, std::vector<fs::path>{outer, inner}}) {
        Engine engine;
        engine.addURLs(roots);
        EXPECT_EQ(engine.items().size(), 2u); // converting twice would write "a 2.jpg"
        EXPECT_EQ(engine.skippedCount(), 1);
    }
}

TEST(HeicConvert, LargePhotoKeepsSizeQualityAndTags)
{
    TempDir dir;
    const auto jpeg = makeJpeg(dir / "src.jpg", 4000, 3000);
    const auto icc = dir / "p3.icc";
    TestSupport::writeBytes(icc, QColorSpace(QColorSpace::DisplayP3).iccProfile().toStdString());
    ASSERT_EQ(
        TestSupport::run("exiftool", {"-q", "-overwrite_original", "-n", "-Orientation=6", "-Make=Quillmaker",
                                      "-Model=Q1", "-DateTimeOriginal=2024:05:06 07:08:09",
                                      "-ICC_Profile<=" + q(icc), q(jpeg)})
            .exitCode,
        0);
    const auto heic = makeHeic(dir / "IMG_0001.HEIC", jpeg);
    fs::remove(jpeg);
    fs::remove(icc);
    // XMP that repeats the orientation, as cameras write it.
    ASSERT_EQ(TestSupport::run("exiftool", {"-q", "-overwrite_original", "-n", "-XMP-dc:Title=Harbour",
                                            "-XMP-tiff:Orientation=6", q(heic)})
                  .exitCode,
              0);

    Engine engine;
    engine.addURLs({dir.path()});
    ASSERT_EQ(engine.pendingCount(), 1);
    engine.convertAll();
    ASSERT_EQ(engine.doneCount(), 1) << engine.items()[0].status.text.toStdString();
    EXPECT_EQ(engine.items()[0].status.text, "IMG_0001.jpg");
    const auto out = dir / "IMG_0001.jpg";
    EXPECT_EQ(engine.items()[0].written, out);

    const auto identify = TestSupport::run("identify", {"-format", "%w %h %Q %m", q(out)});
    EXPECT_EQ(identify.out, "4000 3000 90 JPEG");
    EXPECT_EQ(exif(out, {"-EXIF:Make", "-EXIF:Model", "-EXIF:DateTimeOriginal", "-EXIF:Orientation"}),
              "Quillmaker\nQ1\n2024:05:06 07:08:09\n1\n");
    EXPECT_EQ(exif(out, {"-XMP-dc:Title", "-XMP-tiff:Orientation", "-ICC_Profile:ProfileDescription"}),
              "Harbour\n1\nDisplay P3\n");

    // Converting again after a rescan keeps the first copy and numbers the second.
    engine.addURLs({});
    engine.convertAll();
    EXPECT_EQ(engine.items()[0].status.text, "IMG_0001 2.jpg");
    EXPECT_TRUE(fs::exists(dir / "IMG_0001 2.jpg"));
}

// Both codings: full-range BT.601 (the photo's planes are encoded directly) and limited range
// (through RGB).
TEST(HeicConvert, RotationInTheContainerIsApplied)
{
    for (const QStringList &coding : {QStringList{}, QStringList{"--full_range_flag", "0"}}) {
        SCOPED_TRACE(coding.join(' ').toStdString());
        TempDir dir;
        const auto heic = makeHeic(dir / "turned.heic", makeJpeg(dir / "src.jpg", 64, 48), coding);
        // Turn the primary image a quarter anticlockwise: heif-enc writes a pixel-information
        // property of the same size (16 bytes) for it, which becomes an image-rotation property.
        std::string bytes = TestSupport::readBytes(heic);
        const auto at = bytes.find("pixi");
        ASSERT_NE(at, std::string::npos);
        ASSERT_EQ(bytes.substr(at - 4, 4), std::string("\0\0\0\x10", 4));
        bytes.replace(at, 12, std::string("irot\x01\0\0\0\0\0\0\0", 12));
        TestSupport::writeBytes(heic, bytes);

        Engine engine;
        engine.addURLs({heic});
        engine.convertAll();
        ASSERT_EQ(engine.doneCount(), 1) << engine.items()[0].status.text.toStdString();
        QImage out(q(dir / "turned.jpg"));
        ASSERT_EQ(out.size(), QSize(48, 64));
        // The red top-left corner of the upright picture ends at the bottom left.
        EXPECT_GT(qRed(out.pixel(4, 60)), 200);
        EXPECT_LT(qBlue(out.pixel(4, 60)), 60);
        EXPECT_LT(qGreen(out.pixel(4, 60)), 60);
        EXPECT_GT(qBlue(out.pixel(4, 4)), 200);
        EXPECT_LT(qRed(out.pixel(4, 4)), 60);
        EXPECT_GT(qBlue(out.pixel(44, 60)), 200);
    }
}

TEST(HeicConvert, NamesFreeNamesAndMultiImageFiles)
{
    TempDir dir;
    const auto small = makeJpeg(dir / "small.jpg", 32, 16);
    const auto other = makeJpeg(dir / "other.jpg", 16, 32);
    const auto folder = dir.folder("in");
    const std::string nfdName = Text::toNfd("사진");
    makeHeic(folder / (nfdName + ".heic"), small);
    TestSupport::writeBytes(folder / "IMG_0001.jpg", "taken");
    TestSupport::writeBytes(folder / "IMG_0001 2.jpg", "taken");
    makeHeic(folder / "IMG_0001.heic", small);
    const auto multi =
        TestSupport::run("heif-enc", {"-q", "90", q(small), q(other), "-o", q(folder / "multi.heif")});
    ASSERT_EQ(multi.exitCode, 0) << multi.err;

    Engine engine;
    engine.addURLs({folder});
    ASSERT_EQ(engine.pendingCount(), 3);
    engine.convertAll();
    EXPECT_EQ(engine.doneCount(), 3);
    EXPECT_TRUE(fs::exists(folder / (Text::toNfc("사진") + ".jpg")));
    EXPECT_TRUE(fs::exists(folder / "IMG_0001 3.jpg"));
    EXPECT_EQ(TestSupport::readBytes(folder / "IMG_0001.jpg"), "taken");
    EXPECT_EQ(QImage(q(folder / "multi.jpg")).size(), QSize(32, 16));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 8);
}

TEST(HeicConvert, UnreadablePhotosFailAndLeaveNothing)
{
    TempDir dir;
    const auto folder = dir.folder("bad");
    dir.file("bad/garbage.heic", "this is not a photo");
    dir.file("bad/empty.heic", "");
    fs::copy_file(makeJpeg(dir / "real.jpg", 16, 16), folder / "misnamed.heic");
    ASSERT_EQ(::mkfifo((folder / "pipe.heic").c_str(), 0644), 0);

    Engine engine;
    engine.addURLs({folder});
    ASSERT_EQ(engine.pendingCount(), 4);
    engine.convertAll();
    ASSERT_EQ(engine.failedCount(), 4);
    for (const auto &item : engine.items())
        EXPECT_EQ(item.status.text, "파일 처리 중 오류가 발생했습니다. (사진을 읽을 수 없습니다)");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4);
    // convertAll without pending items changes nothing.
    engine.convertAll();
    EXPECT_EQ(engine.failedCount(), 4);
}

// A photo that was there at the scan and is gone before the conversion says why, as the system does.
TEST(HeicConvert, PhotoGoneSinceTheScanFailsWithTheSystemsReason)
{
    TempDir dir;
    const auto photo = dir.file("p/gone.heic", "read never");
    Engine engine;
    engine.addURLs({dir / "p"});
    ASSERT_EQ(engine.pendingCount(), 1);
    fs::remove(photo);
    engine.convertAll();
    EXPECT_EQ(engine.items()[0].status.text, "파일 처리 중 오류가 발생했습니다. (No such file or directory)");
}

TEST(HeicConvert, ReadOnlyFolderFailsWithoutPartialFile)
{
    TempDir dir;
    const auto folder = dir.folder("ro");
    makeHeic(folder / "a.heic", makeJpeg(dir / "src.jpg", 16, 16));
    ::chmod(folder.c_str(), 0555);
    const std::string message = TestSupport::runAsNobodyCapture([&] {
        Engine engine;
        engine.addURLs({folder});
        engine.convertAll();
        return engine.items().empty() ? std::string() : engine.items()[0].status.text.toStdString();
    });
    EXPECT_EQ(message, "파일 처리 중 오류가 발생했습니다. (쓰기 실패: " + (folder / "a.jpg").native() + ")");
    EXPECT_FALSE(fs::exists(folder / "a.jpg"));
    ::chmod(folder.c_str(), 0755);
}
