#include "Features/HangulFilename/HangulRenameEngine.h"

#include "Core/FreeName.h"
#include "Core/Localization.h"
#include "Core/Notify.h"
#include "Core/RenameNoReplace.h"
#include "Core/Text.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Folders that the Finder shows as one document: listed themselves, never entered.
bool isPackage(std::string_view name)
{
    static const std::array<std::string_view, 40> extensions = {
        "app",           "appex",        "bundle",    "component",     "docset",       "framework",
        "kext",          "mdimporter",   "mpkg",      "pkg",           "plugin",       "prefpane",
        "qlgenerator",   "saver",        "service",   "wdgt",          "xpc",          "rtfd",
        "pages",         "numbers",      "key",       "photoslibrary", "photolibrary", "aplibrary",
        "imovielibrary", "musiclibrary", "tvlibrary", "fcpbundle",     "logicx",       "band",
        "scptd",         "playground",   "xcodeproj", "xcworkspace",   "xcarchive",    "dsym",
        "sparsebundle",  "vst",          "vst3",      "mlpackage"};
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size())
        return false;
    std::string extension(name.substr(dot + 1));
    for (char &c : extension)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

// Grapheme clusters of a text.
std::vector<QString> characters(const QString &text)
{
    std::vector<QString> out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        out.push_back(text.mid(start, end - start));
        start = end;
    }
    return out;
}

} // namespace

QString HangulRenameEngine::toString(Form form)
{
    return form == Form::nfc ? QStringLiteral("nfc") : QStringLiteral("nfd");
}

std::optional<HangulRenameEngine::Form> HangulRenameEngine::formFromString(std::string_view raw)
{
    if (raw == "nfc")
        return Form::nfc;
    if (raw == "nfd")
        return Form::nfd;
    return std::nullopt;
}

QString HangulRenameEngine::label(Form form)
{
    return form == Form::nfc ? L("Windows용 · 완성형 (NFC)") : L("옛 Mac 방식 · 분리형 (NFD)");
}

// Roots are standardized, not resolved: the entry dropped is the one renamed, a link included.
HangulRenameEngine::HangulRenameEngine(QObject *parent) : ScanEngine(parent, ScanSupport::standardized) {}

void HangulRenameEngine::setForm(Form form)
{
    Notify::assign(this, form_, form, &HangulRenameEngine::formChanged);
    rescan();
}

void HangulRenameEngine::rescan()
{
    counted_ = 0;
    ScanSupport::WalkedSet walked(scannedRoots_.size());
    relist(items_, [&](const fs::path &root) {
        if (!walked.firstVisit(root))
            return;
        const bool isDirectory = ScanSupport::pathType(root).isDirectory;
        const std::string_view name = ScanSupport::lastComponent(root.native());
        examine(root.native(), name, isDirectory);
        if (!isDirectory || isPackage(name))
            return;
        ScanSupport::walkBelow(scan, root.native(), [&](const ScanSupport::WalkEntry &entry) {
            if (!walked.firstVisit(entry.path))
                return false;
            const auto type = entry.type();
            if (type.error == ENOENT)
                return false; // gone since the listing
            examine(entry.path, entry.name(), type.isDirectory);
            return type.isDirectory && !isPackage(entry.name());
        });
    });
    setAlreadyNormalizedCount(counted_);
}

void HangulRenameEngine::examine(const std::string &path, std::string_view name, bool isDirectory)
{
    const bool ascii =
        std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    // Normalising a lossy decoding would destroy the bytes of a name that is not UTF-8.
    if (!ascii && !Text::isValidUtf8(name))
        return;
    // ASCII is in both forms.
    if (ascii || (form_ == Form::nfc ? Text::isNfc(name) : Text::isNfd(name))) {
        ++counted_;
        return;
    }
    std::string target = form_ == Form::nfc ? Text::toNfc(name) : Text::toNfd(name);
    items_.push_back(Item{ScanSupport::newId(), path, std::move(target), isDirectory, {}});
}

namespace {

// Renames inside one folder, holding it open (by a path of any length) while neighbouring items
// are renamed.
class FolderRenamer {
public:
    int rename(std::string_view parent, const std::string &from, const std::string &to)
    {
        if (!folder_.isOpen() || path_ != parent) {
            path_ = parent;
            folder_ = Folder::open(fs::path(path_), false);
        }
        if (!folder_.isOpen())
            return folder_.error();
        return renameNoReplaceAt(folder_.descriptor(), from.c_str(), to.c_str());
    }

    // True when both names lead to one entry: the file system treats the two spellings alike.
    bool sameEntry(const std::string &a, const std::string &b) const
    {
        struct stat first, second;
        return folder_.lstat(a.c_str(), first) == 0 && folder_.lstat(b.c_str(), second) == 0 &&
               first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }

private:
    std::string path_;
    Folder folder_;
};

} // namespace

