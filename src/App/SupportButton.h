#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPainterPath>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <optional>

class QLabel;

// A small glossy pink heart. While its window is active and motion is allowed it beats every
// 1.95 seconds in step with the clock, and each beat throws out a small heart in the next of
// eight colours, which flies up and fades; otherwise it stands still.
class SupportHeart : public QWidget {
    Q_OBJECT

public:
    struct Shell {
        double scaleX = 1;
        double scaleY = 1;
        double rotation = 0; // degrees
        double anchorX = 0.5;
        double anchorY = 0.5;
    };

    explicit SupportHeart(QWidget *parent = nullptr);
    ~SupportHeart() override;

    // The big heart's shape at a time within the beat (0 <= t < 1.95).
    static Shell shellShape(double t);
    // The outline of a heart fitted to a rectangle.
    static QPainterPath heartPath(const QRectF &rect);
    // A small heart's base colour and its lighter shade (28 % of the way to white).
    static std::pair<QColor, QColor> babyShades(int index);

    // The setting that asks for less motion (the desktop exposes none to Qt); off by default.
    static bool reduceMotion();
    static void setReduceMotion(bool reduce);

    // Whether the heart is animating now.
    bool isAnimating() const { return timer_.isActive(); }

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    class Canvas;
    void updateAnimation();
    void frame();
    // Seconds within the current beat and the beat's number, from the clock.
    static std::pair<double, long long> beat();

    QTimer timer_;
    QPointer<Canvas> canvas_;
};

// A link-styled button: the heart and a label; it opens the maker's support page. Without a
// title or tooltip, the language's defaults are shown; given ones are shown unchanged.
class SupportButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit SupportButton(const std::optional<QString> &title = std::nullopt,
                           const std::optional<QString> &tooltip = std::nullopt, QWidget *parent = nullptr);

    SupportHeart *heart() const { return heart_; }
    QLabel *label() const { return label_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SupportHeart *heart_ = nullptr;
    QLabel *label_ = nullptr;
};
