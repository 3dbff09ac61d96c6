#pragma once

#include "Features/FilenameSanitizer/FilenameSanitizerEngine.h"
#include "Ui/ToolPageWidget.h"

#include <memory>

// The page of the Windows-name tool: names Windows cannot store, each with its safe name and
// the reasons, renamed all at once.
class FilenameSanitizerView : public ToolPageWidget {
    Q_OBJECT

public:
    explicit FilenameSanitizerView(std::unique_ptr<FilenameSanitizerEngine> engine,
                                   QWidget *parent = nullptr);

    FilenameSanitizerEngine &engine() { return *engine_; }

protected:
    void addPaths(const std::vector<std::filesystem::path> &paths) override;
    void refresh() override;

private:
    static Setup setup(FilenameSanitizerView *view);
    ResultRow row(int index) const;

    std::unique_ptr<FilenameSanitizerEngine> engine_;
};
