#pragma once

#include <QLayout>
#include <QList>

// A row that wraps: its items stand side by side while they fit and go on to the next line when
// they do not, each at its size hint (never less than its minimum, never wider than the line), so
// a narrow window or a long translation moves controls down instead of cutting their text.
// Stretches (addStretch) take a line's spare width; the lines that follow a stretch at the end of a
// line are aligned right, as the stretch would have put them. Items are centred vertically in their
// line.
class FlowLayout : public QLayout {
public:
    explicit FlowLayout(QWidget *parent = nullptr, int horizontalSpacing = 12, int verticalSpacing = 8);
    ~FlowLayout() override;

    void addStretch();

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Places the items in the rectangle (only measures with `apply` false); returns the height used.
    int arrange(const QRect &rect, bool apply) const;

    QList<QLayoutItem *> items_;
    int horizontalSpacing_;
    int verticalSpacing_;
};
