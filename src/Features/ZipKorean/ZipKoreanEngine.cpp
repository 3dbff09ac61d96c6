#include "Features/ZipKorean/ZipKoreanEngine.h"

#include "Archive/ArchiveBackend.h"
#include "Archive/ArchiveFiles.h"
#include "Archive/ZipError.h"
#include "Core/AtomicFile.h"
#include "Core/ErrorText.h"
#include "Core/FileError.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/Localization.h"
#include "Core/Notify.h"
#include "Core/PathExtension.h"
#include "Core/Text.h"
#include "Features/ZipKorean/ExtractionPlan.h"
#include "Features/ZipKorean/OutputFolder.h"
#include "Features/ZipKorean/PackingNames.h"
#include "Features/ZipKorean/SourceCollection.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <system_error>

namespace fs = std::filesystem;
using ArchiveFormats::Backend;

namespace {

// A failed call into a backend: the text the user sees and what the engine tells apart.
struct Failure {
    QString text;
    FormatError::Category category = FormatError::Category::other;
};

// Runs calls into a backend. Every format's error is a FormatError (running out of memory
// included); anything else the standard library throws still gets a sentence of the archive
// layer, never its raw what().
template <typename Step> std::optional<Failure> attempt(Step &&step)
{
    try {
        step();
        return std::nullopt;
    } catch (const FormatError &error) {
        return Failure{error.description(), error.category()};
    } catch (const std::system_error &error) {
        return Failure{ZipError::ioError(errorText(error.code().value())).description()};
    } catch (const std::exception &) {
        return Failure{ZipError::ioError(L("알 수 없는 오류")).description()};
    }
}

std::vector<ZipKoreanEngine::DisplayEntry> rowsOf(const ArchiveBackend::Listing &listing)
{
    std::vector<ZipKoreanEngine::DisplayEntry> rows;
    rows.reserve(listing.entries.size());
    for (const auto &entry : listing.entries) {
        ZipKoreanEngine::DisplayEntry row;
        row.id = QUuid::createUuid();
        row.name = Text::toNfc(entry.name);
        row.isDirectory = entry.isDirectory;
        row.size = entry.size;
        if (entry.decodedFromCp949)
            row.badge = L("CP949 복원");
        // Judged on the name as the reader decoded it, before composition.
        row.isMacJunk = isMacJunk(entry.name);
        row.isEncrypted = entry.isEncrypted;
        rows.push_back(std::move(row));
    }
    return rows;
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

std::tuple<dev_t, ino_t, off_t, time_t, long> identity(const struct stat &st)
{
    return {st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

} // namespace

// Enumerations

QString ZipKoreanEngine::toString(CreateFormat format)
{
    const auto raw = ArchiveFormats::writeRouteOf(format).rawValue;
    return QString::fromLatin1(raw.data(), qsizetype(raw.size()));
}

std::optional<ZipKoreanEngine::CreateFormat> ZipKoreanEngine::createFormatFromString(const QString &raw)
{
    for (const auto &route : ArchiveFormats::writeRoutes())
        if (toString(route.format) == raw)
            return route.format;
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
    return ArchiveFormats::writeRouteOf(format).supportsPassword;
}

std::string ZipKoreanEngine::extension(CreateFormat format)
{
    return std::string(ArchiveFormats::writeRouteOf(format).extension);
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

// State

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
    // Only the ZIP reader decodes names from CP949, and each such row carries the badge.
    return int(std::count_if(displayEntries_.begin(), displayEntries_.end(),
                             [](const DisplayEntry &e) { return e.badge.has_value(); }));
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

std::optional<QString> ZipKoreanEngine::unreadableWarning() const
{
    if (scan.unreadableCount < 1)
        return std::nullopt;
    return L("폴더 %lld개는 권한이 없어 살펴보지 못했습니다", scan.unreadableCount);
}

// Opening

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
    // Only the extension decides, and only for a single item.
    const auto route = items.size() == 1 ? ArchiveFormats::readRouteOf(items.front()) : std::nullopt;
    if (!route)
        prepareCreation(items);
    else if (route->reader == Backend::zip)
        loadZip(items.front());
    else
        loadArchive(items.front());
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
    ArchiveBackend::Listing listing;
    if (const auto failure =
            attempt([&] { listing = ArchiveFormats::make(Backend::zip)->list(url, password_); }))
        return setLoadError(failure->text);
    setDisplayEntries(rowsOf(listing));
    // Names are never encrypted in a ZIP: the rows come at once and the password is first used
    // by extraction.
    setNeedsPassword(listing.needsPassword);
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
    using Category = FormatError::Category;
    const fs::path path = FilePath::realPathOrSame(*archiveURL_);
    ArchiveBackend::Listing listing;
    const auto listWith = [&](Backend kind) {
        return attempt([&] { listing = ArchiveFormats::make(kind)->list(path, password_); });
    };
    const auto route = ArchiveFormats::readRouteOf(*archiveURL_);
    if (route && route->reader != Backend::libArchive) {
        const auto failure = listWith(route->reader);
        if (!failure) {
            const bool encrypted = std::any_of(listing.entries.begin(), listing.entries.end(),
                                               [](const auto &entry) { return entry.isEncrypted; });
            setDisplayEntries(rowsOf(listing));
            // Hidden names were refused without the password before they listed with it.
            useSevenZipReader_ = useSevenZipReader_ || encrypted;
            setNeedsPassword(false);
            setLoadError(std::nullopt);
            return;
        }
        switch (failure->category) {
        case Category::unsupported:
            if (!route->fallback) // no other reader may know the feature
                return setLoadError(failure->text);
            break;
        case Category::passwordRequired:
        case Category::wrongPassword:
            setNeedsPassword(true);
            useSevenZipReader_ = true;
            setLoadError(std::nullopt);
            if (failure->category == Category::wrongPassword)
                setActionError(failure->text);
            return;
        case Category::other:
            return setLoadError(failure->text);
        }
    }
    const auto failure = listWith(Backend::libArchive);
    if (!failure) {
        const bool any = !listing.entries.empty();
        setDisplayEntries(rowsOf(listing));
        setLoadError(std::nullopt);
        if (any)
            setNeedsPassword(false);
    } else if (failure->category == Category::passwordRequired) {
        setNeedsPassword(true);
        setLoadError(std::nullopt);
    } else {
        setLoadError(failure->text);
    }
}

// Extraction

void ZipKoreanEngine::extract()
{
    if (!archiveURL_)
        return;
    setActionError(std::nullopt);

    // A ZIP that could not be listed extracts nothing.
    if (isZipArchive_ && loadError_)
        return setActionError(loadError_);
    // A protected archive that could not be listed is listed again with the typed password.
    if (!isZipArchive_ && displayEntries_.empty()) {
        reloadArchiveList();
        if (loadError_ || displayEntries_.empty()) {
            setActionError(loadError_ ? loadError_ : L("암호가 올바르지 않거나 목록을 읽을 수 없습니다."));
            setLoadError(std::nullopt);
            return;
        }
    }

    const ExtractionPlan plan = planExtraction(displayEntries_, *archiveURL_, skipMacJunk_);
    switch (plan.outcome) {
    case ExtractionPlan::Outcome::nothingToExtract:
        return setActionError(L("풀 항목이 없습니다."));
    case ExtractionPlan::Outcome::noFreeName:
        return setActionError(L("풀 위치를 정하지 못했습니다."));
    case ExtractionPlan::Outcome::ready:
        break;
    }

    // A folder result is made here, at a name nothing stood at, and handed to the reader open;
    // should the extraction fail, it goes again with all that was written into it.
    std::optional<OutputFolder> folder;
    if (!plan.loneFile) {
        if (const auto failure = attempt([&] {
                if (auto made = OutputFolder::create(plan.wanted, beforeCreatingOutputFolder_))
                    folder.emplace(std::move(*made));
            }))
            return setActionError(failure->text);
        if (!folder)
            return setActionError(L("풀 위치를 정하지 못했습니다."));
    }
    const ArchiveBackend::ExtractOptions options{
        .destination = folder ? folder->path() : archiveURL_->parent_path(),
        .destinationFolder = folder ? folder->descriptor() : -1,
        .skippingMacJunk = skipMacJunk_,
        .strippingPrefix = plan.prefix,
        .singleFileTarget = plan.loneFile ? std::optional(plan.target) : std::nullopt,
        .password = password_,
    };
    const Backend kind = isZipArchive_        ? Backend::zip
                         : useSevenZipReader_ ? Backend::sevenZip
                                              : Backend::libArchive;
    std::int64_t written = 0;
    const auto failure = attempt([&] {
        written = ArchiveFormats::make(kind)->extract(FilePath::realPathOrSame(*archiveURL_), options);
        // The own 7z reader skips entries without data, which leaves a lone empty file unwritten.
        if (kind == Backend::sevenZip && written == 0 && plan.loneFile && plan.loneFileSize == 0) {
            AtomicFile::beside(plan.target).commit();
            written = 1;
        }
    });
    // Files were listed but none reached the disk: that is no success either.
    if (failure || (written == 0 && plan.anyFile))
        return setActionError(failure ? failure->text : L("압축 파일에서 풀어낸 파일이 없습니다."));
    if (folder)
        folder->keep();
    setExtractedItem(folder ? folder->path() : plan.target);
}

// Creation

void ZipKoreanEngine::prepareCreation(const std::vector<fs::path> &urls)
{
    SourceCollection collected = SourceCollection::of(urls, scan);
    sources_ = std::move(collected.sources);
    emit sourcesChanged();
    assign(sourceFileCount_,
           int(std::count_if(sources_.begin(), sources_.end(), [](const auto &s) { return !s.isDirectory; })),
           &ZipKoreanEngine::sourceFileCountChanged);
    assign(junkSkippedCount_, collected.junkSkipped, &ZipKoreanEngine::junkSkippedCountChanged);
    // The archive is named after what it packs: an item that puts nothing in it (junk, a dangling
    // link, one the send checkup's fix moved to the Trash) is not counted.
    const bool anyPacked = !collected.packed.empty();
    const fs::path &first = anyPacked ? urls[collected.packed.front()] : urls.front();
    const std::size_t count = anyPacked ? collected.packed.size() : urls.size();
    createParent_ = first.parent_path();
    std::string base = archiveBaseName(first);
    if (count > 1)
        base = Text::utf8(L("%@ 외 %lld개", Text::lossyUtf8(base), count - 1));
    createBaseName_ = base;
    updatePlannedPath();
    setMode(Mode::create);
}

std::string ZipKoreanEngine::archiveBaseName(const fs::path &url) const
{
    // Text::toNfc keeps a name that is not UTF-8 as it is.
    std::string name = Text::toNfc(url.filename().native());
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
    name.append(".").append(extension(createFormat_));
    return fs::path(createParent_.native() + "/" + name);
}

void ZipKoreanEngine::updatePlannedPath()
{
    const auto wanted = wantedArchivePath();
    if (!wanted)
        return;
    setPlannedZipPath(freeName(*wanted));
}

void ZipKoreanEngine::writeArchive(AtomicFile &out) const
{
    const ArchiveBackend::CreateOptions options{
        createPassword_, zipEncryption_ == ZipEncryptionChoice::aes256, sevenZipHideNames_};
    const auto &route = ArchiveFormats::writeRouteOf(createFormat_);
    const auto writer = ArchiveFormats::make(
        ArchiveFormats::writerOf(createFormat_, !createPassword_.isEmpty()), route.libArchiveFormat);
    if (route.unicodeNames)
        writer->create(out, PackingNames::inUnicode(sources_), options);
    else
        writer->create(out, sources_, options);
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
    fs::path target = *plannedZipPath_;
    std::optional<AtomicFile> out;
    if (auto failure = attempt([&] {
            out.emplace(AtomicFile::beside(target));
            writeArchive(*out);
        }))
        return setActionError(failure->text);
    for (;;) {
        try {
            if (isOwnArchive(target))
                out->commitReplacing(target);
            else
                out->commit(target);
            break;
        } catch (const FileError &error) {
            if (error.error() != EEXIST)
                return setActionError(error.description());
        }
        // Something came to stand at the planned path since it was chosen: plan a free one.
        const auto wanted = wantedArchivePath();
        const auto next = wanted ? freeName(*wanted) : std::nullopt;
        if (!next) {
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
