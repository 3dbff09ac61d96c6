#include "Ui/FlowLayout.h"

#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

bool isStretch(QLayoutItem *item)
{
    return item->spacerItem() != nullptr;
}

int hintWidth(QLayoutItem *item)
{
    return std::max(item->sizeHint().width(), item->minimumSize().width());
}

// The least width an item needs: its size hint, or for one whose height follows its width
// (wrapped text) only its minimum, as it can take more lines instead.
int neededWidth(QLayoutItem *item)
{
    return item->hasHeightForWidth() ? item->minimumSize().width() : hintWidth(item);
}

int heightAt(QLayoutItem *item, int width)
{
    const int h = item->hasHeightForWidth() ? item->heightForWidth(width) : item->sizeHint().height();
    return std::max(h, item->minimumSize().height());
}

} // namespace

FlowLayout::FlowLayout(QWidget *parent, int horizontalSpacing, int verticalSpacing)
    : QLayout(parent), horizontalSpacing_(horizontalSpacing), verticalSpacing_(verticalSpacing)
{
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void FlowLayout::addStretch()
{
    addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
}

void FlowLayout::addItem(QLayoutItem *item)
{
    items_.append(item);
    invalidate();
}

int FlowLayout::count() const
{
    return int(items_.size());
}

QLayoutItem *FlowLayout::itemAt(int index) const
{
    return index >= 0 && index < items_.size() ? items_.at(index) : nullptr;
}

QLayoutItem *FlowLayout::takeAt(int index)
{
    if (index < 0 || index >= items_.size())
        return nullptr;
    QLayoutItem *item = items_.takeAt(index);
    invalidate();
    return item;
}

Qt::Orientations FlowLayout::expandingDirections() const
{
    return {};
}

bool FlowLayout::hasHeightForWidth() const
{
    return true;
}

int FlowLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize FlowLayout::minimumSize() const
{
    // Each item on a line of its own.
    QSize size;
    for (QLayoutItem *item : items_)
        if (!item->isEmpty())
            size = size.expandedTo(QSize(neededWidth(item), item->minimumSize().height()));
    const QMargins m = contentsMargins();
    return size.grownBy(m);
}

QSize FlowLayout::sizeHint() const
{
    // Everything on one line.
    int width = 0;
    int height = 0;
    int shown = 0;
    for (QLayoutItem *item : items_) {
        if (item->isEmpty())
            continue;
        const QSize hint = item->sizeHint().expandedTo(item->minimumSize());
        width += hint.width() + (shown++ > 0 ? horizontalSpacing_ : 0);
        height = std::max(height, hint.height());
    }
    const QMargins m = contentsMargins();
    return QSize(width, height).grownBy(m);
}

void FlowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::arrange(const QRect &rect, bool apply) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int available = std::max(1, area.width());
    struct Placed {
        QLayoutItem *item;
        int width;
    };
    struct Line {
        std::vector<Placed> items;
        int used = 0;  // width of the items and the gaps between them
        int shown = 0; // items that are not stretches
        bool right = false;
    };
    std::vector<Line> lines(1);
    for (QLayoutItem *item : items_) {
        const bool stretch = isStretch(item);
        if (item->isEmpty() && !stretch)
            continue; // a hidden widget
        Line *line = &lines.back();
        if (stretch) {
            line->items.push_back({item, 0});
            continue;
        }
        const int width = std::min(available, hintWidth(item));
        if (line->shown > 0 && line->used + horizontalSpacing_ + width > available) {
            // A line that follows a stretch at the end of the one before goes to the right, and
            // so do the lines after it.
            const bool right = line->right || isStretch(line->items.back().item);
            lines.emplace_back();
            line = &lines.back();
            line->right = right;
        }
        line->used += (line->shown > 0 ? horizontalSpacing_ : 0) + width;
        ++line->shown;
        line->items.push_back({item, width});
    }

    int y = area.top();
    bool first = true;
    for (const Line &line : lines) {
        if (line.shown == 0)
            continue;
        if (!first)
            y += verticalSpacing_;
        first = false;
        int height = 0;
        int stretches = 0;
        for (const Placed &p : line.items) {
            if (isStretch(p.item))
                ++stretches;
            else
                height = std::max(height, heightAt(p.item, p.width));
        }
        const int spare = std::max(0, available - line.used);
        int x = area.left() + (stretches == 0 && line.right ? spare : 0);
        bool gap = false;
        for (const Placed &p : line.items) {
            if (isStretch(p.item)) {
                const int share = spare / stretches;
                if (apply)
                    p.item->setGeometry(QRect(x, y, share, height));
                x += share;
                continue;
            }
            if (gap)
                x += horizontalSpacing_;
            gap = true;
            const int h = std::min(height, heightAt(p.item, p.width));
            if (apply)
                p.item->setGeometry(QRect(x, y + (height - h) / 2, p.width, h));
            x += p.width;
        }
        y += height;
    }
    const QMargins m = contentsMargins();
    return y - area.top() + m.top() + m.bottom();
}
