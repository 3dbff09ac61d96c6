#pragma once

#include "Features/DSStoreCleaner/DSStoreCleanerEngine.h"
#include "Ui/ToolPageWidget.h"

#include <memory>

class QAction;
class QToolButton;

// The page of the junk cleaner: the macOS junk found below the dropped folders, with sizes,
// moved to the Trash all at once; a toolbar menu chooses the kinds to look for.
class DSStoreCleanerView : public ToolPageWidget {
    Q_OBJECT

public:
    explicit DSStoreCleanerView(std::unique_ptr<DSStoreCleanerEngine> engine, QWidget *parent = nullptr);

    DSStoreCleanerEngine &engine() { return *engine_; }
    QToolButton *kindMenuButton() const { return kindMenu_; }
    // The menu's toggles: ".DS_Store 파일", "._ 파일 (AppleDouble)", "__MACOSX 폴더".
    QAction *kindToggle(DSStoreCleanerEngine::Kind kind) const;

protected:
    void addPaths(const std::vector<std::filesystem::path> &paths) override;
    void refresh() override;

private:
    static Setup setup(DSStoreCleanerView *view);
    ResultRow row(int index) const;

    std::unique_ptr<DSStoreCleanerEngine> engine_;
    QToolButton *kindMenu_;
    QAction *dsStore_;
    QAction *appleDouble_;
    QAction *macosx_;
};