void HangulRenameEngine::applyAll()
{
    FolderRenamer renamer;
    const auto rename = [&renamer](const Item &item) {
        const std::string_view name = ScanSupport::lastComponent(item.url);
        const std::string_view parent = std::string_view(item.url).substr(0, item.url.size() - name.size());
        const std::string oldName(name);

        int error = renamer.rename(parent, oldName, item.newName);
        if (error == EEXIST && renamer.sameEntry(oldName, item.newName)) {
            // A file system that takes both spellings for one name: go through a temporary name.
            const std::string temp =
                ".brindlow-" + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toStdString();
            error = renamer.rename(parent, oldName, temp);
            if (error == 0) {
                error = renamer.rename(parent, temp, item.newName);
                if (error != 0)
                    renamer.rename(parent, temp, oldName);
            }
        }
        // EEXIST otherwise: another entry has the target name (Linux keeps both forms apart);
        // the entry keeps its own name.
        std::string to;
        if (error == 0) {
            to.reserve(parent.size() + item.newName.size());
            to.append(parent).append(item.newName);
        }
        return ScanSupport::Renamed{error, std::move(to)};
    };
    renamePending(items_, rename);
}

void HangulRenameEngine::leaveOut(const std::function<bool(const std::string &path)> &gone)
{
    const auto left = std::remove_if(items_.begin(), items_.end(), [&](const Item &item) {
        return item.status.kind == Item::Status::Kind::pending && gone(item.url);
    });
    if (left == items_.end())
        return;
    items_.erase(left, items_.end());
    emit itemsChanged();
}

std::optional<QString> HangulRenameEngine::brokenExample() const
{
    for (const auto &item : items_) {
        if (item.status.kind != Item::Status::Kind::pending)
            continue;
        const QString base = Text::fromUtf8(splitExtension(item.newName).first);
        for (const QString &piece :
             base.split(QRegularExpression(QStringLiteral("[ _-]")), Qt::SkipEmptyParts)) {
            const std::vector<QString> chars = characters(piece);
            const bool decomposes = std::any_of(chars.begin(), chars.end(), [](const QString &c) {
                const std::string bytes = Text::utf8(c);
                return Text::toNfd(bytes) != bytes;
            });
            if (!decomposes)
                continue;
            QString text;
            if (chars.size() <= 12) {
                text = piece;
            } else {
                for (std::size_t i = 0; i < 12; ++i)
                    text += chars[i];
                text += QChar(0x2026);
            }
            return windowsPreview(text);
        }
    }
    return std::nullopt;
}

int HangulRenameEngine::count(Item::Status::Kind kind) const
{
    return int(ScanSupport::countWithStatus(items_, kind));
}

void HangulRenameEngine::setAlreadyNormalizedCount(std::int64_t value)
{
    Notify::assign(this, alreadyNormalizedCount_, value, &HangulRenameEngine::alreadyNormalizedCountChanged);
}

QString windowsPreview(const QString &name)
{
    static const char16_t leading[] = u"ㄱㄲㄴㄷㄸㄹㅁㅂㅃㅅㅆㅇㅈㅉㅊㅋㅌㅍㅎ";
    static const char16_t vowels[] = u"ㅏㅐㅑㅒㅓㅔㅕㅖㅗㅘㅙㅚㅛㅜㅝㅞㅟㅠㅡㅢㅣ";
    static const char16_t trailing[] = u"ㄱㄲㄳㄴㄵㄶㄷㄹㄺㄻㄼㄽㄾㄿㅀㅁㅂㅄㅅㅆㅇㅈㅊㅋㅌㅍㅎ";
    static const std::pair<char32_t, char32_t> spacing[] = {
        {0x0300, 0x0060}, {0x0301, 0x00B4}, {0x0302, 0x02C6}, {0x0303, 0x02DC}, {0x0304, 0x00AF},
        {0x0306, 0x02D8}, {0x0307, 0x02D9}, {0x0308, 0x00A8}, {0x030A, 0x02DA}, {0x030B, 0x02DD},
        {0x030C, 0x02C7}, {0x0327, 0x00B8}, {0x0328, 0x02DB}, {0x0342, 0x1FC0}, {0x0345, 0x037A},
        {0x3099, 0x309B}, {0x309A, 0x309C}};

    const QString decomposed = Text::fromUtf8(Text::toNfd(Text::utf8(name)));
    QString out;
    out.reserve(decomposed.size());
    for (char32_t scalar : decomposed.toUcs4()) {
        if (scalar >= 0x1100 && scalar <= 0x1112) {
            out += QChar(leading[scalar - 0x1100]);
        } else if (scalar >= 0x1161 && scalar <= 0x1175) {
            out += QChar(vowels[scalar - 0x1161]);
        } else if (scalar >= 0x11A8 && scalar <= 0x11C2) {
            out += QChar(trailing[scalar - 0x11A8]);
        } else {
            const auto *hit = std::find_if(std::begin(spacing), std::end(spacing),
                                           [scalar](const auto &pair) { return pair.first == scalar; });
            const char32_t shown = hit != std::end(spacing) ? hit->second : scalar;
            out += QString::fromUcs4(&shown, 1);
        }
    }
    return out;
}
