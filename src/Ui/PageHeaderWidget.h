#pragma once

#include <QWidget>

class FlowLayout;
class QLabel;
class QVBoxLayout;

// The head of a page, above a divider: the page's navigation title over its subtitle, and at the
// right the page's own controls.
class PageHeaderWidget : public QWidget {
    Q_OBJECT

public:
    PageHeaderWidget(const QString &title, const QString &subtitle, QWidget *parent = nullptr);
    // Lays the page out as a column without margins that starts with its header; returns the column.
    static QVBoxLayout *pageColumn(QWidget *page, const QString &title, const QString &subtitle);

    void addControl(QWidget *control);

    QLabel *titleLabel() const { return title_; }
    QLabel *subtitleLabel() const { return subtitle_; }

private:
    FlowLayout *row_;
    QLabel *title_;
    QLabel *subtitle_;
};
