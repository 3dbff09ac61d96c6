#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <optional>

// Colours, text styles and small building blocks shared by the dashboard's parts.
namespace DashboardStyle {

// Semantic colours; the name is kept on the label as the property "tone" (tests read it).
enum class Tone { primary, secondary, tertiary, accent, green, orange, red, blue, yellow };
QString toneName(Tone tone);
QColor color(Tone tone, const QPalette &palette);
void setTone(QWidget *widget, Tone tone);

enum class TextStyle { title, title2, title3, headline, body, callout, caption };
QFont font(TextStyle style, const QFont &base, QFont::Weight weight = QFont::Normal);

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
