#include "Features/SendCheckup/PrescriptionReportView.h"

#include "Core/FilePath.h"
#include "Core/Localization.h"
#include "Features/SendCheckup/DashboardBarWidget.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Ui/ElidedLabel.h"
#include "Ui/PageParts.h"

#include <QCheckBox>
#include <QFrame>
#include <QGraphicsOpacityEffect>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace fs = std::filesystem;
using PageStyle::label;
using PageStyle::setSymbol;
using PageStyle::setTone;
using PageStyle::symbol;

namespace {

// An icon column nudged down to line up with the first line of text beside it.
QWidget *offset(QWidget *child, int down, QWidget *parent)
{
    auto *holder = new QWidget(parent);
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, down, 0, 0);
    layout->addWidget(child);
    layout->addStretch(1);
    return holder;
}

} // namespace

PrescriptionCardWidget::StatusLine PrescriptionCardWidget::statusLine(const State &s)
{
    if (s.fixed > 0 || s.failed >= 1) {
        if (s.failed < 1)
            return {L("%@ %lld개 완료", s.fixVerb, s.fixed), Tone::green};
        return {L("%@ %lld개 · 실패 %lld개", s.fixVerb, s.fixed, s.failed), Tone::red};
    }
    if (s.found < 1)
        return {L("문제 없음"), Tone::secondary};
    if (s.isOn)
        return {L("%@ 예정", s.fixVerb), Tone::orange};
    return {L("체크 해제됨 — 건너뜀"), Tone::secondary};
}

double PrescriptionCardWidget::opacityFor(const State &s)
{
    return !s.isFixed && s.found > 0 && !s.isOn ? 0.55 : 1.0;
}

PrescriptionCardWidget::PrescriptionCardWidget(const QString &icon, const QString &title, QWidget *parent)
    : RoundedPanelWidget(12, parent), iconName_(icon)
{
    setFill(PageStyle::boxFill(palette(), 0.4));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(14, 14, 14, 14);
    row->setSpacing(10);

    check_ = new QCheckBox(this);
    check_->setObjectName(QStringLiteral("fixSwitch"));
    connect(check_, &QCheckBox::toggled, this, &PrescriptionCardWidget::toggled);
    row->addWidget(offset(check_, 2, this), 0);

    icon_ = symbol(icon, TextSize::title2, Tone::green, this);
    icon_->setObjectName(QStringLiteral("icon"));
    icon_->setFixedWidth(30);
    icon_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    row->addWidget(offset(icon_, 1, this), 0);

    auto *text = new QVBoxLayout;
    text->setSpacing(3);
    auto *titleRow = new QHBoxLayout;
    titleRow->setSpacing(6);
    title_ = label(title, TextSize::headline, Tone::primary, this);
    title_->setObjectName(QStringLiteral("title"));
    titleRow->addWidget(title_);
    count_ = label(QString(), TextSize::headline, Tone::accent, this);
    count_->setObjectName(QStringLiteral("count"));
    titleRow->addWidget(count_);
    titleRow->addStretch(1);
    text->addLayout(titleRow);
    status_ = label(QString(), TextSize::callout, Tone::secondary, this);
    status_->setObjectName(QStringLiteral("status"));
    text->addWidget(status_);
    reason_ = label(QString(), TextSize::caption, Tone::tertiary, this);
    reason_->setObjectName(QStringLiteral("reason"));
    reason_->setWordWrap(true);
    text->addWidget(reason_);
    row->addLayout(text, 1);

    effect_ = new QGraphicsOpacityEffect(this);
    effect_->setEnabled(false);
    setGraphicsEffect(effect_);
}

