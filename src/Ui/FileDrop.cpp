#include "Ui/FileDrop.h"

#include "Core/FilePath.h"
#include "Core/Pasteboard.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

#include <string_view>
#include <utility>

namespace {

// Whether a URL list names any address at all: a line that is neither blank nor a comment.
bool namesAddresses(const QByteArray &uriList)
{
    for (const QByteArray &line : uriList.split('\n')) {
        const QByteArray address = line.trimmed();
        if (!address.isEmpty() && !address.startsWith('#'))
            return true;
    }
    return false;
}

class DropTarget : public QObject {
public:
    DropTarget(QWidget *page, std::function<void(bool)> hovered,
               std::function<void(const FileDrop::Paths &)> dropped)
        : QObject(page), hovered_(std::move(hovered)), dropped_(std::move(dropped))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (!FileDrop::takes(drag->mimeData())) {
                drag->ignore();
                return true;
            }
            drag->acceptProposedAction();
            if (event->type() == QEvent::DragEnter)
                hovered_(true);
            return true;
        }
        case QEvent::DragLeave:
            hovered_(false);
            return true;
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            hovered_(false);
            if (!FileDrop::takes(drop->mimeData())) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            dropped_(FileDrop::paths(drop->mimeData()));
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    std::function<void(bool)> hovered_;
    std::function<void(const FileDrop::Paths &)> dropped_;
};

} // namespace

namespace FileDrop {

Paths paths(const QByteArray &uriList)
{
    return FilePath::fromUriList(std::string_view(uriList.constData(), std::size_t(uriList.size())));
}

Paths paths(const QMimeData *mime)
{
    if (mime == nullptr)
        return {};
    return paths(mime->data(Pasteboard::urlList));
}

bool takes(const QMimeData *mime)
{
    if (mime == nullptr || !mime->hasFormat(Pasteboard::urlList))
        return false;
    // A list that names nothing is taken and adds nothing, as a drop whose files came to nothing.
    const QByteArray uriList = mime->data(Pasteboard::urlList);
    return !paths(uriList).empty() || !namesAddresses(uriList);
}

void accept(QWidget *page, std::function<void(bool)> hovered, std::function<void(const Paths &)> dropped)
{
    page->setAcceptDrops(true);
    page->installEventFilter(new DropTarget(page, std::move(hovered), std::move(dropped)));
}

} // namespace FileDrop
