#include "Features/ZipKorean/ZipKoreanEngine.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/LibArchive/LibArchive.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "Archive/SevenZip/SevenZipReader.h"
#include "Archive/SevenZip/SevenZipWriter.h"
#include "Archive/Zip/ZipReader.h"
#include "Archive/Zip/ZipWriter.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/Localization.h"
#include "Core/Notify.h"
#include "Core/PathExtension.h"
#include "Core/RenameNoReplace.h"
#include "Core/Text.h"

#include <algorithm>
#include <cerrno>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The description of the exception being handled, whichever archive layer threw it.
QString currentErrorText()
{
    try {
        throw;
    } catch (const ZipError &error) {
        return error.description();
    } catch (const SevenZipReadError &error) {
        return error.description();
    } catch (const SevenZipError &error) {
        return error.description();
    } catch (const LibArchive::ArchiveError &error) {
        return error.description();
    } catch (const std::exception &error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return L("쓰기 실패: %@", QStringLiteral("?"));
    }
}

// Absolute, without trailing slashes, so that the last component is the item's own name.
fs::path cleaned(const fs::path &url)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(url, ec);
    std::string s = ec ? url.native() : absolute.native();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

std::string lastComponent(const fs::path &path)
{
    return path.filename().native();
}

// The name of an item on disk as it enters an archive: decoded (lossily when it is not UTF-8)
// and composed to NFC. The item itself keeps its raw bytes.
std::string entryComponent(const std::string &raw)
{
    return Text::toNfc(Text::lossyUtf8Bytes(raw));
}

