#include "Features/HeicConvert/HeicConvertEngine.h"

#include "Core/AtomicFile.h"
#include "Core/ErrorText.h"
#include "Core/FileBytes.h"
#include "Core/FileError.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/Localization.h"
#include "Core/LongPath.h"
#include "Core/PathExtension.h"
#include "Core/ScanSupport.h"
#include "Core/Text.h"
#include "Core/WorkerPool.h"

#include <libheif/heif.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

FileError ioError(const char *key)
{
    return FileError(L(key));
}

std::uint16_t read16(const std::uint8_t *p, bool little)
{
    return little ? p[0] | p[1] << 8 : p[0] << 8 | p[1];
}

std::uint32_t read32(const std::uint8_t *p, bool little)
{
    return little ? std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                        std::uint32_t(p[3]) << 24
                  : std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 |
                        std::uint32_t(p[3]);
}

} // namespace

namespace HeicMetadata {

// The TIFF structure inside a HEIF Exif block: the block starts with the offset of the TIFF
// header (after those 4 bytes); some writers put "Exif\0\0" in between.
std::vector<std::uint8_t> tiffFromExifBlock(const std::vector<std::uint8_t> &block)
{
    auto isTiff = [&](std::size_t at) {
        return at + 8 <= block.size() &&
               ((block[at] == 'I' && block[at + 1] == 'I' && block[at + 2] == 42 && block[at + 3] == 0) ||
                (block[at] == 'M' && block[at + 1] == 'M' && block[at + 2] == 0 && block[at + 3] == 42));
    };
    std::size_t start = std::string::npos;
    if (block.size() >= 4) {
        const std::size_t offset = 4 + std::size_t(read32(block.data(), false));
        if (isTiff(offset))
            start = offset;
    }
    for (std::size_t at = 0; start == std::string::npos && at < std::min<std::size_t>(block.size(), 64); ++at)
        if (isTiff(at))
            start = at;
    if (start == std::string::npos)
        return {};
    return {block.begin() + std::ptrdiff_t(start), block.end()};
}

// The pixels are written upright, so the orientation tag of IFD0 must say so (1), or viewers turn
// the picture a second time.
void setTiffOrientationUpright(std::vector<std::uint8_t> &tiff)
{
    if (tiff.size() < 8)
        return;
    const bool little = tiff[0] == 'I';
    const std::size_t ifd = read32(tiff.data() + 4, little);
    if (ifd + 2 > tiff.size())
        return;
    const std::size_t count = read16(tiff.data() + ifd, little);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd + 2 + 12 * i;
        if (entry + 12 > tiff.size())
            return;
        if (read16(tiff.data() + entry, little) == 0x0112 && read16(tiff.data() + entry + 2, little) == 3) {
            std::uint8_t *value = tiff.data() + entry + 8;
            value[0] = little ? 1 : 0;
            value[1] = little ? 0 : 1;
            return;
        }
    }
}

// The same for the orientation an XMP packet may repeat: tiff:Orientation="6" or
// <tiff:Orientation>6</tiff:Orientation>.
void setXmpOrientationUpright(std::string &xmp)
{
    const std::string key = "tiff:Orientation";
    for (auto at = xmp.find(key); at != std::string::npos; at = xmp.find(key, at + key.size())) {
        std::size_t p = at + key.size();
        if (p < xmp.size() && xmp[p] == '=')
            p += 2; // ="
        else if (p < xmp.size() && xmp[p] == '>')
            p += 1;
        else
            continue;
        std::size_t end = p;
        while (end < xmp.size() && xmp[end] >= '0' && xmp[end] <= '9')
            ++end;
        if (end > p && end <= xmp.size())
            xmp.replace(p, end - p, "1");
    }
}

} // namespace HeicMetadata

namespace {

void appendSegment(std::vector<std::uint8_t> &out, std::uint8_t marker, std::string_view header,
                   const std::uint8_t *data, std::size_t size)
{
    const std::size_t length = 2 + header.size() + size;
    out.push_back(0xFF);
    out.push_back(marker);
    out.push_back(std::uint8_t(length >> 8));
    out.push_back(std::uint8_t(length & 0xFF));
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), data, data + size);
}

