#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;

// The head of a page, above a divider: the page's navigation title over its subtitle, and at the
// right the page's own controls.
class PageHeaderWidget : public QWidget {
    Q_OBJECT

public:
    PageHeaderWidget(const QString &title, const QString &subtitle, QWidget *parent = nullptr);

    void addControl(QWidget *control);

    QLabel *titleLabel() const { return title_; }
    QLabel *subtitleLabel() const { return subtitle_; }

private:
    QHBoxLayout *row_;
    QLabel *title_;
    QLabel *subtitle_;
};
