#include "Archive/Zip/ZipWriter.h"

#include "ZipTestSupport.h"
#include "support/TestSupport.h"

#include <sys/stat.h>

#include <random>
#include <regex>
#include <set>
#include <sstream>

using namespace ZipTest;
using TestSupport::run;
using ZipWriter::Encryption;

namespace {

using TestSupport::q;

const std::string password = "한글 암호";

} // namespace

// Archives the writer makes pass every peer that supports their method, with a Korean password.
TEST(ZipPeers, writtenArchivesPassPeerChecks)
{
    for (const char *tool : {"7zz", "unzip", "bsdtar", "python3"})
        ASSERT_TRUE(TestSupport::haveProgram(QString::fromUtf8(tool))) << tool;

    TestSupport::TempDir dir;
    std::string textContent;
    for (int i = 0; i < 2000; ++i)
        textContent += "한국어 줄 " + std::to_string(i) + "\n";
    std::mt19937 gen(7);
    std::string randomContent(50000, '\0');
    for (auto &c : randomContent)
        c = char(gen());
    const std::map<std::string, std::string> files{{"한글 폴더/문서.txt", textContent},
                                                   {"한글 폴더/무작위.bin", randomContent},
                                                   {"빈 파일.txt", ""},
                                                   {"a.txt", "a"}};
    std::vector<ZipWriter::Source> sources{{"한글 폴더/", dir.folder("src/한글 폴더"), true}};
    for (const auto &[name, content] : files)
        sources.push_back({name, dir.file("src/" + name, content), false});

    for (const auto encryption : {Encryption::none, Encryption::traditional, Encryption::aes256}) {
        SCOPED_TRACE(int(encryption));
        const auto zip = dir / ("out" + std::to_string(int(encryption)) + ".zip");
        const std::string pw = encryption == Encryption::none ? "" : password;
        ZipWriter::create(zip, sources, pw, encryption);
        const QString qpw = QString::fromStdString(pw);

        auto r = run(QStringLiteral("7zz"), {QStringLiteral("t"), QStringLiteral("-p") + qpw, q(zip)});
        EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
        EXPECT_NE(r.out.find("Everything is Ok"), std::string::npos) << r.out;

        if (encryption != Encryption::aes256) { // Info-ZIP unzip 6 has no AES
            r = run(QStringLiteral("unzip"), {QStringLiteral("-tq"), QStringLiteral("-P"), qpw, q(zip)});
            EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
        }

        for (const auto &[name, content] : files) {
            QStringList args{QStringLiteral("-xOf"), q(zip), QString::fromStdString(name)};
            if (!pw.empty())
                args = QStringList{QStringLiteral("--passphrase"), qpw} + args;
            r = run(QStringLiteral("bsdtar"), args);
            EXPECT_EQ(r.exitCode, 0) << name << r.err;
            EXPECT_TRUE(r.out == content) << name;
        }

        if (encryption != Encryption::aes256) { // python's zipfile has no AES
            const char *script = R"(
import sys, unicodedata, zipfile
z = zipfile.ZipFile(sys.argv[1])
if sys.argv[2]:
    z.setpassword(sys.argv[2].encode())
assert z.testzip() is None
names = [i.filename for i in z.infolist()]
assert all(unicodedata.is_normalized('NFC', n) for n in names), names
print('\n'.join(names))
)";
            r = run(QStringLiteral("python3"),
                    {QStringLiteral("-c"), QString::fromUtf8(script), q(zip), qpw});
            EXPECT_EQ(r.exitCode, 0) << r.err;
            EXPECT_EQ(
                r.out, "한글 폴더/\n" + [&] {
                    std::string all;
                    for (const auto &[name, content] : files)
                        all += name + "\n";
                    return all;
                }());
        }
    }
}

namespace {

// Relative path (folders with a trailing "/") -> permission bits of everything below the root.
std::map<std::string, unsigned> modesBelow(const std::filesystem::path &root)
{
    std::map<std::string, unsigned> out;
    for (const auto &item : std::filesystem::recursive_directory_iterator(root)) {
        struct stat st {};
        ::lstat(item.path().c_str(), &st);
        std::string name = item.path().lexically_relative(root).native();
        if (S_ISDIR(st.st_mode))
            name += '/';
        out[name] = st.st_mode & 07777;
    }
    return out;
}

} // namespace

