#pragma once

#include "Features/VideoConvert/VideoConvertEngine.h"
#include "Ui/ToolPageWidget.h"

#include <memory>

// The page of the video tool: the videos found with their codec state, and an H.264 MPEG-4 copy
// written beside each one that needs it; the work runs off the main thread while the page shows
// its progress. A conversion run outlives the page: the engine stays until the run has ended.
class VideoConvertView : public ToolPageWidget {
    Q_OBJECT

public:
    explicit VideoConvertView(std::unique_ptr<VideoConvertEngine> engine, QWidget *parent = nullptr);
    ~VideoConvertView() override;

    VideoConvertEngine &engine() { return *engine_; }

protected:
    void addPaths(const std::vector<std::filesystem::path> &paths) override;
    void refresh() override;

private:
    static Setup setup(VideoConvertView *view);
    ResultRow row(int index) const;

    std::unique_ptr<VideoConvertEngine> engine_;
};
