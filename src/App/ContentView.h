#pragma once

#include "App/UtilityView.h"
#include "Core/Utility.h"

#include <QMetaObject>
#include <QUrl>
#include <QUuid>
#include <QWidget>

#include <optional>

class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;

// The content of one window tab: the sidebar of tools and the selected tool's page. The tab's
// session lives here: the host window tells it when the tab's content appears (the tab was
// created), disappears (the tab was closed) and becomes the key tab.
class ContentView : public QWidget {
    Q_OBJECT

public:
    // A tab without a session value gets a fresh one, fixed for the life of the view.
    explicit ContentView(std::optional<QUuid> session = std::nullopt, QWidget *parent = nullptr);
    ~ContentView() override;

    const QUuid &session() const { return session_; }
    std::optional<Utility> selection() const { return selection_; }
    void setSelection(std::optional<Utility> tool);

    // Lifecycle, driven by the host window.
    void contentAppeared();
    void contentDisappeared();
    void becameKey();
    bool hasAppeared() const { return appeared_; }

    QTreeWidget *sidebar() const { return sidebar_; }
    QWidget *detailPage() const { return detail_; }

    // The pre-filled mail that asks the maker for a new tool.
    static QUrl newToolRequestUrl();
    static QString feedbackAddress();

signals:
    void selectionChanged();

private:
    QWidget *makeSidebar();
    QTreeWidgetItem *makeRow(Utility tool);
    void syncSidebarSelection();
    void sidebarSelectionChanged();
    void showDetail();
    void takePendingTool();
    void requestNewTool();

    QUuid session_;
    std::optional<Utility> selection_ = Utility::sendCheckup;
    bool appeared_ = false;
    bool disappeared_ = false;
    QMetaObject::Connection pendingConnection_;

    QTreeWidget *sidebar_ = nullptr;
    QVBoxLayout *detailLayout_ = nullptr;
    QWidget *detail_ = nullptr;
};