// The archives the writer makes say Unix with 0644 files and 0755 folders, so every peer lists their
// Korean names right (Info-ZIP's unzip ignores the UTF-8 flag of MS-DOS archives) and extracts
// them with those modes, whatever the umask.
TEST(ZipPeers, namesAndModesInEveryPeer)
{
    TestSupport::TempDir dir;
    const std::vector<ZipWriter::Source> sources{{"자료/", dir.folder("src/자료"), true},
                                                 {"자료/한글 문서.txt", dir.file("src/a", "안녕"), false},
                                                 {"빈 폴더/", std::nullopt, true},
                                                 {"a.txt", dir.file("src/b", "a"), false}};
    const std::map<std::string, unsigned> expected{
        {"자료/", 0755}, {"자료/한글 문서.txt", 0644}, {"빈 폴더/", 0755}, {"a.txt", 0644}};
    const auto zip = dir / "out.zip";
    ZipWriter::create(zip, sources, "", Encryption::none);

    // Listings: unzip -l (length, date, time, name), 7zz l -slt ("Path = "), bsdtar -t, python3.
    std::set<std::string> names;
    for (const auto &[name, mode] : expected)
        names.insert(name);
    const auto lines = [](const std::string &out, const std::string &prefix, bool nameColumn) {
        std::set<std::string> found;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) {
            std::smatch m;
            if (nameColumn && std::regex_match(line, m, std::regex(R"(\s*\d+\s+\S+\s+\S+\s+(.+))")))
                found.insert(m[1]);
            else if (!nameColumn && line.starts_with(prefix))
                found.insert(line.substr(prefix.size()));
        }
        return found;
    };
    auto r = run(QStringLiteral("unzip"), {QStringLiteral("-l"), q(zip)});
    EXPECT_EQ(lines(r.out, "", true), names) << r.out;
    r = run(QStringLiteral("bsdtar"), {QStringLiteral("-tf"), q(zip)});
    EXPECT_EQ(lines(r.out, "", false), names) << r.out;
    r = run(QStringLiteral("python3"),
            {QStringLiteral("-c"),
             QStringLiteral("import sys, zipfile\nfor i in zipfile.ZipFile(sys.argv[1]).infolist(): "
                            "print('%s\\t%o' % (i.filename, (i.external_attr >> 16) & 0o7777))"),
             q(zip)});
    std::set<std::string> python;
    for (const auto &[name, mode] : expected)
        python.insert(name + "\t" + (mode == 0755 ? "755" : "644"));
    EXPECT_EQ(lines(r.out, "", false), python) << r.out << r.err;
    r = run(QStringLiteral("7zz"), {QStringLiteral("l"), QStringLiteral("-slt"), q(zip)});
    std::set<std::string> sevenZip;
    for (const auto &name : names)
        sevenZip.insert(name.ends_with('/') ? name.substr(0, name.size() - 1) : name);
    sevenZip.insert(zip.native()); // the archive's own block
    EXPECT_EQ(lines(r.out, "Path = ", false), sevenZip) << r.out;

    // Extraction with no umask at all: the modes come from the archive.
    const std::pair<const char *, QStringList> extractors[] = {
        {"unzip", {QStringLiteral("-q"), q(zip), QStringLiteral("-d"), QStringLiteral("unzip")}},
        {"bsdtar", {QStringLiteral("-xf"), q(zip), QStringLiteral("-C"), QStringLiteral("bsdtar")}},
        {"7zz", {QStringLiteral("x"), QStringLiteral("-bso0"), QStringLiteral("-o7zz"), q(zip)}},
    };
    for (const auto &[tool, args] : extractors) {
        SCOPED_TRACE(tool);
        dir.folder(tool);
        r = run(QStringLiteral("sh"),
                QStringList{QStringLiteral("-c"), QStringLiteral("umask 0 && exec \"$0\" \"$@\""),
                            QString::fromUtf8(tool)} +
                    args,
                dir.path());
        ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
        EXPECT_EQ(modesBelow(dir / tool), expected);
    }
}