struct Metadata {
    std::vector<std::uint8_t> exifTiff;
    std::string xmp;
    std::vector<std::uint8_t> icc;
};

Metadata readMetadata(const heif_image_handle *handle)
{
    Metadata m;
    const int count = heif_image_handle_get_number_of_metadata_blocks(handle, nullptr);
    std::vector<heif_item_id> ids(std::size_t(std::max(count, 0)));
    heif_image_handle_get_list_of_metadata_block_IDs(handle, nullptr, ids.data(), count);
    for (const auto id : ids) {
        const std::string type = heif_image_handle_get_metadata_type(handle, id);
        const std::string contentType = heif_image_handle_get_metadata_content_type(handle, id);
        std::vector<std::uint8_t> block(heif_image_handle_get_metadata_size(handle, id));
        if (heif_image_handle_get_metadata(handle, id, block.data()).code != heif_error_Ok)
            continue;
        if (type == "Exif" && m.exifTiff.empty()) {
            m.exifTiff = HeicMetadata::tiffFromExifBlock(block);
            HeicMetadata::setTiffOrientationUpright(m.exifTiff);
        } else if (type == "mime" && contentType == "application/rdf+xml" && m.xmp.empty()) {
            m.xmp.assign(block.begin(), block.end());
            HeicMetadata::setXmpOrientationUpright(m.xmp);
        }
    }
    const auto profile = heif_image_handle_get_color_profile_type(handle);
    if (profile == heif_color_profile_type_prof || profile == heif_color_profile_type_rICC) {
        m.icc.resize(heif_image_handle_get_raw_color_profile_size(handle));
        if (heif_image_handle_get_raw_color_profile(handle, m.icc.data()).code != heif_error_Ok)
            m.icc.clear();
    }
    return m;
}

// Puts the metadata segments after the encoder's SOI and JFIF header.
std::vector<std::uint8_t> withMetadata(const std::uint8_t *jpeg, std::size_t size, const Metadata &m)
{
    std::size_t split = 2;
    if (size > 6 && jpeg[2] == 0xFF && jpeg[3] == 0xE0)
        split = 4 + (std::size_t(jpeg[4]) << 8 | jpeg[5]);
    split = std::min(split, size);
    std::vector<std::uint8_t> out;
    out.reserve(size + m.exifTiff.size() + m.xmp.size() + m.icc.size() + 64);
    out.insert(out.end(), jpeg, jpeg + split);
    static constexpr std::string_view exifHeader{"Exif\0\0", 6};
    if (!m.exifTiff.empty() && m.exifTiff.size() + exifHeader.size() <= 65533)
        appendSegment(out, 0xE1, exifHeader, m.exifTiff.data(), m.exifTiff.size());
    static constexpr std::string_view xmpHeader{"http://ns.adobe.com/xap/1.0/\0", 29};
    if (!m.xmp.empty() && m.xmp.size() + xmpHeader.size() <= 65533)
        appendSegment(out, 0xE1, xmpHeader, reinterpret_cast<const std::uint8_t *>(m.xmp.data()),
                      m.xmp.size());
    if (!m.icc.empty()) {
        constexpr std::size_t chunk = 65519;
        const std::size_t chunks = (m.icc.size() + chunk - 1) / chunk;
        if (chunks <= 255) {
            for (std::size_t i = 0; i < chunks; ++i) {
                std::string header{"ICC_PROFILE\0", 12};
                header += char(i + 1);
                header += char(chunks);
                const std::size_t from = i * chunk;
                appendSegment(out, 0xE2, header, m.icc.data() + from, std::min(chunk, m.icc.size() - from));
            }
        }
    }
    out.insert(out.end(), jpeg + split, jpeg + size);
    return out;
}

struct ContextFree {
    void operator()(heif_context *c) const { heif_context_free(c); }
};
struct HandleFree {
    void operator()(heif_image_handle *h) const { heif_image_handle_release(h); }
};
struct ImageFree {
    void operator()(heif_image *i) const { heif_image_release(i); }
};
struct OptionsFree {
    void operator()(heif_decoding_options *o) const { heif_decoding_options_free(o); }
};
struct CompressorFree {
    void operator()(void *h) const { tjDestroy(h); }
};
struct JpegFree {
    void operator()(unsigned char *p) const { tjFree(p); }
};

