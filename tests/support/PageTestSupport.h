#pragma once

#include "Core/FilePath.h"
#include "Ui/BottomBarWidget.h"
#include "Ui/OpenPanel.h"
#include "Ui/ToolPageWidget.h"
#include "support/SaveShot.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace PageTest {

// The raw uri-list a file manager hands over for these files.
inline QByteArray uriList(const std::vector<std::filesystem::path> &paths)
{
    QByteArray list;
    for (const auto &p : paths) {
        const std::string url = FilePath::toFileUrl(p);
        list += QByteArray(url.data(), qsizetype(url.size())) + "\r\n";
    }
    return list;
}

// Drags the files over the page and drops them, as a file manager would; true when the page
// accepted the drop.
inline bool drop(QWidget *page, const std::vector<std::filesystem::path> &paths)
{
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), uriList(paths));
    const QPoint at = page->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(page, &enter);
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(page, &dropped);
    return dropped.isAccepted();
}

// An open panel that answers as the test says and remembers what it was asked.
class FakeOpenPanel : public OpenPanel {
public:
    explicit FakeOpenPanel(std::optional<std::vector<std::filesystem::path>> answer,
                           OpenPanelRequest *asked = nullptr)
        : answer_(std::move(answer)), asked_(asked)
    {
    }
    std::optional<std::vector<std::filesystem::path>> choose(QWidget *,
                                                             const OpenPanelRequest &request) override
    {
        if (asked_)
            *asked_ = request;
        return answer_;
    }

private:
    std::optional<std::vector<std::filesystem::path>> answer_;
    OpenPanelRequest *asked_;
};

inline std::string text(const QString &s)
{
    return s.toStdString();
}

inline std::string summary(ToolPageWidget *page)
{
    return text(page->bottomBar()->summary()->text());
}

inline std::string action(ToolPageWidget *page)
{
    return text(page->bottomBar()->actionButton()->text());
}

inline bool actionEnabled(ToolPageWidget *page)
{
    return page->bottomBar()->actionButton()->isEnabled();
}

// The permission line's text, empty while it is hidden.
inline std::string permission(ToolPageWidget *page)
{
    QLabel *label = page->bottomBar()->permission();
    return label->isVisibleTo(page->bottomBar()) ? text(label->text()) : std::string();
}

inline ResultRow row(ToolPageWidget *page, int index)
{
    return page->results()->model()->row(index);
}

inline int rowCount(ToolPageWidget *page)
{
    return page->results()->model()->rowCount();
}

// Shows the page at a common size and saves its picture as saveShot does.
inline void shoot(QWidget *page, const QString &name)
{
    page->resize(820, 560);
    page->show();
    QApplication::processEvents();
    TestSupport::saveShot(*page, name);
}

} // namespace PageTest
