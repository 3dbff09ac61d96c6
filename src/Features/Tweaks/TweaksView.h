#pragma once

#include "TweaksEngine.h"

#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class ElidedLabel;
class ToggleSwitch;

// The hidden-settings page: one switch per entry of the engine's table, the screenshot format and
// folder, and an explanation. It owns its engine for as long as it lives and reads the real values
// again each time it is shown.
class TweaksView : public QWidget {
    Q_OBJECT

public:
    // Asks for a folder; none when cancelled.
    using FolderChooser = std::function<std::optional<QString>(QWidget *parent)>;

    explicit TweaksView(std::unique_ptr<TweaksEngine> engine, QWidget *parent = nullptr);
    ~TweaksView() override;

    static QString navigationTitle();    // "맥 설정 스위치"
    static QString navigationSubtitle(); // "숨은 설정 켜고 끄기"

    TweaksEngine &engine() const { return *engine_; }
    // Replaces the standard folder dialog (tests).
    void setFolderChooser(FolderChooser chooser) { chooser_ = std::move(chooser); }
    // The standard folder dialog with the page's prompt and message.
    static std::optional<QString> chooseFolder(QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void pickScreenshotFolder();
    void sync();

    std::unique_ptr<TweaksEngine> engine_;
    FolderChooser chooser_;
    std::map<QString, ToggleSwitch *> switches_;
    ToggleSwitch *jpgSwitch_ = nullptr;
    ElidedLabel *location_ = nullptr;
};
