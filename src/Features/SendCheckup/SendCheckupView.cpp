#include "Features/SendCheckup/SendCheckupView.h"

#include "Core/FilePath.h"
#include "Core/Localization.h"
#include "Core/Router.h"
#include "Features/DailyWord/DailyWord.h"
#include "Features/DailyWord/DailyWordSetting.h"
#include "Features/SendCheckup/PrescriptionReportView.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Ui/BouncingSymbolWidget.h"
#include "Ui/FileDrop.h"
#include "Ui/InfoBoxWidget.h"
#include "Ui/OpenPanel.h"
#include "Ui/PageHeaderWidget.h"
#include "Ui/PageStyle.h"
#include "Ui/RoundedPanelWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace fs = std::filesystem;
using PageStyle::label;

namespace {

// Holds the word-of-the-day card and shows it only when the height it is given fits the whole
// card; a window too short for the word shows none rather than a squeezed one.
class FitOrHide : public QWidget {
public:
    FitOrHide(QWidget *card, QWidget *parent) : QWidget(parent), card_(card)
    {
        card_->setParent(this);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }

    void setWanted(bool wanted)
    {
        wanted_ = wanted;
        updateGeometry();
        place();
    }

    QSize sizeHint() const override
    {
        if (!wanted_)
            return {0, 0};
        const int w = width() > 0 ? width() : 600;
        return {std::min(520, w - 2 * side) + 2 * side, needed(w)};
    }
    QSize minimumSizeHint() const override { return {0, 0}; }

protected:
    void resizeEvent(QResizeEvent *) override { place(); }

private:
    static constexpr int side = 40;
    static constexpr int below = 16;

    int cardWidth(int w) const { return std::max(10, std::min(520, w - 2 * side)); }
    int needed(int w) const
    {
        const int cw = cardWidth(w);
        const int h = card_->hasHeightForWidth() ? card_->heightForWidth(cw) : card_->sizeHint().height();
        return h + below;
    }
    void place()
    {
        const int cw = cardWidth(width());
        const int h = needed(width());
        const bool fits = wanted_ && height() >= h;
        card_->setVisible(fits);
        if (fits)
            card_->setGeometry((width() - cw) / 2, 0, cw, h - below);
    }

    QWidget *card_;
    bool wanted_ = false;
};

// The scrolled part of the empty dashboard: as high as the drop zone and the info box need at its
// width (or the whole view when that is higher). The word of the day takes only height to spare,
// so it never makes the page scroll.
class EmptyContent : public QWidget {
public:
    using QWidget::QWidget;
    void setSpareOnly(const QWidget *slot) { slot_ = slot; }
    int heightForWidth(int width) const override
    {
        const int all = layout()->totalHeightForWidth(width);
        return slot_ != nullptr && !slot_->isHidden() ? all - slot_->sizeHint().height() : all;
    }

private:
    const QWidget *slot_ = nullptr;
};

QFont serif(const QFont &base, int pixelSize, QFont::Weight weight)
{
    QFont f = base;
    f.setStyleHint(QFont::Serif);
    f.setFamilies({QStringLiteral("Noto Serif CJK KR"), QStringLiteral("Noto Serif KR"),
                   QStringLiteral("NanumMyeongjo"), QStringLiteral("serif")});
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    return f;
}

} // namespace

