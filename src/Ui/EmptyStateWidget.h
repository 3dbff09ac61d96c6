#pragma once

#include <QString>
#include <QWidget>

class QLabel;

// The platform's "content unavailable" panel: a large symbol, a title and a description.
class EmptyStateWidget : public QWidget {
    Q_OBJECT

public:
    explicit EmptyStateWidget(QWidget *parent = nullptr);
    void setContent(const QString &symbol, const QString &title, const QString &description);
    QString title() const;
    QString description() const;
    QLabel *titleLabel() const { return title_; }
    QLabel *descriptionLabel() const { return description_; }

private:
    QLabel *symbol_;
    QLabel *title_;
    QLabel *description_;
    QString symbolName_;
};
