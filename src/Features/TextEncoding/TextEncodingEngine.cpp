#include "Features/TextEncoding/TextEncodingEngine.h"

#include "Core/AtomicFile.h"
#include "Core/FileError.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/Localization.h"
#include "Core/LongPath.h"
#include "Core/Notify.h"
#include "Core/PathExtension.h"
#include "Core/ScanSupport.h"
#include "Core/Text.h"
#include "Features/TextEncoding/TextDetector.h"
#include "Features/TextEncoding/TextFile.h"
#include "Features/TextEncoding/TextTranscoder.h"
#include "Platform/Trash.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <map>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

FileError ioError(const char *key)
{
    return FileError(L(key));
}

FileError changedSinceScan()
{
    return ioError("목록에 올린 뒤 파일이 바뀌어 그대로 두었습니다");
}

// The file a row's conversion rewrites: the row's own path, or for a symbolic link the file it
// points to (nullopt when that cannot be found). Both are looked at relative to their folders, so
// a link deeper than PATH_MAX is one too.
std::optional<fs::path> fileToRewrite(const fs::path &url)
{
    struct stat st {};
    if (LongPath::lstat(url, st) == 0 && S_ISLNK(st.st_mode))
        return FilePath::realPath(url);
    return url;
}

} // namespace

QString TextEncodingEngine::toString(TargetEncoding t)
{
    return t == TargetEncoding::utf8 ? "utf8" : "cp949";
}

std::optional<TextEncodingEngine::TargetEncoding> TextEncodingEngine::targetFromString(const QString &raw)
{
    for (auto t : allTargets)
        if (toString(t) == raw)
            return t;
    return std::nullopt;
}

QString TextEncodingEngine::label(TargetEncoding t)
{
    return t == TargetEncoding::utf8 ? L("UTF-8 (맥·요즘 표준)") : L("CP949 (옛 Windows 프로그램용)");
}

QString TextEncodingEngine::toString(LineEndingChoice c)
{
    switch (c) {
    case LineEndingChoice::keep:
        return "keep";
    case LineEndingChoice::lf:
        return "lf";
    case LineEndingChoice::crlf:
        return "crlf";
    }
    return {};
}

std::optional<TextEncodingEngine::LineEndingChoice>
TextEncodingEngine::lineEndingFromString(const QString &raw)
{
    for (auto c : allLineEndings)
        if (toString(c) == raw)
            return c;
    return std::nullopt;
}

QString TextEncodingEngine::label(LineEndingChoice c)
{
    switch (c) {
    case LineEndingChoice::keep:
        return L("그대로 두기");
    case LineEndingChoice::lf:
        return L("LF (맥·리눅스)");
    case LineEndingChoice::crlf:
        return L("CRLF (Windows 메모장)");
    }
    return {};
}

QString TextEncodingEngine::toString(DetectedEncoding d)
{
    switch (d) {
    case DetectedEncoding::utf8:
        return "UTF-8";
    case DetectedEncoding::utf8bom:
        return "UTF-8 (BOM)";
    case DetectedEncoding::utf16:
        return "UTF-16";
    case DetectedEncoding::cp949:
        return "CP949/EUC-KR";
    case DetectedEncoding::binary:
        return "binary";
    case DetectedEncoding::unknown:
        return "unknown";
    }
    return {};
}

QString TextEncodingEngine::label(DetectedEncoding d)
{
    if (d == DetectedEncoding::binary)
        return L("바이너리");
    if (d == DetectedEncoding::unknown)
        return L("알 수 없음");
    return toString(d);
}

QString TextEncodingEngine::label(LineEndingKind k)
{
    switch (k) {
    case LineEndingKind::lf:
        return "LF";
    case LineEndingKind::crlf:
        return "CRLF";
    case LineEndingKind::mixed:
        return L("혼합");
    case LineEndingKind::none:
        return L("없음");
    case LineEndingKind::notApplicable:
        return QString::fromUtf8("\u2014");
    }
    return {};
}

const std::vector<std::string> &TextEncodingEngine::textExtensions()
{
    static const std::vector<std::string> extensions{
        "txt", "smi", "srt", "sub", "ass", "vtt",  "csv", "tsv",  "md",  "log", "json", "xml", "html",
        "htm", "js",  "css", "ini", "cfg", "conf", "yml", "yaml", "tex", "sql", "sh",   "py",  "bat"};
    return extensions;
}