SendCheckupView::SendCheckupView(SendCheckupEngine &engine, QUuid session, QWidget *parent)
    : QWidget(parent), engine_(engine), session_(session)
{
    setObjectName(QStringLiteral("page.sendCheckup"));
    setWindowTitle(navigationTitle());
    FileDrop::accept(
        this, [this](bool hovering) { setDropTargeted(hovering); },
        [this](const FileDrop::Paths &paths) { arrive(paths); });

    refreshTimer_ = new QTimer(this);
    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(0);
    connect(refreshTimer_, &QTimer::timeout, this, &SendCheckupView::refresh);

    auto *page = PageHeaderWidget::pageColumn(this, navigationTitle(), navigationSubtitle());
    frame_ = new QStackedLayout;
    page->addLayout(frame_, 1);
    empty_ = makeEmptyState();
    report_ = new PrescriptionReportView(engine_, session_, this);
    frame_->addWidget(empty_);
    frame_->addWidget(report_);

    for (auto signal : {&SendCheckupEngine::rootsChanged, &SendCheckupEngine::isFixedChanged,
                        &SendCheckupEngine::journalChanged, &SendCheckupEngine::lastUndoResultChanged,
                        &SendCheckupEngine::fixSwitchesChanged})
        connect(&engine_, signal, this, &SendCheckupView::refresh);
    connect(&engine_, &SendCheckupEngine::pendingArrivalChanged, this, &SendCheckupView::syncArrivalQuestion);
    // Scans and fixes change items one by one: those changes are gathered into one refresh.
    connect(&engine_.hangul, &HangulRenameEngine::itemsChanged, this, &SendCheckupView::scheduleRefresh);
    connect(&engine_.hangul, &HangulRenameEngine::itemChanged, this, &SendCheckupView::scheduleRefresh);
    connect(&engine_.hangul, &HangulRenameEngine::unreadableCountChanged, this,
            &SendCheckupView::scheduleRefresh);
    connect(&engine_.junk, &DSStoreCleanerEngine::itemsChanged, this, &SendCheckupView::scheduleRefresh);
    connect(&engine_.junk, &DSStoreCleanerEngine::itemChanged, this, &SendCheckupView::scheduleRefresh);
    connect(&engine_.junk, &DSStoreCleanerEngine::unreadableCountChanged, this,
            &SendCheckupView::scheduleRefresh);
    connect(&engine_.names, &FilenameSanitizerEngine::itemsChanged, this, &SendCheckupView::scheduleRefresh);
    connect(&engine_.names, &FilenameSanitizerEngine::itemChanged, this, &SendCheckupView::scheduleRefresh);
    connect(&engine_.names, &FilenameSanitizerEngine::unreadableCountChanged, this,
            &SendCheckupView::scheduleRefresh);
    connect(&engine_.heic, &HeicConvertEngine::itemsChanged, this, &SendCheckupView::scheduleRefresh);
    // The settings window hides or shows the word while the page is open.
    connect(&DailyWordSetting::notifier(), &DailyWordSetting::Notifier::changed, this,
            &SendCheckupView::refreshDailyWord);

    refresh();
}

QString SendCheckupView::navigationTitle()
{
    return L("홈");
}
QString SendCheckupView::navigationSubtitle()
{
    return L("파일 문제 해결사");
}

QWidget *SendCheckupView::makeEmptyState()
{
    auto *holder = new QWidget(this);
    holder->setObjectName(QStringLiteral("emptyState"));
    // Too short a window scrolls the drop zone rather than squeezing its lines into each other.
    auto *scroll = new QScrollArea(holder);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *outer = new QVBoxLayout(holder);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto *page = new EmptyContent;
    scroll->setWidget(page);
    auto *stack = new QVBoxLayout(page);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addStretch(1);

    auto *zoneHolder = new QWidget(page);
    auto *zoneLayout = new QVBoxLayout(zoneHolder);
    zoneLayout->setContentsMargins(40, 40, 40, 40);
    zoneLayout->addWidget(makeDropZone(zoneHolder));
    stack->addWidget(zoneHolder);

    wordCard_ = new QWidget(page);
    wordCard_->setObjectName(QStringLiteral("dailyWord"));
    auto *word = new QVBoxLayout(wordCard_);
    word->setContentsMargins(0, 0, 0, 0);
    word->setSpacing(5);
    wordText_ = label(QString(), TextSize::body, Tone::secondary, wordCard_);
    wordText_->setObjectName(QStringLiteral("text"));
    wordText_->setFont(serif(wordText_->font(), 16, QFont::Medium));
    wordText_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    wordText_->setWordWrap(true);
    word->addWidget(wordText_);
    wordSource_ = label(QString(), TextSize::body, Tone::tertiary, wordCard_);
    wordSource_->setObjectName(QStringLiteral("source"));
    wordSource_->setFont(serif(wordSource_->font(), 12, QFont::Normal));
    wordSource_->setAlignment(Qt::AlignHCenter);
    word->addWidget(wordSource_);
    wordSlot_ = new FitOrHide(wordCard_, page);
    wordSlot_->setObjectName(QStringLiteral("dailyWordSlot"));
    page->setSpareOnly(wordSlot_);
    stack->addWidget(wordSlot_);

    auto *infoHolder = new QWidget(page);
    auto *infoLayout = new QVBoxLayout(infoHolder);
    infoLayout->setContentsMargins(20, 0, 20, 20);
    infoLayout->addWidget(makeInfoBox(infoHolder));
    stack->addWidget(infoHolder);
    return holder;
}

