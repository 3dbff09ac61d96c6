#pragma once

#include "Core/Utility.h"

#include <QUuid>
#include <QWidget>

// Builds the page the detail area shows for a tool, each time afresh. Every page is given what it
// works on, then the tab's session where it needs one: a tool with an engine of its own gets a new,
// empty engine with every new page; the send checkup gets its session's engine, and the sleep
// preventer the shared controller.
namespace UtilityView {
QWidget *page(Utility tool, const QUuid &session, QWidget *parent = nullptr);
}
