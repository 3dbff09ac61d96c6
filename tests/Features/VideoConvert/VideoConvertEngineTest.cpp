#include "Features/VideoConvert/VideoConvertEngine.h"

#include "Core/FileError.h"
#include "Core/Text.h"
#include "Features/VideoConvert/VideoTranscoder.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Engine = VideoConvertEngine;
using Kind = Engine::Status::Kind;
using TestSupport::TempDir;

namespace {

using TestSupport::q;

// Makes a short clip with ffmpeg's test sources: `video` and `audio` are encoder arguments.
fs::path makeClip(const fs::path &path, const QString &size, const QStringList &video,
                  const QStringList &audio, const QStringList &extra = {})
{
    QStringList args{"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=" + size + ":rate=30"};
    if (!audio.isEmpty())
        args << "-f"
             << "lavfi"
             << "-i"
             << "sine=frequency=440:sample_rate=48000";
    args << "-frames:v"
         << "10"
         << "-t"
         << "0.34";
    args += video;
    args += audio;
    args += extra;
    args << q(path);
    const auto r = TestSupport::run("ffmpeg", args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return path;
}

const QStringList hevc{"-c:v",   "libx265", "-preset",      "ultrafast",
                       "-tag:v", "hvc1",    "-x265-params", "log-level=none"};
const QStringList h264{"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"};
const QStringList aac{"-c:a", "aac"};

QJsonObject probe(const fs::path &file)
{
    const auto r = TestSupport::run(
        "ffprobe", {"-v", "error", "-print_format", "json", "-show_streams", "-show_format", q(file)});
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}

QJsonObject stream(const QJsonObject &probed, const QString &type)
{
    for (const auto &s : probed["streams"].toArray())
        if (s.toObject()["codec_type"].toString() == type)
            return s.toObject();
    return {};
}

// Serves the event loop until the condition holds (a generous limit guards against a hang).
bool waitUntil(const std::function<bool()> &condition)
{
    return QTest::qWaitFor(condition, 180000);
}

bool analysed(const Engine &engine)
{
    return !engine.isAnalyzing() &&
           std::none_of(engine.items().begin(), engine.items().end(),
                        [](const auto &i) { return i.status.kind == Kind::analyzing; });
}

void convertAndWait(Engine &engine)
{
    ASSERT_TRUE(waitUntil([&] { return analysed(engine); }));
    engine.convertAll();
    ASSERT_TRUE(waitUntil([&] { return !engine.isWorking(); }));
}

const Engine::Item *find(const Engine &engine, std::string_view name)
{
    for (const auto &item : engine.items())
        if (item.url.filename() == name)
            return &item;
    return nullptr;
}

// Whether the "moov" index comes before the "mdat" media data at the top level of the file.
bool indexFirst(const fs::path &file)
{
    const std::string bytes = TestSupport::readBytes(file);
    std::size_t at = 0;
    while (at + 8 <= bytes.size()) {
        const auto size = std::uint32_t(std::uint8_t(bytes[at])) << 24 |
                          std::uint32_t(std::uint8_t(bytes[at + 1])) << 16 |
                          std::uint32_t(std::uint8_t(bytes[at + 2])) << 8 | std::uint8_t(bytes[at + 3]);
        const std::string type = bytes.substr(at + 4, 4);
        if (type == "moov")
            return true;
        if (type == "mdat" || size < 8)
            return false;
        at += size;
    }
    return false;
}

} // namespace

TEST(VideoCodecNames, FourCharacterCodesAndDisplayNames)
{
    EXPECT_EQ(VideoTranscoder::fourCCString(0x61766331), "avc1");
    EXPECT_EQ(VideoTranscoder::fourCCString(0x61B66331), "????");
    const struct {
        const char *code, *name;
    } names[] = {{"hvc1", "HEVC"},   {"hev1", "HEVC"},   {"avc1", "H.264"},
                 {"apch", "ProRes"}, {"ap4h", "ProRes"}, {"jpeg", "MJPEG"},
                 {"mp4v", "MP4V"},   {"????", "????"},   {"HVC1", "HVC1"}};
    for (const auto &n : names)
        EXPECT_EQ(VideoTranscoder::displayName(n.code), n.name) << n.code;
}

TEST(VideoScan, ExtensionsHiddenNamesLinksAndMissingRoots)
{
    TempDir dir;
    const auto folder = dir.folder("v");
    dir.file("v/A.MOV", "not really a movie");
    dir.file("v/a.mkv", "x");
    dir.file("v/.hidden.mov", "x");
    dir.file("v/b.M4V", "x");
    fs::create_symlink("A.MOV", folder / "x.mov");
    ASSERT_EQ(::mkfifo((folder / "pipe.mov").c_str(), 0644), 0); // read as nothing, never waited on
    fs::create_symlink(folder, dir / "link");

    Engine engine;
    engine.addURLs({folder, dir / "link", dir / "gone.mov", dir.file("notes.txt", "n")});
    EXPECT_EQ(engine.scannedRoots().size(), 3u);
    ASSERT_EQ(engine.items().size(), 5u);
    EXPECT_EQ(engine.skippedCount(), 2); // a.mkv and notes.txt; the hidden file is not counted
    EXPECT_EQ(find(engine, "x.mov")->size, 5);
    EXPECT_EQ(find(engine, "gone.mov")->size, 0);
    for (const auto &item : engine.items())
        EXPECT_EQ(item.status.kind, Kind::analyzing);

    ASSERT_TRUE(waitUntil([&] { return analysed(engine); }));
    for (const auto &item : engine.items())
        EXPECT_EQ(item.status, Engine::Status::failed("영상 정보를 읽을 수 없습니다")) << item.url;

    // Nothing pending: a run sets and clears the working flag and converts nothing.
    int changes = 0;
    QObject::connect(&engine, &Engine::isWorkingChanged, [&] { ++changes; });
    engine.convertAll();
    EXPECT_FALSE(engine.isWorking());
    EXPECT_EQ(changes, 2);

    engine.clear();
    EXPECT_TRUE(engine.items().empty());
    EXPECT_EQ(engine.skippedCount(), 0);
}

TEST(VideoConvert, RotatedHevcMovBecomesH264Mp4KeepingMetadata)
{
    TempDir dir;
    const auto plain = makeClip(
        dir / "plain.mov", "1920x1080", hevc, aac,
        {"-metadata", "creation_time=2024-05-06T07:08:09Z", "-metadata", "location=+37.5665+126.9780/"});
    const auto folder = dir.folder("in");
    const auto source = folder / "IMG_0001.MOV";
    ASSERT_EQ(TestSupport::run("ffmpeg", {"-v", "error", "-i", q(plain), "-c", "copy", "-map_metadata", "0",
                                          "-metadata:s:v:0", "rotate=90", q(source)})
                  .exitCode,
              0);
    const std::string original = TestSupport::readBytes(source);

    Engine engine;
    engine.addURLs({folder});
    ASSERT_TRUE(waitUntil([&] { return analysed(engine); }));
    ASSERT_EQ(engine.items().size(), 1u);
    EXPECT_EQ(engine.items()[0].status, Engine::Status::pending("HEVC · MOV"));
    convertAndWait(engine);
    ASSERT_EQ(engine.items()[0].status, Engine::Status::done("IMG_0001.mp4"));
    EXPECT_EQ(engine.items()[0].written, folder / "IMG_0001.mp4");

    const auto probed = probe(folder / "IMG_0001.mp4");
    const auto video = stream(probed, "video");
    EXPECT_EQ(video["codec_name"].toString(), "h264");
    EXPECT_EQ(video["codec_tag_string"].toString(), "avc1");
    EXPECT_EQ(video["profile"].toString(), "High");
    EXPECT_EQ(video["width"].toInt(), 1920);
    EXPECT_EQ(video["height"].toInt(), 1080);
    EXPECT_EQ(stream(probed, "audio")["codec_name"].toString(), "aac");
    ASSERT_FALSE(video["side_data_list"].toArray().isEmpty());
    EXPECT_EQ(std::abs(video["side_data_list"].toArray()[0].toObject()["rotation"].toInt()), 90);
    const auto tags = probed["format"].toObject()["tags"].toObject();
    EXPECT_EQ(tags["creation_time"].toString(), "2024-05-06T07:08:09.000000Z");
    EXPECT_EQ(tags["location"].toString(), "+37.5665+126.9780/");
    EXPECT_TRUE(indexFirst(folder / "IMG_0001.mp4"));

    EXPECT_EQ(TestSupport::readBytes(source), original);
    EXPECT_TRUE(TestSupport::noPartialFiles(dir.path()));
}

TEST(VideoConvert, ContainersCodecsAndOutputNames)
{
    TempDir dir;
    const auto folder = dir.folder("in");
    makeClip(folder / "ok.mp4", "64x48", h264, aac);
    makeClip(folder / "h264.mov", "64x48", h264, {"-c:a", "pcm_s16le"},
             {"-movflags", "use_metadata_tags", "-metadata",
              "com.apple.quicktime.location.ISO6709=+37.5665+126.9780/", "-metadata",
              "com.apple.quicktime.make=Quillmaker"});
    makeClip(folder / "clip.mp4", "64x48", hevc, {});
    makeClip(folder / (Text::toNfd("영상") + ".m4v"), "64x48", h264, aac);
    // Motion JPEG of odd size, with sound as 16-bit PCM.
    makeClip(folder / "odd.mov", "65x49", {"-c:v", "mjpeg"}, {"-c:a", "pcm_s16le"});

    Engine engine;
    engine.addURLs({folder});
    ASSERT_TRUE(waitUntil([&] { return analysed(engine); }));
    EXPECT_EQ(find(engine, "ok.mp4")->status, Engine::Status::alreadyOk("H.264 MP4 — 이미 호환"));
    EXPECT_EQ(find(engine, "h264.mov")->status, Engine::Status::pending("H.264 · MOV"));
    EXPECT_EQ(find(engine, "clip.mp4")->status, Engine::Status::pending("HEVC · MP4"));
    EXPECT_EQ(find(engine, "odd.mov")->status, Engine::Status::pending("MJPEG · MOV"));
    EXPECT_EQ(engine.pendingCount(), 4);
    EXPECT_EQ(engine.alreadyOkCount(), 1);

    convertAndWait(engine);
    EXPECT_EQ(engine.doneCount(), 4);
    const auto odd = stream(probe(folder / "odd.mp4"), "video");
    EXPECT_EQ(odd["codec_name"].toString(), "h264");
    EXPECT_EQ(odd["width"].toInt(), 64);
    EXPECT_EQ(find(engine, "clip.mp4")->status, Engine::Status::done("clip (H.264).mp4"));
    EXPECT_EQ(find(engine, "h264.mov")->status, Engine::Status::done("h264.mp4"));
    EXPECT_TRUE(fs::exists(folder / (Text::toNfc("영상") + ".mp4")));
    const auto fromPhone = probe(folder / "h264.mp4");
    EXPECT_EQ(stream(fromPhone, "audio")["codec_name"].toString(), "aac");
    const auto phoneTags = fromPhone["format"].toObject()["tags"].toObject();
    EXPECT_EQ(phoneTags["location"].toString(), "+37.5665+126.9780/");
    EXPECT_EQ(phoneTags["com.apple.quicktime.make"].toString(), "Quillmaker");
    EXPECT_TRUE(stream(probe(folder / "clip (H.264).mp4"), "audio").isEmpty());

    // A rescan lists the outputs too (already H.264 MP4) and starts every item afresh; converting
    // again numbers the new copies.
    engine.addURLs({});
    ASSERT_TRUE(waitUntil([&] { return analysed(engine); }));
    EXPECT_EQ(find(engine, "clip (H.264).mp4")->status.kind, Kind::alreadyOk);
    EXPECT_EQ(engine.pendingCount(), 4);
    convertAndWait(engine);
    EXPECT_EQ(find(engine, "clip.mp4")->status, Engine::Status::done("clip (H.264) 2.mp4"));
    EXPECT_TRUE(TestSupport::noPartialFiles(dir.path()));
}

TEST(VideoConvert, HdrSourceIsToneMappedToSdr)
{
    TempDir dir;
    const auto source = makeClip(dir / "hdr.mov", "64x48",
                                 {"-c:v", "libx265", "-preset", "ultrafast", "-tag:v", "hvc1", "-pix_fmt",
                                  "yuv420p10le", "-x265-params", "log-level=none", "-color_primaries",
                                  "bt2020", "-color_trc", "smpte2084", "-colorspace", "bt2020nc"},
                                 {});
    Engine engine;
    engine.addURLs({source});
    convertAndWait(engine);
    ASSERT_EQ(engine.doneCount(), 1) << engine.items()[0].status.text.toStdString();
    const auto video = stream(probe(dir / "hdr.mp4"), "video");
    EXPECT_EQ(video["pix_fmt"].toString(), "yuv420p");
    EXPECT_EQ(video["color_transfer"].toString(), "bt709");
    EXPECT_EQ(video["color_primaries"].toString(), "bt709");
}

TEST(VideoConvert, ExportNeverReplacesAndLeavesNoHiddenFile)
{
    TempDir dir;
    const auto taken = dir.file("clip.mp4", "keep me");
    const auto source = makeClip(dir / "clip.mov", "64x48", hevc, {});
    std::atomic<bool> stop{false};
    EXPECT_EQ(VideoWorker::convert(source, stop), dir / "clip 2.mp4");
    EXPECT_EQ(TestSupport::readBytes(taken), "keep me");
    EXPECT_EQ(stream(probe(dir / "clip 2.mp4"), "video")["codec_name"].toString(), "h264");
    EXPECT_EQ(TestSupport::entriesBelow(dir.path()),
              (std::set<std::string>{"clip.mov", "clip.mp4", "clip 2.mp4"}));
}

TEST(VideoConvert, ReadOnlyFolderFailsAndLeavesNothing)
{
    TempDir dir;
    const auto folder = dir.folder("ro");
    const auto source = makeClip(folder / "clip.mov", "64x48", hevc, {});
    ::chmod(folder.c_str(), 0555);
    const std::string message = TestSupport::runAsNobodyCapture([&] {
        std::atomic<bool> stop{false};
        try {
            VideoWorker::convert(source, stop);
            return std::string("exported");
        } catch (const FileError &error) {
            return error.description().toStdString();
        }
    });
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(message,
              "파일 처리 중 오류가 발생했습니다. (쓰기 실패: " + (folder / "clip.mp4").native() + ")");
    EXPECT_EQ(TestSupport::entriesBelow(folder), (std::set<std::string>{"clip.mov"}));
}

// A clip with its index at the front, cut in half: the index promises samples the file no longer
// holds, and reading would end early as if it were whole.
TEST(VideoConvert, ACutShortVideoFailsAndLeavesNothing)
{
    TempDir dir;
    // Three seconds (the later frame count and length win), so that half the file is past the index.
    const auto whole = makeClip(dir / "whole.mp4", "64x48", hevc, aac,
                                {"-movflags", "+faststart", "-frames:v", "90", "-t", "3"});
    ASSERT_TRUE(indexFirst(whole));
    const std::string bytes = TestSupport::readBytes(whole);
    const auto folder = dir.folder("cut");
    TestSupport::writeBytes(folder / "clip.mp4", bytes.substr(0, bytes.size() / 2)); // as `head -c` leaves it

    Engine engine;
    engine.addURLs({folder});
    ASSERT_TRUE(waitUntil([&] { return analysed(engine); }));
    ASSERT_EQ(engine.items()[0].status, Engine::Status::pending("HEVC · MP4")); // its index is whole
    convertAndWait(engine);
    EXPECT_EQ(engine.items()[0].status,
              Engine::Status::failed("파일 처리 중 오류가 발생했습니다. (영상 정보를 읽을 수 없습니다)"));
    EXPECT_EQ(TestSupport::entriesBelow(folder), (std::set<std::string>{"clip.mp4"}));
}

// Deeper than PATH_MAX, the source is read through a descriptor as the output is written.
TEST(VideoConvert, VideoDeeperThanPathMaxIsConverted)
{
    TempDir dir;
    const auto clip = makeClip(dir / "clip.mov", "64x48", hevc, {});
    const fs::path deep = TestSupport::deepFolders(dir / "top", 22);
    TestSupport::writeBytes(deep / "clip.mov", TestSupport::readBytes(clip));
    ASSERT_GT(deep.native().size(), std::size_t(PATH_MAX));

    Engine engine;
    engine.addURLs({dir / "top"});
    ASSERT_TRUE(waitUntil([&] { return analysed(engine); }));
    ASSERT_EQ(engine.items().size(), 1u);
    EXPECT_EQ(engine.items()[0].status, Engine::Status::pending("HEVC · MOV"));
    convertAndWait(engine);
    EXPECT_EQ(engine.items()[0].status, Engine::Status::done("clip.mp4"));
    EXPECT_GT(TestSupport::readBytes(deep / "clip.mp4").size(), 0u);
}

TEST(VideoConvert, StoppedExportLeavesNothing)
{
    TempDir dir;
    const auto source = makeClip(dir / "clip.mov", "64x48", hevc, {});
    std::atomic<bool> stop{true};
    EXPECT_THROW(VideoWorker::convert(source, stop), FileError);
    EXPECT_EQ(TestSupport::entriesBelow(dir.path()), (std::set<std::string>{"clip.mov"}));
}

// Results that come back after the list was rebuilt or cleared never land on another item.
TEST(VideoConvert, LateResultsAreDroppedAfterRescanOrClear)
{
    TempDir dir;
    const auto folder = dir.folder("in");
    makeClip(folder / "a.mov", "64x48", hevc, {});
    makeClip(folder / "b.mp4", "64x48", h264, {});

    Engine engine;
    engine.addURLs({folder});
    const QUuid first = engine.items()[0].id;
    engine.addURLs({}); // rebuilt while the first reading is under way
    EXPECT_NE(engine.items()[0].id, first);
    ASSERT_TRUE(waitUntil([&] { return analysed(engine); }));
    EXPECT_EQ(find(engine, "a.mov")->status, Engine::Status::pending("HEVC · MOV"));
    EXPECT_EQ(find(engine, "b.mp4")->status.kind, Kind::alreadyOk);

    int workingChanges = 0;
    QObject::connect(&engine, &Engine::isWorkingChanged, [&] { ++workingChanges; });
    engine.convertAll();
    EXPECT_EQ(find(engine, "a.mov")->status.kind, Kind::converting);
    engine.convertAll(); // a second run while one is under way does nothing
    EXPECT_EQ(workingChanges, 1);
    engine.clear();
    ASSERT_TRUE(waitUntil([&] { return !engine.isWorking(); }));
    EXPECT_TRUE(engine.items().empty());
    EXPECT_EQ(workingChanges, 2);
    // The export itself finished: its output stays, as outputs of earlier runs do.
    EXPECT_TRUE(fs::exists(folder / "a.mp4"));
    EXPECT_TRUE(TestSupport::noPartialFiles(dir.path()));
}
