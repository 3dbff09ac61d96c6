#include "Features/TextEncoding/TextEncodingEngine.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/ZipError.h"
#include "Core/FreeName.h"
#include "Core/Localization.h"
#include "Core/Notify.h"
#include "Core/PathExtension.h"
#include "Core/RenameNoReplace.h"
#include "Core/ScanSupport.h"
#include "Core/Text.h"
#include "Platform/Trash.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

std::string_view asText(const std::vector<std::uint8_t> &bytes)
{
    return {reinterpret_cast<const char *>(bytes.data()), bytes.size()};
}

// UTF-16 with a byte-order mark (FF FE little-endian, FE FF big-endian), which is removed.
// Fails on an odd length or an unpaired surrogate.
std::optional<std::string> decodeUtf16(std::string_view bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return std::nullopt;
    const auto b0 = std::uint8_t(bytes[0]);
    const bool little = b0 == 0xFF;
    auto unit = [&](std::size_t i) -> char16_t {
        const auto lo = std::uint8_t(bytes[i]), hi = std::uint8_t(bytes[i + 1]);
        return little ? char16_t(lo | (hi << 8)) : char16_t((lo << 8) | hi);
    };
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
        const char16_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 3 >= bytes.size())
                return std::nullopt;
            const char16_t v = unit(i + 2);
            if (v < 0xDC00 || v > 0xDFFF)
                return std::nullopt;
            Text::appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(v) - 0xDC00));
            i += 2;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            return std::nullopt;
        } else {
            Text::appendUtf8(out, u);
        }
    }
    return out;
}

bool startsWith(std::string_view bytes, std::initializer_list<std::uint8_t> prefix)
{
    if (bytes.size() < prefix.size())
        return false;
    std::size_t i = 0;
    for (auto b : prefix)
        if (std::uint8_t(bytes[i++]) != b)
            return false;
    return true;
}

ZipError ioError(const char *key)
{
    return ZipError::ioError(L(key));
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
    const auto bytes = readRegularFile(path);
    if (!bytes || bytes->empty())
        return false;
    auto [detected, text] = detect(asText(*bytes));
    if (detected == DetectedEncoding::binary || detected == DetectedEncoding::unknown)
        return false;
    Item item;
    item.id = QUuid::createUuid();
    item.url = path;
    item.detected = detected;
    item.lineEndingKind = lineEndingKind(asText(*bytes), detected);
    item.lineEnding = label(item.lineEndingKind);
    item.preview = previewLine(text.value_or(std::string()));
    item.status = needsConversion(item) ? Status::pending() : Status::alreadyOk();
    items_.push_back(std::move(item));
    return true;
}

std::pair<TextEncodingEngine::DetectedEncoding, std::optional<std::string>>
TextEncodingEngine::detect(std::string_view bytes)
{
    if (startsWith(bytes, {0xFF, 0xFE}) || startsWith(bytes, {0xFE, 0xFF}))
        return {DetectedEncoding::utf16, decodeUtf16(bytes)};
    if (bytes.find('\0') != std::string_view::npos)
        return {DetectedEncoding::binary, std::nullopt};
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        const auto body = bytes.substr(3);
        if (Text::isValidUtf8(body))
            return {DetectedEncoding::utf8bom, std::string(body)};
        return {DetectedEncoding::utf8bom, std::nullopt};
    }
    if (Text::isValidUtf8(bytes))
        return {DetectedEncoding::utf8, std::string(bytes)};
    if (auto text = Text::decodeCp949(bytes))
        return {DetectedEncoding::cp949, std::move(text)};
    return {DetectedEncoding::unknown, std::nullopt};
}

