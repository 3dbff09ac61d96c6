#pragma once

#include "Features/HeicConvert/HeicConvertEngine.h"
#include "Ui/ToolPageWidget.h"

#include <memory>

// The page of the HEIC tool: the photos found, with sizes, each written as a JPEG copy beside it.
class HeicConvertView : public ToolPageWidget {
    Q_OBJECT

public:
    explicit HeicConvertView(std::unique_ptr<HeicConvertEngine> engine, QWidget *parent = nullptr);

    HeicConvertEngine &engine() { return *engine_; }

protected:
    void addPaths(const std::vector<std::filesystem::path> &paths) override;
    void refresh() override;

private:
    static Setup setup(HeicConvertView *view);
    ResultRow row(int index) const;

    std::unique_ptr<HeicConvertEngine> engine_;
};
