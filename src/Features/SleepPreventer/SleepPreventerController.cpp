#include "SleepPreventerController.h"

#include "Core/Localization.h"
#include "Core/Notify.h"
#include "Core/Scheduler.h"
#include "Core/Settings.h"
#include "Platform/PowerManagement.h"

#include <QPointer>
#include <QStringList>
#include <QVariant>

const QString SleepPreventerController::assertionName = QStringLiteral("Quillfern (Keep Awake)");
const QString SleepPreventerController::settingsKey = QStringLiteral("sleepPreventerGuards");

QString SleepPreventerController::toString(Guard guard)
{
    switch (guard) {
    case Guard::display:
        return QStringLiteral("display");
    case Guard::idleSystem:
        return QStringLiteral("idleSystem");
    case Guard::diskIdle:
        return QStringLiteral("diskIdle");
    case Guard::systemSleep:
        return QStringLiteral("systemSleep");
    case Guard::userActive:
        return QStringLiteral("userActive");
    }
    return {};
}

std::optional<SleepPreventerController::Guard>
SleepPreventerController::guardFromString(const QString &rawValue)
{
    for (Guard guard : allGuards) {
        if (toString(guard) == rawValue)
            return guard;
    }
    return std::nullopt;
}

QString SleepPreventerController::label(Guard guard)
{
    switch (guard) {
    case Guard::display:
        return L("화면 잠자기");
    case Guard::idleSystem:
        return L("유휴 잠자기");
    case Guard::diskIdle:
        return L("디스크 잠자기");
    case Guard::systemSleep:
        return L("시스템 잠자기");
    case Guard::userActive:
        return L("화면 보호기");
    }
    return {};
}

QString SleepPreventerController::detail(Guard guard)
{
    switch (guard) {
    case Guard::display:
        return L("화면이 어두워지거나 꺼지지 않습니다");
    case Guard::idleSystem:
        return L("손을 놓아도 맥이 잠들지 않습니다");
    case Guard::diskIdle:
        return L("디스크가 멈추지 않습니다 — 긴 복사·백업에 유용");
    case Guard::systemSleep:
        return L("전원이 연결된 동안 잠자기를 막습니다");
    case Guard::userActive:
        return L("사용 중으로 표시해 화면 보호기까지 막습니다");
    }
    return {};
}

QString SleepPreventerController::assertionType(Guard guard)
{
    switch (guard) {
    case Guard::display:
        return QStringLiteral("PreventUserIdleDisplaySleep");
    case Guard::idleSystem:
        return QStringLiteral("PreventUserIdleSystemSleep");
    case Guard::diskIdle:
        return QStringLiteral("PreventDiskIdle");
    case Guard::systemSleep:
        return QStringLiteral("PreventSystemSleep");
    case Guard::userActive:
        return {};
    }
    return {};
}

bool SleepPreventerController::hasCounterpart(Guard guard)
{
    return guard == Guard::userActive || PowerManagement::hasCounterpart(assertionType(guard));
}

QString SleepPreventerController::toString(Duration duration)
{
    switch (duration) {
    case Duration::forever:
        return QStringLiteral("forever");
    case Duration::minutes30:
        return QStringLiteral("minutes30");
    case Duration::hour1:
        return QStringLiteral("hour1");
    case Duration::hour2:
        return QStringLiteral("hour2");
    }
    return {};
}

std::optional<SleepPreventerController::Duration>
SleepPreventerController::durationFromString(const QString &rawValue)
{
    for (Duration duration : allDurations) {
        if (toString(duration) == rawValue)
            return duration;
    }
    return std::nullopt;
}

QString SleepPreventerController::label(Duration duration)
{
    switch (duration) {
    case Duration::forever:
        return L("계속");
    case Duration::minutes30:
        return L("30분");
    case Duration::hour1:
        return L("1시간");
    case Duration::hour2:
        return L("2시간");
    }
    return {};
}

