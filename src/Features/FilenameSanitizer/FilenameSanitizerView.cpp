#include "Features/FilenameSanitizer/FilenameSanitizerView.h"

#include "Core/Localization.h"

ToolPageWidget::Setup FilenameSanitizerView::setup(FilenameSanitizerView *view)
{
    return {
        L("파일명 호환 검사"),
        L("Windows에서 저장 안 되는 이름 정리"),
        {QStringLiteral("checkmark.rectangle.stack"),
         L("파일이나 폴더를 끌어다 놓으세요"),
         {L("Windows로 보내기 전에 문제가 될 파일명을 찾아냅니다")},
         L("파일 선택…"),
         L("맥에서는 파일명에 * ? \" < > | 같은 문자나 이름 끝의 마침표·공백이 자유롭지만, Windows에서는 "
           "저장 "
           "자체가 안 됩니다. CON, PRN 같은 Windows 예약어도 마찬가지예요. 문제가 되는 이름을 찾아 안전한 "
           "이름으로 한 번에 바꿔 드립니다.")},
        {true, true, L("추가"), L("파일명을 검사할 파일이나 폴더를 선택하세요")},
        rowsOf(
            [view]() -> const auto & { return view->engine_->items(); },
            [view](int i) { return view->row(i); }),
    };
}

FilenameSanitizerView::FilenameSanitizerView(std::unique_ptr<FilenameSanitizerEngine> engine, QWidget *parent)
    : ToolPageWidget(setup(this), parent), engine_(std::move(engine))
{
    setObjectName(QStringLiteral("page.filenameSanitizer"));
    results()->setNoteLine(true);
    setBottomActions([this] { engine_->clear(); }, [this] { engine_->applyAll(); });
    refreshOn(engine_.get(), &FilenameSanitizerEngine::itemsChanged,
              &FilenameSanitizerEngine::scannedRootsChanged, &FilenameSanitizerEngine::scannedCountChanged,
              &FilenameSanitizerEngine::unreadableCountChanged, &FilenameSanitizerEngine::itemChanged);
    refreshNow();
}

void FilenameSanitizerView::addPaths(const std::vector<std::filesystem::path> &paths)
{
    engine_->addURLs(paths);
}

ResultRow FilenameSanitizerView::row(int index) const
{
    using Kind = FilenameSanitizerEngine::Item::Status::Kind;
    const auto &item = engine_->items()[std::size_t(index)];
    ResultRow row = ResultRow::forPath(item.url);
    row.symbol = item.isDirectory ? QStringLiteral("folder.fill") : QStringLiteral("doc.fill");
    row.symbolTone = item.isDirectory ? Tone::cyan : Tone::secondary;
    row.newName = QString::fromUtf8(item.newName.data(), qsizetype(item.newName.size()));
    row.note = joinParts(item.issues);
    row.noteTone = item.status.kind == Kind::done ? Tone::secondary : Tone::orange;
    switch (item.status.kind) {
    case Kind::pending:
        row.badge = RowBadge::capsule(L("변경 대기"));
        break;
    case Kind::done:
        row.badge = RowBadge::done(L("완료"));
        break;
    case Kind::failed:
        row.fail(item.status.message);
        break;
    }
    return row;
}

void FilenameSanitizerView::refresh()
{
    showResults(!engine_->scannedRoots().empty());
    results()->emptyState()->setContent(
        QStringLiteral("checkmark.seal.fill"), L("모든 파일명이 Windows에서 안전합니다"),
        L("%lld개 항목 모두 문제가 없습니다.\n다른 파일을 끌어다 놓으면 이어서 검사합니다.",
          engine_->scannedCount()));
    results()->sync();

    const int pending = engine_->pendingCount();
    QStringList parts;
    if (pending > 0)
        parts << L("문제 %lld개", pending);
    addDoneAndFailed(parts, engine_->doneCount(), engine_->failedCount());
    parts << L("검사 %lld개", engine_->scannedCount());
    showSummary(parts, engine_->scan.unreadableCount, L("%lld개 이름 바꾸기", pending), pending > 0);
}
