#pragma once

#include <QLabel>

// One line of text shortened in the middle to the width the label is given; the whole text stays
// in fullText() and the tooltip. A label that is not on screen has been given no width yet and
// holds the whole text until it is shown.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString &text = {}, QWidget *parent = nullptr);

    void setFullText(const QString &text);
    const QString &fullText() const { return full_; }

    // Room for a few letters at least; ideally the whole text.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void elide();
    QString full_;
};
