#include "Features/VideoConvert/VideoConvertView.h"

#include "Core/ByteCount.h"
#include "Core/Localization.h"
#include "Ui/BottomBarWidget.h"

#include <QCoreApplication>

ToolPageWidget::Setup VideoConvertView::setup(VideoConvertView *view)
{
    return {
        L("아이폰 영상 변환"),
        L("MOV·HEVC를 MP4로"),
        {QStringLiteral("film"),
         L("영상 파일이나 폴더를 끌어다 놓으세요"),
         {L("원본은 그대로 두고 같은 폴더에 MP4를 만듭니다")},
         L("영상 선택…"),
         L("아이폰 영상은 HEVC 코덱과 MOV 형식이라 Windows에서 화면이 안 나오거나 아예 재생되지 않는 경우가 "
           "많습니다. "
           "어디서나 재생되는 MP4(H.264)로 변환해 드립니다. 영상 길이에 따라 시간이 걸릴 수 있습니다.")},
        {true, true, L("추가"), L("변환할 영상이나 폴더를 선택하세요")},
        rowsOf(
            [view]() -> const auto & { return view->engine_->items(); },
            [view](int i) { return view->row(i); },
            [view] { return view->engine_->isAnalyzing() || view->engine_->isWorking(); }),
    };
}

VideoConvertView::VideoConvertView(std::unique_ptr<VideoConvertEngine> engine, QWidget *parent)
    : ToolPageWidget(setup(this), parent), engine_(std::move(engine))
{
    setObjectName(QStringLiteral("page.videoConverter"));
    // The run goes on in the engine's worker; the page follows its signals.
    setBottomActions([this] { engine_->clear(); }, [this] { engine_->convertAll(); });
    refreshOn(engine_.get(), &VideoConvertEngine::itemsChanged, &VideoConvertEngine::scannedRootsChanged,
              &VideoConvertEngine::skippedCountChanged, &VideoConvertEngine::isWorkingChanged,
              &VideoConvertEngine::analysisFinished, &VideoConvertEngine::conversionFinished);
    results()->emptyState()->setContent(QStringLiteral("film"), L("영상 파일이 없습니다"),
                                        L("끌어다 놓은 항목에서 MOV·MP4·M4V 영상을 찾지 못했습니다."));
    refreshNow();
}

VideoConvertView::~VideoConvertView()
{
    // Leaving the page (another tool, a closed tab) must not stop a conversion half-way: the
    // running engine goes to the application and removes itself when its run has ended. Quitting
    // the application still ends it, and the export in progress removes its partial file.
    if (engine_->isWorking()) {
        VideoConvertEngine *engine = engine_.release();
        engine->setParent(QCoreApplication::instance());
        connect(engine, &VideoConvertEngine::conversionFinished, engine, &QObject::deleteLater);
    }
}

void VideoConvertView::addPaths(const std::vector<std::filesystem::path> &paths)
{
    engine_->addURLs(paths);
}

ResultRow VideoConvertView::row(int index) const
{
    using Kind = VideoConvertEngine::Status::Kind;
    const auto &item = engine_->items()[std::size_t(index)];
    ResultRow row = ResultRow::forPath(item.url);
    row.symbol = QStringLiteral("film.fill");
    row.size = ByteCount::fileStyle(item.size);
    switch (item.status.kind) {
    case Kind::pending:
        row.badge = RowBadge::capsule(item.status.text, Tone::orange);
        break;
    case Kind::alreadyOk:
        row.badge = RowBadge::plain(item.status.text, Tone::secondary);
        break;
    case Kind::done:
        row.badge = RowBadge::done(item.status.text);
        break;
    case Kind::failed:
        row.fail(item.status.text);
        break;
    case Kind::analyzing:
        row.badge = RowBadge::spinner();
        break;
    case Kind::converting:
        row.badge = RowBadge::spinner(L("변환 중…"));
        break;
    }
    return row;
}

void VideoConvertView::refresh()
{
    showResults(!engine_->scannedRoots().empty());
    results()->sync();
    const auto pending = engine_->pendingCount();
    QStringList parts;
    if (pending >= 1)
        parts << L("변환 대상 %lld개", pending);
    addDoneAndFailed(parts, engine_->doneCount(), engine_->failedCount());
    if (engine_->alreadyOkCount() >= 1)
        parts << L("이미 호환 %lld개", engine_->alreadyOkCount());
    const bool working = engine_->isWorking();
    bottomBar()->setBusy(working);
    bottomBar()->setClearEnabled(!working);
    // Folders the scan could not open would otherwise go unmentioned.
    showSummary(parts, engine_->scan.unreadableCount,
                working ? L("변환 중…") : L("%lld개 MP4로 변환", pending), pending > 0 && !working);
}
