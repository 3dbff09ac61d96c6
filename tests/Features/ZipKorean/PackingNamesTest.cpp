#include "Features/ZipKorean/PackingNames.h"

#include "Core/Text.h"

#include <gtest/gtest.h>

namespace {

const std::string bogo = "\xEB\xB3\xB4\xEA\xB3\xA0.txt";               // 보고.txt
const std::string sajin = "\xEC\x82\xAC\xEC\xA7\x84.txt";              // 사진.txt
const std::string bogoCp949 = "\xBA\xB8\xB0\xED.txt";                  // 보고.txt in CP949
const std::string sajinCp949 = "\xBB\xE7\xC1\xF8.txt";                 // 사진.txt in CP949
const std::string hanNfd = "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB.txt"; // 한.txt, three jamo
const std::string hanNfc = "\xED\x95\x9C.txt";                         // 한.txt
const std::string odd = "\xFF\xFE"
                        "odd.txt"; // neither UTF-8 nor CP949

} // namespace

TEST(PackingNames, SiblingsGetDistinctNamesThatSayWhatTheyAre)
{
    struct Case {
        const char *label;
        std::vector<std::string> raw;
        std::vector<std::string> names;
    };
    const std::vector<Case> cases{
        {"UTF-8 as it is", {"a.txt", "b"}, {"a.txt", "b"}},
        {"CP949 names spell their Korean", {bogoCp949, sajinCp949}, {bogo, sajin}},
        {"decomposed names composed", {hanNfd}, {hanNfc}},
        {"other bytes kept", {odd}, {odd}},
        {"a composed twin keeps the decomposed name apart", {hanNfd, hanNfc}, {hanNfd, hanNfc}},
        {"a UTF-8 twin keeps the CP949 name as its bytes", {bogoCp949, bogo}, {bogoCp949, bogo}},
        {"the same name dropped twice", {"x.txt", "x.txt"}, {"x.txt", "x 2.txt"}},
        {"numbers already taken are passed over",
         {"x.txt", "x.txt", "x 2.txt"},
         {"x.txt", "x 3.txt", "x 2.txt"}},
        {"a rewritten name dropped twice",
         {bogoCp949, bogoCp949, bogoCp949},
         {bogo, bogoCp949, "\xEB\xB3\xB4\xEA\xB3\xA0 2.txt"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(PackingNames::forSiblings(c.raw), c.names);
    }
}

TEST(PackingNames, BytesThatDoNotDecodeAreSpelledOut)
{
    const std::pair<std::string, std::string> cases[] = {
        {"plain.txt", "plain.txt"}, {"100%.txt", "100%.txt"}, // valid UTF-8 is never touched
        {odd, "%FF%FEodd.txt"},     {"100%\xFF", "100%25%FF"}, {"caf\xC3\xA9\xE9", "caf\xC3\xA9%E9"},
        {"\xEA\xB0", "%EA%B0"}, // a character cut short
        {"\xC0\x80", "%C0%80"}, // an overlong form
    };
    for (const auto &[raw, spelled] : cases) {
        EXPECT_EQ(PackingNames::spelledOut(raw), spelled) << spelled;
        EXPECT_TRUE(Text::isValidUtf8(PackingNames::spelledOut(raw)));
    }
}

TEST(PackingNames, UnicodeFormatsGetEveryComponentSpelledAndStillDistinct)
{
    using Source = ZipWriter::Source;
    const std::vector<Source> sources{
        {"d/", std::nullopt, true},       {"d/" + bogo, "/src/1", false},
        {"d/%FF.txt", "/src/2", false},   {"d/\xFF.txt", "/src/3", false},
        {"d/\xFF/", std::nullopt, true},  {"d/\xFF/inner.txt", "/src/4", false},
        {"\xFE/deep/x", "/src/5", false}, // its folders have no entries of their own
    };
    const auto spelled = PackingNames::inUnicode(sources);
    std::vector<std::string> names;
    names.reserve(spelled.size());
    for (const auto &source : spelled)
        names.push_back(source.entryName);
    EXPECT_EQ(names, (std::vector<std::string>{"d/", "d/" + bogo, "d/%FF.txt", "d/%FF 2.txt", "d/%FF/",
                                               "d/%FF/inner.txt", "%FE/deep/x"}));
    for (std::size_t i = 0; i < sources.size(); ++i) {
        EXPECT_EQ(spelled[i].filePath, sources[i].filePath);
        EXPECT_EQ(spelled[i].isDirectory, sources[i].isDirectory);
    }
}
