#include "Features/SendCheckup/DashboardBarWidget.h"

#include "Core/Localization.h"
#include "Core/Router.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Platform/FileManager.h"
#include "Ui/FlowLayout.h"
#include "Ui/PageStyle.h"
#include "Ui/SymbolIcon.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QStackedWidget>

using PageStyle::label;

namespace {

QPushButton *button(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

} // namespace

DashboardBarWidget::DashboardBarWidget(SendCheckupEngine &engine, QUuid session, QWidget *parent)
    : QWidget(parent), engine_(engine), session_(session)
{
    setObjectName(QStringLiteral("actionBar"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    stack_ = new QStackedWidget(this);
    dashboardBar_ = makeDashboardBar();
    completionBar_ = makeCompletionBar();
    stack_->addWidget(dashboardBar_);
    stack_->addWidget(completionBar_);
    layout->addWidget(stack_);

    // The completion bar's own minimum is that of its compact form, so a narrow window still holds it.
    const QSize roomy = completionBar_->minimumSizeHint();
    setCompact(true);
    completionBar_->setMinimumWidth(completionBar_->minimumSizeHint().width());
    compactBelow_ = roomy.width();
    setCompact(false);
    refresh();
}

void DashboardBarWidget::setCompact(bool compact)
{
    if (compact == compact_)
        return;
    compact_ = compact;
    // Narrow, the buttons that carry a symbol show it alone; their names move into the tooltips.
    for (const auto &[b, text, tip] : symbolButtons_) {
        b->setText(compact ? QString() : text);
        b->setToolTip(!compact ? tip : tip.isEmpty() ? text : text + QLatin1Char('\n') + tip);
    }
}

void DashboardBarWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QMargins m = layout()->contentsMargins();
    setCompact(event->size().width() - m.left() - m.right() < compactBelow_);
}

QWidget *DashboardBarWidget::makeDashboardBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("dashboardBar"));
    // The fix button goes on to a line of its own when its count and a translation make it long.
    auto *row = new FlowLayout(bar, 6, 8);
    auto *clear = button(QStringLiteral("clear"), L("비우기"), bar);
    connect(clear, &QPushButton::clicked, this, [this] { engine_.clear(); });
    row->addWidget(clear);
    auto *rescan = button(QStringLiteral("rescan"), L("다시 검사"), bar);
    connect(rescan, &QPushButton::clicked, this, [this] { engine_.rescanAll(); });
    row->addWidget(rescan);
    row->addStretch();
    nothing_ = label(L("정리할 것 없음"), TextSize::body, Tone::secondary, bar);
    nothing_->setObjectName(QStringLiteral("nothingToFix"));
    row->addWidget(nothing_);
    fix_ = button(QStringLiteral("fix"), QString(), bar);
    PageStyle::makeProminent(fix_);
    connect(fix_, &QPushButton::clicked, this, [this] { engine_.fixAll(); });
    row->addWidget(fix_);
    return bar;
}

QWidget *DashboardBarWidget::makeCompletionBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("completionBar"));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    undo_ = button(QStringLiteral("undo"), L("방금 작업 되돌리기"), bar);
    undo_->setIcon(SymbolIcon::icon(QStringLiteral("arrow.uturn.backward")));
    undo_->setToolTip(
        L("이름은 원래대로, 휴지통으로 보낸 파일은 제자리로, 만든 JPG 사본은 휴지통으로 돌아갑니다."));
    connect(undo_, &QPushButton::clicked, this, [this] { engine_.undoLastFix(); });
    row->addWidget(undo_);
    auto *clear = button(QStringLiteral("clear"), L("비우기"), bar);
    connect(clear, &QPushButton::clicked, this, [this] { engine_.clear(); });
    row->addWidget(clear);
    row->addStretch(1);

    // No share sheet on this desktop: the files go on the clipboard, ready to paste.
    share_ = button(QStringLiteral("share"), L("공유하기"), bar);
    share_->setIcon(SymbolIcon::icon(QStringLiteral("square.and.arrow.up")));
    share_->setToolTip(L("파일을 클립보드에 담아요 — 파일 관리자나 메신저, 메일에 붙여 넣으세요."));
    connect(share_, &QPushButton::clicked, this, &DashboardBarWidget::share);
    row->addWidget(share_);

    show_ = button(QStringLiteral("showInFileManager"), L("Finder에서 보기"), bar);
    show_->setIcon(SymbolIcon::icon(QStringLiteral("folder")));
    connect(show_, &QPushButton::clicked, this, [this] { FileViewer::shared().showItems(engine_.roots()); });
    row->addWidget(show_);

    symbolButtons_ = {{undo_, undo_->text(), undo_->toolTip()},
                      {share_, share_->text(), share_->toolTip()},
                      {show_, show_->text(), show_->toolTip()}};

    zip_ = button(QStringLiteral("zip"), L("ZIP으로 묶기"), bar);
    zip_->setIcon(SymbolIcon::icon(QStringLiteral("doc.zipper")));
    zip_->setToolTip(L("정리된 파일을 Windows에서도 깨지지 않는 ZIP으로 바로 압축합니다."));
    PageStyle::makeProminent(zip_);
    connect(zip_, &QPushButton::clicked, this,
            [this] { Router::shared().openZip(engine_.roots(), session_); });
    row->addWidget(zip_);
    return bar;
}

void DashboardBarWidget::share()
{
    QGuiApplication::clipboard()->setMimeData(FileClipboard::mimeData(engine_.roots()));
}

int DashboardBarWidget::totalPending(const SendCheckupEngine &engine)
{
    return int(engine.hangul.pendingCount() + engine.junk.pendingCount() + engine.names.pendingCount() +
               engine.heic.pendingCount());
}

QString DashboardBarWidget::fixLabel(int selectedKinds)
{
    return selectedKinds >= 1 ? L("선택한 %lld가지 한 번에 해결하기", selectedKinds)
                              : L("해결할 항목을 선택하세요");
}

void DashboardBarWidget::refresh()
{
    stack_->setCurrentWidget(engine_.isFixed() ? completionBar_ : dashboardBar_);
    const bool anything = totalPending(engine_) >= 1;
    const int selected = engine_.selectedKinds();
    fix_->setVisible(anything);
    nothing_->setVisible(!anything);
    fix_->setText(fixLabel(selected));
    fix_->setEnabled(selected >= 1);
    const auto &journal = engine_.journal();
    undo_->setEnabled(journal.has_value() && !journal->empty());
}
