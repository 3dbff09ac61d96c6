#pragma once

#include "Archive/ZipSource.h"
#include "Core/DirectoryScan.h"
#include "Features/ZipKorean/ArchiveFormats.h"
#include "Features/ZipKorean/ArchiveRow.h"

#include <QObject>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <tuple>
#include <utility>
#include <vector>

class AtomicFile;

// The model of the compress-and-extract tool: a single dropped archive is opened, listed with
// repaired names and extracted beside itself; anything else is collected for a new archive beside
// the first dropped item. Main thread only; every operation reports through the properties.
class ZipKoreanEngine : public QObject {
    Q_OBJECT

public:
    enum class Mode { idle, extract, create };

    using CreateFormat = ArchiveFormats::CreateFormat;
    static constexpr std::array<CreateFormat, 6> allCreateFormats{
        CreateFormat::zip,   CreateFormat::sevenZip, CreateFormat::tar,
        CreateFormat::tarGz, CreateFormat::tarBz2,   CreateFormat::tarXz};
    static QString toString(CreateFormat format);
    static std::optional<CreateFormat> createFormatFromString(const QString &raw);
    static QString label(CreateFormat format);
    static bool supportsPassword(CreateFormat format);
    static std::string extension(CreateFormat format); // without the leading "."

    enum class ZipEncryptionChoice { compatible, aes256 };
    static constexpr std::array<ZipEncryptionChoice, 2> allZipEncryptionChoices{
        ZipEncryptionChoice::compatible, ZipEncryptionChoice::aes256};
    static QString toString(ZipEncryptionChoice choice);
    static std::optional<ZipEncryptionChoice> zipEncryptionFromString(const QString &raw);
    static QString label(ZipEncryptionChoice choice);

    // One row of an opened archive.
    using DisplayEntry = ArchiveRow;

    explicit ZipKoreanEngine(QObject *parent = nullptr);

    DirectoryScan scan; // lists folders while collecting; reset at every addURLs

    Mode mode() const { return mode_; }
    const std::optional<QString> &loadError() const { return loadError_; }
    const std::optional<QString> &actionError() const { return actionError_; }
    const std::optional<std::filesystem::path> &archiveURL() const { return archiveURL_; }
    const std::vector<DisplayEntry> &displayEntries() const { return displayEntries_; }
    const std::optional<std::filesystem::path> &extractedItem() const { return extractedItem_; }
    bool isZipArchive() const { return isZipArchive_; }
    bool needsPassword() const { return needsPassword_; }
    bool skipMacJunk() const { return skipMacJunk_; }
    void setSkipMacJunk(bool on);
    const QString &password() const { return password_; }
    void setPassword(const QString &value);

    const std::vector<ZipWriter::Source> &sources() const { return sources_; }
    int sourceFileCount() const { return sourceFileCount_; }
    int junkSkippedCount() const { return junkSkippedCount_; }
    const std::optional<std::filesystem::path> &plannedZipPath() const { return plannedZipPath_; }
    const std::optional<std::filesystem::path> &createdZip() const { return createdZip_; }
    CreateFormat createFormat() const { return createFormat_; }
    // Every assignment, also of the present value, plans the output path again.
    void setCreateFormat(CreateFormat format);
    const QString &createPassword() const { return createPassword_; }
    void setCreatePassword(const QString &value);
    ZipEncryptionChoice zipEncryption() const { return zipEncryption_; }
    void setZipEncryption(ZipEncryptionChoice choice);
    bool sevenZipHideNames() const { return sevenZipHideNames_; }
    void setSevenZipHideNames(bool on);

    int cp949Count() const;
    int junkEntryCount() const;
    int encryptedCount() const;
    QString encodingSummary() const;
    // Folders that could not be looked into for lack of permission while collecting (packed as
    // empty folders): the warning shown beside the result, none when there were none.
    std::optional<QString> unreadableWarning() const;

    void addURLs(const std::vector<std::filesystem::path> &urls);
    void clear();
    void reloadArchiveList();
    void extract();
    void createZip();

