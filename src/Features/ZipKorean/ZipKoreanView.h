#pragma once

#include "Features/ZipKorean/ZipKoreanEngine.h"

#include <QUuid>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DropZoneWidget;
class ElidedLabel;
class EmptyStateWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class ResultListView;
struct ResultRow;

// The page of the compress-and-extract tool: a drop zone while nothing is open, an opened archive
// with its entries and the extraction bar, or the items about to be packed with the creation bar.
// Every decision is the engine's; the page shows its state, binds controls to its fields and calls
// one operation per button.
class ZipKoreanView : public QWidget {
    Q_OBJECT

public:
    using PathList = std::vector<std::filesystem::path>;
    // Asks for files and folders; none when cancelled.
    using ItemChooser = std::function<std::optional<PathList>(QWidget *parent)>;

    ZipKoreanView(std::unique_ptr<ZipKoreanEngine> engine, QUuid session, QWidget *parent = nullptr);
    ~ZipKoreanView() override;

    static QString navigationTitle();    // "압축 도구"
    static QString navigationSubtitle(); // "한글 깨짐 없는 압축·해제"

    ZipKoreanEngine &engine() const { return *engine_; }
    bool isDropTargeted() const { return isDropTargeted_; }

    void setItemChooser(ItemChooser chooser) { chooser_ = std::move(chooser); }

    // The open panel choosing files and folders together, with the page's prompt and message.
    static std::optional<PathList> chooseItems(QWidget *parent);

    // The summaries under the lists, as the bars show them.
    QString extractSummary() const;
    QString createSubtitle() const;
    QString createSummary() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildIdle();
    QWidget *buildExtract();
    QWidget *buildCreate();
    void pickFiles();
    void reveal(const std::filesystem::path &item);
    void takeHandoff();
    void setDropTargeted(bool on);
    void rebuildEntries();
    ResultRow entryRow(int index) const;
    ResultRow sourceRow(int index) const;
    void sync();

    std::unique_ptr<ZipKoreanEngine> engine_;
    QUuid session_;
    bool isDropTargeted_ = false;
    ItemChooser chooser_;

    QStackedWidget *stack_ = nullptr;
    QWidget *idle_ = nullptr;
    QWidget *extract_ = nullptr;
    QWidget *create_ = nullptr;
    DropZoneWidget *dropZone_ = nullptr;

    ElidedLabel *extractTitle_ = nullptr;
    QLabel *extractSubtitle_ = nullptr;
    QStackedWidget *content_ = nullptr;
    EmptyStateWidget *errorPlaceholder_ = nullptr;
    EmptyStateWidget *passwordPrompt_ = nullptr;
    ResultListView *entryList_ = nullptr;
    std::vector<std::size_t> fileRows_; // the rows of displayEntries that are files
    QLabel *extractError_ = nullptr;
    QWidget *extractDone_ = nullptr;
    QLineEdit *passwordField_ = nullptr;
    QCheckBox *junkCheck_ = nullptr;
    QLabel *extractSummary_ = nullptr;
    QPushButton *extractButton_ = nullptr;

    ElidedLabel *createTitle_ = nullptr;
    QLabel *createSubtitle_ = nullptr;
    ResultListView *sourceList_ = nullptr;
    QLabel *createError_ = nullptr;
    QWidget *options_ = nullptr;
    QComboBox *formatPicker_ = nullptr;
    QLineEdit *createPasswordField_ = nullptr;
    QComboBox *encryptionPicker_ = nullptr;
    QCheckBox *hideNamesCheck_ = nullptr;
    QLabel *createSummary_ = nullptr;
    QWidget *createDone_ = nullptr;
    QWidget *createUnreadable_ = nullptr;
    QLabel *createUnreadableText_ = nullptr;
    QPushButton *createButton_ = nullptr;
};
