#include "Ui/ToolPageWidget.h"

#include "Core/Localization.h"
#include "Ui/BottomBarWidget.h"
#include "Ui/FileDrop.h"
#include "Ui/PageHeaderWidget.h"
#include "Ui/PageParts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace fs = std::filesystem;

ToolPageWidget::ToolPageWidget(const Setup &setup, QWidget *parent)
    : QWidget(parent), panelRequest_(setup.panel), panel_(std::make_unique<FileDialogOpenPanel>())
{
    setWindowTitle(setup.title);
    FileDrop::accept(
        this, [this](bool hovering) { setDropTargeted(hovering); },
        [this](const FileDrop::Paths &paths) {
            addPaths(paths);
            refreshNow();
        });
    auto *page = PageHeaderWidget::pageColumn(this, setup.title, setup.subtitle);
    header_ = findChild<PageHeaderWidget *>();

    stack_ = new QStackedLayout;
    page->addLayout(stack_, 1);
    dropZone_ = new DropZoneWidget(setup.dropZone, this);
    stack_->addWidget(dropZone_);
    connect(dropZone_, &DropZoneWidget::pickRequested, this, &ToolPageWidget::pick);

    resultPage_ = new QWidget(this);
    auto *result = new QVBoxLayout(resultPage_);
    result->setContentsMargins(0, 0, 0, 0);
    result->setSpacing(0);
    results_ = new ResultListView(setup.rows, resultPage_);
    result->addWidget(results_, 1);
    result->addWidget(PageParts::divider(resultPage_));
    bottomBar_ = new BottomBarWidget(resultPage_);
    result->addWidget(bottomBar_);
    stack_->addWidget(resultPage_);
    stack_->setCurrentWidget(dropZone_);
}

ToolPageWidget::~ToolPageWidget() = default;

QString ToolPageWidget::joinParts(const QStringList &parts)
{
    return parts.join(QStringLiteral(" \u00B7 "));
}

void ToolPageWidget::setOpenPanel(std::unique_ptr<OpenPanel> panel)
{
    panel_ = std::move(panel);
}

void ToolPageWidget::pick()
{
    if (!panel_)
        return;
    if (auto chosen = panel_->choose(this, panelRequest_)) {
        addPaths(*chosen);
        refreshNow();
    }
}

bool ToolPageWidget::showsResults() const
{
    return stack_->currentWidget() == resultPage_;
}

void ToolPageWidget::refreshNow()
{
    refreshPending_ = false;
    for (const auto &sync : pickerSyncs_)
        sync();
    refresh();
}

void ToolPageWidget::scheduleRefresh()
{
    if (refreshPending_)
        return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (refreshPending_)
            refreshNow();
    });
}

void ToolPageWidget::showResults(bool shown)
{
    stack_->setCurrentWidget(shown ? resultPage_ : static_cast<QWidget *>(dropZone_));
}

void ToolPageWidget::setBottomActions(std::function<void()> clear, std::function<void()> action)
{
    connect(bottomBar_, &BottomBarWidget::clearClicked, this, [this, clear = std::move(clear)] {
        clear();
        refreshNow();
    });
    connect(bottomBar_, &BottomBarWidget::actionClicked, this, [this, action = std::move(action)] {
        action();
        refreshNow();
    });
}

void ToolPageWidget::showSummary(const QStringList &parts, long long unreadable, const QString &action,
                                 bool actionEnabled)
{
    bottomBar_->setSummary(joinParts(parts));
    bottomBar_->setUnreadableCount(unreadable);
    bottomBar_->setAction(action, actionEnabled);
}

void ToolPageWidget::addDoneAndFailed(QStringList &parts, long long done, long long failed)
{
    if (done >= 1)
        parts << L("완료 %lld개", done);
    if (failed >= 1)
        parts << L("실패 %lld개", failed);
}

void ToolPageWidget::addToolbarWidget(QWidget *widget)
{
    header_->addControl(widget);
}

QComboBox *ToolPageWidget::addToolbarPicker(const QString &title,
                                            const QList<std::pair<QString, QString>> &options,
                                            const QString &help)
{
    auto *picker = new QWidget;
    auto *row = new QHBoxLayout(picker);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(title));
    auto *box = new QComboBox;
    // The whole label shows while there is room; a narrow window may still shrink the box down
    // to eight characters instead of pushing the page wider.
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMinimumContentsLength(8);
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    for (const auto &[label, raw] : options) {
        box->addItem(label, raw);
        box->setItemData(box->count() - 1, label, Qt::ToolTipRole);
    }
    row->addWidget(box, 1);
    picker->setToolTip(help);
    addToolbarWidget(picker);
    return box;
}

void ToolPageWidget::selectOption(QComboBox *picker, const QString &raw)
{
    const int index = picker->findData(raw);
    if (index >= 0 && index != picker->currentIndex())
        picker->setCurrentIndex(index);
}

void ToolPageWidget::setDropTargeted(bool targeted)
{
    dropTargeted_ = targeted;
    dropZone_->setTargeted(targeted);
}
