#include "Features/DSStoreCleaner/DSStoreCleanerView.h"

#include "Core/ByteCount.h"
#include "Core/Localization.h"
#include "Ui/PageStyle.h"
#include "Ui/SymbolIcon.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

ToolPageWidget::Setup DSStoreCleanerView::setup(DSStoreCleanerView *view)
{
    return {
        L(".DS_Store 청소"),
        L("맥이 남긴 숨김 파일 정리"),
        {QStringLiteral("sparkles"),
         L("정리할 폴더를 여기에 끌어다 놓으세요"),
         {L("하위 폴더까지 모두 검사해서 맥이 남긴 숨김 파일을 찾아냅니다")},
         L("폴더 선택…"),
         L("맥은 폴더를 열어보기만 해도 .DS_Store 같은 숨김 파일을 만듭니다. USB나 압축 파일로 Windows "
           "사용자에게 "
           "보내면 지저분해 보이는 원인이죠. 찾은 파일은 완전히 삭제하지 않고 휴지통으로 옮기므로 실수해도 "
           "되돌릴 수 "
           "있습니다.")},
        {false, true, L("추가"), L("청소할 폴더를 선택하세요")},
        rowsOf(
            [view]() -> const auto & { return view->engine_->items(); },
            [view](int i) { return view->row(i); }),
    };
}

DSStoreCleanerView::DSStoreCleanerView(std::unique_ptr<DSStoreCleanerEngine> engine, QWidget *parent)
    : ToolPageWidget(setup(this), parent), engine_(std::move(engine))
{
    setObjectName(QStringLiteral("page.dsStoreCleaner"));

    // Toolbar: the menu of kinds, each toggle bound both ways to its engine flag.
    kindMenu_ = new QToolButton;
    kindMenu_->setObjectName(QStringLiteral("kindMenu"));
    kindMenu_->setText(L("검사 대상"));
    kindMenu_->setIcon(QIcon(SymbolIcon::pixmap(QStringLiteral("line.3.horizontal.decrease.circle"), 16,
                                                palette().color(QPalette::ButtonText), devicePixelRatioF())));
    kindMenu_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    kindMenu_->setPopupMode(QToolButton::InstantPopup);
    kindMenu_->setToolTip(L("어떤 종류의 파일을 청소할지 선택합니다."));
    auto *menu = new QMenu(kindMenu_);
    auto toggle = [&](const QString &text, void (DSStoreCleanerEngine::*set)(bool)) {
        QAction *action = menu->addAction(text);
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, [this, set](bool on) {
            ((*engine_).*set)(on);
            refreshNow();
        });
        return action;
    };
    dsStore_ = toggle(L(".DS_Store 파일"), &DSStoreCleanerEngine::setIncludeDSStore);
    appleDouble_ = toggle(L("._ 파일 (AppleDouble)"), &DSStoreCleanerEngine::setIncludeAppleDouble);
    macosx_ = toggle(L("__MACOSX 폴더"), &DSStoreCleanerEngine::setIncludeMacosx);
    kindMenu_->setMenu(menu);
    addToolbarWidget(kindMenu_);

    setBottomActions([this] { engine_->clear(); }, [this] { engine_->trashAll(); });
    refreshOn(engine_.get(), &DSStoreCleanerEngine::includeDSStoreChanged,
              &DSStoreCleanerEngine::includeAppleDoubleChanged, &DSStoreCleanerEngine::includeMacosxChanged,
              &DSStoreCleanerEngine::itemsChanged, &DSStoreCleanerEngine::scannedRootsChanged,
              &DSStoreCleanerEngine::scannedCountChanged, &DSStoreCleanerEngine::unreadableCountChanged,
              &DSStoreCleanerEngine::itemChanged);
    refreshNow();
}

QAction *DSStoreCleanerView::kindToggle(DSStoreCleanerEngine::Kind kind) const
{
    switch (kind) {
    case DSStoreCleanerEngine::Kind::dsStore:
        return dsStore_;
    case DSStoreCleanerEngine::Kind::appleDouble:
        return appleDouble_;
    case DSStoreCleanerEngine::Kind::macosxFolder:
        return macosx_;
    }
    return nullptr;
}

void DSStoreCleanerView::addPaths(const std::vector<std::filesystem::path> &paths)
{
    engine_->addURLs(paths);
}

ResultRow DSStoreCleanerView::row(int index) const
{
    using Status = DSStoreCleanerEngine::Item::Status::Kind;
    const auto &item = engine_->items()[std::size_t(index)];
    const bool folder = item.kind == DSStoreCleanerEngine::Kind::macosxFolder;
    ResultRow row = ResultRow::forPath(item.url);
    row.symbol = folder ? QStringLiteral("folder.fill") : QStringLiteral("doc.fill");
    row.symbolTone = folder ? Tone::cyan : Tone::secondary;
    row.size = ByteCount::fileStyle(item.size);
    switch (item.status.kind) {
    case Status::pending:
        row.badge = RowBadge::capsule(L("삭제 대기"));
        break;
    case Status::trashed:
        row.badge = RowBadge::done(L("휴지통으로 이동"));
        break;
    case Status::failed:
        row.fail(item.status.message);
        break;
    }
    return row;
}

void DSStoreCleanerView::refresh()
{
    // The toggles follow the flags without feeding back into the engine.
    for (auto [action, on] : {std::pair{dsStore_, engine_->includeDSStore()},
                              std::pair{appleDouble_, engine_->includeAppleDouble()},
                              std::pair{macosx_, engine_->includeMacosx()}}) {
        if (action->isChecked() != on) {
            const QSignalBlocker block(action);
            action->setChecked(on);
        }
    }
    showResults(!engine_->scannedRoots().empty());
    results()->emptyState()->setContent(
        QStringLiteral("checkmark.seal.fill"), L("이미 깨끗합니다"),
        L("%lld개 항목을 검사했지만 청소할 파일이 없습니다.\n다른 폴더를 끌어다 놓으면 이어서 검사합니다.",
          engine_->scannedCount()));
    results()->sync();

    const int pending = engine_->pendingCount();
    QStringList parts;
    if (pending >= 1)
        parts << L("청소 대상 %lld개 (%@)", pending, ByteCount::fileStyle(engine_->pendingSize()));
    addDoneAndFailed(parts, engine_->trashedCount(), engine_->failedCount());
    parts << L("검사 %lld개", engine_->scannedCount());
    showSummary(parts, engine_->scan.unreadableCount, L("%lld개 휴지통으로", pending), pending > 0);
}
