#pragma once

#include "Core/Utility.h"
#include "Ui/EmptyStateWidget.h"

#include <QUuid>
#include <QWidget>

class SendCheckupEngine;

// What a tab gives the page of a tool: its session and its send-checkup engine.
struct PageContext {
    QUuid session;
    SendCheckupEngine *checkup = nullptr;
};

// Builds the page the detail area shows for a tool, each time afresh: a tool with an engine of
// its own gets a new, empty engine with every new page.
namespace UtilityView {
QWidget *page(Utility tool, const PageContext &context, QWidget *parent = nullptr);
}

// The page of a tool whose own page is not there yet: its title and subtitle.
class PlaceholderView : public EmptyStateWidget {
    Q_OBJECT

public:
    explicit PlaceholderView(Utility tool, QWidget *parent = nullptr);

    Utility tool() const { return tool_; }

private:
    Utility tool_;
};
