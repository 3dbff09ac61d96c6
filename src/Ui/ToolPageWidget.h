#pragma once

#include "Ui/DropZoneWidget.h"
#include "Ui/OpenPanel.h"
#include "Ui/ResultListView.h"

#include <QByteArray>
#include <QComboBox>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class BottomBarWidget;
class PageHeaderWidget;
class QStackedLayout;

// The frame every file tool page shares: a header with the page's title and toolbar, the drop
// zone while nothing was added, else the result list over the bottom bar. The whole page takes
// dropped files; the concrete page says what its engine makes of them and how its rows look.
class ToolPageWidget : public QWidget {
    Q_OBJECT

public:
    struct Setup {
        QString title;
        QString subtitle;
        DropZoneWidget::Content dropZone;
        OpenPanelRequest panel;
        ResultListModel::Source rows;
    };

    // The rows of an engine's item list (items() gives the list, each item with its id) as the page's
    // row(i) draws them.
    template <class Items, class Row>
    static ResultListModel::Source rowsOf(Items items, Row row, std::function<bool()> animating = {})
    {
        return {[items] { return int(items().size()); },
                [items](int i) { return items()[std::size_t(i)].id; }, std::move(row), std::move(animating)};
    }

    ToolPageWidget(const Setup &setup, QWidget *parent = nullptr);
    ~ToolPageWidget() override;

    // The parts of a summary that apply, joined with " · ".
    static QString joinParts(const QStringList &parts);

    void setOpenPanel(std::unique_ptr<OpenPanel> panel);
    // Opens the panel; confirmed choices go to the engine like a drop.
    void pick();

    bool isDropTargeted() const { return dropTargeted_; }
    bool showsResults() const;
    DropZoneWidget *dropZone() const { return dropZone_; }
    ResultListView *results() const { return results_; }
    BottomBarWidget *bottomBar() const { return bottomBar_; }

    // Reads the engine into the page now (pages call it after each action they start; engine
    // signals ask for it through scheduleRefresh, which folds a burst of changes into one).
    void refreshNow();

protected:
    virtual void addPaths(const std::vector<std::filesystem::path> &paths) = 0;
    virtual void refresh() = 0;
    void scheduleRefresh();
    void showResults(bool shown);
    void addToolbarWidget(QWidget *widget);
    // The bottom bar's line: the summary parts that apply, the folders that could not be read, and the
    // main button.
    void showSummary(const QStringList &parts, long long unreadable, const QString &action,
                     bool actionEnabled);
    // "완료 N개" and "실패 N개", each only when its count is above zero: the parts most summaries share.
    static void addDoneAndFailed(QStringList &parts, long long done, long long failed);
    // What "비우기" and the main button do; the page is read again after each.
    void setBottomActions(std::function<void()> clear, std::function<void()> action);
    // A titled picker in the toolbar; each option is its label and its raw value (the item data).
    QComboBox *addToolbarPicker(const QString &title, const QList<std::pair<QString, QString>> &options,
                                const QString &help = {});
    // Shows the option of this raw value without telling anyone.
    static void selectOption(QComboBox *picker, const QString &raw);
    // A titled toolbar picker of one engine choice: the options are `all`, shown by label() and keyed
    // by raw() (the item data); a pick goes to choose(), and each refresh shows current() again.
    template <class Choice, std::size_t N, class Label, class Raw, class Current, class Choose>
    QComboBox *addChoicePicker(const QString &title, const std::array<Choice, N> &all, Label label, Raw raw,
                               Current current, Choose choose, const QString &help = {})
    {
        QList<std::pair<QString, QString>> options;
        for (const Choice &choice : all)
            options.append({label(choice), raw(choice)});
        QComboBox *picker = addToolbarPicker(title, options, help);
        connect(picker, &QComboBox::activated, this, [this, all, choose](int index) {
            if (index >= 0 && std::size_t(index) < N)
                choose(all[std::size_t(index)]);
            refreshNow();
        });
        pickerSyncs_.push_back([picker, raw, current] { selectOption(picker, raw(current())); });
        return picker;
    }
    // Each of the sender's signals asks for a refresh.
    template <class Sender, class... Changes> void refreshOn(const Sender *sender, Changes... changes)
    {
        (connect(sender, changes, this, &ToolPageWidget::scheduleRefresh), ...);
    }

private:
    void setDropTargeted(bool targeted);

    OpenPanelRequest panelRequest_;
    std::unique_ptr<OpenPanel> panel_;
    PageHeaderWidget *header_;
    QStackedLayout *stack_;
    DropZoneWidget *dropZone_;
    QWidget *resultPage_;
    ResultListView *results_;
    BottomBarWidget *bottomBar_;
    std::vector<std::function<void()>> pickerSyncs_;
    bool dropTargeted_ = false;
    bool refreshPending_ = false;
};
