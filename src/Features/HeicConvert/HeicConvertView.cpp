#include "Features/HeicConvert/HeicConvertView.h"

#include "Core/ByteCount.h"
#include "Core/Localization.h"

ToolPageWidget::Setup HeicConvertView::setup(HeicConvertView *view)
{
    return {
        L("HEIC 사진 변환"),
        L("아이폰 사진을 JPG로"),
        {QStringLiteral("photo.on.rectangle.angled"),
         L("HEIC 사진이나 폴더를 끌어다 놓으세요"),
         {L("원본은 그대로 두고 같은 폴더에 JPG를 만듭니다")},
         L("사진 선택…"),
         L("아이폰과 맥은 사진을 HEIC 형식으로 저장하는데, Windows에서는 별도 코덱 없이 열리지 않습니다. "
           "JPG로 "
           "변환해서 보내면 어디서나 열립니다. 촬영 정보와 사진 방향은 그대로 유지됩니다.")},
        {true, true, L("추가"), L("변환할 HEIC 사진이나 폴더를 선택하세요")},
        rowsOf(
            [view]() -> const auto & { return view->engine_->items(); },
            [view](int i) { return view->row(i); }),
    };
}

HeicConvertView::HeicConvertView(std::unique_ptr<HeicConvertEngine> engine, QWidget *parent)
    : ToolPageWidget(setup(this), parent), engine_(std::move(engine))
{
    setObjectName(QStringLiteral("page.heicConverter"));
    setBottomActions([this] { engine_->clear(); }, [this] { engine_->convertAll(); });
    refreshOn(engine_.get(), &HeicConvertEngine::itemsChanged, &HeicConvertEngine::scannedRootsChanged,
              &HeicConvertEngine::skippedCountChanged);
    results()->emptyState()->setContent(QStringLiteral("photo"), L("HEIC 사진이 없습니다"),
                                        L("끌어다 놓은 항목에서 HEIC/HEIF 사진을 찾지 못했습니다.\n다른 "
                                          "파일을 끌어다 놓으면 이어서 검사합니다."));
    refreshNow();
}

void HeicConvertView::addPaths(const std::vector<std::filesystem::path> &paths)
{
    engine_->addURLs(paths);
}

ResultRow HeicConvertView::row(int index) const
{
    using Kind = HeicConvertEngine::Status::Kind;
    const auto &item = engine_->items()[std::size_t(index)];
    ResultRow row = ResultRow::forPath(item.url);
    row.symbol = QStringLiteral("photo.fill");
    row.size = ByteCount::fileStyle(item.size);
    switch (item.status.kind) {
    case Kind::pending:
        row.badge = RowBadge::capsule(L("변환 대기"));
        break;
    case Kind::done:
        row.badge = RowBadge::done(item.status.text);
        break;
    case Kind::failed:
        row.fail(item.status.text);
        break;
    }
    return row;
}

void HeicConvertView::refresh()
{
    showResults(!engine_->scannedRoots().empty());
    results()->sync();
    const auto pending = engine_->pendingCount();
    QStringList parts;
    if (pending >= 1)
        parts << L("HEIC %lld장 (%@)", pending, ByteCount::fileStyle(engine_->pendingSize()));
    if (engine_->doneCount() >= 1)
        parts << L("완료 %lld장", engine_->doneCount());
    if (engine_->failedCount() >= 1)
        parts << L("실패 %lld장", engine_->failedCount());
    showSummary(parts, engine_->scan.unreadableCount, L("%lld장 JPG로 변환", pending), pending > 0);
}
