#pragma once

#include <QAbstractButton>

// An on/off switch: a rounded track with a sliding knob, checkable, clicked like any button.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT

public:
    explicit ToggleSwitch(QWidget *parent = nullptr);
    // The large size shows a bigger switch (for a page's master switch).
    void setLarge(bool large);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool large_ = false;
};
