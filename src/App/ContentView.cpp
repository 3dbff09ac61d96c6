#include "App/ContentView.h"

#include "App/DebugSnapshot.h"
#include "App/HostWindow.h"
#include "Core/AppInfo.h"
#include "Core/Localization.h"
#include "Core/Router.h"
#include "Core/TabOpener.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Ui/EmptyStateWidget.h"
#include "Ui/PageStyle.h"
#include "Ui/SymbolIcon.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QSysInfo>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int toolRole = Qt::UserRole + 1;
constexpr int subtitleRole = Qt::UserRole + 2;
constexpr int sectionRole = Qt::UserRole + 3;

// A sidebar row: the tool's symbol, its title and below it the subtitle in a smaller, dimmer
// font, each wrapped over as many lines as the sidebar's width needs. Section headers are drawn
// as plain captions.
class SidebarRowDelegate : public QStyledItemDelegate {
public:
    explicit SidebarRowDelegate(QAbstractItemView *view) : QStyledItemDelegate(view)
    {
        // Rows are measured at the list's width: a new width measures them again.
        view->viewport()->installEventFilter(this);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (index.data(sectionRole).toBool()) {
            QFont f = PageStyle::font(TextSize::caption, option.font);
            f.setBold(true);
            return {option.rect.width(), QFontMetrics(f).height() + 14};
        }
        const Texts texts = measure(option, index, textWidth(option));
        return {textWidth(option), std::max(iconSide, texts.title.height() + gap + texts.subtitle.height()) +
                                       2 * (padding + margin)};
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        background.icon = QIcon();
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        const QColor text =
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
        QColor secondary = text;
        secondary.setAlphaF(0.65f);

        painter->save();
        if (index.data(sectionRole).toBool()) {
            QFont f = PageStyle::font(TextSize::caption, option.font);
            f.setBold(true);
            painter->setFont(f);
            painter->setPen(secondary);
            painter->drawText(option.rect.adjusted(8, 6, -8, 0), Qt::AlignLeft | Qt::AlignVCenter,
                              index.data(Qt::DisplayRole).toString());
            painter->restore();
            return;
        }
        const QRect inner = option.rect.adjusted(margin, margin + padding, -margin, -(margin + padding));
        const auto icon = index.data(Qt::DecorationRole).value<QIcon>();
        const QRect iconRect(inner.left(), inner.top(), iconSide, iconSide);
        icon.paint(painter, iconRect, Qt::AlignCenter, selected ? QIcon::Selected : QIcon::Normal);

        const int left = iconRect.right() + 1 + spacing;
        const Texts texts = measure(option, index, inner.right() + 1 - left);
        painter->setPen(text);
        painter->setFont(option.font);
        painter->drawText(texts.title.translated(left, inner.top()), Qt::TextWordWrap,
                          index.data(Qt::DisplayRole).toString());
        painter->setFont(PageStyle::font(TextSize::caption, option.font));
        painter->setPen(secondary);
        painter->drawText(texts.subtitle.translated(left, inner.top() + texts.title.height() + gap),
                          Qt::TextWordWrap, index.data(subtitleRole).toString());
        painter->restore();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize) {
            const auto *resize = static_cast<QResizeEvent *>(event);
            if (resize->size().width() != resize->oldSize().width())
                emit sizeHintChanged(QModelIndex());
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    static constexpr int iconSide = 20;
    static constexpr int padding = 2;
    static constexpr int margin = 5;
    static constexpr int spacing = 8; // between the symbol and the texts
    static constexpr int gap = 3;     // between the title and the subtitle

    struct Texts {
        QRect title;
        QRect subtitle;
    };

    // The wrapped title and subtitle at the width, each from the origin.
    static Texts measure(const QStyleOptionViewItem &option, const QModelIndex &index, int width)
    {
        const QRect box(0, 0, std::max(1, width), 100000);
        const QFontMetrics title(option.font);
        const QFontMetrics subtitle(PageStyle::font(TextSize::caption, option.font));
        return {
            QRect(0, 0, width,
                  title.boundingRect(box, Qt::TextWordWrap, index.data(Qt::DisplayRole).toString()).height()),
            QRect(
                0, 0, width,
                subtitle.boundingRect(box, Qt::TextWordWrap, index.data(subtitleRole).toString()).height())};
    }

    // The width the texts get: the list's visible width less the row's margins and symbol.
    static int textWidth(const QStyleOptionViewItem &option)
    {
        const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
        const int width = view ? view->viewport()->width() : option.rect.width();
        return width - 2 * margin - iconSide - spacing;
    }
};

// Shown in the detail area while no tool is selected.
QWidget *makeEmptyContent(QWidget *parent)
{
    auto *page = new EmptyStateWidget(parent);
    page->setObjectName(QStringLiteral("emptyContent"));
    page->setContent(QStringLiteral("wrench.and.screwdriver"), L("도구를 선택하세요"),
                     L("왼쪽 목록에서 사용할 도구를 선택하세요."));
    page->titleLabel()->setObjectName(QStringLiteral("title"));
    page->descriptionLabel()->setObjectName(QStringLiteral("description"));
    return page;
}

} // namespace