    // Runs just before the output folder of an extraction is created at a chosen name (a seam for
    // tests that put something there first).
    void setBeforeCreatingOutputFolder(std::function<void(const std::filesystem::path &)> hook)
    {
        beforeCreatingOutputFolder_ = std::move(hook);
    }

signals:
    void modeChanged();
    void loadErrorChanged();
    void actionErrorChanged();
    void archiveURLChanged();
    void displayEntriesChanged();
    void extractedItemChanged();
    void isZipArchiveChanged();
    void needsPasswordChanged();
    void skipMacJunkChanged();
    void passwordChanged();
    void sourcesChanged();
    void sourceFileCountChanged();
    void junkSkippedCountChanged();
    void plannedZipPathChanged();
    void createdZipChanged();
    void createFormatChanged();
    void createPasswordChanged();
    void zipEncryptionChanged();
    void sevenZipHideNamesChanged();

private:
    template <typename T> void assign(T &field, T value, void (ZipKoreanEngine::*changed)());

    void loadZip(const std::filesystem::path &url);
    void loadArchive(const std::filesystem::path &url);
    void prepareCreation(const std::vector<std::filesystem::path> &urls);
    void updatePlannedPath();
    std::string archiveBaseName(const std::filesystem::path &url) const;
    std::optional<std::filesystem::path> wantedArchivePath() const;
    void writeArchive(AtomicFile &out) const;
    bool isOwnArchive(const std::filesystem::path &path) const;

    void setMode(Mode mode) { assign(mode_, mode, &ZipKoreanEngine::modeChanged); }
    void setLoadError(std::optional<QString> text)
    {
        assign(loadError_, std::move(text), &ZipKoreanEngine::loadErrorChanged);
    }
    void setActionError(std::optional<QString> text)
    {
        assign(actionError_, std::move(text), &ZipKoreanEngine::actionErrorChanged);
    }
    void setDisplayEntries(std::vector<DisplayEntry> rows);
    void setNeedsPassword(bool on) { assign(needsPassword_, on, &ZipKoreanEngine::needsPasswordChanged); }
    void setExtractedItem(std::optional<std::filesystem::path> item)
    {
        assign(extractedItem_, std::move(item), &ZipKoreanEngine::extractedItemChanged);
    }
    void setPlannedZipPath(std::optional<std::filesystem::path> path)
    {
        assign(plannedZipPath_, std::move(path), &ZipKoreanEngine::plannedZipPathChanged);
    }

    Mode mode_ = Mode::idle;
    std::optional<QString> loadError_;
    std::optional<QString> actionError_;
    std::optional<std::filesystem::path> archiveURL_;
    std::vector<DisplayEntry> displayEntries_;
    std::optional<std::filesystem::path> extractedItem_;
    bool isZipArchive_ = false;
    bool needsPassword_ = false;
    bool skipMacJunk_ = true;
    QString password_;
    std::vector<ZipWriter::Source> sources_;
    int sourceFileCount_ = 0;
    int junkSkippedCount_ = 0;
    std::optional<std::filesystem::path> plannedZipPath_;
    std::optional<std::filesystem::path> createdZip_;
    CreateFormat createFormat_ = CreateFormat::zip;
    QString createPassword_;
    ZipEncryptionChoice zipEncryption_ = ZipEncryptionChoice::compatible;
    bool sevenZipHideNames_ = true;
    std::string createBaseName_; // bytes: a name that is not UTF-8 is kept as it is
    std::filesystem::path createParent_;
    bool useSevenZipReader_ = false;
    // The file the last creation wrote, so that pressing create again may replace it, and
    // nothing else that has come to stand at the planned path.
    // Device, inode, size and modification time: an inode number alone may be reused.
    std::optional<std::tuple<dev_t, ino_t, off_t, time_t, long>> createdIdentity_;
    std::function<void(const std::filesystem::path &)> beforeCreatingOutputFolder_;
};
