#pragma once

#include "Ui/PageStyle.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <optional>

// Small building blocks shared by the dashboard's parts, in the page kit's colours and text sizes.
namespace DashboardStyle {

using ::Tone;
using PageStyle::color;
using PageStyle::font;
using PageStyle::toneName;
using TextStyle = TextSize;

// Colours the widget's text in the tone and keeps the tone's name on it (tests read it).
void setTone(QWidget *widget, Tone tone);

QLabel *label(const QString &text, TextStyle style, Tone tone, QWidget *parent,
              QFont::Weight weight = QFont::Normal);
// A symbol at the size of the text style, tinted.
QLabel *symbol(const QString &name, TextStyle style, Tone tone, QWidget *parent);
void setSymbol(QLabel *label, const QString &name, TextStyle style, Tone tone);

} // namespace DashboardStyle

// A widget drawn on a rounded rectangle: a fill and, optionally, a dashed edge.
class RoundedPanelWidget : public QWidget {
    Q_OBJECT

public:
    explicit RoundedPanelWidget(double radius, QWidget *parent = nullptr);

    void setFill(QColor fill);
    void setDashedEdge(std::optional<QColor> edge); // 2 px, dash 8, gap 6
    QColor fill() const { return fill_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double radius_;
    QColor fill_ = Qt::transparent;
    std::optional<QColor> edge_;
};

// One line of text shortened in the middle to fit; the full text stays readable in fullText().
class ElidedLabelWidget : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabelWidget(QWidget *parent = nullptr);

    void setFullText(const QString &text);
    const QString &fullText() const { return full_; }
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void elide();
    QString full_;
};
