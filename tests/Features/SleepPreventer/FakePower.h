#pragma once

#include "Platform/PowerManagement.h"

#include <QSet>
#include <QStringList>

// Records every call of the power layer as one line and refuses the assertion types it is told to.
class FakePower : public PowerManagement {
public:
    QStringList calls;
    QSet<QString> refused;

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
    void declareUserActivity(const QString &name) override
    {
        calls << QStringLiteral("activity %1").arg(name);
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
