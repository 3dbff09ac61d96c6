#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

// The bar under a page's list: the summary, the permission warning, "비우기" and the main action.
class BottomBarWidget : public QWidget {
    Q_OBJECT

public:
    explicit BottomBarWidget(QWidget *parent = nullptr);

    void setSummary(const QString &text);
    // The orange line about folders that could not be read; hidden for 0.
    void setUnreadableCount(long long count);
    void setAction(const QString &text, bool enabled);
    // While busy the action shows a turning spinner beside its text.
    void setBusy(bool busy);
    void setClearEnabled(bool enabled);

    QLabel *summary() const { return summary_; }
    QLabel *permission() const { return permissionText_; }
    QPushButton *clearButton() const { return clear_; }
    QPushButton *actionButton() const { return action_; }
    bool isBusy() const { return busy_; }

signals:
    void clearClicked();
    void actionClicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawSpinnerFrame();

    QLabel *summary_;
    QLabel *permissionText_;
    QWidget *permissionRow_;
    QPushButton *clear_;
    QPushButton *action_;
    QTimer *spin_;
    int phase_ = 0;
    bool busy_ = false;
};
