#pragma once

#include <QUuid>

// A window tab's session. Pages receive their tab's session from the window content; outside
// any window the default is one UUID made on first use and kept for the life of the process.
namespace TabSession {
QUuid defaultValue();
}
