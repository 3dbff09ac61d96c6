#include "Features/FilenameSanitizer/FilenameSanitizerEngine.h"

#include "Core/FreeName.h"
#include "Core/Localization.h"
#include "Core/Notify.h"
#include "Core/RenameNoReplace.h"
#include "Core/Text.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <cerrno>

namespace fs = std::filesystem;

namespace {

bool isForbidden(char16_t c)
{
    switch (c) {
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        return false;
    }
}

bool isReserved(const QString &upper)
{
    static const std::array<QString, 4> plain = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                                 QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (std::find(plain.begin(), plain.end(), upper) != plain.end())
        return true;
    return upper.size() == 4 &&
           (upper.startsWith(QLatin1String("COM")) || upper.startsWith(QLatin1String("LPT"))) &&
           upper[3] >= QLatin1Char('1') && upper[3] <= QLatin1Char('9');
}

// A quick test on the bytes that finds no issue in most names without decoding them. It is
// exact: every rule needs a forbidden or control byte, a trailing space or period, or a first
// piece of three or four bytes (a reserved name can only be made of ASCII letters and digits).
bool plainlySafe(std::string_view name)
{
    if (name.empty() || name.back() == ' ' || name.back() == '.')
        return false;
    for (unsigned char c : name) {
        if (c < 0x20 || (c < 0x80 && isForbidden(char16_t(c))))
            return false;
    }
    const std::size_t piece = std::min(name.find('.'), name.size());
    return piece != 3 && piece != 4;
}

// Grapheme clusters of a text, as [start, end) positions.
std::vector<std::pair<qsizetype, qsizetype>> clusters(const QString &text)
{
    std::vector<std::pair<qsizetype, qsizetype>> out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        out.emplace_back(start, finder.position());
        start = finder.position();
    }
    return out;
}

} // namespace

FilenameSanitizerEngine::FilenameSanitizerEngine(QObject *parent) : ScanEngine(parent) {}

std::pair<std::string, QStringList> FilenameSanitizerEngine::sanitize(std::string_view name)
{
    // Rewriting a name that is not UTF-8 would mean rewriting a lossy decoding of its bytes.
    if (!Text::isValidUtf8(name) || (!name.empty() && plainlySafe(name)))
        return {std::string(name), {}};
    QStringList issues;
    const QString input = Text::fromUtf8(name);

    // A cluster that starts with a forbidden or control character cannot be stored, whatever
    // marks follow it; CR LF is one cluster and so one "_".
    QString text;
    bool replaced = false;
    for (const auto &[start, end] : clusters(input)) {
        const char16_t first = input[start].unicode();
        if (first < 0x20 || isForbidden(first)) {
            text += QLatin1Char('_');
            replaced = true;
        } else {
            text += QStringView(input).mid(start, end - start);
        }
    }
    if (replaced)
        issues << L("금지 문자 (\\ : * ? \" < > | 등)");

    bool trimmed = false;
    for (;;) {
        const auto parts = clusters(text);
        if (parts.empty())
            break;
        const auto [start, end] = parts.back();
        const QStringView last = QStringView(text).mid(start, end - start);
        if (last != u" " && last != u".")
            break;
        text.truncate(start);
        trimmed = true;
    }
    if (trimmed)
        issues << L("이름 끝의 공백·마침표");

    if (text.isEmpty())
        text = L("이름 없음");

    const QString piece = text.section(QLatin1Char('.'), 0, 0);
    if (isReserved(piece.toUpper())) {
        text.prepend(QLatin1Char('_'));
        issues << L("Windows 예약어 (%@)", piece);
    }
    return {Text::utf8(text), issues};
}

void FilenameSanitizerEngine::rescan()
{
    counted_ = 0;
    ScanSupport::WalkedSet walked(scannedRoots_.size());
    relist(items_,
           [&](const fs::path &root) { scanPath(root, ScanSupport::pathType(root).isDirectory, walked); });
    setScannedCount(counted_);
}

void FilenameSanitizerEngine::scanPath(const fs::path &path, bool isDirectory, ScanSupport::WalkedSet &walked)
{
    if (!walked.firstVisit(path))
        return;
    ++counted_;
    // An entry that cannot be looked at is still checked by its name, as a non-folder.
    auto [newName, issues] = sanitize(path.filename().native());
    if (!issues.isEmpty())
        items_.push_back(
            Item{ScanSupport::newId(), path, path, std::move(newName), std::move(issues), isDirectory, {}});
    if (!isDirectory)
        return;
    const ScanSupport::OpenFolder folder(path);
    for (const auto &entry : scan.listEntries(path))
        scanPath(path / entry.name, ScanSupport::entryType(folder, entry).isDirectory, walked);
}

void FilenameSanitizerEngine::applyAll()
{
    const auto rename = [](const Item &item) {
        const fs::path wanted = item.url.parent_path() / item.newName;
        // A name can be taken between the search and the rename: look again, never replace.
        ScanSupport::Renamed result{EEXIST, {}};
        for (int attempt = 0; attempt < 3 && result.error == EEXIST; ++attempt) {
            const std::optional<fs::path> target = freeName(wanted);
            if (!target)
                break;
            result = {renameNoReplace(item.url, *target), *target};
        }
        return result;
    };
    renamePending(items_, rename);
}

int FilenameSanitizerEngine::count(Item::Status::Kind kind) const
{
    return int(ScanSupport::countWithStatus(items_, kind));
}

void FilenameSanitizerEngine::setScannedCount(std::int64_t value)
{
    Notify::assign(this, scannedCount_, value, &FilenameSanitizerEngine::scannedCountChanged);
}
