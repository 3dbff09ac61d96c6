#pragma once

#include "Features/HangulFilename/HangulRenameEngine.h"
#include "Ui/ToolPageWidget.h"

#include <memory>

class QComboBox;

// The page of the Korean file-name tool: names not in the chosen form, each with its new name
// and how it looks on Windows now, renamed all at once.
class HangulFilenameView : public ToolPageWidget {
    Q_OBJECT

public:
    explicit HangulFilenameView(std::unique_ptr<HangulRenameEngine> engine, QWidget *parent = nullptr);

    HangulRenameEngine &engine() { return *engine_; }
    QComboBox *formPicker() const { return formPicker_; }

protected:
    void addPaths(const std::vector<std::filesystem::path> &paths) override;
    void refresh() override;

private:
    static Setup setup(HangulFilenameView *view);
    ResultRow row(int index) const;

    std::unique_ptr<HangulRenameEngine> engine_;
    QComboBox *formPicker_;
};
