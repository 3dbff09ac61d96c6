#pragma once

#include <QByteArray>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>

// The frame of one message between launches of the program: a 4-byte big-endian length, then
// that many bytes holding one JSON object.
namespace LaunchFrame {

// Longer bodies are refused before any of them is read.
constexpr std::uint32_t maximumBody = 64 * 1024 * 1024;

QByteArray encode(const QJsonObject &object);

// Reads one frame from bytes that arrive in pieces of any size. It holds only the bytes received
// so far, whatever length the header announces.
class Reader {
public:
    enum class State { incomplete, complete, invalid };

    // Takes the next bytes. A header over the maximum, a body that is not one JSON object, and
    // bytes after the end of the frame make the frame invalid; nothing changes it after that.
    State feed(const char *data, std::size_t size);

    State state() const { return state_; }
    // The message; empty unless complete.
    const QJsonObject &object() const { return object_; }

private:
    State state_ = State::incomplete;
    QByteArray received_;
    std::uint32_t length_ = 0;
    bool haveLength_ = false;
    QJsonObject object_;
};

} // namespace LaunchFrame
