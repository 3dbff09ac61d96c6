#include "Archive/LibArchive/LibArchive.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/ExtractionFolder.h"
#include "Archive/LibArchive/LibArchiveReading.h"
#include "Archive/LibArchive/LibArchiveSupport.h"
#include "Core/AtomicFile.h"
#include "Core/Descriptor.h"
#include "Core/FileError.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/Text.h"

#include <algorithm>
#include <map>

using namespace LibArchiveSupport;
namespace fs = std::filesystem;

namespace {

constexpr int formatBaseMask = 0xFF0000;
constexpr int formatRaw = 0x90000;

using Parts = std::vector<std::string>;

std::string withSlashes(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

std::string joined(const std::vector<std::string> &parts, std::size_t count)
{
    std::string result;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            result += '/';
        result += parts[i];
    }
    return result;
}

// Components of a relative path that stays inside the destination; nullopt for an absolute path,
// a ".." component or no component at all.
std::optional<Parts> safePieces(std::string_view relative)
{
    auto parts = nameParts(relative);
    if (parts.empty() || leavesDestination(relative, parts))
        return std::nullopt;
    return parts;
}

// The output's failures are the bridge's: "쓰기 실패: <path>".
template <typename Step> auto writing(Step &&step)
{
    try {
        return step();
    } catch (const FileError &error) {
        throw Error::failed(error.detail());
    }
}

// The parts of a file that went to a free name: the same folder, the name it got.
Parts partsOf(Parts parts, const AtomicFile &written)
{
    parts.back() = written.target().filename().native();
    return parts;
}

} // namespace

bool LibArchive::isBareStream(struct archive *handle, std::string_view name) const
{
    if (name != "data")
        return false;
    // Without the format call, the name alone decides.
    return archiveFormat == nullptr || (archiveFormat(handle) & formatBaseMask) == formatRaw;
}

std::vector<LibArchive::Item> LibArchive::listEntries(const std::filesystem::path &path,
                                                      const QString &password) const
{
    return guarded([&] {
        Utf8Ctype ctype;
        Reading reading(*this, path, password);
        std::vector<Item> items;
        struct archive_entry *entry = nullptr;
        while (reading.next(&entry) != archiveEof) {
            Item item;
            item.name = withSlashes(decodeName(entryPathname(entry)));
            item.isDirectory = (entryFiletype && (entryFiletype(entry) & typeMask) == typeDirectory) ||
                               item.name.ends_with('/');
            if (isBareStream(reading.handle(), item.name)) {
                auto [stem, extension] = splitExtension(decodeName(path.filename().c_str()));
                const QString lower = Text::fromUtf8(extension).toLower();
                static const QStringList compressed{".gz", ".bz2", ".xz", ".lz4", ".zst"};
                item.name = compressed.contains(lower) ? stem : stem + extension;
            }
            item.size = entrySize(entry);
            items.push_back(std::move(item));
            reading.skipData();
        }
        // A list that reads through a damaged stream is no list of the archive.
        reading.finish();
        return items;
    });
}

// One extraction: each entry placed below the destination (or into the single target) as it is
// read.
class LibArchive::Extraction {
public:
    Extraction(const LibArchive &bridge, Reading &reading, const fs::path &to, int destinationFolder,
               bool skippingMacJunk, const std::optional<std::string> &strippingPrefix,
               const std::optional<fs::path> &singleFileTarget)
        : bridge_(bridge), reading_(reading), folder_(to, destinationFolder),
          skippingMacJunk_(skippingMacJunk), prefix_(strippingPrefix), single_(singleFileTarget),
          buffer_(blockSize, 0)
    {
    }

    int count() const { return count_; }

    // Extracts one entry; false once the single target holds its file and nothing more is read.
    bool add(struct archive_entry *entry)
    {
        const std::string name = normalised(bridge_.entryPathname(entry));
        const mode_t type = bridge_.entryFiletype ? (bridge_.entryFiletype(entry) & typeMask) : 0;
        const bool isDirectory = type == typeDirectory || name.ends_with('/');
        // A hard link without data of its own names a file stored earlier in the archive.
        const char *link = bridge_.entryHardlink ? bridge_.entryHardlink(entry) : nullptr;
        const bool hasLink = link != nullptr && *link != '\0';
        const bool isLink = hasLink && bridge_.entrySize(entry) <= 0;
        // Symbolic links are left out. A FIFO, device or socket becomes a regular file of the
        // data stored for it, as 7-Zip writes it.
        if ((skippingMacJunk_ && isMacJunk(name)) || (!isLink && type == typeSymlink))
            return skip();
        if (single_) {
            // The target already holds the linked file's data, and a folder has none.
            if (isLink || isDirectory)
                return skip();
            writeData(writing([&] { return folder_.createTarget(*single_); }));
            // The archive's one file is in place; the caller passes a single target only then.
            return false;
        }

        const auto rest = belowPrefix(name, prefix_);
        if (!rest)
            return skip();
        const auto parts = safePieces(*rest);
        if (!parts)
            throw Error::failed(QStringLiteral("잘못된 경로: ") + Text::fromUtf8(*rest));
        if (isDirectory) {
            // A folder met again is the same folder: its entries merge into it.
            makeFolders(*parts);
            return skip();
        }
        const std::string relative = joined(*parts, parts->size());
        const std::optional<std::string> linkKey = hasLink ? linkKeyOf(link) : std::nullopt;
        if (isLink) {
            copyLinked(linkKey, relative, *parts);
            return true;
        }
        // A name met before (a repeat, or the same name composed differently) goes to a free
        // name beside it; the output is removed unless it is complete. A folder that cannot be
        // made shows up as the failure of this file.
        Parts written = partsOf(*parts, writeData(writing([&] { return folder_.createFree(*parts); })));
        if (linkKey)
            refillGroup(*linkKey, written);
        written_[relative] = std::move(written);
        return true;
    }

private:
    static std::string normalised(const char *raw) { return Text::toNfc(withSlashes(decodeName(raw))); }