// Whether the photo declares the coding JPEG uses: YCbCr with BT.601 coefficients in full range.
bool jpegCompatibleCoding(const heif_image_handle *handle)
{
    heif_color_profile_nclx *nclx = nullptr;
    if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code != heif_error_Ok || nclx == nullptr)
        return false;
    const bool compatible =
        nclx->full_range_flag != 0 &&
        (nclx->matrix_coefficients == heif_matrix_coefficients_ITU_R_BT_470_6_System_B_G ||
         nclx->matrix_coefficients == heif_matrix_coefficients_ITU_R_BT_601_6);
    heif_nclx_color_profile_free(nclx);
    return compatible;
}

} // namespace

HeicConvertEngine::HeicConvertEngine(QObject *parent) : FileScanEngine(parent) {}

std::int64_t HeicConvertEngine::count(Status::Kind kind) const
{
    return ScanSupport::countWithStatus(items_, kind);
}

std::int64_t HeicConvertEngine::pendingSize() const
{
    return ScanSupport::sizeWithStatus(items_, Status::Kind::pending);
}

void HeicConvertEngine::rescan()
{
    relistFiles(items_, false, [this](const fs::path &file, bool) { return addFile(file); });
}

bool HeicConvertEngine::addFile(const fs::path &path)
{
    const auto extension = lowerExtension(path);
    if (extension != "heic" && extension != "heif")
        return false;
    struct stat st {};
    const bool found = LongPath::lstat(path, st) == 0;
    items_.push_back(
        Item{QUuid::createUuid(), path, found ? std::int64_t(st.st_size) : 0, Status::pending(), {}, found});
    return true;
}

void HeicConvertEngine::convertAll()
{
    std::vector<std::size_t> pending;
    std::vector<fs::path> photos;
    std::vector<char> found;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].status.kind == Status::Kind::pending) {
            pending.push_back(i);
            photos.push_back(items_[i].url);
            found.push_back(items_[i].found ? 1 : 0);
        }
    }
    // Photos are decoded and encoded ahead on worker threads; each JPEG is written, named and its
    // status set here, in the order of the list, as in a plain loop.
    WorkerPool::inOrder(
        photos.size(), convertWorkers(),
        [&](std::size_t n, unsigned) { return jpegFromPhoto(photos[n], found[n] != 0); },
        [&](std::size_t n, Jpeg jpeg) {
            Item &item = items_[pending[n]];
            try {
                const auto written = writeJpeg(photos[n], std::move(jpeg));
                item.written = written;
                item.status = Status::done(FilePath::display(written.filename()));
            } catch (const FileError &error) {
                item.status = Status::failed(error.description());
            }
            emit itemsChanged();
        });
}

unsigned HeicConvertEngine::convertWorkers()
{
    // A photo being decoded holds about 75 MiB more at 12 MP (decoder, pixels, JPEG), and the
    // finished JPEGs wait for their turn: five at once keep the peak within four times that of one
    // photo at a time.
    constexpr unsigned maxPhotosAtOnce = 5;
    // libheif's plug-ins are registered once, before any worker uses them.
    static const bool initialised = heif_init(nullptr).code == heif_error_Ok;
    (void)initialised;
    return std::min(WorkerPool::threads(), maxPhotosAtOnce);
}

HeicConvertEngine::Jpeg HeicConvertEngine::jpegFromPhoto(const fs::path &photo, bool found)
{
    try {
        const auto bytes = readRegularFile(photo);
        if (!bytes) {
            struct stat st {};
            if (const int error = found ? LongPath::stat(photo, st) : 0)
                throw FileError(errorText(error), error);
            throw ioError("사진을 읽을 수 없습니다");
        }
        return jpegFromHeif(*bytes);
    } catch (const FileError &error) {
        return error;
    }
}

