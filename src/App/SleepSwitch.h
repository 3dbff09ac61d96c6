#pragma once

#include "Features/SleepPreventer/SleepPreventerController.h"

#include <QObject>

#include <functional>

// The one shared keep-awake controller that the tray item and the sleep page drive.
using SleepController = SleepPreventerController;

// What the tray's toggle needs of a keep-awake controller: its state, start, stop, and word of
// changes. Any class with isActive(), start(), stop() and an isActiveChanged signal fits.
struct SleepSwitch {
    std::function<bool()> isActive;
    std::function<void()> start;
    std::function<void()> stop;
    // Calls `changed` (in `context`'s lifetime) whenever the controller's state changes.
    std::function<void(QObject *context, std::function<void()> changed)> observe;

    template <typename Controller> static SleepSwitch of(Controller &controller)
    {
        return SleepSwitch{
            [&controller] { return controller.isActive(); },
            [&controller] { controller.start(); },
            [&controller] { controller.stop(); },
            [&controller](QObject *context, std::function<void()> changed) {
                QObject::connect(&controller, &Controller::isActiveChanged, context,
                                 [changed = std::move(changed)] { changed(); });
            },
        };
    }

    static SleepSwitch shared() { return of(SleepController::shared()); }
};