TextEncodingEngine::TextEncodingEngine(QObject *parent) : FileScanEngine(parent) {}

void TextEncodingEngine::setTarget(TargetEncoding target)
{
    Notify::assign(this, target_, target, &TextEncodingEngine::targetChanged);
    reevaluate();
}

void TextEncodingEngine::setLineEnding(LineEndingChoice choice)
{
    Notify::assign(this, lineEnding_, choice, &TextEncodingEngine::lineEndingChanged);
    reevaluate();
}

std::int64_t TextEncodingEngine::count(Status::Kind kind) const
{
    return ScanSupport::countWithStatus(items_, kind);
}

void TextEncodingEngine::rescan()
{
    // A file given by itself is read whatever its extension; inside folders only text extensions.
    relistFiles(items_, true,
                [this](const fs::path &file, bool insideFolder) { return addFile(file, insideFolder); });
}

bool TextEncodingEngine::addFile(const fs::path &path, bool requireTextExtension)
{
    if (requireTextExtension) {
        const auto ext = lowerExtension(path);
        const auto &known = textExtensions();
        if (std::find(known.begin(), known.end(), ext) == known.end())
            return false;
    }
    // One pass over the file in pieces; memory stays the same whatever its size.
    FileReader reader(path);
    TextDetector detector;
    bool empty = true;
    while (reader.isOpen() && !detector.settled()) {
        const auto piece = reader.next();
        if (!piece)
            return false;
        if (piece->empty())
            break;
        empty = false;
        detector.feed(*piece);
    }
    if (empty)
        return false;
    auto found = detector.finish();
    if (found.encoding == DetectedEncoding::binary || found.encoding == DetectedEncoding::unknown)
        return false;
    Item item;
    item.id = QUuid::createUuid();
    item.url = path;
    item.detected = found.encoding;
    item.lineEndingKind = found.lineEnding;
    item.lineEnding = label(item.lineEndingKind);
    item.preview = previewLine(found.head.value_or(std::string()));
    item.status = needsConversion(item) ? Status::pending() : Status::alreadyOk();
    item.identity = reader.identity();
    items_.push_back(std::move(item));
    return true;
}

std::pair<TextEncodingEngine::DetectedEncoding, std::optional<std::string>>
TextEncodingEngine::detect(std::string_view bytes)
{
    TextDetector detector;
    detector.feed(bytes);
    const auto encoding = detector.finish().encoding;
    return {encoding, decode(bytes, encoding)};
}

std::optional<std::string> TextEncodingEngine::decode(std::string_view bytes, DetectedEncoding as)
{
    TextDecoder decoder(as, true);
    std::string text;
    if (!decoder.feed(bytes, text) || !decoder.finished())
        return std::nullopt;
    return text;
}

TextEncodingEngine::LineEndingKind TextEncodingEngine::lineEndingKind(std::string_view bytes,
                                                                      DetectedEncoding encoding)
{
    if (encoding == DetectedEncoding::utf16)
        return LineEndingKind::notApplicable;
    LineEndingScan scan;
    scan.feed(bytes);
    return scan.kind();
}

QString TextEncodingEngine::previewLine(const std::string &text)
{
    // A lone LF or a CR LF ends the first line; the CR of the pair goes with the trimming.
    const auto end = text.find('\n');
    QString line = Text::fromUtf8(std::string_view(text).substr(0, end)).trimmed();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    int characters = 0;
    while (finder.toNextBoundary() != -1) {
        if (++characters == 50)
            return line.left(finder.position());
    }
    return line;
}

std::string TextEncodingEngine::rewriteLineEndings(std::string text, LineEndingChoice choice)
{
    if (choice == LineEndingChoice::keep)
        return text;
    LineEndingRewriter rewriter(choice);
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    rewriter.feed(text, out);
    rewriter.finish(out);
    return out;
}

bool TextEncodingEngine::needsConversion(const Item &item) const
{
    const bool encodingMatches =
        (target_ == TargetEncoding::cp949 && item.detected == DetectedEncoding::cp949) ||
        (target_ == TargetEncoding::utf8 && item.detected == DetectedEncoding::utf8);
    bool lineEndingsMatch = false;
    switch (lineEnding_) {
    case LineEndingChoice::keep:
        lineEndingsMatch = true;
        break;
    case LineEndingChoice::lf:
        lineEndingsMatch =
            item.lineEndingKind == LineEndingKind::lf || item.lineEndingKind == LineEndingKind::none;
        break;
    case LineEndingChoice::crlf:
        lineEndingsMatch =
            item.lineEndingKind == LineEndingKind::crlf || item.lineEndingKind == LineEndingKind::none;
        break;
    }
    return !encodingMatches || !lineEndingsMatch;
}

