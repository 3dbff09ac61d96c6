#pragma once

#include <QColor>
#include <QWidget>

#include <optional>

// A widget drawn on a rounded rectangle: a fill and, optionally, a dashed edge.
class RoundedPanelWidget : public QWidget {
    Q_OBJECT

public:
    explicit RoundedPanelWidget(double radius, QWidget *parent = nullptr);

    void setFill(QColor fill);
    void setDashedEdge(std::optional<QColor> edge); // 2 px, dash 8, gap 6
    QColor fill() const { return fill_; }
    std::optional<QColor> dashedEdge() const { return edge_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double radius_;
    QColor fill_ = Qt::transparent;
    std::optional<QColor> edge_;
};

// The dashed card files are dropped on: a faint edge, or while a drag hovers the accent edge over a
// faint accent fill.
class DropCardWidget : public RoundedPanelWidget {
    Q_OBJECT

public:
    explicit DropCardWidget(QWidget *parent = nullptr);

    void setTargeted(bool targeted);
    bool isTargeted() const { return targeted_; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void paintLook();
    bool targeted_ = false;
};
