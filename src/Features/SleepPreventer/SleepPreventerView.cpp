#include "SleepPreventerView.h"

#include "Core/Localization.h"
#include "Ui/FlowLayout.h"
#include "Ui/InfoBoxWidget.h"
#include "Ui/PageHeaderWidget.h"
#include "Ui/PageParts.h"
#include "Ui/PageStyle.h"
#include "Ui/RoundedPanelWidget.h"
#include "Ui/ToggleSwitch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

using Guard = SleepPreventerController::Guard;
using Duration = SleepPreventerController::Duration;

namespace {

RoundedPanelWidget *makeBox(const QString &name)
{
    auto *box = new RoundedPanelWidget(12);
    box->setObjectName(name);
    box->setFill(PageStyle::boxFill(box->palette(), 0.4));
    return box;
}

QLabel *heading(const QString &text)
{
    return PageStyle::label(text, TextSize::headline, Tone::primary);
}

} // namespace

QString SleepPreventerView::navigationTitle()
{
    return L("잠자기 방지");
}

QString SleepPreventerView::navigationSubtitle()
{
    return L("다운로드·발표할 때 화면 꺼짐 막기");
}

SleepPreventerView::SleepPreventerView(SleepPreventerController &controller, QWidget *parent)
    : QWidget(parent), controller_(controller)
{
    setObjectName(QStringLiteral("page.sleepPreventer"));
    setWindowTitle(navigationTitle());

    PageHeaderWidget::pageColumn(this, navigationTitle(), navigationSubtitle());
    auto *content = PageParts::scrollingContent(this);
    auto *centring = new QHBoxLayout(content);
    // Tighter than a tall column would be: the whole page fits the window's default size.
    centring->setContentsMargins(20, 16, 20, 16);
    auto *columnWidget = new QWidget;
    columnWidget->setMaximumWidth(520);
    centring->addStretch(1);
    centring->addWidget(columnWidget, 100);
    centring->addStretch(1);
    auto *column = new QVBoxLayout(columnWidget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    // Header: the state's symbol, its title over the status line, and the master switch, in one row.
    auto *header = new QHBoxLayout;
    header->setSpacing(14);
    symbol_ = new QLabel;
    symbol_->setObjectName(QStringLiteral("stateSymbol"));
    symbol_->setAlignment(Qt::AlignCenter);
    QFont symbolFont = symbol_->font();
    symbolFont.setPixelSize(46);
    symbol_->setFont(symbolFont);
    title_ = new QLabel;
    title_->setObjectName(QStringLiteral("stateTitle"));
    title_->setFont(PageStyle::font(TextSize::title2, title_->font(), QFont::DemiBold));
    title_->setWordWrap(true);
    masterSwitch_ = new ToggleSwitch;
    masterSwitch_->setLarge(true);
    masterSwitch_->setObjectName(QStringLiteral("masterSwitch"));
    masterSwitch_->setAccessibleName(L("잠자기 방지"));
    masterSwitch_->setToolTip(L("잠자기 방지"));
    status_ = PageParts::captionLabel(QString(), TextSize::callout);
    status_->setObjectName(QStringLiteral("statusLine"));
    // A start that no power service took says why the switch stayed off.
    noPowerService_ =
        PageStyle::label(L("이 데스크톱에는 잠자기를 막아 줄 전원 서비스가 없어 켤 수 없습니다"),
                         TextSize::caption, Tone::orange);
    noPowerService_->setObjectName(QStringLiteral("noPowerService"));
    noPowerService_->setWordWrap(true);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addStretch(1);
    texts->addWidget(title_);
    texts->addWidget(status_);
    texts->addWidget(noPowerService_);
    texts->addStretch(1);
    header->addWidget(symbol_);
    header->addLayout(texts, 1);
    header->addWidget(masterSwitch_, 0, Qt::AlignVCenter);
    column->addLayout(header);
    connect(masterSwitch_, &QAbstractButton::clicked, this, &SleepPreventerView::flipMasterSwitch);

    // Duration: the heading beside its segments.
    auto *durationBox = makeBox(QStringLiteral("durationBox"));
    // Narrow, the segments go below the heading.
    auto *durationLayout = new FlowLayout(durationBox, 12, 8);
    durationLayout->setContentsMargins(14, 14, 14, 14);
    durationLayout->addWidget(heading(L("지속 시간")));
    auto *segmentRow = new QWidget;
    auto *segments = new QHBoxLayout(segmentRow);
    segments->setContentsMargins(0, 0, 0, 0);
    segments->setSpacing(0);
    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    for (Duration duration : SleepPreventerController::allDurations) {
        auto *button = new QPushButton(SleepPreventerController::label(duration));
        button->setObjectName(QStringLiteral("duration-") + SleepPreventerController::toString(duration));
        button->setCheckable(true);
        button->setAccessibleName(L("지속 시간"));
        group->addButton(button);
        segments->addWidget(button);
        durationButtons_[duration] = button;
        connect(button, &QAbstractButton::clicked, this, [this, duration] {
            controller_.setDuration(duration);
            sync();
        });
    }
    durationLayout->addWidget(segmentRow);
    column->addWidget(durationBox);

    // Guards.
    auto *guardsBox = makeBox(QStringLiteral("guardsBox"));
    auto *guardsLayout = new QVBoxLayout(guardsBox);
    guardsLayout->setContentsMargins(14, 14, 14, 14);
    guardsLayout->setSpacing(8);
    guardsLayout->addWidget(heading(L("막을 항목")));
    const int indent = style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                       style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    for (Guard guard : SleepPreventerController::allGuards) {
        auto *row = new QVBoxLayout;
        row->setSpacing(1);
        auto *box = new QCheckBox(SleepPreventerController::label(guard));
        box->setObjectName(QStringLiteral("guard-") + SleepPreventerController::toString(guard));
        auto *detail = PageParts::captionLabel(SleepPreventerController::detail(guard));
        detail->setContentsMargins(indent, 0, 0, 0);
        row->addWidget(box);
        row->addWidget(detail);
        guardsLayout->addLayout(row);
        guardBoxes_[guard] = box;
        connect(box, &QAbstractButton::clicked, this, [this, guard](bool checked) {
            setGuard(guard, checked);
            sync();
        });
    }
    warning_ = PageStyle::label(L("하나 이상 선택해야 켤 수 있습니다"), TextSize::caption, Tone::orange);
    warning_->setObjectName(QStringLiteral("guardsWarning"));
    guardsLayout->addWidget(warning_);
    column->addWidget(guardsBox);

    // Explanation.
    column->addWidget(new InfoBoxWidget(
        L("큰 파일 다운로드, 발표, 영상 시청 중에 맥이 잠들어 버리는 것을 막습니다. 메뉴 막대의 누리함 "
          "아이콘에서도 켜고 끌 수 있으며, 앱을 종료하면 자동으로 해제되어 배터리 걱정이 없습니다. 노트북 "
          "뚜껑을 닫으면 어떤 설정으로도 잠자기를 막을 수 없습니다.")));
    column->addStretch(1);

    connect(&controller_, &SleepPreventerController::isActiveChanged, this, &SleepPreventerView::sync);
    connect(&controller_, &SleepPreventerController::activeUntilChanged, this, &SleepPreventerView::sync);
    connect(&controller_, &SleepPreventerController::enabledChanged, this, &SleepPreventerView::sync);
    connect(&controller_, &SleepPreventerController::durationChanged, this, &SleepPreventerView::sync);
    sync();
}

QString SleepPreventerView::statusText() const
{
    if (!controller_.isActive())
        return L("켜면 선택한 항목의 잠자기를 막습니다");
    if (auto until = controller_.activeUntil())
        return L("%@까지 막습니다", QLocale().toString(until->time(), QLocale::ShortFormat));
    return L("끌 때까지 막습니다");
}

void SleepPreventerView::setGuard(Guard guard, bool ticked)
{
    SleepPreventerController::GuardSet guards = controller_.enabled();
    if (ticked)
        guards.insert(guard);
    else
        guards.erase(guard);
    const bool wasActive = controller_.isActive();
    if (wasActive)
        controller_.stop();
    controller_.setEnabled(guards);
    if (wasActive && !guards.empty())
        controller_.start();
}

void SleepPreventerView::flipMasterSwitch()
{
    // The switch's own new value is not used: a start that holds nothing leaves it off.
    if (controller_.isActive()) {
        controller_.stop();
    } else {
        controller_.start();
        // No power service took any of the guards: say so instead of staying off without a word.
        nothingHeld_ = !controller_.isActive() && !controller_.enabled().empty();
    }
    sync();
}

void SleepPreventerView::sync()
{
    const bool active = controller_.isActive();
    nothingHeld_ = nothingHeld_ && !active;
    symbol_->setText(active ? QStringLiteral("\u2615") : QStringLiteral("\u263E"));
    PageStyle::setTone(symbol_, active ? Tone::orange : Tone::secondary);
    title_->setText(active ? L("잠자기 방지 중") : L("잠자기 방지 꺼짐"));
    masterSwitch_->setChecked(active);
    masterSwitch_->setEnabled(!controller_.enabled().empty());
    status_->setText(statusText());
    for (auto &[duration, button] : durationButtons_) {
        button->setChecked(duration == controller_.duration());
        button->setEnabled(!active);
    }
    for (auto &[guard, box] : guardBoxes_)
        box->setChecked(controller_.enabled().count(guard) > 0);
    warning_->setVisible(controller_.enabled().empty());
    noPowerService_->setVisible(nothingHeld_);
    // Guards the desktop has no counterpart for are no missing service: say which it is.
    const auto &enabled = controller_.enabled();
    noPowerService_->setText(
        std::none_of(enabled.begin(), enabled.end(), &SleepPreventerController::hasCounterpart)
            ? L("디스크 잠자기는 Linux에 대응하는 기능이 없어 막을 수 없습니다 — 다른 항목도 골라 주세요")
            : L("이 데스크톱에는 잠자기를 막아 줄 전원 서비스가 없어 켤 수 없습니다"));
}