std::optional<int> SleepPreventerController::seconds(Duration duration)
{
    switch (duration) {
    case Duration::forever:
        return std::nullopt;
    case Duration::minutes30:
        return 1800;
    case Duration::hour1:
        return 3600;
    case Duration::hour2:
        return 7200;
    }
    return std::nullopt;
}

SleepPreventerController &SleepPreventerController::shared()
{
    // Lives until the process ends; the platform drops the assertions then.
    static auto *controller = new SleepPreventerController(PowerManagement::system());
    return *controller;
}

namespace {

// The stored guards, or none when the key is missing or does not hold a list of texts only.
std::optional<QStringList> storedGuardNames(const QVariant &value)
{
    if (!value.isValid())
        return std::nullopt;
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList();
    if (value.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QStringList names;
    for (const QVariant &element : value.toList()) {
        if (element.typeId() != QMetaType::QString)
            return std::nullopt;
        names << element.toString();
    }
    return names;
}

} // namespace

SleepPreventerController::SleepPreventerController(PowerManagement &power, QObject *parent)
    : QObject(parent), power_(power)
{
    std::optional<QStringList> names = storedGuardNames(Settings::open()->value(settingsKey));
    if (!names) {
        enabled_ = GuardSet(allGuards.begin(), allGuards.end());
        return;
    }
    for (const QString &name : *names) {
        if (auto guard = guardFromString(name))
            enabled_.insert(*guard);
    }
}

SleepPreventerController::~SleepPreventerController()
{
    stop();
}

void SleepPreventerController::setEnabled(const GuardSet &guards)
{
    QStringList names;
    for (Guard guard : guards)
        names << toString(guard);
    Settings::open()->setValue(settingsKey, names);
    Notify::assign(this, enabled_, guards, &SleepPreventerController::enabledChanged);
}

void SleepPreventerController::setDuration(Duration duration)
{
    Notify::assign(this, duration_, duration, &SleepPreventerController::durationChanged);
}

void SleepPreventerController::setActive(bool active)
{
    if (active == isActive_)
        return;
    isActive_ = active;
    emit isActiveChanged(active);
}

void SleepPreventerController::setActiveUntil(std::optional<QDateTime> until)
{
    Notify::assign(this, activeUntil_, std::move(until), &SleepPreventerController::activeUntilChanged);
}

void SleepPreventerController::start()
{
    if (isActive_ || enabled_.empty())
        return;
    const std::uint64_t run = ++run_;

    for (Guard guard : enabled_) {
        if (guard == Guard::userActive)
            continue;
        if (auto id = power_.create(assertionType(guard), PowerManagement::levelOn, assertionName))
            assertions_.push_back(*id);
    }

    // The screen-saver guard holds only when its first declaration reached someone; like a refused
    // assertion, a declaration no one took is skipped, and the loop is not started for it.
    const bool declaresActivity =
        enabled_.count(Guard::userActive) > 0 && power_.declareUserActivity(assertionName);
    if (declaresActivity)
        scheduleUserActivity(run);

    if (assertions_.empty() && !declaresActivity)
        return; // nothing could be held: stay off

    setActive(true);

    std::optional<int> length = seconds(duration_);
    if (!length) {
        setActiveUntil(std::nullopt);
        return;
    }
    setActiveUntil(QDateTime::currentDateTime().addSecs(*length));
    QPointer<SleepPreventerController> self(this);
    Scheduler::main().after(*length * 1000, [self, run] {
        if (self && self->run_ == run)
            self->stop();
    });
}

void SleepPreventerController::scheduleUserActivity(std::uint64_t run)
{
    QPointer<SleepPreventerController> self(this);
    Scheduler::main().after(userActivityInterval, [self, run] {
        if (!self || self->run_ != run)
            return;
        self->power_.declareUserActivity(assertionName);
        self->scheduleUserActivity(run);
    });
}

void SleepPreventerController::stop()
{
    ++run_; // cancels the expiry and the activity loop
    std::vector<std::uint32_t> held;
    held.swap(assertions_);
    for (std::uint32_t id : held)
        power_.release(id);
    setActive(false);
    setActiveUntil(std::nullopt);
}
