#include "Features/HangulFilename/HangulFilenameView.h"

#include "Core/Localization.h"

#include <QComboBox>

namespace {

RowBadge badge(const HangulRenameEngine::Item::Status &status)
{
    using Kind = HangulRenameEngine::Item::Status::Kind;
    switch (status.kind) {
    case Kind::pending:
        return RowBadge::capsule(L("변환 대기"));
    case Kind::done:
        return RowBadge::done(L("완료"));
    case Kind::failed:
        return RowBadge::failed();
    }
    return {};
}

} // namespace

ToolPageWidget::Setup HangulFilenameView::setup(HangulFilenameView *view)
{
    return {
        L("한글 파일명 변환"),
        L("자모 분리 현상 해결"),
        {QStringLiteral("arrow.down.doc.fill"),
         L("파일이나 폴더를 여기에 끌어다 놓으세요"),
         {L("폴더를 놓으면 안의 모든 파일과 하위 폴더까지 검사합니다")},
         L("파일 선택…"),
         L("맥은 파일명을 분해형(NFD)으로 저장합니다. 한글은 \"ㅎㅏㄴㄱㅡㄹ ㅁㅜㄴㅅㅓ.hwp\"처럼 자모가 "
           "흩어져 "
           "보이고, 일본어는 탁점이 \"か゛っこう\"처럼 떨어져 나오며, 베트남어·유럽 언어는 성조·악센트 "
           "부호가 "
           "어긋납니다. 완성형(NFC)으로 변환하면 Windows에서도 \"한글 문서.hwp\"처럼 정상 표시되고, "
           "검색·정렬도 "
           "제대로 동작합니다.")},
        {true, true, L("추가"), L("파일명을 검사할 파일이나 폴더를 선택하세요")},
        rowsOf(
            [view]() -> const auto & { return view->engine_->items(); },
            [view](int i) { return view->row(i); }),
    };
}

HangulFilenameView::HangulFilenameView(std::unique_ptr<HangulRenameEngine> engine, QWidget *parent)
    : ToolPageWidget(setup(this), parent), engine_(std::move(engine))
{
    setObjectName(QStringLiteral("page.hangulFilename"));
    formPicker_ = addChoicePicker(
        L("변환 방향"), HangulRenameEngine::allForms, HangulRenameEngine::label, HangulRenameEngine::toString,
        [this] { return engine_->form(); }, [this](auto form) { engine_->setForm(form); },
        L("어느 형식으로 변환할지 선택합니다. Windows로 보낼 파일은 완성형(NFC)을 사용하세요."));
    formPicker_->setObjectName(QStringLiteral("formPicker"));

    setBottomActions([this] { engine_->clear(); }, [this] { engine_->applyAll(); });
    refreshOn(engine_.get(), &HangulRenameEngine::formChanged, &HangulRenameEngine::itemsChanged,
              &HangulRenameEngine::alreadyNormalizedCountChanged, &HangulRenameEngine::scannedRootsChanged,
              &HangulRenameEngine::unreadableCountChanged, &HangulRenameEngine::itemChanged);
    refreshNow();
}

void HangulFilenameView::addPaths(const std::vector<std::filesystem::path> &paths)
{
    engine_->addURLs(paths);
}

ResultRow HangulFilenameView::row(int index) const
{
    const auto &item = engine_->items()[std::size_t(index)];
    const bool done = item.status.kind == HangulRenameEngine::Item::Status::Kind::done;
    ResultRow row = ResultRow::forPath(item.url);
    row.symbol = item.isDirectory ? QStringLiteral("folder.fill") : QStringLiteral("doc.fill");
    row.symbolTone = item.isDirectory ? Tone::cyan : Tone::secondary;
    row.newName = QString::fromUtf8(item.newName.data(), qsizetype(item.newName.size()));
    if (engine_->form() == HangulRenameEngine::Form::nfc) {
        row.note = L("지금 Windows에서는: %@", windowsPreview(row.name));
        row.noteTone = done ? Tone::secondary : Tone::orange;
    }
    row.badge = badge(item.status);
    row.tooltip = item.status.message;
    return row;
}

void HangulFilenameView::refresh()
{
    showResults(!engine_->scannedRoots().empty());
    results()->setNoteLine(engine_->form() == HangulRenameEngine::Form::nfc);
    results()->emptyState()->setContent(
        QStringLiteral("checkmark.seal.fill"), L("모든 파일명이 이미 정상입니다"),
        L("검사한 %lld개 항목 모두 변환이 필요 없습니다.\n다른 파일을 끌어다 놓으면 이어서 검사합니다.",
          engine_->alreadyNormalizedCount()));
    results()->sync();

    const int pending = engine_->pendingCount();
    const int done = engine_->doneCount();
    const int failed = engine_->failedCount();
    QStringList parts;
    if (pending >= 1)
        parts << L("변환 대상 %lld개", pending);
    addDoneAndFailed(parts, done, failed);
    if (engine_->alreadyNormalizedCount() >= 1)
        parts << L("이미 정상 %lld개", engine_->alreadyNormalizedCount());
    showSummary(parts, engine_->unreadableCount(), L("%lld개 변환", pending), pending > 0);
}
