#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <vector>

class QWidget;

// What an open panel is asked for: files, folders or both, several at once.
struct OpenPanelRequest {
    bool allowsFiles = true;
    bool allowsFolders = true;
    QString prompt;  // the accept button
    QString message; // shown as the panel's title
};

// Lets the user choose files and folders; nothing (no value) when cancelled. Tests put their own
// in place of the dialog.
class OpenPanel {
public:
    virtual ~OpenPanel() = default;
    virtual std::optional<std::vector<std::filesystem::path>> choose(QWidget *parent,
                                                                     const OpenPanelRequest &request) = 0;
};

// Qt's own (non-native) file dialog, set up so that files and folders can be chosen together.
class FileDialogOpenPanel : public OpenPanel {
public:
    std::optional<std::vector<std::filesystem::path>> choose(QWidget *parent,
                                                             const OpenPanelRequest &request) override;
};