ContentView::ContentView(std::optional<QUuid> session, QWidget *parent)
    : QWidget(parent), session_(session.value_or(QUuid::createUuid()))
{
    SendCheckupEngine::attachToRouter();
    setWindowTitle(L("누리함"));
    setMinimumSize(720, 480);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setChildrenCollapsible(false);
    layout->addWidget(split);

    QWidget *sidebarColumn = makeSidebar();
    split->addWidget(sidebarColumn);

    auto *detailColumn = new QWidget(split);
    detailColumn->setObjectName(QStringLiteral("detail"));
    detailLayout_ = new QVBoxLayout(detailColumn);
    detailLayout_->setContentsMargins(0, 0, 0, 0);
    split->addWidget(detailColumn);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({240, 680});

    syncSidebarSelection();
    showDetail();
}

ContentView::~ContentView()
{
    contentDisappeared();
}

QWidget *ContentView::makeSidebar()
{
    auto *column = new QWidget(this);
    column->setObjectName(QStringLiteral("sidebarColumn"));
    column->setMinimumWidth(210);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    sidebar_ = new QTreeWidget(column);
    sidebar_->setObjectName(QStringLiteral("sidebar"));
    sidebar_->setHeaderHidden(true);
    sidebar_->setRootIsDecorated(false);
    sidebar_->setIndentation(0);
    sidebar_->setItemsExpandable(false);
    sidebar_->setUniformRowHeights(false);
    sidebar_->setSelectionMode(QAbstractItemView::SingleSelection);
    sidebar_->setFrameShape(QFrame::NoFrame);
    sidebar_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sidebar_->setItemDelegate(new SidebarRowDelegate(sidebar_));

    // The home entry stands alone at the top; each section below holds its tools in catalogue order.
    sidebar_->addTopLevelItem(makeRow(Utility::sendCheckup));
    for (const QString &section : Utilities::categories()) {
        auto *header = new QTreeWidgetItem({section});
        header->setData(0, sectionRole, true);
        header->setFlags(Qt::ItemIsEnabled);
        sidebar_->addTopLevelItem(header);
        for (Utility tool : Utilities::allCases)
            if (tool != Utility::sendCheckup && Utilities::category(tool) == section)
                header->addChild(makeRow(tool));
        header->setExpanded(true);
    }
    connect(sidebar_, &QTreeWidget::itemSelectionChanged, this, &ContentView::sidebarSelectionChanged);
    layout->addWidget(sidebar_, 1);

    // The bottom inset: a note that more tools are coming and a link to ask for one.
    auto *inset = new QWidget(column);
    inset->setObjectName(QStringLiteral("sidebarInset"));
    inset->setAutoFillBackground(true);
    inset->setBackgroundRole(QPalette::Window);
    auto *insetLayout = new QVBoxLayout(inset);
    insetLayout->setContentsMargins(8, 0, 8, 10);
    insetLayout->setSpacing(6);
    auto *divider = new QFrame(inset);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    insetLayout->addWidget(divider);
    auto *note = new QLabel(L("새로운 도구가 계속 추가됩니다"), inset);
    note->setObjectName(QStringLiteral("moreToolsNote"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);
    note->setFont(PageStyle::font(TextSize::caption2, note->font()));
    insetLayout->addWidget(note);
    auto *request = new QToolButton(inset);
    request->setObjectName(QStringLiteral("requestNewTool"));
    request->setText(L("새 도구 요청하기"));
    request->setIcon(SymbolIcon::icon(QStringLiteral("envelope")));
    request->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    request->setAutoRaise(true);
    request->setCursor(Qt::PointingHandCursor);
    request->setFont(PageStyle::font(TextSize::caption, request->font()));
    request->setToolTip(L("이런 도구가 있으면 좋겠다 싶은 아이디어를 보내주세요."));
    QPalette linkPalette = request->palette();
    linkPalette.setColor(QPalette::ButtonText, linkPalette.color(QPalette::Link));
    request->setPalette(linkPalette);
    connect(request, &QToolButton::clicked, this, &ContentView::requestNewTool);
    insetLayout->addWidget(request, 0, Qt::AlignHCenter);
    layout->addWidget(inset);
    return column;
}

QTreeWidgetItem *ContentView::makeRow(Utility tool)
{
    auto *item = new QTreeWidgetItem({Utilities::title(tool)});
    item->setData(0, toolRole, static_cast<int>(tool));
    item->setData(0, subtitleRole, Utilities::subtitle(tool));
    item->setData(0, Qt::DecorationRole, SymbolIcon::icon(Utilities::icon(tool)));
    item->setToolTip(0, Utilities::title(tool) + QLatin1Char('\n') + Utilities::subtitle(tool));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

void ContentView::setSelection(std::optional<Utility> tool)
{
    if (tool == selection_)
        return;
    selection_ = tool;
    syncSidebarSelection();
    showDetail();
    emit selectionChanged();
}

void ContentView::syncSidebarSelection()
{
    const QSignalBlocker blocker(sidebar_);
    sidebar_->clearSelection();
    if (!selection_)
        return;
    for (QTreeWidgetItemIterator it(sidebar_); *it; ++it) {
        const QVariant tool = (*it)->data(0, toolRole);
        if (tool.isValid() && tool.toInt() == static_cast<int>(*selection_)) {
            (*it)->setSelected(true);
            sidebar_->setCurrentItem(*it, 0, QItemSelectionModel::NoUpdate);
            break;
        }
    }
}

void ContentView::sidebarSelectionChanged()
{
    const QList<QTreeWidgetItem *> selected = sidebar_->selectedItems();
    std::optional<Utility> tool;
    if (!selected.isEmpty() && selected.first()->data(0, toolRole).isValid())
        tool = static_cast<Utility>(selected.first()->data(0, toolRole).toInt());
    if (tool == selection_)
        return;
    selection_ = tool;
    showDetail();
    emit selectionChanged();
}

void ContentView::showDetail()
{
    // The old page goes with its engine, so coming back to a tool starts from an empty page.
    if (detail_) {
        detailLayout_->removeWidget(detail_);
        delete detail_;
        detail_ = nullptr;
    }
    QWidget *column = detailLayout_->parentWidget();
    detail_ = selection_ ? UtilityView::page(*selection_, session_, column) : makeEmptyContent(column);
    detailLayout_->addWidget(detail_);
    // The tab and its window are named after the page shown, as the page's navigation title.
    setWindowTitle(detail_->windowTitle().isEmpty() ? L("누리함") : detail_->windowTitle());
}

void ContentView::contentAppeared()
{
    if (appeared_)
        return;
    appeared_ = true;
    Router &router = Router::shared();

    // The most recently shown tab's opener is the one used.
    TabOpener::shared().setOpenTab([](const QUuid &session) { HostWindow::openMainWindow(session); });
    router.registerSession(session_);
    const PathList arrival = router.takeArrival(session_);
    if (!arrival.empty())
        SendCheckupEngine::session(session_).addURLs(arrival);

    pendingConnection_ =
        connect(&router, &Router::pendingUtilityChanged, this, &ContentView::takePendingTool);
    takePendingTool();
    DebugSnapshot::startHooks(this);
}

void ContentView::contentDisappeared()
{
    if (!appeared_ || disappeared_)
        return;
    disappeared_ = true;
    disconnect(pendingConnection_);
    Router::shared().contentDisappeared(session_);
}

void ContentView::becameKey()
{
    if (appeared_ && !disappeared_)
        Router::shared().focus(session_);
}

void ContentView::takePendingTool()
{
    // Each request switches the tab once: the board forgets it as it is taken.
    if (const auto tool = Router::shared().takePendingUtility(session_))
        setSelection(*tool);
}

QString ContentView::feedbackAddress()
{
    return QStringLiteral("feedback@quillfern.app");
}

QUrl ContentView::newToolRequestUrl()
{
    const QString version =
        AppInfo::value(QStringLiteral("CFBundleShortVersionString")).value_or(QStringLiteral("?"));
    const QString system = QSysInfo::prettyProductName();
    const QString body = L("안녕하세요, 이런 도구가 있으면 좋겠어요:\n\n(겪고 계신 불편함이나 원하는 기능을 "
                           "적어주세요)\n\n\n---\n"
                           "누리함 버전: %@ · macOS %@",
                           version, system);
    const QString subject = L("[누리함] 새 도구 요청");
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(feedbackAddress());
    const QByteArray query =
        "subject=" + QUrl::toPercentEncoding(subject) + "&body=" + QUrl::toPercentEncoding(body);
    url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

void ContentView::requestNewTool()
{
    const QUrl url = newToolRequestUrl();
    if (url.isValid())
        QDesktopServices::openUrl(url);
}
