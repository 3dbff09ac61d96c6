#pragma once

#include "Platform/PowerManagement.h"

#include <QSet>
#include <QStringList>

// Records every call of the power layer as one line and refuses the assertion types (and the
// user-activity declaration) it is told to.
class FakePower : public PowerManagement {
public:
    QStringList calls;
    QSet<QString> refused;
    bool activityRefused = false; // no one takes the user-activity declaration

    std::optional<AssertionID> create(const QString &type, int level, const QString &name) override
    {
        if (refused.contains(type)) {
            calls << QStringLiteral("refused %1").arg(type);
            return std::nullopt;
        }
        const AssertionID id = next_++;
        calls << QStringLiteral("create %1 %2 %3 -> %4").arg(type).arg(level).arg(name).arg(id);
        return id;
    }
    bool declareUserActivity(const QString &name) override
    {
        calls << (activityRefused ? QStringLiteral("refused activity ") : QStringLiteral("activity ")) + name;
        return !activityRefused;
    }
    void release(AssertionID id) override { calls << QStringLiteral("release %1").arg(id); }

    QStringList take()
    {
        QStringList taken = calls;
        calls.clear();
        return taken;
    }

private:
    AssertionID next_ = 1;
};
