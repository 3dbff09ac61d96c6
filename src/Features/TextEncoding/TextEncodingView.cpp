#include "Features/TextEncoding/TextEncodingView.h"

#include "Core/Localization.h"

#include <QComboBox>

ToolPageWidget::Setup TextEncodingView::setup(TextEncodingView *view)
{
    return {
        L("텍스트 인코딩 변환"),
        L("한글 깨짐·줄바꿈 문제 해결"),
        {QStringLiteral("doc.plaintext"),
         L("텍스트 파일이나 폴더를 끌어다 놓으세요"),
         {L("txt · 자막(smi, srt) · csv 등의 인코딩을 자동 감지합니다")},
         L("파일 선택…"),
         L("Windows에서 만든 텍스트·자막 파일은 옛 인코딩(CP949)이라 맥에서 깨져 보이고, 맥에서 만든 파일은 "
           "Windows "
           "메모장에서 줄바꿈 없이 한 줄로 붙습니다. 인코딩과 줄바꿈을 원하는 형식으로 바꿔 드립니다. 변환 "
           "전 원본은 "
           "휴지통에 보관되어 되돌릴 수 있습니다.")},
        {true, true, L("추가"), L("인코딩을 검사할 텍스트 파일이나 폴더를 선택하세요")},
        rowsOf(
            [view]() -> const auto & { return view->engine_->items(); },
            [view](int i) { return view->row(i); }),
    };
}

TextEncodingView::TextEncodingView(std::unique_ptr<TextEncodingEngine> engine, QWidget *parent)
    : ToolPageWidget(setup(this), parent), engine_(std::move(engine))
{
    setObjectName(QStringLiteral("page.textEncoding"));
    results()->setNoteLine(true);

    using Engine = TextEncodingEngine;
    targetPicker_ = addChoicePicker(
        L("변환할 인코딩"), Engine::allTargets, [](auto t) { return Engine::label(t); },
        [](auto t) { return Engine::toString(t); }, [this] { return engine_->target(); },
        [this](auto t) { engine_->setTarget(t); });
    targetPicker_->setObjectName(QStringLiteral("targetPicker"));
    lineEndingPicker_ = addChoicePicker(
        L("줄바꿈"), Engine::allLineEndings, [](auto c) { return Engine::label(c); },
        [](auto c) { return Engine::toString(c); }, [this] { return engine_->lineEnding(); },
        [this](auto c) { engine_->setLineEnding(c); });
    lineEndingPicker_->setObjectName(QStringLiteral("lineEndingPicker"));

    setBottomActions([this] { engine_->clear(); }, [this] { engine_->convertAll(); });
    refreshOn(engine_.get(), &TextEncodingEngine::targetChanged, &TextEncodingEngine::lineEndingChanged,
              &TextEncodingEngine::itemsChanged, &TextEncodingEngine::scannedRootsChanged,
              &TextEncodingEngine::skippedCountChanged);
    results()->emptyState()->setContent(QStringLiteral("doc.plaintext"), L("텍스트 파일이 없습니다"),
                                        L("끌어다 놓은 항목에서 텍스트 파일을 찾지 못했습니다."));
    refreshNow();
}

void TextEncodingView::addPaths(const std::vector<std::filesystem::path> &paths)
{
    engine_->addURLs(paths);
}

ResultRow TextEncodingView::row(int index) const
{
    using Kind = TextEncodingEngine::Status::Kind;
    const auto &item = engine_->items()[std::size_t(index)];
    ResultRow row = ResultRow::forPath(item.url);
    row.symbol = QStringLiteral("doc.text.fill");
    row.note = item.preview;
    row.capsule = RowBadge::capsule(
        L("%@ · %@", TextEncodingEngine::label(item.detected), item.lineEnding),
        item.detected == TextEncodingEngine::DetectedEncoding::cp949 ? Tone::orange : Tone::secondary);
    switch (item.status.kind) {
    case Kind::pending:
        row.badge = RowBadge::plain(L("변환 대상"), Tone::orange);
        break;
    case Kind::alreadyOk:
        row.badge = RowBadge::plain(L("이미 정상"), Tone::secondary);
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

void TextEncodingView::refresh()
{
    showResults(!engine_->scannedRoots().empty());
    results()->sync();
    const auto pending = engine_->pendingCount();
    QStringList parts;
    if (pending >= 1)
        parts << L("변환 대상 %lld개", pending);
    addDoneAndFailed(parts, engine_->doneCount(), engine_->failedCount());
    if (engine_->alreadyOkCount() >= 1)
        parts << L("이미 정상 %lld개", engine_->alreadyOkCount());
    // Folders the scan could not open would otherwise go unmentioned.
    showSummary(parts, engine_->scan.unreadableCount, L("%lld개 변환", pending), pending > 0);
}
