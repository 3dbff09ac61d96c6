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

bool isForbiddenOrControl(char16_t c)
{
    return c < 0x20 || isForbidden(c);
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
        if (c < 0x80 && isForbiddenOrControl(c))
            return false;
    }
    const std::size_t piece = std::min(name.find('.'), name.size());
    return piece != 3 && piece != 4;
}

QString forbiddenIssue()
{
    return L("금지 문자 (\\ : * ? \" < > | 등)");
}

QString trailingIssue()
{
    return L("이름 끝의 공백·마침표");
}

// The rules on the ASCII bytes of a name that is not UTF-8. Every other byte stays as it is: a
// decoding would lose it. Such a name keeps its bytes that are not ASCII, so it never ends empty.
std::pair<std::string, QStringList> sanitizeBytes(std::string_view name)
{
    QStringList issues;
    std::string text;
    text.reserve(name.size() + 1);
    bool replaced = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 0x80 || !isForbiddenOrControl(c)) {
            text += char(c);
            continue;
        }
        text += '_';
        replaced = true;
        if (c == '\r' && i + 1 < name.size() && name[i + 1] == '\n')
            ++i; // CR LF is one character, as in a name that is UTF-8
    }
    if (replaced)
        issues << forbiddenIssue();

    const std::size_t kept = text.find_last_not_of(" .") + 1;
    if (kept < text.size()) {
        text.resize(kept);
        issues << trailingIssue();
    }

    // A reserved name is made of ASCII letters and digits only.
    const std::string_view piece = std::string_view(text).substr(0, text.find('.'));
    const bool ascii = std::all_of(piece.begin(), piece.end(), [](char c) { return c > 0; });
    if (ascii && isReserved(QString::fromLatin1(piece).toUpper())) {
        issues << L("Windows 예약어 (%@)", QString::fromLatin1(piece));
        text.insert(0, 1, '_');
    }
    return {std::move(text), issues};
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
    if (!name.empty() && plainlySafe(name))
        return {std::string(name), {}};
    if (!Text::isValidUtf8(name))
        return sanitizeBytes(name);
    QStringList issues;
    const QString input = Text::fromUtf8(name);

    // A cluster that starts with a forbidden or control character cannot be stored: that
    // character becomes "_", and the marks that follow it stay (they are not the fault). CR LF is
    // one cluster and so one "_".
    QString text;
    bool replaced = false;
    for (const auto &[start, end] : clusters(input)) {
        const char16_t first = input[start].unicode();
        if (!isForbiddenOrControl(first)) {
            text += QStringView(input).mid(start, end - start);
            continue;
        }
        text += QLatin1Char('_');
        replaced = true;
        const qsizetype marks =
            first == '\r' && end - start > 1 && input[start + 1] == u'\n' ? start + 2 : start + 1;
        text += QStringView(input).mid(marks, end - marks);
    }
    if (replaced)
        issues << forbiddenIssue();

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
        issues << trailingIssue();

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
    relist(items_, [&](const fs::path &root) {
        if (!walked.firstVisit(root))
            return;
        const bool isDirectory = ScanSupport::pathType(root).isDirectory;
        examine(root.native(), ScanSupport::lastComponent(root.native()), isDirectory);
        if (!isDirectory)
            return;
        ScanSupport::walkBelow(scan, root.native(), [&](const ScanSupport::WalkEntry &entry) {
            if (!walked.firstVisit(entry.path))
                return false;
            const bool isFolder = entry.type().isDirectory;
            examine(entry.path, entry.name(), isFolder);
            return isFolder;
        });
    });
    setScannedCount(counted_);
}

void FilenameSanitizerEngine::examine(const std::string &path, std::string_view name, bool isDirectory)
{
    ++counted_;
    // An entry that cannot be looked at is still checked by its name, as a non-folder.
    auto [newName, issues] = sanitize(name);
    if (!issues.isEmpty())
        items_.push_back(Item{ScanSupport::newId(),
                              fs::path(path),
                              fs::path(path),
                              std::move(newName),
                              std::move(issues),
                              isDirectory,
                              {}});
}

void FilenameSanitizerEngine::applyAll()
{
    // One search for the whole pass: a folder of many repaired names is listed once.
    FreeNames freeNames;
    const auto rename = [&freeNames](const Item &item) {
        const fs::path wanted = item.url.parent_path() / item.newName;
        // A name can be taken between the search and the rename: look again, never replace.
        ScanSupport::Renamed result{EEXIST, {}};
        for (int attempt = 0; attempt < 3 && result.error == EEXIST; ++attempt) {
            const std::optional<fs::path> target = freeNames.find(wanted);
            if (!target)
                break;
            result = {renameNoReplace(item.url, *target), target->native()};
            if (result.error == 0)
                freeNames.renamed(item.url, *target);
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
