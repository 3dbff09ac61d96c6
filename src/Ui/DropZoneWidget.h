#pragma once

#include "Ui/BouncingSymbolWidget.h"
#include "Ui/PageStyle.h"

#include <QString>
#include <QWidget>

#include <vector>

class DropCardWidget;
class QPushButton;

// The empty state of a tool page: a dashed card with the tool's symbol, its lines of text and a
// button that opens the panel, and below it a box explaining the tool.
class DropZoneWidget : public QWidget {
    Q_OBJECT

public:
    // A line under the card's title; callout unless said otherwise.
    struct Line {
        Line(QString text, TextSize size = TextSize::callout) : text(std::move(text)), size(size) {}
        QString text;
        TextSize size;
    };
    struct Content {
        QString symbol;
        QString title;
        std::vector<Line> subtitle;
        QString button;
        QString info;
    };

    explicit DropZoneWidget(const Content &content, QWidget *parent = nullptr);

    // Accent colours while a drag hovers; the symbol bounces at each change.
    void setTargeted(bool targeted);
    bool isTargeted() const;

    QPushButton *pickButton() const { return button_; }
    BouncingSymbolWidget *symbol() const { return symbol_; }

signals:
    void pickRequested();

private:
    DropCardWidget *card_;
    BouncingSymbolWidget *symbol_;
    QPushButton *button_;
};
