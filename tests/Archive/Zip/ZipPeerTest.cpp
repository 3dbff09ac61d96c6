#include "Archive/Zip/ZipWriter.h"

#include "ZipTestSupport.h"
#include "support/TestSupport.h"

#include <random>

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
