#include "Features/ZipKorean/ExtractionPlan.h"

#include <gtest/gtest.h>

#include <set>

namespace fs = std::filesystem;
using Outcome = ExtractionPlan::Outcome;

namespace {

const std::string jaryo = "\xEC\x9E\x90\xEB\xA3\x8C";  // 자료
const std::string mukeum = "\xEB\xAC\xB6\xEC\x9D\x8C"; // 묶음

struct Row {
    std::string name;
    bool isDirectory = false;
    bool isMacJunk = false;
};

std::vector<ArchiveRow> rowsOf(const std::vector<Row> &rows)
{
    std::vector<ArchiveRow> out;
    for (const auto &row : rows) {
        ArchiveRow r;
        r.name = row.name;
        r.isDirectory = row.isDirectory;
        r.isMacJunk = row.isMacJunk;
        r.size = row.isDirectory ? 0 : 7;
        out.push_back(r);
    }
    return out;
}

} // namespace

TEST(ExtractionPlan, ChoosesTheResultFromTheListingAlone)
{
    struct Case {
        const char *label;
        std::string archive;
        std::vector<Row> rows;
        bool skipJunk;
        std::set<std::string> taken; // names beside the archive
        Outcome outcome;
        std::string target; // beside the archive
        bool loneFile;
        std::optional<std::string> prefix;
        bool anyFile;
    };
    const std::vector<Case> cases{
        {"lone file", "lone.zip", {{"a.txt"}}, true, {}, Outcome::ready, "a.txt", true, {}, true},
        {"lone file taken",
         "lone.zip",
         {{"a.txt"}},
         true,
         {"a.txt"},
         Outcome::ready,
         "a 2.txt",
         true,
         {},
         true},
        {"folder entry and file",
         "d.zip",
         {{"docs/", true}, {"docs/a.txt"}},
         true,
         {},
         Outcome::ready,
         "docs",
         false,
         "docs/",
         true},
        {"file below a folder without its entry",
         "d.zip",
         {{"docs/a.txt"}},
         true,
         {"docs"},
         Outcome::ready,
         "docs 2",
         false,
         "docs/",
         true},
        {"one empty folder", "e.zip", {{"e/", true}}, true, {}, Outcome::ready, "e", false, "e/", false},
        {"folder row without a slash",
         "r.7z",
         {{"r", true}, {"r/a"}},
         true,
         {},
         Outcome::ready,
         "r",
         false,
         "r/",
         true},
        {"a file beside its own name as folder",
         "r.7z",
         {{"r"}, {"r/a"}},
         true,
         {},
         Outcome::ready,
         "r",
         false,
         {},
         true},
        {"several items",
         mukeum + ".zip",
         {{"a.txt"}, {"b.txt"}},
         true,
         {},
         Outcome::ready,
         mukeum,
         false,
         {},
         true},
        {"companion skipped",
         "pair.zip",
         {{"p.txt"}, {"__MACOSX/._p.txt", false, true}},
         true,
         {},
         Outcome::ready,
         "p.txt",
         true,
         {},
         true},
        {"companion kept",
         "pair.zip",
         {{"p.txt"}, {"__MACOSX/._p.txt", false, true}},
         false,
         {},
         Outcome::ready,
         "pair",
         false,
         {},
         true},
        {"taken names are numbered",
         "j.zip",
         {{jaryo + "/x.txt"}},
         true,
         {jaryo, jaryo + " 2"},
         Outcome::ready,
         jaryo + " 3",
         false,
         jaryo + "/",
         true},
        {"dot is no top folder",
         "dot.tgz",
         {{"./a.txt"}, {"./b.txt"}},
         true,
         {},
         Outcome::ready,
         "dot",
         false,
         {},
         true},
        {"a lone file named .. is no file name",
         "up.tar",
         {{".."}},
         true,
         {},
         Outcome::ready,
         "up",
         false,
         {},
         true},
        {"only junk",
         "junk.zip",
         {{".DS_Store", false, true}},
         true,
         {},
         Outcome::nothingToExtract,
         "",
         false,
         {},
         false},
        {"empty archive", "none.zip", {}, false, {}, Outcome::nothingToExtract, "", false, {}, false},
    };
    const fs::path folder = "/archives";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        const auto plan =
            planExtraction(rowsOf(c.rows), folder / c.archive, c.skipJunk,
                           [&](const fs::path &p) { return c.taken.count(p.filename().native()) != 0; });
        EXPECT_EQ(plan.outcome, c.outcome);
        if (c.outcome != Outcome::ready)
            continue;
        EXPECT_EQ(plan.target, folder / c.target);
        EXPECT_EQ(plan.wanted.parent_path(), folder);
        EXPECT_EQ(plan.loneFile, c.loneFile);
        EXPECT_EQ(plan.prefix, c.prefix);
        EXPECT_EQ(plan.anyFile, c.anyFile);
    }
}

TEST(ExtractionPlan, AFolderNamedAfterTheArchiveLosesItsExtensionAndATarOne)
{
    const std::pair<const char *, const char *> cases[] = {
        {"backup.tar.gz", "backup"},
        {"backup.TAR.xz", "backup"},
        {"backup.tgz", "backup"},
        {"2024.05.zip", "2024.05"},
        {".zip", ".zip"},
        {"notes.tar", "notes"},
    };
    for (const auto &[archive, folder] : cases) {
        const auto plan = planExtraction(rowsOf({{"a"}, {"b"}}), fs::path("/archives") / archive, true,
                                         [](const fs::path &) { return false; });
        EXPECT_EQ(plan.target, fs::path("/archives") / folder) << archive;
        EXPECT_FALSE(plan.prefix);
    }
}

TEST(ExtractionPlan, EveryNameTakenIsNoPlace)
{
    const auto plan =
        planExtraction(rowsOf({{"a.txt"}}), "/archives/a.zip", true, [](const fs::path &) { return true; });
    EXPECT_EQ(plan.outcome, Outcome::noFreeName);
    EXPECT_EQ(plan.wanted, fs::path("/archives/a.txt"));
}
