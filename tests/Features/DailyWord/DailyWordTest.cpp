// The word of the day: the built-in table's shape, the user file's format, the pick of a day and
// the version rule that hides the word.
#include "support/TestSupport.h"

#include "Core/AppInfo.h"
#include "Core/Settings.h"
#include "Features/DailyWord/DailyWord.h"
#include "Features/DailyWord/DailyWordSetting.h"
#include "Features/DailyWord/DailyWords.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

DailyWord word(const char *text, std::optional<const char *> source = std::nullopt)
{
    DailyWord w{QString::fromUtf8(text), std::nullopt};
    if (source)
        w.source = QString::fromUtf8(*source);
    return w;
}

std::vector<DailyWord> numbered(int count)
{
    std::vector<DailyWord> words;
    for (int i = 0; i < count; ++i)
        words.push_back({QString::number(i), std::nullopt});
    return words;
}

} // namespace

TEST(DailyWords, TheBuiltInTableHasOneWellFormedRowForEveryDayOfALeapYear)
{
    const auto &all = DailyWords::all();
    ASSERT_EQ(all.size(), 366u);
    // A book name, a space, chapter:verse or chapter:first-last.
    const QRegularExpression reference(QStringLiteral("^\\S+ \\d+:\\d+(-\\d+)?$"));
    std::set<QString> texts;
    std::set<QString> sources;
    for (const auto &w : all) {
        EXPECT_FALSE(w.text.trimmed().isEmpty());
        ASSERT_TRUE(w.source.has_value()) << w.text.toStdString();
        EXPECT_TRUE(reference.match(*w.source).hasMatch()) << w.source->toStdString();
        EXPECT_FALSE(w.text.contains(QLatin1Char('|')));
        texts.insert(w.text);
        sources.insert(*w.source);
    }
    EXPECT_EQ(texts.size(), all.size());
    EXPECT_EQ(sources.size(), all.size());
}