void TextEncodingEngine::reevaluate()
{
    bool changed = false;
    for (auto &item : items_) {
        if (item.status.kind != Status::Kind::pending && item.status.kind != Status::Kind::alreadyOk)
            continue;
        auto next = needsConversion(item) ? Status::pending() : Status::alreadyOk();
        if (next != item.status) {
            item.status = std::move(next);
            changed = true;
        }
    }
    if (changed)
        emit itemsChanged();
}

void TextEncodingEngine::convertAll()
{
    // Rows that reach one file (a link and the file it points to) share its one conversion: a
    // second would find the file changed by the first.
    std::map<fs::path, Status> outcomes;
    const auto count = items_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (items_[i].status.kind != Status::Kind::pending)
            continue;
        const Item copy = items_[i];
        const auto file = fileToRewrite(copy.url);
        const auto known = file ? outcomes.find(*file) : outcomes.end();
        Status status;
        if (known != outcomes.end()) {
            status = known->second;
        } else {
            try {
                if (!file)
                    throw ioError("파일을 읽을 수 없습니다");
                convert(copy, *file);
                status = Status::done();
            } catch (const FileError &error) {
                status = Status::failed(error.description());
            }
            if (file)
                outcomes.emplace(*file, status);
        }
        items_[i].status = std::move(status);
        emit itemsChanged();
    }
}

// The converted bytes go to a hidden file beside the original first; only once they are all
// written does the original go to the Trash, and the new file then takes its name without
// replacing anything that appeared meanwhile. Any failure after the Trash step puts the original
// back. A link is never replaced by a file: `file` is the file it points to, converted in its
// place, so the link keeps pointing to it.
void TextEncodingEngine::convert(const Item &item, const fs::path &file)
{
    FileReader reader(file);
    if (!reader.isOpen())
        throw ioError("파일을 읽을 수 없습니다");
    // The scan's findings hold only for the file it read; an edit since must not be replaced by
    // the converted old text.
    if (reader.identity() != item.identity)
        throw changedSinceScan();

    std::optional<AtomicFile> converted;
    // The scan checked a plain UTF-8 text whole, so an unchanged one needs no second check; a
    // byte-order mark was taken at its word, so the bytes after it are checked here.
    TextTranscoder transcoder(item.detected, lineEnding_, target_,
                              item.detected == DetectedEncoding::utf8bom);
    std::string out;
    // The new file is made once the first piece converted, so a text that cannot be converted
    // fails for that before anything is written.
    const auto flush = [&] {
        if (!converted) {
            converted.emplace(AtomicFile::beside(file));
            converted->setPermissions(reader.permissions());
        }
        converted->write(out);
        out.clear();
    };
    for (;;) {
        const auto piece = reader.next();
        if (!piece)
            throw ioError("파일을 읽을 수 없습니다");
        if (piece->empty())
            break;
        transcoder.feed(*piece, out);
        flush();
    }
    if (reader.bytesRead() != std::uint64_t(item.identity.size))
        throw changedSinceScan();
    transcoder.finish(out);
    flush();

    // Checked again right before the move: an edit made while the conversion ran would go to the
    // Trash otherwise.
    if (FileIdentity::at(file) != item.identity)
        throw changedSinceScan();

    std::optional<fs::path> trashed;
    try {
        trashed = Trash::shared().moveToTrash(file);
    } catch (const std::exception &) {
        if (pathIsTaken(file))
            throw ioError("원본을 휴지통으로 옮기지 못했습니다");
    }
    const auto putBack = [&] {
        if (!trashed)
            return;
        try {
            Trash::shared().restore(*trashed, file);
        } catch (const std::exception &) {
            // The original stays in the Trash; the failure still reports the item.
        }
    };
    // An edit made between the last look and the move went to the Trash with the file: it comes
    // back, and the converted old text is not put in its place.
    if (trashed && FileIdentity::at(*trashed) != item.identity) {
        putBack();
        throw changedSinceScan();
    }

    try {
        converted->commit(file);
    } catch (const FileError &) {
        putBack();
        throw FileError::writeFailed(file);
    }
}