QWidget *SendCheckupView::makeDropZone(QWidget *parent)
{
    zone_ = new DropCardWidget(parent);
    zone_->setObjectName(QStringLiteral("dropZone"));
    zone_->setCursor(Qt::PointingHandCursor);
    zone_->installEventFilter(this);
    auto *stack = new QVBoxLayout(zone_);
    stack->setContentsMargins(40, 40, 40, 40);
    stack->setSpacing(14);

    hammer_ = new BouncingSymbolWidget(QStringLiteral("hammer.fill"), 46, zone_);
    hammer_->setObjectName(QStringLiteral("hammer"));
    stack->addWidget(hammer_, 0, Qt::AlignHCenter);

    auto *title =
        label(L("파일이나 폴더를 여기에 놓으세요"), TextSize::title3, Tone::primary, zone_, QFont::DemiBold);
    title->setAlignment(Qt::AlignCenter);
    title->setWordWrap(true);
    stack->addWidget(title);
    auto *explain = label(L("어디가 불편한지 누리함이 살펴보고, 고칠 방법을 알려드릴게요"), TextSize::callout,
                          Tone::secondary, zone_);
    explain->setAlignment(Qt::AlignCenter);
    explain->setWordWrap(true);
    stack->addWidget(explain);

    stack->addSpacing(4);
    pick_ = new QPushButton(L("파일 선택…"), zone_);
    pick_->setObjectName(QStringLiteral("pickFiles"));
    pick_->setMinimumHeight(32);
    pick_->setStyleSheet(QStringLiteral("QPushButton { padding: 4px 18px; }"));
    connect(pick_, &QPushButton::clicked, this, &SendCheckupView::pickFiles);
    stack->addWidget(pick_, 0, Qt::AlignHCenter);

    auto *caption = label(L("드래그 앤 드롭 · Dock의 누리함 아이콘에 놓아도 돼요"), TextSize::caption,
                          Tone::tertiary, zone_);
    caption->setAlignment(Qt::AlignCenter);
    caption->setWordWrap(true);
    stack->addWidget(caption);
    return zone_;
}

QWidget *SendCheckupView::makeInfoBox(QWidget *parent)
{
    return new InfoBoxWidget(
        L("자모 분리 파일명(NFD), 맥 쓰레기 파일(.DS_Store 등), Windows에서 저장 안 되는 이름, 안 열리는 "
          "HEIC 사진까지 한 번에 진단하고, 승인한 것만 고칩니다. 모든 변경은 되돌릴 수 있어요. 특정 "
          "작업이 필요하면 왼쪽 목록에서 도구를 직접 선택하세요."),
        parent);
}

void SendCheckupView::setDailyWordSource(const DailyWordStore *store, std::function<QDate()> today)
{
    if (wordStore_ != nullptr)
        disconnect(wordStore_, nullptr, this, nullptr);
    wordStore_ = store;
    today_ = std::move(today);
    if (wordStore_ != nullptr)
        connect(wordStore_, &DailyWordStore::wordsChanged, this, &SendCheckupView::refreshDailyWord);
    refreshDailyWord();
}

