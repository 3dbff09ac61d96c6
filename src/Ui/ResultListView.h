#pragma once

#include "Ui/EmptyStateWidget.h"
#include "Ui/PageStyle.h"

#include <QAbstractListModel>
#include <QListView>
#include <QString>
#include <QUuid>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QStackedLayout;
class QTimer;

// The status badge at the end of a row.
struct RowBadge {
    enum class Style { none, capsule, text, label, spinner, spinnerText };
    Style style = Style::none;
    QString text;
    QString symbol; // label only
    Tone tone = Tone::secondary;

    static RowBadge capsule(QString text, Tone tone = Tone::secondary)
    {
        return {Style::capsule, std::move(text), {}, tone};
    }
    static RowBadge plain(QString text, Tone tone) { return {Style::text, std::move(text), {}, tone}; }
    static RowBadge label(QString text, QString symbol, Tone tone)
    {
        return {Style::label, std::move(text), std::move(symbol), tone};
    }
    // "완료" or the name of what was made, with a green check.
    static RowBadge done(QString text);
    // "실패" in red; the row's tooltip carries the reason.
    static RowBadge failed();
    static RowBadge spinner(QString text = {})
    {
        return {text.isEmpty() ? Style::spinner : Style::spinnerText, std::move(text), {}, Tone::secondary};
    }
};

// What one row of a result list shows, left to right: a symbol, the name (with an arrow and the
// new name when there is one), an optional caption line, the folder, a size, a capsule and the
// badge. The tooltip carries a failure text.
struct ResultRow {
    QString symbol;
    Tone symbolTone = Tone::secondary;
    QString name;
    QString newName;
    QString note;
    Tone noteTone = Tone::secondary;
    QString folder;
    QString size;
    std::optional<RowBadge> capsule;
    RowBadge badge;
    QString tooltip;

    // A row showing the entry's name and the folder holding it.
    static ResultRow forPath(const std::filesystem::path &path);
    // The failed badge, with the reason in the tooltip.
    void fail(QString reason)
    {
        badge = RowBadge::failed();
        tooltip = std::move(reason);
    }
};

// The rows of a page, read from its engine on demand: nothing is copied, so a list of 100,000
// items costs only the rows on screen.
class ResultListModel : public QAbstractListModel {
    Q_OBJECT

public:
    struct Source {
        std::function<int()> count;
        // The row's identity; none: every change of the rows resets the list.
        std::function<QUuid(int)> id;
        std::function<ResultRow(int)> row;
        // Whether some row shows a spinner (rows then repaint as it turns); none: never.
        std::function<bool()> animating;
    };

    explicit ResultListModel(Source source, QObject *parent = nullptr);

    // Follows the engine: the same items (by id, in order) repaint, any other change resets.
    void sync();
    ResultRow row(int index) const { return source_.row(index); }
    bool isAnimating() const { return source_.animating && source_.animating(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    // Takes the rows anew.
    void reset();

    Source source_;
    std::vector<QUuid> ids_;
    int count_ = 0;
};

// Paints ResultRow values; every row has the same height.
class ResultRowDelegate : public QAbstractItemDelegate {
    Q_OBJECT

public:
    ResultRowDelegate(const ResultListModel *model, QObject *parent = nullptr);
    void setNoteLine(bool shown) { noteLine_ = shown; }
    void setFolderLine(bool shown) { folderLine_ = shown; }
    void setSpinnerPhase(int phase) { phase_ = phase; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const ResultListModel *model_;
    bool noteLine_ = false;
    bool folderLine_ = true;
    int phase_ = 0;
};

// The list area of a page: the rows, or the empty state when there are none.
class ResultListView : public QWidget {
    Q_OBJECT

public:
    ResultListView(ResultListModel::Source source, QWidget *parent = nullptr);

    ResultListModel *model() const { return model_; }
    QListView *list() const { return list_; }
    EmptyStateWidget *emptyState() const { return empty_; }
    ResultRowDelegate *delegate() const { return delegate_; }
    bool showsEmptyState() const;
    // Whether rows have room for a caption line under the name.
    void setNoteLine(bool shown);
    // Whether rows show the folder line under the name (on by default).
    void setFolderLine(bool shown);

    // Reads the engine again (rows, empty state, spinners).
    void sync();

private:
    ResultListModel *model_;
    ResultRowDelegate *delegate_;
    QListView *list_;
    EmptyStateWidget *empty_;
    QStackedLayout *stack_;
    QTimer *spin_;
    int phase_ = 0;
};
