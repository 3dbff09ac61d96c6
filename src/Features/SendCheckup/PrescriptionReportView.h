#pragma once

#include "Ui/ElidedLabel.h"
#include "Ui/PageStyle.h"
#include "Ui/RoundedPanelWidget.h"

#include <QUuid>
#include <QWidget>

#include <array>
#include <filesystem>
#include <vector>

class DashboardBarWidget;
class QCheckBox;
class QGraphicsOpacityEffect;
class QGridLayout;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class SendCheckupEngine;

// One problem kind's card: whether the fix pass treats it, what was found and what became of it.
class PrescriptionCardWidget : public RoundedPanelWidget {
    Q_OBJECT

public:
    struct State {
        bool isOn = true;
        bool isFixed = false;
        int found = 0;
        int fixed = 0;
        int failed = 0;
        QString reason;
        QString fixVerb;
    };
    struct StatusLine {
        QString text;
        Tone tone;
        bool operator==(const StatusLine &) const = default;
    };
    // The first rule that holds: an outcome, nothing found, or the plan (or that it is skipped).
    static StatusLine statusLine(const State &state);
    // 0.55 for a kind with findings that is unticked before the pass, else 1.
    static double opacityFor(const State &state);

    PrescriptionCardWidget(const QString &icon, const QString &title, QWidget *parent = nullptr);

    void display(const State &state);
    double opacity() const { return opacity_; }

    QCheckBox *checkBox() const { return check_; }
    QLabel *iconLabel() const { return icon_; }
    QLabel *titleLabel() const { return title_; }
    QLabel *countLabel() const { return count_; }
    QLabel *statusLabel() const { return status_; }
    QLabel *reasonLabel() const { return reason_; }

signals:
    void toggled(bool on);

private:
    QString iconName_;
    QCheckBox *check_ = nullptr;
    QLabel *icon_ = nullptr;
    QLabel *title_ = nullptr;
    QLabel *count_ = nullptr;
    QLabel *status_ = nullptr;
    QLabel *reason_ = nullptr;
    QGraphicsOpacityEffect *effect_ = nullptr;
    double opacity_ = 1.0;
};

// What the dashboard shows while its tab holds files: the diagnosis (or, after the fix pass, its
// outcome) in one banner, a card per problem kind, and the action bar.
class PrescriptionReportView : public QWidget {
    Q_OBJECT

public:
    enum Card { hangulCard, junkCard, namesCard, heicCard };

    PrescriptionReportView(SendCheckupEngine &engine, QUuid session, QWidget *parent = nullptr);

    void refresh();

    // The last component of every root, composed (NFC), joined by ", ".
    static QString rootsSummary(const std::vector<std::filesystem::path> &roots);
    // How a decomposed name looks elsewhere: the Hangul engine's example, else a fixed sample.
    static QString brokenNameExample(const SendCheckupEngine &engine);

    QWidget *inferenceBanner() const { return inference_; }
    QWidget *doneBanner() const { return done_; }
    QLabel *inferenceIcon() const { return inferenceIcon_; }
    QLabel *inferenceMessage() const { return inferenceMessage_; }
    ElidedLabel *inferenceRoots() const { return inferenceRoots_; }
    QLabel *undoResult() const { return undoResult_; }
    QLabel *unreadableWarning() const { return unreadable_; }
    QLabel *doneTitle() const { return doneTitle_; }
    ElidedLabel *doneRoots() const { return doneRoots_; }
    PrescriptionCardWidget *card(Card which) const { return cards_[which]; }
    DashboardBarWidget *bar() const { return bar_; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *makeInferenceBanner();
    QWidget *makeDoneBanner();
    void arrangeCards();

    SendCheckupEngine &engine_;
    RoundedPanelWidget *inference_ = nullptr;
    QLabel *inferenceIcon_ = nullptr;
    QLabel *inferenceMessage_ = nullptr;
    ElidedLabel *inferenceRoots_ = nullptr;
    QLabel *undoDot_ = nullptr;
    QLabel *undoResult_ = nullptr;
    QWidget *unreadableRow_ = nullptr;
    QLabel *unreadable_ = nullptr;
    RoundedPanelWidget *done_ = nullptr;
    QLabel *doneTitle_ = nullptr;
    ElidedLabel *doneRoots_ = nullptr;
    std::array<PrescriptionCardWidget *, 4> cards_{};
    QScrollArea *scroll_ = nullptr;
    QGridLayout *grid_ = nullptr;
    int columns_ = 0; // of the cards' grid, once arranged
    DashboardBarWidget *bar_ = nullptr;
};
