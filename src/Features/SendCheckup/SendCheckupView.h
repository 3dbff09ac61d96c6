#pragma once

#include <QDate>
#include <QUuid>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class DailyWordStore;
class PrescriptionReportView;
class QLabel;
class QMessageBox;
class QPushButton;
class QStackedLayout;
class QTimer;
class BouncingSymbolWidget;
class DropCardWidget;
class SendCheckupEngine;

// The home page of every tab: takes dropped or chosen files and folders for the tab's send
// checkup, asks what to do with files that arrive while the tab already holds some, and shows
// either the empty drop zone with the word of the day or the prescription report.
class SendCheckupView : public QWidget {
    Q_OBJECT

public:
    using PathList = std::vector<std::filesystem::path>;
    // Returns the chosen items, or nothing when the chooser was cancelled.
    using FilePicker = std::function<std::optional<PathList>()>;

    SendCheckupView(SendCheckupEngine &engine, QUuid session, QWidget *parent = nullptr);

    static QString navigationTitle();
    static QString navigationSubtitle();

    // Files reaching this tab: added at once to an empty tab, else kept pending for the question.
    void arrive(const PathList &files);
    // The open panel (files and folders, several at once), then the arrival rule.
    void pickFiles();

    bool isDropTargeted() const { return dropTargeted_; }
    bool showsReport() const;

    // Tests stand in for the open panel, the word store and the date.
    void setFilePicker(FilePicker picker) { picker_ = std::move(picker); }
    void setDailyWordSource(const DailyWordStore *store, std::function<QDate()> today);

    QWidget *emptyState() const { return empty_; }
    PrescriptionReportView *report() const { return report_; }
    QWidget *dailyWordCard() const { return wordCard_; }
    QLabel *dailyWordText() const { return wordText_; }
    QLabel *dailyWordSource() const { return wordSource_; }
    DropCardWidget *dropZone() const { return zone_; }
    QMessageBox *arrivalQuestion() const { return question_; }
    // Brings the page up to date with the engine now (changes are otherwise gathered briefly).
    void refresh();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeEmptyState();
    QWidget *makeDropZone(QWidget *parent);
    QWidget *makeInfoBox(QWidget *parent);
    void scheduleRefresh();
    void refreshDailyWord();
    void setDropTargeted(bool targeted);
    void syncArrivalQuestion();
    void answerArrivalQuestion(QMessageBox *box);

    SendCheckupEngine &engine_;
    QUuid session_;
    bool dropTargeted_ = false;
    FilePicker picker_;
    const DailyWordStore *wordStore_ = nullptr;
    std::function<QDate()> today_;

    QStackedLayout *frame_ = nullptr;
    QWidget *empty_ = nullptr;
    PrescriptionReportView *report_ = nullptr;
    DropCardWidget *zone_ = nullptr;
    BouncingSymbolWidget *hammer_ = nullptr;
    QPushButton *pick_ = nullptr;
    QWidget *wordSlot_ = nullptr;
    QWidget *wordCard_ = nullptr;
    QLabel *wordText_ = nullptr;
    QLabel *wordSource_ = nullptr;
    QMessageBox *question_ = nullptr;
    QPushButton *addHere_ = nullptr;
    QPushButton *newTab_ = nullptr;
    QPushButton *cancel_ = nullptr;
    QTimer *refreshTimer_ = nullptr;
};
