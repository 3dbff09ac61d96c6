#pragma once

#include <QObject>

#include <utility>

namespace Notify {

// Stores `value` in `field` and emits the sender's `changed` signal, but only when the value
// differs from the one held: observers hear of changes, never of a value assigned again.
// Returns whether the value changed.
template <typename Sender, typename T, typename U, typename Signal>
bool assign(Sender *sender, T &field, U &&value, Signal changed)
{
    if (field == value)
        return false;
    field = std::forward<U>(value);
    Q_EMIT(sender->*changed)();
    return true;
}

} // namespace Notify
