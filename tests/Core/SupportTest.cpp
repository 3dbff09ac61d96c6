// Settings, localised texts, free names, bundle information and the manual clock.
#include "Core/AppInfo.h"
#include "Core/FreeName.h"
#include "Core/Localization.h"
#include "Core/Scheduler.h"
#include "Core/Settings.h"
#include "Core/Text.h"
#include "Core/Utility.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

TEST(Settings, KeepsAStringApartFromAOneElementList)
{
    {
        auto s = Settings::open();
        s->setValue("AppleLanguages", QStringList{QStringLiteral("ko")});
        s->setValue("plain", QStringLiteral("ko"));
        s->setValue("flag", true);
        s->setValue("count", 42);
        s->setValue("map", QVariantMap{{QStringLiteral("k"), 1}});
        s->sync();
        EXPECT_EQ(s->status(), QSettings::NoError);
        const std::string file = s->fileName().toStdString();
        EXPECT_EQ(file.rfind(std::getenv("XDG_CONFIG_HOME"), 0), 0u) << file; // inside the test's folder
    }
    auto s = Settings::open();
    EXPECT_EQ(s->value("AppleLanguages").metaType().id(), QMetaType::QStringList);
    EXPECT_EQ(s->value("AppleLanguages").toStringList(), QStringList{QStringLiteral("ko")});
    EXPECT_EQ(s->value("plain").metaType().id(), QMetaType::QString);
    EXPECT_EQ(s->value("flag").metaType().id(), QMetaType::Bool);
    EXPECT_EQ(s->value("count").toInt(), 42);
    EXPECT_EQ(s->value("map").toMap().value(QStringLiteral("k")).toInt(), 1);
}

TEST(Localization, FillsTextAndNumberPlaceholdersInOrder)
{
    EXPECT_EQ(L("폴더 %lld개는 권한이 없어 살펴보지 못했습니다", 5),
              QStringLiteral("폴더 5개는 권한이 없어 살펴보지 못했습니다"));
    EXPECT_EQ(L("%@ 그리고 %lld, %@", "가", 3, std::string("나")), QStringLiteral("가 그리고 3, 나"));
    EXPECT_EQ(L("100%@", QStringLiteral("%lld")), QStringLiteral("100%lld")); // inserted text is not re-read
    EXPECT_EQ(L("no args %@"), QStringLiteral("no args %@"));
}

TEST(FreeName, NumbersBeforeTheLastExtension)
{
    TempDir dir;
    const struct {
        const char *wanted;
        const char *taken;
        const char *result;
    } cases[] = {
        {"photo.jpg", "photo.jpg", "photo 2.jpg"}, {"archive.tar.gz", "archive.tar.gz", "archive.tar 2.gz"},
        {"folder", "folder", "folder 2"},          {".hidden", ".hidden", ".hidden 2"},
        {"free.txt", nullptr, "free.txt"},
    };
    for (const auto &c : cases) {
        if (c.taken != nullptr)
            dir.file(c.taken);
        EXPECT_EQ(freeName(dir / c.wanted), std::optional<fs::path>(dir / c.result)) << c.wanted;
    }
    dir.file("photo 2.jpg");
    fs::create_symlink("nowhere", dir / "photo 3.jpg"); // a dangling link is taken too
    EXPECT_EQ(freeName(dir / "photo.jpg"), std::optional<fs::path>(dir / "photo 4.jpg"));
}

TEST(FreeName, ANameEqualAfterNfcIsTaken)
{
    const std::string yeohaeng = "\xEC\x97\xAC\xED\x96\x89"; // 여행
    const std::string han = "\xED\x95\x9C";                  // 한
    const std::string ha = "\xED\x95\x98";                   // 하, to which a final ᆫ makes 한
    const std::string finalN = "\xE1\x86\xAB";
    const std::string cp949Han = "\xC7\xD1"; // 한 in CP949, not UTF-8
    const struct {
        std::vector<std::string> present;
        std::string wanted;
        std::string result;
    } cases[] = {
        {{Text::toNfd(yeohaeng) + ".jpg"}, yeohaeng + ".jpg", yeohaeng + " 2.jpg"},
        {{yeohaeng + ".jpg"}, Text::toNfd(yeohaeng) + ".jpg", Text::toNfd(yeohaeng) + " 2.jpg"},
        {{Text::toNfd(yeohaeng) + ".jpg", Text::toNfd(yeohaeng) + " 2.jpg"},
         yeohaeng + ".jpg",
         yeohaeng + " 3.jpg"},
        {{ha + finalN + ".txt"}, han + ".txt", han + " 2.txt"},        // a spelling neither NFC nor NFD
        {{"\xE2\x84\xAA.txt"}, "K.txt", "K 2.txt"},                    // KELVIN SIGN, which NFC makes K
        {{"e\xCC\x81"}, "\xC3\xA9", "\xC3\xA9 2"},                     // é decomposed, no extension
        {{cp949Han + ".txt"}, cp949Han + ".txt", cp949Han + " 2.txt"}, // bytes that are not UTF-8
        {{cp949Han + ".txt"}, han + ".txt", han + ".txt"},             // compare as bytes
        {{Text::toNfd(han) + ".txt"}, "other.txt", "other.txt"},
    };
    TempDir dir;
    int index = 0;
    for (const auto &c : cases) {
        const fs::path folder = dir.folder("case" + std::to_string(index++));
        for (const auto &name : c.present)
            TestSupport::writeBytes(folder / name, "x");
        EXPECT_EQ(freeName(folder / c.wanted), std::optional<fs::path>(folder / c.result)) << index;
    }
}

TEST(AppInfo, CompiledInValuesCanBeOverridden)
{
    EXPECT_FALSE(AppInfo::shortVersion().isEmpty());
    AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), std::nullopt);
    EXPECT_EQ(AppInfo::shortVersion(), QString());
    AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("9.9"));
    EXPECT_EQ(AppInfo::shortVersion(), QStringLiteral("9.9"));
    AppInfo::clearOverrides();
}

TEST(ManualScheduler, RunsDueWorkInTimeOrder)
{
    ManualScheduler clock;
    std::vector<int> ran;
    clock.after(600, [&] { ran.push_back(600); });
    clock.after(400, [&] {
        ran.push_back(400);
        clock.after(100, [&] { ran.push_back(500); });
    });
    clock.advance(399);
    EXPECT_TRUE(ran.empty());
    clock.advance(201);
    EXPECT_EQ(ran, (std::vector<int>{400, 500, 600}));
}

TEST(Utility, CatalogueRawValuesAndSections)
{
    EXPECT_EQ(Utilities::fromString(QStringLiteral("zipKorean")), Utility::zipKorean);
    EXPECT_EQ(Utilities::fromString(QStringLiteral("ZipKorean")), std::nullopt);
    EXPECT_EQ(Utilities::fromString(QString()), std::nullopt);
    for (Utility u : Utilities::allCases)
        EXPECT_EQ(Utilities::fromString(Utilities::toString(u)), u);
    EXPECT_EQ(Utilities::categories(),
              (QStringList{QStringLiteral("파일"), QStringLiteral("변환"), QStringLiteral("시스템")}));
    EXPECT_EQ(Utilities::title(Utility::sendCheckup), QStringLiteral("홈 \u2014 파일 해결사"));
    EXPECT_EQ(Utilities::subtitle(Utility::videoConverter), QStringLiteral("MOV\u00B7HEVC를 MP4로"));
}
