#pragma once

#include "Features/TextEncoding/TextEncodingEngine.h"
#include "Ui/ToolPageWidget.h"

#include <memory>

class QComboBox;

// The page of the text tool: text files with their detected encoding and line endings, and the
// toolbar's target encoding and line ending; every file that does not match is rewritten.
class TextEncodingView : public ToolPageWidget {
    Q_OBJECT

public:
    explicit TextEncodingView(std::unique_ptr<TextEncodingEngine> engine, QWidget *parent = nullptr);

    TextEncodingEngine &engine() { return *engine_; }
    QComboBox *targetPicker() const { return targetPicker_; }
    QComboBox *lineEndingPicker() const { return lineEndingPicker_; }

protected:
    void addPaths(const std::vector<std::filesystem::path> &paths) override;
    void refresh() override;

private:
    static Setup setup(TextEncodingView *view);
    ResultRow row(int index) const;

    std::unique_ptr<TextEncodingEngine> engine_;
    QComboBox *targetPicker_;
    QComboBox *lineEndingPicker_;
};