bool isFolder(const fs::path &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string upperAscii(std::string s)
{
    for (char &c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return s;
}

std::string lowerAscii(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

std::vector<std::string> components(const std::string &name)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t slash = name.find('/', start);
        if (slash == std::string::npos)
            slash = name.size();
        if (slash > start)
            parts.push_back(name.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

std::tuple<dev_t, ino_t, off_t, time_t, long> identity(const struct stat &st)
{
    return {st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

} // namespace

// MARK: - Enumerations

QString ZipKoreanEngine::toString(CreateFormat format)
{
    switch (format) {
    case CreateFormat::zip:
        return QStringLiteral("zip");
    case CreateFormat::sevenZip:
        return QStringLiteral("sevenZip");
    case CreateFormat::tar:
        return QStringLiteral("tar");
    case CreateFormat::tarGz:
        return QStringLiteral("tarGz");
    case CreateFormat::tarBz2:
        return QStringLiteral("tarBz2");
    case CreateFormat::tarXz:
        return QStringLiteral("tarXz");
    }
    return {};
}

std::optional<ZipKoreanEngine::CreateFormat> ZipKoreanEngine::createFormatFromString(const QString &raw)
{
    for (CreateFormat format : allCreateFormats)
        if (toString(format) == raw)
            return format;
    return std::nullopt;
}

QString ZipKoreanEngine::label(CreateFormat format)
{
    switch (format) {
    case CreateFormat::zip:
        return L("ZIP — 호환 최고, Windows 권장");
    case CreateFormat::sevenZip:
        return L("7z — 고압축");
    case CreateFormat::tar:
        return L("tar — 묶기만 (압축 없음)");
    case CreateFormat::tarGz:
        return L("tar.gz — 유닉스 표준");
    case CreateFormat::tarBz2:
        return QStringLiteral("tar.bz2");
    case CreateFormat::tarXz:
        return L("tar.xz — 고압축");
    }
    return {};
}

bool ZipKoreanEngine::supportsPassword(CreateFormat format)
{
    return format == CreateFormat::zip || format == CreateFormat::sevenZip;
}

std::string ZipKoreanEngine::extension(CreateFormat format)
{
    switch (format) {
    case CreateFormat::zip:
        return "zip";
    case CreateFormat::sevenZip:
        return "7z";
    case CreateFormat::tar:
        return "tar";
    case CreateFormat::tarGz:
        return "tar.gz";
    case CreateFormat::tarBz2:
        return "tar.bz2";
    case CreateFormat::tarXz:
        return "tar.xz";
    }
    return {};
}

QString ZipKoreanEngine::toString(ZipEncryptionChoice choice)
{
    return choice == ZipEncryptionChoice::aes256 ? QStringLiteral("aes256") : QStringLiteral("compatible");
}

std::optional<ZipKoreanEngine::ZipEncryptionChoice>
ZipKoreanEngine::zipEncryptionFromString(const QString &raw)
{
    for (ZipEncryptionChoice choice : allZipEncryptionChoices)
        if (toString(choice) == raw)
            return choice;
    return std::nullopt;
}

QString ZipKoreanEngine::label(ZipEncryptionChoice choice)
{
    return choice == ZipEncryptionChoice::aes256 ? L("보안 우선 (AES-256)")
                                                 : L("호환 우선 (Windows 기본 지원)");
}

// MARK: - State

ZipKoreanEngine::ZipKoreanEngine(QObject *parent) : QObject(parent) {}

template <typename T> void ZipKoreanEngine::assign(T &field, T value, void (ZipKoreanEngine::*changed)())
{
    Notify::assign(this, field, std::move(value), changed);
}

void ZipKoreanEngine::setDisplayEntries(std::vector<DisplayEntry> rows)
{
    displayEntries_ = std::move(rows);
    emit displayEntriesChanged();
}

void ZipKoreanEngine::setSkipMacJunk(bool on)
{
    assign(skipMacJunk_, on, &ZipKoreanEngine::skipMacJunkChanged);
}
void ZipKoreanEngine::setPassword(const QString &value)
{
    assign(password_, value, &ZipKoreanEngine::passwordChanged);
}
void ZipKoreanEngine::setCreatePassword(const QString &value)
{
    assign(createPassword_, value, &ZipKoreanEngine::createPasswordChanged);
}
void ZipKoreanEngine::setZipEncryption(ZipEncryptionChoice choice)
{
    assign(zipEncryption_, choice, &ZipKoreanEngine::zipEncryptionChanged);
}
void ZipKoreanEngine::setSevenZipHideNames(bool on)
{
    assign(sevenZipHideNames_, on, &ZipKoreanEngine::sevenZipHideNamesChanged);
}

void ZipKoreanEngine::setCreateFormat(CreateFormat format)
{
    assign(createFormat_, format, &ZipKoreanEngine::createFormatChanged);
    updatePlannedPath();
}

int ZipKoreanEngine::cp949Count() const
{
    return int(std::count_if(zipEntries_.begin(), zipEntries_.end(),
                             [](const ZipEntry &e) { return e.encoding == ZipEntry::NameEncoding::cp949; }));
}

int ZipKoreanEngine::junkEntryCount() const
{
    return int(std::count_if(displayEntries_.begin(), displayEntries_.end(),
                             [](const DisplayEntry &e) { return e.isMacJunk; }));
}

int ZipKoreanEngine::encryptedCount() const
{
    return int(std::count_if(displayEntries_.begin(), displayEntries_.end(),
                             [](const DisplayEntry &e) { return e.isEncrypted; }));
}

QString ZipKoreanEngine::encodingSummary() const
{
    if (mode_ != Mode::extract)
        return {};
    if (needsPassword_ && displayEntries_.empty())
        return L("암호로 보호된 압축 파일 — 암호를 입력하고 풀기를 누르세요");
    QString base;
    if (isZipArchive_) {
        const int cp949 = cp949Count();
        base = cp949 > 0 ? L("Windows(CP949) 인코딩 감지 — 한글 파일명 %lld개를 복원합니다", cp949)
                         : L("파일명 인코딩 정상 (UTF-8) — 자모 분리만 정리해서 풉니다");
    } else {
        const std::string ext = archiveURL_ ? upperAscii(lowerExtension(*archiveURL_)) : std::string();
        base = L("%@ 형식 — 파일명을 정리하며 풉니다", Text::lossyUtf8(ext));
    }
    if (encryptedCount() > 0)
        base += L(" · 암호 필요");
    return base;
}

// MARK: - Opening

void ZipKoreanEngine::addURLs(const std::vector<fs::path> &urls)
{
    scan.unreadableCount = 0;
    if (urls.empty())
        return;
    clear();
    std::vector<fs::path> items;
    items.reserve(urls.size());
    for (const auto &url : urls)
        items.push_back(cleaned(url));
    if (items.size() == 1) {
        const std::string ext = lowerExtension(items.front());
        if (ext == "zip")
            loadZip(items.front());
        else if (LibArchive::supportedExtensions().count(ext) != 0)
            loadArchive(items.front());
        else
            prepareCreation(items);
        return;
    }
    prepareCreation(items);
}

void ZipKoreanEngine::clear()
{
    setMode(Mode::idle);
    setLoadError(std::nullopt);
    setActionError(std::nullopt);
    assign(archiveURL_, std::optional<fs::path>(), &ZipKoreanEngine::archiveURLChanged);
    setExtractedItem(std::nullopt);
    setPlannedZipPath(std::nullopt);
    assign(createdZip_, std::optional<fs::path>(), &ZipKoreanEngine::createdZipChanged);
    createdIdentity_.reset();
    setDisplayEntries({});
    zipBytes_.clear();
    zipEntries_.clear();
    sources_.clear();
    emit sourcesChanged();
    assign(isZipArchive_, false, &ZipKoreanEngine::isZipArchiveChanged);
    setNeedsPassword(false);
    useSevenZipReader_ = false;
    setPassword({});
    setCreatePassword({});
    createBaseName_.clear();
    createParent_.clear();
    assign(sourceFileCount_, 0, &ZipKoreanEngine::sourceFileCountChanged);
    assign(junkSkippedCount_, 0, &ZipKoreanEngine::junkSkippedCountChanged);
    assign(createFormat_, CreateFormat::zip, &ZipKoreanEngine::createFormatChanged);
    setZipEncryption(ZipEncryptionChoice::compatible);
    setSevenZipHideNames(true);
}

void ZipKoreanEngine::loadZip(const fs::path &url)
{
    setMode(Mode::extract);
    assign(archiveURL_, std::optional<fs::path>(url), &ZipKoreanEngine::archiveURLChanged);
    assign(isZipArchive_, true, &ZipKoreanEngine::isZipArchiveChanged);
    std::vector<std::uint8_t> bytes;
    std::vector<ZipEntry> entries;
    try {
        bytes = readWholeFile(url);
        entries = ZipReader::readEntries(ArchiveInput(bytes));
    } catch (...) {
        setLoadError(currentErrorText());
        return;
    }
    zipEntries_ = std::move(entries);
    zipBytes_ = std::move(bytes);
    std::vector<DisplayEntry> rows;
    rows.reserve(zipEntries_.size());
    bool anyEncrypted = false;
    for (const ZipEntry &entry : zipEntries_) {
        DisplayEntry row;
        row.id = QUuid::createUuid();
        row.name = Text::toNfc(entry.decodedName);
        row.isDirectory = entry.isDirectory;
        row.size = entry.uncompressedSize;
        if (entry.encoding == ZipEntry::NameEncoding::cp949)
            row.badge = L("CP949 복원");
        row.isMacJunk = entry.isMacJunk();
        row.isEncrypted = (entry.flags & 1) != 0;
        anyEncrypted = anyEncrypted || row.isEncrypted;
        rows.push_back(std::move(row));
    }
    setDisplayEntries(std::move(rows));
    setNeedsPassword(anyEncrypted);
}

void ZipKoreanEngine::loadArchive(const fs::path &url)
{
    setMode(Mode::extract);
    assign(archiveURL_, std::optional<fs::path>(url), &ZipKoreanEngine::archiveURLChanged);
    assign(isZipArchive_, false, &ZipKoreanEngine::isZipArchiveChanged);
    reloadArchiveList();
}

void ZipKoreanEngine::reloadArchiveList()
{
    if (!archiveURL_ || isZipArchive_)
        return;
    const fs::path path = FilePath::realPathOrSame(*archiveURL_);
    bool useLibArchive = lowerExtension(*archiveURL_) != "7z";
    if (!useLibArchive) {
        try {
            const SevenZipReader::ArchiveInfo info = SevenZipReader::info(path, password_);
            std::vector<DisplayEntry> rows;
            rows.reserve(info.entries.size());
            for (const auto &entry : info.entries) {
                DisplayEntry row;
                row.id = QUuid::createUuid();
                row.name = Text::toNfc(entry.name);
                row.isDirectory = entry.isDirectory;
                row.size = entry.size;
                row.isMacJunk = isMacJunk(entry.name);
                row.isEncrypted = info.filesEncrypted && !entry.isDirectory;
                rows.push_back(std::move(row));
            }
            setDisplayEntries(std::move(rows));
            useSevenZipReader_ = info.filesEncrypted || info.headerEncrypted;
            setNeedsPassword(false);
            setLoadError(std::nullopt);
        } catch (const SevenZipReadError &error) {
            switch (error.kind()) {
            case SevenZipReadError::Kind::unsupported:
                useLibArchive = true;
                break;
            case SevenZipReadError::Kind::passwordRequired:
            case SevenZipReadError::Kind::wrongPassword:
                setNeedsPassword(true);
                useSevenZipReader_ = true;
                setLoadError(std::nullopt);
                if (error.kind() == SevenZipReadError::Kind::wrongPassword)
                    setActionError(error.description());
                break;
            default:
                setLoadError(error.description());
                break;
            }
        } catch (...) {
            setLoadError(currentErrorText());
        }
        if (!useLibArchive)
            return;
    }
    try {
        const auto items = LibArchive::shared().listEntries(path, password_);
        std::vector<DisplayEntry> rows;
        rows.reserve(items.size());
        for (const auto &item : items) {
            DisplayEntry row;
            row.id = QUuid::createUuid();
            row.name = Text::toNfc(item.name);
            row.isDirectory = item.isDirectory;
            row.size = item.size;
            row.isMacJunk = item.isMacJunk();
            rows.push_back(std::move(row));
        }
        const bool any = !rows.empty();
        setDisplayEntries(std::move(rows));
        setLoadError(std::nullopt);
        if (any)
            setNeedsPassword(false);
    } catch (const LibArchive::ArchiveError &error) {
        if (error.kind() == LibArchive::ArchiveError::Kind::passwordRequired) {
            setNeedsPassword(true);
            setLoadError(std::nullopt);
        } else {
            setLoadError(error.description());
        }
    } catch (...) {
        setLoadError(currentErrorText());
    }
}

// MARK: - Extraction

void ZipKoreanEngine::extract()
{
    if (!archiveURL_)
        return;
    setActionError(std::nullopt);

    // A protected archive that could not be listed is listed again with the typed password.
    if (!isZipArchive_ && displayEntries_.empty()) {
        reloadArchiveList();
        if (loadError_ || displayEntries_.empty()) {
            setActionError(loadError_ ? loadError_ : L("암호가 올바르지 않거나 목록을 읽을 수 없습니다."));
            setLoadError(std::nullopt);
            return;
        }
    }

    const fs::path destination = archiveURL_->parent_path();
    std::vector<const DisplayEntry *> candidates;
    for (const auto &row : displayEntries_)
        if (!skipMacJunk_ || !row.isMacJunk)
            candidates.push_back(&row);
    if (candidates.empty()) {
        setActionError(L("풀 항목이 없습니다."));
        return;
    }
    const bool anyFile = std::any_of(candidates.begin(), candidates.end(),
                                     [](const DisplayEntry *row) { return !row->isDirectory; });
    const auto noPlace = [this] { setActionError(L("풀 위치를 정하지 못했습니다.")); };
    const auto inDestination = [&](const std::string &name) {
        return fs::path(destination.native() + "/" + name);
    };

    std::optional<fs::path> target;
    std::optional<std::string> prefix;
    bool loneFile = false;
    const DisplayEntry &first = *candidates.front();
    // A name the file system would cut short or resolve elsewhere never names the result.
    const auto usable = [](const std::string &name) {
        return name != "." && name != ".." && name.find('\0') == std::string::npos;
    };
    if (candidates.size() == 1 && !first.isDirectory && first.name.find('/') == std::string::npos &&
        usable(first.name)) {
        loneFile = true;
        target = freeName(inDestination(first.name));
        if (!target)
            return noPlace();
    } else {
        std::set<std::string> tops;
        for (const DisplayEntry *row : candidates) {
            const auto parts = components(row->name);
            if (!parts.empty())
                tops.insert(parts.front());
        }
        // "." and ".." name the archive's own root, as in tarballs made with "tar -C dir ... .".
        if (tops.size() == 1 && usable(*tops.begin())) {
            const std::string &r = *tops.begin();
            const bool allBelow =
                std::all_of(candidates.begin(), candidates.end(), [&](const DisplayEntry *row) {
                    return row->name == r + "/" || row->name.starts_with(r + "/") ||
                           (row->name == r && row->isDirectory);
                });
            if (allBelow) {
                target = freeName(inDestination(r));
                if (!target)
                    return noPlace();
                prefix = r + "/";
            }
        }
        if (!prefix) {
            auto [base, ext] = splitExtension(lastComponent(*archiveURL_));
            (void)ext;
            const auto inner = splitExtension(base);
            if (lowerAscii(inner.second) == ".tar")
                base = inner.first;
            target = freeName(inDestination(Text::toNfc(base)));
            if (!target)
                return noPlace();
        }
    }

    const fs::path outputFolder = loneFile ? destination : *target;
    const std::optional<fs::path> singleFileTarget = loneFile ? target : std::nullopt;
    bool madeFolder = false;
    try {
        if (!loneFile) {
            makeDirectories(target->parent_path(), {lastComponent(*target)});
            madeFolder = true;
        }
        std::int64_t written = 0;
        const std::string zipPassword = Text::utf8(password_);
        if (isZipArchive_ && loneFile) {
            const auto entry = std::find_if(zipEntries_.begin(), zipEntries_.end(), [&](const ZipEntry &e) {
                return !e.isDirectory && (!skipMacJunk_ || !isMacJunk(e.decodedName));
            });
            if (entry == zipEntries_.end())
                return setActionError(L("풀 항목이 없습니다."));
            const auto bytes = ZipReader::extractData(*entry, ArchiveInput(zipBytes_), zipPassword);
            writeNewFile(bytes, *target);
            written = 1;
        } else if (isZipArchive_) {
            written = ZipReader::extract(zipEntries_, ArchiveInput(zipBytes_), outputFolder, skipMacJunk_,
                                         prefix, zipPassword)
                          .extracted;
        } else {
            const fs::path path = FilePath::realPathOrSame(*archiveURL_);
            if (useSevenZipReader_)
                written = SevenZipReader::extract(path, outputFolder, skipMacJunk_, prefix, singleFileTarget,
                                                  password_);
            else
                written = LibArchive::shared().extract(path, outputFolder, skipMacJunk_, prefix,
                                                       singleFileTarget, password_);
            // The own 7z reader skips entries without data, which leaves a lone empty file unwritten.
            if (useSevenZipReader_ && written == 0 && loneFile && first.size == 0) {
                writeNewFile({}, *target);
                written = 1;
            }
        }
        // Files were listed but none reached the disk: that is no success.
        if (written == 0 && anyFile) {
            if (madeFolder)
                ::rmdir(target->c_str());
            return setActionError(L("압축 파일에서 풀어낸 파일이 없습니다."));
        }
        setExtractedItem(loneFile ? *target : outputFolder);
    } catch (...) {
        setActionError(currentErrorText());
    }
}

// MARK: - Creation

void ZipKoreanEngine::prepareCreation(const std::vector<fs::path> &urls)
{
    std::vector<ZipWriter::Source> list;
    int junk = 0;
    for (const auto &url : urls)
        collect(FilePath::realPathOrSame(url), entryComponent(lastComponent(url)), list, junk);
    sources_ = std::move(list);
    emit sourcesChanged();
    assign(sourceFileCount_,
           int(std::count_if(sources_.begin(), sources_.end(), [](const auto &s) { return !s.isDirectory; })),
           &ZipKoreanEngine::sourceFileCountChanged);
    assign(junkSkippedCount_, junk, &ZipKoreanEngine::junkSkippedCountChanged);
    createParent_ = urls.front().parent_path();
    std::string base = archiveBaseName(urls.front());
    if (urls.size() > 1)
        base = Text::utf8(L("%@ 외 %lld개", Text::lossyUtf8(base), urls.size() - 1));
    createBaseName_ = base;
    updatePlannedPath();
    setMode(Mode::create);
}

void ZipKoreanEngine::collect(const fs::path &path, const std::string &entryName,
                              std::vector<ZipWriter::Source> &into, int &junkCount)
{
    const auto slash = entryName.rfind('/');
    const std::string last = slash == std::string::npos ? entryName : entryName.substr(slash + 1);
    if (last == ".DS_Store" || last.starts_with("._") || last == "__MACOSX") {
        ++junkCount;
        return;
    }
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        into.push_back({entryName + "/", std::nullopt, true});
        for (const std::string &name : scan.list(path))
            collect(fs::path(path.native() + "/" + name), entryName + "/" + entryComponent(name), into,
                    junkCount);
        return;
    }
    into.push_back({entryName, path, false});
}

std::string ZipKoreanEngine::archiveBaseName(const fs::path &url) const
{
    // Text::toNfc keeps a name that is not UTF-8 as it is.
    const std::string name = Text::toNfc(lastComponent(url));
    if (isFolder(FilePath::realPathOrSame(url)))
        return name;
    const std::string stem = splitExtension(name).first;
    return stem.empty() ? name : stem;
}

std::optional<fs::path> ZipKoreanEngine::wantedArchivePath() const
{
    if (createBaseName_.empty())
        return std::nullopt;
    std::string name = createBaseName_;
    if (createFormat_ == CreateFormat::zip)
        name += Text::utf8(L(" (Windows용)"));
    name += "." + extension(createFormat_);
    return fs::path(createParent_.native() + "/" + name);
}

void ZipKoreanEngine::updatePlannedPath()
{
    const auto wanted = wantedArchivePath();
    if (!wanted)
        return;
    setPlannedZipPath(freeName(*wanted));
}

void ZipKoreanEngine::writeArchive(const fs::path &at) const
{
    switch (createFormat_) {
    case CreateFormat::zip: {
        const auto encryption = createPassword_.isEmpty() ? ZipWriter::Encryption::none
                                : zipEncryption_ == ZipEncryptionChoice::aes256
                                    ? ZipWriter::Encryption::aes256
                                    : ZipWriter::Encryption::traditional;
        ZipWriter::create(at, sources_, Text::utf8(createPassword_), encryption);
        return;
    }
    case CreateFormat::sevenZip:
        if (!createPassword_.isEmpty()) {
            SevenZipWriter::create(at, sources_, createPassword_, sevenZipHideNames_);
            return;
        }
        LibArchive::shared().createArchive(at, sources_, LibArchive::WriteFormat::sevenZip);
        return;
    case CreateFormat::tar:
        LibArchive::shared().createArchive(at, sources_, LibArchive::WriteFormat::tar);
        return;
    case CreateFormat::tarGz:
        LibArchive::shared().createArchive(at, sources_, LibArchive::WriteFormat::tarGz);
        return;
    case CreateFormat::tarBz2:
        LibArchive::shared().createArchive(at, sources_, LibArchive::WriteFormat::tarBz2);
        return;
    case CreateFormat::tarXz:
        LibArchive::shared().createArchive(at, sources_, LibArchive::WriteFormat::tarXz);
        return;
    }
}

bool ZipKoreanEngine::isOwnArchive(const fs::path &path) const
{
    struct stat st {};
    return createdZip_ && createdIdentity_ && *createdZip_ == path && ::lstat(path.c_str(), &st) == 0 &&
           S_ISREG(st.st_mode) && identity(st) == *createdIdentity_;
}

void ZipKoreanEngine::createZip()
{
    if (sources_.empty())
        return setActionError(L("압축할 파일이 없습니다. 파일이나 폴더를 다시 놓아 주세요."));
    if (!plannedZipPath_)
        return setActionError(L("저장할 위치를 정하지 못했습니다."));

    // The archive is written under a private name beside its place and moved there without
    // replacing anything, except the archive this engine made there last.
    const fs::path temp(plannedZipPath_->parent_path().native() + "/.quillfern-" +
                        QUuid::createUuid().toString(QUuid::Id128).toStdString() + ".part");
    fs::path target = *plannedZipPath_;
    try {
        writeArchive(temp);
    } catch (...) {
        ::unlink(temp.c_str());
        QString text = currentErrorText();
        text.replace(FilePath::display(temp), FilePath::display(target));
        return setActionError(text);
    }
    for (;;) {
        const int result = isOwnArchive(target) ? (::rename(temp.c_str(), target.c_str()) == 0 ? 0 : errno)
                                                : renameNoReplace(temp, target);
        if (result == 0)
            break;
        if (result != EEXIST) {
            ::unlink(temp.c_str());
            return setActionError(
                ZipError::ioError(L("쓰기 실패: %@", FilePath::display(target))).description());
        }
        // Something came to stand at the planned path since it was chosen: plan a free one.
        const auto wanted = wantedArchivePath();
        const auto next = wanted ? freeName(*wanted) : std::nullopt;
        if (!next) {
            ::unlink(temp.c_str());
            setPlannedZipPath(std::nullopt);
            return setActionError(L("저장할 위치를 정하지 못했습니다."));
        }
        target = *next;
    }
    setPlannedZipPath(target);
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0)
        createdIdentity_ = identity(st);
    assign(createdZip_, std::optional<fs::path>(target), &ZipKoreanEngine::createdZipChanged);
    setActionError(std::nullopt);
}
