#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <utility>

class AtomicFile;

// The FFmpeg work of the video converter; blocking, meant for a worker thread. Failures are
// thrown as FileError with a detail text.
namespace VideoTranscoder {

// The four characters of a media subtype, most significant byte first; "????" when a byte is
// not ASCII.
QString fourCCString(std::uint32_t mediaSubtype);
// The name shown for a codec code: HEVC, H.264, ProRes, MJPEG, else the code in upper case.
QString displayName(const QString &code);

// Reads the codec code of the first video track of a QuickTime or MPEG-4 file and its display
// name; throws when there is no such track or the file cannot be read.
std::pair<QString, QString> videoCodec(const std::filesystem::path &path);

// Re-encodes the file as H.264 (High profile) with AAC audio (AAC sources are copied) into the
// new MPEG-4 file `output`, keeping the rotation, the creation time and the location, with the
// index before the media data. HDR sources are tone-mapped to SDR. The caller commits `output`.
// Stops with a failure when `stop` becomes true.
void transcode(const std::filesystem::path &input, AtomicFile &output, const std::atomic<bool> &stop);

} // namespace VideoTranscoder
