#pragma once

#include <QFileDialog>

#include <filesystem>
#include <optional>
#include <vector>

// The dashboard's open panel: files and folders, several at once. Qt's own dialog picks either
// files or folders, so the rows chosen in its views are read directly.
class OpenPanelDialog : public QFileDialog {
    Q_OBJECT

public:
    explicit OpenPanelDialog(QWidget *parent = nullptr);

    // Runs the panel modally; nothing when it was cancelled.
    static std::optional<std::vector<std::filesystem::path>> run(QWidget *parent);

    const std::vector<std::filesystem::path> &chosen() const { return chosen_; }

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void allowSeveral();

    std::vector<std::filesystem::path> chosen_;
};
