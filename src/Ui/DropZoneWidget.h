#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QVariantAnimation;

// A symbol that bounces (a short scale animation) when asked.
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

// The empty state of a tool page: a dashed card with the tool's symbol, two lines of text and a
// button that opens the panel, and below it a box explaining the tool.
class DropZoneWidget : public QWidget {
    Q_OBJECT

public:
    struct Content {
        QString symbol;
        QString title;
        QString subtitle;
        QString button;
        QString info;
    };

    explicit DropZoneWidget(const Content &content, QWidget *parent = nullptr);

    // Accent colours while a drag hovers; the symbol bounces at each change.
    void setTargeted(bool targeted);
    bool isTargeted() const { return targeted_; }

    QPushButton *pickButton() const { return button_; }
    BouncingSymbolWidget *symbol() const { return symbol_; }

signals:
    void pickRequested();

private:
    class Card;
    Card *card_;
    BouncingSymbolWidget *symbol_;
    QPushButton *button_;
    bool targeted_ = false;
};