    bool skip()
    {
        reading_.skipData();
        return true;
    }

    // A folder that cannot be made shows up as the failure of a file inside it.
    void makeFolders(const Parts &parts)
    {
        try {
            folder_.makeFolders(parts);
        } catch (const ZipError &) {
        }
    }

    // The linked file's path below the destination, checked like an entry name.
    std::optional<std::string> linkKeyOf(const char *link) const
    {
        const std::string linkName = normalised(link);
        const auto linkRest = belowPrefix(linkName, prefix_);
        if (const auto linkParts = linkRest ? safePieces(*linkRest) : std::nullopt)
            return joined(*linkParts, linkParts->size());
        return std::nullopt;
    }

    // The entry's data into the new file, which is then put in place.
    AtomicFile writeData(AtomicFile out)
    {
        for (std::size_t n; (n = reading_.readData(buffer_.data(), buffer_.size())) > 0;)
            writing([&] { out.write({reinterpret_cast<const std::uint8_t *>(buffer_.data()), n}); });
        writing([&] { out.commit(); });
        ++count_;
        return out;
    }

    // Copies a file this extraction wrote into a new output; the caller commits it.
    void copyInto(const Parts &from, AtomicFile &out)
    {
        const auto failed = [&] {
            return Error::failed(L("쓰기 실패: %@", FilePath::display(out.target())));
        };
        const Descriptor in = folder_.openForReading(from);
        if (!in.valid())
            throw failed();
        for (;;) {
            const ssize_t n = readSome(in.get(), buffer_.data(), buffer_.size());
            if (n < 0)
                throw failed();
            if (n == 0)
                break;
            writing([&] {
                out.write({reinterpret_cast<const std::uint8_t *>(buffer_.data()), std::size_t(n)});
            });
        }
    }

    // A hard link becomes a copy of the file it names; a link to something this extraction did
    // not write is left out, never made empty.
    void copyLinked(const std::optional<std::string> &linkKey, const std::string &relative,
                    const Parts &parts)
    {
        const auto source = linkKey ? written_.find(*linkKey) : written_.end();
        reading_.skipData();
        if (source == written_.end() || *linkKey == relative)
            return;
        auto out = writing([&] { return folder_.createFree(parts); });
        copyInto(source->second, out);
        writing([&] { out.commit(); });
        ++count_;
        Parts written = partsOf(parts, out);
        linkCopies_[*linkKey].push_back(written);
        written_[relative] = std::move(written);
    }

    // cpio stores a link group's data with its last member only: the members written before it,
    // empty until now, get the data too.
    void refillGroup(const std::string &linkKey, const Parts &filled)
    {
        std::vector<Parts> group = linkCopies_[linkKey];
        if (const auto first = written_.find(linkKey); first != written_.end())
            group.push_back(first->second);
        for (const auto &member : group) {
            if (member == filled)
                continue;
            auto refill = writing([&] { return folder_.replacement(member); });
            copyInto(filled, refill);
            writing([&] { refill.commitReplacing(); });
        }
    }

    const LibArchive &bridge_;
    Reading &reading_;
    ExtractionFolder folder_;
    bool skippingMacJunk_;
    const std::optional<std::string> &prefix_;
    const std::optional<fs::path> &single_;
    std::vector<char> buffer_;
    int count_ = 0;
    // Files written so far, by their path below the destination, for hard links to copy; and the
    // copies made of each, which a later member of the same link group may have to refill.
    std::map<std::string, Parts> written_;
    std::map<std::string, std::vector<Parts>> linkCopies_;
};

int LibArchive::extract(const fs::path &path, const fs::path &to, bool skippingMacJunk,
                        const std::optional<std::string> &strippingPrefix,
                        const std::optional<fs::path> &singleFileTarget, const QString &password,
                        int destinationFolder) const
{
    return guarded([&] {
        Utf8Ctype ctype;
        Reading reading(*this, path, password);
        Extraction extraction(*this, reading, to, destinationFolder, skippingMacJunk, strippingPrefix,
                              singleFileTarget);
        struct archive_entry *entry = nullptr;
        while (reading.next(&entry) != archiveEof && extraction.add(entry)) {
        }
        // Files are in place as they come; the archive's damage after them still fails the whole.
        reading.finish();
        return extraction.count();
    });
}