void PrescriptionCardWidget::display(const State &s)
{
    check_->parentWidget()->setVisible(!s.isFixed);
    {
        const QSignalBlocker blocker(check_);
        check_->setChecked(s.isOn);
    }
    check_->setEnabled(s.found > 0);
    setSymbol(icon_, iconName_, TextSize::title2, s.found < 1 ? Tone::green : Tone::orange);
    const bool showCount = s.found >= 1 && !s.isFixed;
    count_->setVisible(showCount);
    count_->setText(showCount ? L("%lld개", s.found) : QString());
    const StatusLine line = statusLine(s);
    status_->setText(line.text);
    setTone(status_, line.tone);
    reason_->setText(s.reason);
    opacity_ = opacityFor(s);
    effect_->setOpacity(opacity_);
    effect_->setEnabled(opacity_ < 1.0);
}

PrescriptionReportView::PrescriptionReportView(SendCheckupEngine &engine, QUuid session, QWidget *parent)
    : QWidget(parent), engine_(engine)
{
    setObjectName(QStringLiteral("report"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *scroll = scroll_ = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("reportScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Sideways only in a window at its narrowest, where the two columns of cards need it.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto *content = new QWidget(scroll);
    content->setObjectName(QStringLiteral("reportContent"));
    auto *stack = new QVBoxLayout(content);
    stack->setContentsMargins(20, 20, 20, 20);
    stack->setSpacing(14);
    stack->addWidget(makeInferenceBanner());
    stack->addWidget(makeDoneBanner());

    auto *grid = grid_ = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(14);
    const struct {
        const char *icon;
        QString title;
    } cards[] = {
        {"textformat", L("한글 파일명 복구")},
        {"sparkles", L("시스템 잔여 파일 정리")},
        {"checkmark.rectangle.stack", L("사용 불가 문자 정리")},
        {"photo.on.rectangle.angled", L("HEIC → JPG 변환")},
    };
    for (int i = 0; i < 4; ++i) {
        auto *card = new PrescriptionCardWidget(QString::fromLatin1(cards[i].icon), cards[i].title, content);
        card->setObjectName(QStringLiteral("card%1").arg(i + 1));
        cards_[std::size_t(i)] = card;
    }
    grid->setColumnStretch(0, 1);
    connect(cards_[hangulCard], &PrescriptionCardWidget::toggled, this,
            [this](bool on) { engine_.setFixHangul(on); });
    connect(cards_[junkCard], &PrescriptionCardWidget::toggled, this,
            [this](bool on) { engine_.setFixJunk(on); });
    connect(cards_[namesCard], &PrescriptionCardWidget::toggled, this,
            [this](bool on) { engine_.setFixNames(on); });
    connect(cards_[heicCard], &PrescriptionCardWidget::toggled, this,
            [this](bool on) { engine_.setFixHeic(on); });
    stack->addLayout(grid);
    stack->addStretch(1);
    scroll->setWidget(content);
    layout->addWidget(scroll, 1);

    layout->addWidget(PageParts::divider(this));
    bar_ = new DashboardBarWidget(engine_, session, this);
    layout->addWidget(bar_);
    refresh();
}

QWidget *PrescriptionReportView::makeInferenceBanner()
{
    inference_ = new RoundedPanelWidget(12, this);
    inference_->setObjectName(QStringLiteral("inferenceBanner"));
    inference_->setFill(PageStyle::boxFill(palette(), 0.4));
    auto *row = new QHBoxLayout(inference_);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(12);
    inferenceIcon_ = symbol(QStringLiteral("lightbulb.fill"), TextSize::title2, Tone::yellow, inference_);
    inferenceIcon_->setObjectName(QStringLiteral("icon"));
    row->addWidget(offset(inferenceIcon_, 1, inference_));

    auto *text = new QVBoxLayout;
    text->setSpacing(3);
    inferenceMessage_ = label(QString(), TextSize::headline, Tone::primary, inference_);
    inferenceMessage_->setObjectName(QStringLiteral("message"));
    inferenceMessage_->setWordWrap(true);
    text->addWidget(inferenceMessage_);

    auto *rootsRow = new QHBoxLayout;
    rootsRow->setSpacing(6);
    inferenceRoots_ = new ElidedLabel(QString(), inference_);
    inferenceRoots_->setObjectName(QStringLiteral("roots"));
    inferenceRoots_->setFont(PageStyle::font(TextSize::callout, inferenceRoots_->font()));
    setTone(inferenceRoots_, Tone::secondary);
    rootsRow->addWidget(inferenceRoots_);
    undoDot_ = label(QStringLiteral("·"), TextSize::callout, Tone::secondary, inference_);
    rootsRow->addWidget(undoDot_);
    undoResult_ = label(QString(), TextSize::callout, Tone::blue, inference_);
    undoResult_->setObjectName(QStringLiteral("undoResult"));
    rootsRow->addWidget(undoResult_);
    rootsRow->addStretch(1);
    text->addLayout(rootsRow);

    unreadableRow_ = new QWidget(inference_);
    auto *warning = new QHBoxLayout(unreadableRow_);
    warning->setContentsMargins(0, 2, 0, 0);
    warning->setSpacing(5);
    warning->addWidget(symbol(QStringLiteral("lock.fill"), TextSize::callout, Tone::orange, unreadableRow_));
    unreadable_ = label(QString(), TextSize::callout, Tone::orange, unreadableRow_);
    unreadable_->setObjectName(QStringLiteral("unreadableWarning"));
    unreadable_->setWordWrap(true);
    warning->addWidget(unreadable_, 1);
    text->addWidget(unreadableRow_);
    row->addLayout(text, 1);
    return inference_;
}

QWidget *PrescriptionReportView::makeDoneBanner()
{
    done_ = new RoundedPanelWidget(12, this);
    done_->setObjectName(QStringLiteral("doneBanner"));
    QColor green = PageStyle::color(Tone::green, palette());
    green.setAlphaF(0.10f);
    done_->setFill(green);
    auto *row = new QHBoxLayout(done_);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(12);
    row->addWidget(
        offset(symbol(QStringLiteral("checkmark.seal.fill"), TextSize::title, Tone::green, done_), 0, done_));
    auto *text = new QVBoxLayout;
    text->setSpacing(3);
    doneTitle_ = label(QString(), TextSize::title3, Tone::primary, done_, QFont::DemiBold);
    doneTitle_->setObjectName(QStringLiteral("title"));
    doneTitle_->setWordWrap(true);
    text->addWidget(doneTitle_);
    auto *next = label(L("이제 안심하고 보내세요 — 아래에서 바로 압축하거나 공유할 수 있어요"),
                       TextSize::callout, Tone::secondary, done_);
    next->setWordWrap(true);
    text->addWidget(next);
    doneRoots_ = new ElidedLabel(QString(), done_);
    doneRoots_->setObjectName(QStringLiteral("roots"));
    doneRoots_->setFont(PageStyle::font(TextSize::callout, doneRoots_->font()));
    setTone(doneRoots_, Tone::secondary);
    text->addWidget(doneRoots_);
    row->addLayout(text, 1);
    return done_;
}

QString PrescriptionReportView::rootsSummary(const std::vector<fs::path> &roots)
{
    QStringList names;
    for (const auto &root : roots) {
        fs::path name = root.filename();
        if (name.empty())
            name = root; // "/" has no last component but itself
        names << FilePath::display(name).normalized(QString::NormalizationForm_C);
    }
    return names.join(QStringLiteral(", "));
}

QString PrescriptionReportView::brokenNameExample(const SendCheckupEngine &engine)
{
    if (auto example = engine.hangul.brokenExample())
        return *example;
    return L("ㅎㅏㄴㄱㅡㄹ");
}

void PrescriptionReportView::refresh()
{
    const SendCheckupEngine &e = engine_;
    const bool fixed = e.isFixed();
    const QString summary = rootsSummary(e.roots());

    inference_->setVisible(!fixed);
    done_->setVisible(fixed);

    const int pending = DashboardBarWidget::totalPending(e);
    if (pending == 0)
        setSymbol(inferenceIcon_, QStringLiteral("checkmark.seal.fill"), TextSize::title2, Tone::green);
    else
        setSymbol(inferenceIcon_, QStringLiteral("lightbulb.fill"), TextSize::title2, Tone::yellow);
    inferenceMessage_->setText(e.inferenceMessage());
    inferenceRoots_->setFullText(summary);
    const auto &undo = e.lastUndoResult();
    undoDot_->setVisible(undo.has_value());
    undoResult_->setVisible(undo.has_value());
    if (undo) {
        if (undo->failed < 1) {
            undoResult_->setText(L("\u21A9\uFE0E %lld개 항목을 원래대로 되돌렸어요", undo->restored));
            setTone(undoResult_, Tone::blue);
        } else {
            undoResult_->setText(L("\u21A9\uFE0E %lld개 되돌림 · %lld개 실패", undo->restored, undo->failed));
            setTone(undoResult_, Tone::orange);
        }
    } else {
        undoResult_->clear();
    }
    const auto warning = e.unreadableWarning();
    unreadableRow_->setVisible(warning.has_value());
    unreadable_->setText(warning.value_or(QString()));

    const int resolved =
        int(e.hangul.doneCount() + e.junk.trashedCount() + e.names.doneCount() + e.heic.doneCount());
    const int failed =
        int(e.hangul.failedCount() + e.junk.failedCount() + e.names.failedCount() + e.heic.failedCount());
    doneTitle_->setText(failed >= 1 ? L("포르랑! %lld개 항목을 해결했어요 (%lld개 실패)", resolved, failed)
                                    : L("포르랑! %lld개 항목을 해결했어요", resolved));
    doneRoots_->setFullText(summary);

    using State = PrescriptionCardWidget::State;
    cards_[hangulCard]->display(
        State{e.fixHangul(), fixed, int(e.hangul.pendingCount()), int(e.hangul.doneCount()),
              int(e.hangul.failedCount()),
              L("글자가 분해된 이름 — Windows에서 %@처럼 깨져 보여요", brokenNameExample(e)), L("변환")});
    cards_[junkCard]->display(State{
        e.fixJunk(), fixed, int(e.junk.pendingCount()), int(e.junk.trashedCount()), int(e.junk.failedCount()),
        L(".DS_Store · ._* · __MACOSX — 받는 사람에게는 쓰레기 파일이에요"), L("휴지통 이동")});
    cards_[namesCard]->display(State{e.fixNames(), fixed, int(e.names.pendingCount()),
                                     int(e.names.doneCount()), int(e.names.failedCount()),
                                     L("\\ : * ? 같은 금지 문자 — Windows에서 저장할 수 없어요"),
                                     L("이름 변경")});
    cards_[heicCard]->display(State{
        e.fixHeic(), fixed, int(e.heic.pendingCount()), int(e.heic.doneCount()), int(e.heic.failedCount()),
        L("원본은 그대로 두고 어디서나 열리는 JPG 사본을 만들어요"), L("JPG 변환")});
    bar_->refresh();
    arrangeCards();
}

void PrescriptionReportView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    arrangeCards();
}

void PrescriptionReportView::arrangeCards()
{
    // Two columns while two cards fit side by side, each whole; else one below the other.
    int widest = 0;
    for (const PrescriptionCardWidget *card : cards_)
        widest = std::max(widest, card->minimumSizeHint().width());
    const QMargins margins = scroll_->widget()->layout()->contentsMargins();
    const int room = scroll_->viewport()->width() - margins.left() - margins.right();
    const int columns = room >= 2 * widest + grid_->horizontalSpacing() ? 2 : 1;
    if (columns == columns_)
        return;
    columns_ = columns;
    for (PrescriptionCardWidget *card : cards_)
        grid_->removeWidget(card);
    for (int i = 0; i < int(cards_.size()); ++i)
        grid_->addWidget(cards_[std::size_t(i)], i / columns, i % columns);
    grid_->setColumnStretch(1, columns == 2 ? 1 : 0);
}