fs::path HeicConvertEngine::writeJpeg(const fs::path &photo, Jpeg jpeg)
{
    if (const auto *error = std::get_if<FileError>(&jpeg))
        throw *error;
    std::string stem = photo.filename().native();
    if (const auto dot = stem.rfind('.'); dot != std::string::npos)
        stem.erase(dot);
    const fs::path wanted = photo.parent_path() / (Text::toNfc(stem) + ".jpg");
    AtomicFile out = AtomicFile::beside(wanted);
    out.write(std::get<std::vector<std::uint8_t>>(jpeg));
    return out.commitFree(wanted);
}

fs::path HeicConvertEngine::convert(const fs::path &photo)
{
    return writeJpeg(photo, jpegFromPhoto(photo, true));
}

std::vector<std::uint8_t> HeicConvertEngine::jpegFromHeif(const std::vector<std::uint8_t> &heif)
{
    std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
    if (!context ||
        heif_context_read_from_memory_without_copy(context.get(), heif.data(), heif.size(), nullptr).code !=
            heif_error_Ok)
        throw ioError("사진을 읽을 수 없습니다");

    std::unique_ptr<void, CompressorFree> compressor(tjInitCompress());
    if (!compressor)
        throw ioError("JPG 변환 준비 실패");

    heif_image_handle *rawHandle = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &rawHandle).code != heif_error_Ok)
        throw ioError("JPG 저장 실패");
    std::unique_ptr<heif_image_handle, HandleFree> handle(rawHandle);

    // Decoding applies the container's rotation, mirroring and crop, so the pixels come out upright.
    // When the photo's own colour coding is JPEG's (full-range BT.601 YCbCr), its 4:2:0 planes go
    // to the encoder as they are, sparing a conversion to RGB and back.
    std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
    unsigned char *rawJpeg = nullptr;
    unsigned long jpegSize = 0;
    bool encoded = false;
    if (jpegCompatibleCoding(handle.get())) {
        heif_image *rawImage = nullptr;
        if (heif_decode_image(handle.get(), &rawImage, heif_colorspace_YCbCr, heif_chroma_420, options.get())
                .code == heif_error_Ok) {
            std::unique_ptr<heif_image, ImageFree> image(rawImage);
            const unsigned char *planes[3] = {};
            int strides[3] = {};
            const heif_channel channels[3] = {heif_channel_Y, heif_channel_Cb, heif_channel_Cr};
            bool usable = heif_image_get_chroma_format(image.get()) == heif_chroma_420;
            for (int i = 0; i < 3 && usable; ++i) {
                planes[i] = heif_image_get_plane_readonly(image.get(), channels[i], &strides[i]);
                usable = planes[i] != nullptr &&
                         heif_image_get_bits_per_pixel_range(image.get(), channels[i]) == 8;
            }
            const int width = heif_image_get_width(image.get(), heif_channel_Y);
            const int height = heif_image_get_height(image.get(), heif_channel_Y);
            if (usable && width > 0 && height > 0) {
                if (tjCompressFromYUVPlanes(compressor.get(), planes, width, strides, height, TJSAMP_420,
                                            &rawJpeg, &jpegSize, 90, 0) != 0) {
                    tjFree(rawJpeg);
                    throw ioError("JPG 저장 실패");
                }
                encoded = true;
            }
        }
    }
    if (!encoded) {
        heif_image *rawImage = nullptr;
        if (heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                              options.get())
                .code != heif_error_Ok)
            throw ioError("JPG 저장 실패");
        std::unique_ptr<heif_image, ImageFree> image(rawImage);
        int stride = 0;
        const std::uint8_t *pixels =
            heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
        const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
        const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
        if (pixels == nullptr || width <= 0 || height <= 0)
            throw ioError("JPG 저장 실패");
        if (tjCompress2(compressor.get(), pixels, width, stride, height, TJPF_RGB, &rawJpeg, &jpegSize,
                        TJSAMP_420, 90, 0) != 0) {
            tjFree(rawJpeg);
            throw ioError("JPG 저장 실패");
        }
    }
    std::unique_ptr<unsigned char, JpegFree> jpeg(rawJpeg);
    return withMetadata(jpeg.get(), jpegSize, readMetadata(handle.get()));
}
