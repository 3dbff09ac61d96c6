#pragma once

#include <QString>
#include <QUuid>
#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QStackedWidget;
class SendCheckupEngine;

// The commands below the report: before the fix pass empty, scan again and fix the ticked kinds;
// after it undo, empty, and hand the files on (clipboard, file manager, compress-and-extract tool).
class DashboardBarWidget : public QWidget {
    Q_OBJECT

public:
    DashboardBarWidget(SendCheckupEngine &engine, QUuid session, QWidget *parent = nullptr);

    void refresh();

    static int totalPending(const SendCheckupEngine &engine);
    // The fix button's label for the number of ticked kinds with findings.
    static QString fixLabel(int selectedKinds);

    QWidget *dashboardBar() const { return dashboardBar_; }
    QWidget *completionBar() const { return completionBar_; }
    QPushButton *fixButton() const { return fix_; }
    QLabel *nothingToFix() const { return nothing_; }
    QPushButton *undoButton() const { return undo_; }
    QPushButton *shareButton() const { return share_; }
    QPushButton *showButton() const { return show_; }
    QPushButton *zipButton() const { return zip_; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct SymbolButton {
        QPushButton *button;
        QString text;
        QString tip;
    };

    QWidget *makeDashboardBar();
    void setCompact(bool compact);
    QWidget *makeCompletionBar();
    void share();

    SendCheckupEngine &engine_;
    QUuid session_;
    QStackedWidget *stack_ = nullptr;
    QWidget *dashboardBar_ = nullptr;
    QWidget *completionBar_ = nullptr;
    QPushButton *fix_ = nullptr;
    QLabel *nothing_ = nullptr;
    QPushButton *undo_ = nullptr;
    QPushButton *share_ = nullptr;
    QPushButton *show_ = nullptr;
    QPushButton *zip_ = nullptr;
    std::vector<SymbolButton> symbolButtons_;
    int compactBelow_ = 0; // the width under which the completion bar goes compact
    bool compact_ = false;
};
