#include "Ui/ResultListView.h"

#include "Core/FilePath.h"
#include "Core/Localization.h"
#include "Ui/EmptyStateWidget.h"
#include "Ui/SymbolIcon.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

RowBadge RowBadge::done(QString text)
{
    return label(std::move(text), QStringLiteral("checkmark.circle.fill"), Tone::green);
}

RowBadge RowBadge::failed()
{
    return label(L("실패"), QStringLiteral("exclamationmark.triangle.fill"), Tone::red);
}

ResultRow ResultRow::forPath(const std::filesystem::path &path)
{
    ResultRow row;
    row.name = FilePath::display(path.filename());
    row.folder = FilePath::display(path.parent_path());
    return row;
}

ResultListModel::ResultListModel(Source source, QObject *parent)
    : QAbstractListModel(parent), source_(std::move(source))
{
}

void ResultListModel::sync()
{
    const int n = source_.count();
    bool same = source_.id && n == count_;
    for (int i = 0; same && i < n; ++i)
        same = source_.id(i) == ids_[std::size_t(i)];
    if (same) {
        if (n > 0)
            emit dataChanged(index(0), index(n - 1));
        return;
    }
    reset();
}

void ResultListModel::reset()
{
    beginResetModel();
    count_ = source_.count();
    ids_.clear();
    if (source_.id) {
        ids_.resize(std::size_t(count_));
        for (int i = 0; i < count_; ++i)
            ids_[std::size_t(i)] = source_.id(i);
    }
    endResetModel();
}

int ResultListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count_;
}

QVariant ResultListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count_)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return source_.row(index.row()).name;
    case Qt::ToolTipRole: {
        const QString tip = source_.row(index.row()).tooltip;
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    default:
        return {};
    }
}

namespace {

constexpr int rowPadding = 4;
constexpr int sidePadding = 10;

int lineHeight(const QFont &font)
{
    return QFontMetrics(font).height();
}

void drawSpinner(QPainter &p, const QRectF &box, int phase, const QColor &colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour, 1.8, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawArc(box.adjusted(1.5, 1.5, -1.5, -1.5), -phase * 30 * 16, 270 * 16);
    p.restore();
}

struct BadgeMetrics {
    QFont font;
    int width = 0;
    int height = 0;
};

BadgeMetrics measure(const RowBadge &badge, const QFont &base)
{
    BadgeMetrics m{PageStyle::font(TextSize::caption, base), 0, 0};
    const QFontMetrics fm(m.font);
    const int icon = fm.height();
    m.height = fm.height();
    switch (badge.style) {
    case RowBadge::Style::none:
        break;
    case RowBadge::Style::capsule:
        m.width = fm.horizontalAdvance(badge.text) + 16;
        m.height += 6;
        break;
    case RowBadge::Style::text:
        m.width = fm.horizontalAdvance(badge.text);
        break;
    case RowBadge::Style::label:
        m.width = icon + 4 + fm.horizontalAdvance(badge.text);
        break;
    case RowBadge::Style::spinner:
        m.width = icon;
        break;
    case RowBadge::Style::spinnerText:
        m.width = icon + 6 + fm.horizontalAdvance(badge.text);
        break;
    }
    return m;
}

// Draws the badge with its right edge at `right`, centred on `centreY`; returns its width.
int drawBadge(QPainter &p, const RowBadge &badge, int right, int centreY, const QPalette &palette, int phase,
              qreal dpr)
{
    const BadgeMetrics m = measure(badge, p.font());
    const QFontMetrics fm(m.font);
    const QColor colour = PageStyle::color(badge.tone, palette);
    const int left = right - m.width;
    const int icon = fm.height();
    p.save();
    p.setFont(m.font);
    p.setPen(colour);
    const QRect textBox(left, centreY - fm.height() / 2, m.width, fm.height());
    switch (badge.style) {
    case RowBadge::Style::none:
        break;
    case RowBadge::Style::capsule: {
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF capsule(left, centreY - m.height / 2.0, m.width, m.height);
        p.setPen(Qt::NoPen);
        p.setBrush(PageStyle::color(Tone::quaternary, palette));
        p.drawRoundedRect(capsule, m.height / 2.0, m.height / 2.0);
        p.setPen(colour);
        p.drawText(capsule, Qt::AlignCenter, badge.text);
        break;
    }
    case RowBadge::Style::text:
        p.drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextDontClip, badge.text);
        break;
    case RowBadge::Style::label:
        p.drawPixmap(left, centreY - icon / 2, SymbolIcon::pixmap(badge.symbol, icon, colour, dpr));
        p.drawText(textBox.adjusted(icon + 4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextDontClip,
                   badge.text);
        break;
    case RowBadge::Style::spinner:
        drawSpinner(p, QRectF(left, centreY - icon / 2.0, icon, icon), phase, colour);
        break;
    case RowBadge::Style::spinnerText:
        drawSpinner(p, QRectF(left, centreY - icon / 2.0, icon, icon), phase, colour);
        p.drawText(textBox.adjusted(icon + 6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextDontClip,
                   badge.text);
        break;
    }
    p.restore();
    return m.width;
}

} // namespace

ResultRowDelegate::ResultRowDelegate(const ResultListModel *model, QObject *parent)
    : QAbstractItemDelegate(parent), model_(model)
{
}

QSize ResultRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const QFont &base = option.font;
    int height = lineHeight(base);
    if (folderLine_)
        height += 3 + lineHeight(PageStyle::font(TextSize::caption2, base));
    if (noteLine_)
        height += 3 + lineHeight(PageStyle::font(TextSize::caption, base));
    return {200, height + 2 * (rowPadding + 3)};
}

void ResultRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    const ResultRow row = model_->row(index.row());
    const QPalette &palette = option.palette;
    const QFont &base = option.font;
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPainter &p = *painter;
    p.save();
    p.setFont(base);
    if (option.state & QStyle::State_Selected) {
        QColor fill = palette.color(QPalette::Highlight);
        fill.setAlphaF(0.18f);
        p.fillRect(option.rect, fill);
    }
    const QRect box = option.rect.adjusted(sidePadding, rowPadding, -sidePadding, -rowPadding);
    const int centreY = box.center().y();

    // Symbol, 20 wide.
    const int iconSide = 16;
    p.drawPixmap(box.left() + 2, centreY - iconSide / 2,
                 SymbolIcon::pixmap(row.symbol, iconSide, PageStyle::color(row.symbolTone, palette), dpr));
    const int textLeft = box.left() + 20 + 12;

    // Right side: badge, capsule, size.
    int right = box.right();
    right -= drawBadge(p, row.badge, right, centreY, palette, phase_, dpr);
    if (row.capsule) {
        right -= 12;
        right -= drawBadge(p, *row.capsule, right, centreY, palette, phase_, dpr);
    }
    if (!row.size.isEmpty()) {
        right -= 12;
        QFont sizeFont = PageStyle::font(TextSize::caption, base);
        const QFontMetrics fm(sizeFont);
        const int w = fm.horizontalAdvance(row.size);
        p.setFont(sizeFont);
        p.setPen(PageStyle::color(Tone::secondary, palette));
        p.drawText(QRect(right - w, centreY - fm.height() / 2, w, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, row.size);
        right -= w;
        p.setFont(base);
    }
    const int textRight = right - 12;
    const int width = std::max(0, textRight - textLeft);

    // The text column, centred as a block.
    const QFont noteFont = PageStyle::font(TextSize::caption, base);
    const QFont folderFont = PageStyle::font(TextSize::caption2, base);
    const bool note = !row.note.isEmpty();
    int blockHeight = lineHeight(base);
    if (folderLine_)
        blockHeight += 3 + lineHeight(folderFont);
    if (note)
        blockHeight += 3 + lineHeight(noteFont);
    int y = centreY - blockHeight / 2;

    const QFontMetrics fm(base);
    p.setPen(palette.color(QPalette::WindowText));
    if (row.newName.isEmpty()) {
        p.drawText(QRect(textLeft, y, width, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                   fm.elidedText(row.name, Qt::ElideMiddle, width));
    } else {
        // name → newName, the old name giving way first.
        QFont bold = PageStyle::font(TextSize::body, base, QFont::DemiBold);
        const QFontMetrics bm(bold);
        const int arrow = QFontMetrics(noteFont).height();
        const int newWidth =
            std::min(bm.horizontalAdvance(row.newName),
                     std::max(width / 2, width - arrow - 16 - fm.horizontalAdvance(row.name)));
        const int oldWidth = std::max(0, width - newWidth - arrow - 16);
        const QString oldText = fm.elidedText(row.name, Qt::ElideMiddle, oldWidth);
        const int oldUsed = fm.horizontalAdvance(oldText);
        p.drawText(QRect(textLeft, y, oldUsed, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, oldText);
        int x = textLeft + oldUsed + 8;
        p.drawPixmap(x, y + (fm.height() - arrow) / 2,
                     SymbolIcon::pixmap(QStringLiteral("arrow.right"), arrow,
                                        PageStyle::color(Tone::secondary, palette), dpr));
        x += arrow + 8;
        p.setFont(bold);
        p.drawText(QRect(x, y, std::max(0, textRight - x), bm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                   bm.elidedText(row.newName, Qt::ElideMiddle, std::max(0, textRight - x)));
        p.setFont(base);
    }
    y += fm.height() + 3;
    if (note) {
        const QFontMetrics nm(noteFont);
        p.setFont(noteFont);
        p.setPen(PageStyle::color(row.noteTone, palette));
        p.drawText(QRect(textLeft, y, width, nm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                   nm.elidedText(row.note, Qt::ElideRight, width));
        y += nm.height() + 3;
    }
    if (folderLine_) {
        const QFontMetrics folderMetrics(folderFont);
        p.setFont(folderFont);
        p.setPen(PageStyle::color(Tone::tertiary, palette));
        p.drawText(QRect(textLeft, y, width, folderMetrics.height()),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                   folderMetrics.elidedText(row.folder, Qt::ElideMiddle, width));
    }
    p.restore();
}

ResultListView::ResultListView(ResultListModel::Source source, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("results"));
    model_ = new ResultListModel(std::move(source), this);
    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("resultList"));
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->setModel(model_);
    delegate_ = new ResultRowDelegate(model_, list_);
    list_->setItemDelegate(delegate_);
    list_->setMouseTracking(true);
    stack_->addWidget(list_);
    empty_ = new EmptyStateWidget(this);
    stack_->addWidget(empty_);

    // Rows with a spinner turn while there are any.
    spin_ = new QTimer(this);
    spin_->setInterval(90);
    connect(spin_, &QTimer::timeout, this, [this] {
        phase_ = (phase_ + 1) % 12;
        delegate_->setSpinnerPhase(phase_);
        list_->viewport()->update();
    });
}

bool ResultListView::showsEmptyState() const
{
    return stack_->currentWidget() == empty_;
}

void ResultListView::setNoteLine(bool shown)
{
    delegate_->setNoteLine(shown);
    list_->doItemsLayout();
}

void ResultListView::setFolderLine(bool shown)
{
    delegate_->setFolderLine(shown);
    list_->doItemsLayout();
}

void ResultListView::sync()
{
    model_->sync();
    stack_->setCurrentWidget(model_->rowCount() == 0 ? static_cast<QWidget *>(empty_) : list_);
    if (model_->isAnimating()) {
        if (!spin_->isActive())
            spin_->start();
    } else {
        spin_->stop();
    }
}