std::optional<std::string> TextEncodingEngine::decode(std::string_view bytes, DetectedEncoding as)
{
    switch (as) {
    case DetectedEncoding::utf8:
        if (Text::isValidUtf8(bytes))
            return std::string(bytes);
        return std::nullopt;
    case DetectedEncoding::utf8bom: {
        if (!startsWith(bytes, {0xEF, 0xBB, 0xBF}))
            return std::nullopt;
        const auto body = bytes.substr(3);
        if (Text::isValidUtf8(body))
            return std::string(body);
        return std::nullopt;
    }
    case DetectedEncoding::utf16:
        if (!startsWith(bytes, {0xFF, 0xFE}) && !startsWith(bytes, {0xFE, 0xFF}))
            return std::nullopt;
        return decodeUtf16(bytes);
    case DetectedEncoding::cp949:
        return Text::decodeCp949(bytes);
    case DetectedEncoding::binary:
    case DetectedEncoding::unknown:
        break;
    }
    return std::nullopt;
}

TextEncodingEngine::LineEndingKind TextEncodingEngine::lineEndingKind(std::string_view bytes,
                                                                      DetectedEncoding encoding)
{
    if (encoding == DetectedEncoding::utf16)
        return LineEndingKind::notApplicable;
    bool crlf = false, lf = false;
    char previous = 0;
    for (char c : bytes) {
        if (c == '\n') {
            if (previous == '\r')
                crlf = true;
            else
                lf = true;
        }
        previous = c;
    }
    if (crlf && lf)
        return LineEndingKind::mixed;
    if (crlf)
        return LineEndingKind::crlf;
    if (lf)
        return LineEndingKind::lf;
    return LineEndingKind::none;
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
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c != '\n') {
            out += c;
            continue;
        }
        if (choice == LineEndingChoice::crlf)
            out += '\r';
        out += '\n';
    }
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
    const auto count = items_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (items_[i].status.kind != Status::Kind::pending)
            continue;
        const Item copy = items_[i];
        try {
            convert(copy);
            items_[i].status = Status::done();
        } catch (const ZipError &error) {
            items_[i].status = Status::failed(error.description());
        }
        emit itemsChanged();
    }
}

// The new bytes go to a hidden file beside the original first; only once they are safely written
// does the original go to the Trash, and the new file then takes its name without replacing
// anything that appeared meanwhile. Any failure after the Trash step puts the original back.
void TextEncodingEngine::convert(const Item &item)
{
    const auto bytes = readRegularFile(item.url);
    if (!bytes)
        throw ioError("파일을 읽을 수 없습니다");
    auto text = decode(asText(*bytes), item.detected);
    if (!text)
        throw ioError("인코딩 해석 실패");
    *text = rewriteLineEndings(std::move(*text), lineEnding_);

    std::string encoded;
    if (target_ == TargetEncoding::cp949) {
        auto cp949 = Text::encodeCp949(*text);
        if (!cp949)
            throw ioError("CP949로 표현할 수 없는 문자가 있습니다 (이모지 등)");
        encoded = std::move(*cp949);
    } else {
        encoded = std::move(*text);
    }

    const auto writeFailed = [&] { return ZipError::ioError(L("쓰기 실패: %@", item.url.native())); };
    struct stat st {};
    const unsigned mode = ::stat(item.url.c_str(), &st) == 0 ? unsigned(st.st_mode & 0777) : 0644u;
    const auto temporary = item.url.parent_path() /
                           (".brindlow-" + QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString());
    try {
        writeNewFile({reinterpret_cast<const std::uint8_t *>(encoded.data()), encoded.size()}, temporary,
                     mode);
    } catch (const ZipError &) {
        throw writeFailed();
    }

    std::optional<fs::path> trashed;
    try {
        trashed = Trash::shared().moveToTrash(item.url);
    } catch (const std::exception &) {
        if (pathIsTaken(item.url)) {
            ::unlink(temporary.c_str());
            throw ioError("원본을 휴지통으로 옮기지 못했습니다");
        }
    }

    if (renameNoReplace(temporary, item.url) != 0) {
        ::unlink(temporary.c_str());
        if (trashed) {
            try {
                Trash::shared().restore(*trashed, item.url);
            } catch (const std::exception &) {
                // The original stays in the Trash; the failure below still reports the item.
            }
        }
        throw writeFailed();
    }
}