void SendCheckupView::refreshDailyWord()
{
    std::optional<DailyWord> word;
    if (!DailyWordSetting::isHidden()) {
        if (wordStore_ == nullptr) {
            wordStore_ = &DailyWordStore::shared();
            connect(wordStore_, &DailyWordStore::wordsChanged, this, &SendCheckupView::refreshDailyWord);
        }
        const QDate today = today_ ? today_() : QDate::currentDate();
        word = DailyWordStore::pick(wordStore_->words(), today);
    }
    wordText_->setText(word ? word->text : QString());
    wordSource_->setText(word && word->source ? *word->source : QString());
    wordSource_->setVisible(word && word->source);
    static_cast<FitOrHide *>(wordSlot_)->setWanted(word.has_value());
}

bool SendCheckupView::showsReport() const
{
    return frame_->currentWidget() == report_;
}

void SendCheckupView::scheduleRefresh()
{
    if (!refreshTimer_->isActive())
        refreshTimer_->start();
}

void SendCheckupView::refresh()
{
    refreshTimer_->stop();
    const bool holding = !engine_.roots().empty();
    frame_->setCurrentWidget(holding ? static_cast<QWidget *>(report_) : empty_);
    if (holding)
        report_->refresh();
    else
        refreshDailyWord();
}

void SendCheckupView::arrive(const PathList &files)
{
    if (files.empty())
        return;
    if (!engine_.roots().empty())
        engine_.setPendingArrival(files);
    else
        engine_.addURLs(files);
}

void SendCheckupView::pickFiles()
{
    const auto chosen = picker_ ? picker_()
                                : FileDialogOpenPanel().choose(
                                      this, {true, true, L("진단"), L("살펴볼 파일이나 폴더를 선택하세요")});
    if (chosen)
        arrive(*chosen);
}

void SendCheckupView::setDropTargeted(bool targeted)
{
    if (targeted == dropTargeted_)
        return;
    dropTargeted_ = targeted;
    zone_->setTargeted(targeted);
    hammer_->setTone(targeted);
    hammer_->bounce();
}

bool SendCheckupView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == zone_ && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && zone_->rect().contains(mouse->position().toPoint())) {
            pickFiles();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SendCheckupView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
    // Files may have been left pending while the page was not on screen.
    QTimer::singleShot(0, this, &SendCheckupView::syncArrivalQuestion);
}

void SendCheckupView::syncArrivalQuestion()
{
    const auto &pending = engine_.pendingArrival();
    if (pending.empty()) {
        if (question_ != nullptr) {
            QMessageBox *box = question_;
            question_ = nullptr; // closing now is not an answer
            box->close();
            box->deleteLater();
        }
        return;
    }
    if (!isVisible())
        return;
    if (question_ == nullptr) {
        question_ = new QMessageBox(this);
        question_->setObjectName(QStringLiteral("arrivalQuestion"));
        question_->setIcon(QMessageBox::Question);
        question_->setWindowModality(Qt::WindowModal);
        addHere_ = question_->addButton(L("이 탭에 추가"), QMessageBox::AcceptRole);
        newTab_ = question_->addButton(L("새 탭에서 시작"), QMessageBox::ActionRole);
        cancel_ = question_->addButton(L("취소"), QMessageBox::RejectRole);
        question_->setDefaultButton(addHere_);
        question_->setEscapeButton(cancel_);
        QMessageBox *box = question_;
        connect(box, &QMessageBox::finished, this, [this, box] { answerArrivalQuestion(box); });
        question_->open();
    }
    const QString title = L("파일 %lld개를 받았어요", pending.size());
    question_->setWindowTitle(title);
    question_->setText(title);
    question_->setInformativeText(
        L("이 탭에는 이미 %lld개가 있어요. 어떻게 할까요?", engine_.roots().size()));
}

void SendCheckupView::answerArrivalQuestion(QMessageBox *box)
{
    if (box != question_)
        return; // closed because nothing is pending any more
    question_ = nullptr;
    box->deleteLater();
    const QAbstractButton *answer = box->clickedButton();
    const PathList files = engine_.pendingArrival();
    engine_.setPendingArrival({});
    if (answer == addHere_)
        engine_.addURLs(files);
    else if (answer == newTab_)
        Router::shared().openCheckupInNewTab(files);
    // "취소" and every other way of closing the question drop the pending files.
}
