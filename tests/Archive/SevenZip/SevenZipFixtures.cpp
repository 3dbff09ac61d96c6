#include "SevenZipFixtures.h"

#include "support/ExpectError.h"
#include "support/TestSupport.h"

#include <sstream>

namespace fs = std::filesystem;

namespace SevenZipTest {

std::map<std::string, std::string> tree(const fs::path &root)
{
    std::map<std::string, std::string> items;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string relative = fs::relative(it->path(), root).native();
        if (it->is_directory())
            items[relative].assign(1, '/');
        else
            items[relative] = TestSupport::readBytes(it->path());
    }
    return items;
}

int sevenZip(const QStringList &arguments, std::string *output)
{
    const auto result = TestSupport::run(QStringLiteral("7zz"), arguments);
    if (output)
        *output = result.out + result.err;
    return result.exitCode;
}

std::vector<PeerEntry> peerList(const fs::path &archive, const QString &password, bool *ok)
{
    std::string out;
    const int code = sevenZip({QStringLiteral("l"), QStringLiteral("-slt"), QStringLiteral("-p") + password,
                               QString::fromStdString(archive.native())},
                              &out);
    *ok = code == 0;
    std::vector<PeerEntry> entries;
    std::istringstream lines(out);
    std::string line;
    bool inEntries = false;
    PeerEntry current;
    bool have = false;
    auto flush = [&] {
        if (have)
            entries.push_back(current);
        current = {};
        have = false;
    };
    while (std::getline(lines, line)) {
        if (line == "----------") {
            inEntries = true;
            continue;
        }
        if (!inEntries)
            continue;
        if (line.empty()) {
            flush();
            continue;
        }
        const auto eq = line.find(" = ");
        const std::string key = eq == std::string::npos ? line : line.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : line.substr(eq + 3);
        if (key == "Path") {
            current.path = value;
            have = true;
        } else if (key == "Size") {
            current.size = value.empty() ? 0 : std::stoll(value);
        } else if (key == "Folder") {
            current.isDirectory = value == "+";
        } else if (key == "Attributes") {
            current.isDirectory = current.isDirectory || value.find('D') == 0;
        } else if (key == "Method") {
            current.method = value;
        }
    }
    flush();
    return entries;
}

std::vector<std::uint8_t> bytes(std::string_view s)
{
    return {s.begin(), s.end()};
}

void expectReadError(const std::function<void()> &step, SevenZipReadError::Kind kind, const QString &detail)
{
    TestSupport::expectError<SevenZipReadError>(step, kind, detail);
}

} // namespace SevenZipTest
