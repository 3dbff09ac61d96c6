#include "Platform/LaunchFrame.h"

#include <QJsonDocument>
#include <QtEndian>

#include <algorithm>

namespace LaunchFrame {

namespace {
constexpr std::size_t headerSize = 4;
}

QByteArray encode(const QJsonObject &object)
{
    const QByteArray body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    QByteArray out(headerSize, '\0');
    qToBigEndian<quint32>(quint32(body.size()), out.data());
    return out + body;
}

Reader::State Reader::feed(const char *data, std::size_t size)
{
    while (size > 0 && state_ == State::incomplete) {
        const std::size_t wanted = haveLength_ ? length_ : headerSize;
        const std::size_t take = std::min(size, wanted - std::size_t(received_.size()));
        received_.append(data, qsizetype(take));
        data += take;
        size -= take;
        if (std::size_t(received_.size()) < wanted)
            break;
        if (!haveLength_) {
            length_ = qFromBigEndian<quint32>(received_.constData());
            haveLength_ = true;
            received_.clear();
            // No JSON object is empty.
            if (length_ > maximumBody || length_ == 0)
                state_ = State::invalid;
            continue;
        }
        const QJsonDocument document = QJsonDocument::fromJson(received_);
        received_ = QByteArray();
        if (document.isObject()) {
            object_ = document.object();
            state_ = State::complete;
        } else {
            state_ = State::invalid;
        }
    }
    if (size > 0 && state_ == State::complete) {
        object_ = QJsonObject();
        state_ = State::invalid;
    }
    return state_;
}

} // namespace LaunchFrame