TEST(DailyWordStore, ParsesLinesByTheFileFormat)
{
    const struct {
        const char *name;
        const char *text;
        std::vector<DailyWord> words;
    } cases[] = {
        {"comment after blanks", "  # 주석\n말씀", {word("말씀")}},
        {"hash inside the line", "말씀 #둘", {word("말씀 #둘")}},
        {"bar at the end", "말씀 |", {word("말씀")}},
        {"bar at the start", "| 출처\n말씀", {word("말씀")}},
        {"second bar belongs to the source", "하나 | 둘 | 셋", {word("하나", "둘 | 셋")}},
        {"spaces, tabs and a no-break space trimmed",
         "\t 말씀\u00a0 |\t출처 1:2 \u00a0",
         {word("말씀", "출처 1:2")}},
        {"blank lines kept in order", "첫째\n\n   \n둘째 | 출처", {word("첫째"), word("둘째", "출처")}},
        {"CR LF ends a line", "첫째 | 가 1:1\r\n둘째\r\n", {word("첫째", "가 1:1"), word("둘째")}},
        {"ideographic space is white space", "\u3000말씀\u3000", {word("말씀")}},
        {"only comments and blanks", "# a\n\n  #b\n \t\n", {}},
        {"only empty texts", " | 출처\n|\n", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DailyWordStore::parse(QString::fromUtf8(c.text)), c.words) << c.name;
}

TEST(DailyWordStore, AUserFileThatYieldsWordsReplacesTheTableElseTheTableStays)
{
    TestSupport::TempDir dir;
    const struct {
        const char *name;
        std::string bytes;
        bool replaces;
    } cases[] = {
        {"words with a byte-order mark and CR LF", "\xEF\xBB\xBF첫째 | 가 1:1\r\n둘째\r\n", true},
        {"only comments", "# 없음\n\n", false},
        {"not UTF-8", "\xB0\xA1 | \xB3\xAA", false},
        {"empty", "", false},
    };
    for (const auto &c : cases) {
        const auto file = dir.file(std::string(c.name) + ".txt", c.bytes);
        const DailyWordStore store(file);
        if (c.replaces) {
            EXPECT_EQ(store.words(), (std::vector<DailyWord>{word("첫째", "가 1:1"), word("둘째")}))
                << c.name;
        } else {
            EXPECT_EQ(store.words(), DailyWords::all()) << c.name;
        }
    }
    EXPECT_EQ(DailyWordStore(dir / "missing.txt").words(), DailyWords::all());
    // A FIFO under the name is not waited on.
    const auto fifo = dir / "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(DailyWordStore(fifo).words(), DailyWords::all());
}

TEST(DailyWordStore, AFilePassedOverSaysWhy)
{
    TestSupport::TempDir dir;
    const std::string word = "말씀 | 가 1:1\n";
    const auto limit = std::size_t(DailyWordStore::maximumFileSize);
    const struct {
        const char *name;
        std::string bytes;
        const char *problem; // none: the file is used
    } cases[] = {
        {"at the limit", word + std::string(limit - word.size(), '\n'), nullptr},
        {"one byte over", word + std::string(limit - word.size() + 1, '\n'), "4MiB보다 큽니다"},
        {"not UTF-8", "\xB0\xA1 | \xB3\xAA", "UTF-8 텍스트가 아닙니다"},
        {"only comments", "# 없음\n\n", "읽을 말씀이 한 줄도 없습니다"},
    };
    for (const auto &c : cases) {
        const DailyWordStore store(dir.file(std::string(c.name) + ".txt", c.bytes));
        EXPECT_EQ(store.fileProblem(), c.problem ? std::optional(QString::fromUtf8(c.problem)) : std::nullopt)
            << c.name;
        EXPECT_EQ(store.words() == DailyWords::all(), c.problem != nullptr) << c.name;
    }
    // No file of one's own is nothing to report; a folder or a FIFO under the name is.
    EXPECT_EQ(DailyWordStore(dir / "missing.txt").fileProblem(), std::nullopt);
    fs::create_directory(dir / "folder.txt");
    EXPECT_EQ(DailyWordStore(dir / "folder.txt").fileProblem(), QStringLiteral("일반 파일이 아닙니다"));
}

TEST(DailyWordStore, TheDefaultFileLivesInTheDataFolderWhichIsCreated)
{
    const fs::path expected = fs::path(std::getenv("XDG_DATA_HOME")) / "누리함" / "daily-words.txt";
    fs::remove_all(expected.parent_path());
    EXPECT_EQ(DailyWordStore::defaultFileURL(), expected);
    EXPECT_TRUE(fs::is_directory(expected.parent_path()));
    EXPECT_FALSE(fs::exists(expected));

    TestSupport::writeBytes(expected, "기본 파일의 말씀 | 가 1:1\n");
    EXPECT_EQ(DailyWordStore().words(), std::vector<DailyWord>{word("기본 파일의 말씀", "가 1:1")});
    fs::remove(expected);
}

TEST(DailyWordStore, PicksTheWordOfTheDayOfTheYear)
{
    const auto &all = DailyWords::all();
    EXPECT_FALSE(DailyWordStore::pick({}, QDate(2026, 1, 1)).has_value());
    EXPECT_EQ(DailyWordStore::pick(numbered(3), QDate(2026, 1, 1))->text, QStringLiteral("0"));
    EXPECT_EQ(*DailyWordStore::pick(all, QDate(2024, 12, 31)), all[365]);
    EXPECT_EQ(*DailyWordStore::pick(all, QDate(2025, 12, 31)), all[364]);
    EXPECT_EQ(*DailyWordStore::pick(all, QDate(2025, 2, 1)), all[31]);
    EXPECT_EQ(DailyWordStore::pick(numbered(7), QDate(2026, 1, 8))->text, QStringLiteral("0"));
    EXPECT_EQ(DailyWordStore::pick(numbered(7), QDate(2026, 1, 14))->text, QStringLiteral("6"));
    // A date the calendar cannot place counts as the first day.
    EXPECT_EQ(DailyWordStore::pick(numbered(7), QDate())->text, QStringLiteral("0"));
}

TEST(DailyWordSetting, HidingLastsUntilTheVersionChanges)
{
    Settings::open()->remove(QLatin1String(DailyWordSetting::settingsKey));
    AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.2.0"));
    EXPECT_FALSE(DailyWordSetting::isHidden());
    DailyWordSetting::setHidden(true);
    EXPECT_EQ(Settings::open()->value(QLatin1String(DailyWordSetting::settingsKey)).toString(), "1.2.0");
    EXPECT_TRUE(DailyWordSetting::isHidden());
    AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.3.0"));
    EXPECT_FALSE(DailyWordSetting::isHidden());
    DailyWordSetting::setHidden(false);
    EXPECT_EQ(Settings::open()->value(QLatin1String(DailyWordSetting::settingsKey)).toString(), "");

    // Without a version the current version is "" like the default, so the word stays hidden.
    AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), std::nullopt);
    EXPECT_EQ(DailyWordSetting::currentVersion(), "");
    EXPECT_TRUE(DailyWordSetting::isHidden());
    AppInfo::clearOverrides();
    Settings::open()->remove(QLatin1String(DailyWordSetting::settingsKey));
}
