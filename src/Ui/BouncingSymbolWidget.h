#pragma once

#include <QString>
#include <QWidget>

class QVariantAnimation;

// A symbol in the secondary or the accent colour that bounces (a short scale animation) when asked.
class BouncingSymbolWidget : public QWidget {
    Q_OBJECT

public:
    BouncingSymbolWidget(QString symbol, int side, QWidget *parent = nullptr);
    void setTone(bool accent);
    void bounce();
    bool isBouncing() const;
    bool isAccent() const { return accent_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString symbol_;
    int side_;
    bool accent_ = false;
    double scale_ = 1.0;
    QVariantAnimation *animation_;
};
