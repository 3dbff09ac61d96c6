#include "Features/ZipKorean/ZipKoreanView.h"

#include "Core/ByteCount.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"
#include "Core/Router.h"
#include "Core/Text.h"
#include "Ui/DropZoneWidget.h"
#include "Ui/OpenPanel.h"
#include "Ui/PageParts.h"
#include "Ui/PageStyle.h"
#include "Ui/SymbolIcon.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace fs = std::filesystem;
using Mode = ZipKoreanEngine::Mode;
using Format = ZipKoreanEngine::CreateFormat;

namespace {

QColor tone(Tone t)
{
    return PageStyle::color(t, QApplication::palette());
}

using PageParts::scaleFont;

QColor secondary(const QWidget *widget)
{
    return widget->palette().color(QPalette::PlaceholderText);
}
QColor accent(const QWidget *widget)
{
    return widget->palette().color(QPalette::Highlight);
}

// A shared symbol; the two the set lacks are drawn as their nearest relatives.
QPixmap symbol(const QString &name, int size, const QColor &colour)
{
    QString drawn = name;
    if (name == QLatin1String("archivebox.fill"))
        drawn = QStringLiteral("doc.zipper");
    else if (name == QLatin1String("lock.doc.fill"))
        drawn = QStringLiteral("lock.fill");
    return SymbolIcon::pixmap(drawn, size, colour);
}

QLabel *symbolLabel(const QString &name, int size, const QColor &colour)
{
    auto *label = new QLabel;
    label->setPixmap(symbol(name, size, colour));
    label->setFixedWidth(std::max(size, 20));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// A one-line label that keeps its whole text (text()) but draws it shortened in the middle.
class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override { return {40, QLabel::minimumSizeHint().height()}; }
    QSize sizeHint() const override
    {
        return {std::min(QLabel::sizeHint().width(), 400), QLabel::sizeHint().height()};
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        painter.setFont(font());
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
        painter.drawText(contentsRect(), int(Qt::AlignLeft | Qt::AlignVCenter), shown);
    }
};

// A list of row widgets that span the list's whole width, so a row's flexible space works.
class RowList : public QListWidget {
public:
    void addRow(QWidget *row)
    {
        auto *item = new QListWidgetItem(this);
        item->setSizeHint(QSize(viewport()->width(), row->sizeHint().height()));
        setItemWidget(item, row);
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QListWidget::resizeEvent(event);
        for (int i = 0; i < count(); ++i)
            item(i)->setSizeHint(QSize(viewport()->width(), item(i)->sizeHint().height()));
    }
};

QFrame *divider()
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// The dashed drop box; its border and fill follow whether a drag hovers over the page.
class DropBox : public QFrame {
public:
    bool targeted = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
        QPainterPath path;
        path.addRoundedRect(box, 16, 16);
        QColor fill = accent(this);
        fill.setAlphaF(targeted ? 0.08f : 0.0f);
        painter.fillPath(path, fill);
        QColor line = targeted ? accent(this) : secondary(this);
        if (!targeted)
            line.setAlphaF(0.35f);
        QPen pen(line, 2);
        pen.setDashPattern({4, 3}); // 8 on, 6 off at a width of 2
        painter.setPen(pen);
        painter.drawPath(path);
    }
};

// The header row shared by the extract and create states.
QWidget *statusHeader(const QString &icon, QLabel *&title, QLabel *&subtitle, QWidget *owner)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(12);
    layout->addWidget(symbolLabel(icon, 28, accent(owner)));
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    title = new ElidedLabel;
    scaleFont(title, 1.05, QFont::DemiBold);
    subtitle = new QLabel;
    subtitle->setWordWrap(true);
    subtitle->setForegroundRole(QPalette::PlaceholderText);
    texts->addWidget(title);
    texts->addWidget(subtitle);
    layout->addLayout(texts, 1);
    return row;
}

// The platform's placeholder for unavailable content: a symbol, a label and a description.
QWidget *placeholder(const QString &icon, const QString &label, QLabel *&description)
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->addStretch();
    auto *symbolRow = symbolLabel(icon, 40, QColor(0x80, 0x80, 0x80));
    symbolRow->setFixedWidth(QWIDGETSIZE_MAX);
    layout->addWidget(symbolRow);
    auto *title = new QLabel(label);
    title->setAlignment(Qt::AlignCenter);
    scaleFont(title, 1.3, QFont::DemiBold);
    layout->addWidget(title);
    description = new QLabel;
    description->setAlignment(Qt::AlignCenter);
    description->setWordWrap(true);
    description->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(description);
    layout->addStretch();
    return box;
}

QLabel *errorRow(QWidget *owner)
{
    (void)owner;
    auto *label = new QLabel;
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(tone(Tone::red).name()));
    return label;
}

void setErrorRow(QLabel *row, const std::optional<QString> &text)
{
    row->setVisible(text.has_value());
    if (text)
        row->setText(QStringLiteral("⚠ ") + *text);
}

QWidget *doneGroup(QPushButton *&reveal)
{
    auto *group = new QWidget;
    auto *layout = new QHBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    auto *mark = symbolLabel(QStringLiteral("checkmark.circle.fill"), 16, tone(Tone::green));
    auto *text = new QLabel(L("완료"));
    text->setStyleSheet(QStringLiteral("color: %1;").arg(tone(Tone::green).name()));
    text->setObjectName(QStringLiteral("doneLabel"));
    auto *label = new QHBoxLayout;
    label->setSpacing(4);
    label->addWidget(mark);
    label->addWidget(text);
    layout->addLayout(label);
    reveal = new QPushButton(L("Finder에서 보기"));
    reveal->setObjectName(QStringLiteral("revealButton"));
    layout->addWidget(reveal);
    return group;
}

QPushButton *prominentButton(const QString &text, int padding)
{
    auto *button = new QPushButton(text);
    scaleFont(button, 1.1, QFont::DemiBold);
    button->setDefault(true);
    button->setAutoDefault(false);
    button->setMinimumHeight(32);
    button->setStyleSheet(QStringLiteral("QPushButton { padding: 4px %1px; }").arg(padding));
    return button;
}

QWidget *bar(QWidget *content)
{
    content->setAutoFillBackground(true);
    content->setBackgroundRole(QPalette::AlternateBase);
    return content;
}

std::vector<fs::path> localPaths(const QMimeData *mime)
{
    if (mime == nullptr)
        return {};
    // The raw list keeps the bytes of names that are not UTF-8.
    const QByteArray list = mime->data(QStringLiteral("text/uri-list"));
    return FilePath::fromUriList(std::string_view(list.constData(), std::size_t(list.size())));
}

} // namespace

// MARK: - Page

ZipKoreanView::ZipKoreanView(const QUuid &session, QWidget *parent)
    : QWidget(parent), engine_(std::make_unique<ZipKoreanEngine>()), session_(session),
      chooser_(&ZipKoreanView::chooseItems),
      revealer_([](const fs::path &item) { revealInFileManager(item); })
{
    setObjectName(QStringLiteral("page.zipKorean"));
    setWindowTitle(navigationTitle());
    setAcceptDrops(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    stack_ = new QStackedWidget;
    idle_ = buildIdle();
    extract_ = buildExtract();
    create_ = buildCreate();
    stack_->addWidget(idle_);
    stack_->addWidget(extract_);
    stack_->addWidget(create_);
    layout->addWidget(stack_);

    ZipKoreanEngine *e = engine_.get();
    for (auto signal : {&ZipKoreanEngine::modeChanged, &ZipKoreanEngine::loadErrorChanged,
                        &ZipKoreanEngine::actionErrorChanged, &ZipKoreanEngine::archiveURLChanged,
                        &ZipKoreanEngine::extractedItemChanged, &ZipKoreanEngine::isZipArchiveChanged,
                        &ZipKoreanEngine::needsPasswordChanged, &ZipKoreanEngine::skipMacJunkChanged,
                        &ZipKoreanEngine::passwordChanged, &ZipKoreanEngine::sourceFileCountChanged,
                        &ZipKoreanEngine::junkSkippedCountChanged, &ZipKoreanEngine::plannedZipPathChanged,
                        &ZipKoreanEngine::createdZipChanged, &ZipKoreanEngine::createFormatChanged,
                        &ZipKoreanEngine::createPasswordChanged, &ZipKoreanEngine::zipEncryptionChanged,
                        &ZipKoreanEngine::sevenZipHideNamesChanged})
        connect(e, signal, this, &ZipKoreanView::sync);
    connect(e, &ZipKoreanEngine::displayEntriesChanged, this, [this] {
        rebuildEntries();
        sync();
    });
    connect(e, &ZipKoreanEngine::sourcesChanged, this, [this] {
        rebuildSources();
        sync();
    });
    sync();
}

ZipKoreanView::~ZipKoreanView() = default;

QString ZipKoreanView::navigationTitle()
{
    return L("압축 도구");
}
QString ZipKoreanView::navigationSubtitle()
{
    return L("한글 깨짐 없는 압축·해제");
}

QWidget *ZipKoreanView::buildIdle()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch();

    auto *box = new DropBox;
    box->setObjectName(QStringLiteral("dropZone"));
    dropBox_ = box;
    auto *inner = new QVBoxLayout(box);
    inner->setContentsMargins(40, 40, 40, 40);
    inner->setSpacing(14);
    dropSymbol_ = new BouncingSymbolWidget(QStringLiteral("doc.zipper"), 46);
    inner->addWidget(dropSymbol_, 0, Qt::AlignHCenter);
    auto *title = new QLabel(L("압축 파일이나 압축할 파일을 끌어다 놓으세요"));
    title->setAlignment(Qt::AlignCenter);
    title->setWordWrap(true);
    scaleFont(title, 1.25, QFont::DemiBold);
    inner->addWidget(title);
    auto *lines = new QVBoxLayout;
    lines->setSpacing(4);
    const auto line = [&](const QString &text, double factor) {
        auto *label = new QLabel(text);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setForegroundRole(QPalette::PlaceholderText);
        scaleFont(label, factor);
        lines->addWidget(label);
    };
    line(L("압축 파일을 놓으면 → 한글 파일명을 복원하며 풀어줍니다"), 0.95);
    line(L("(ZIP · 7z · RAR · tar.gz 등, 암호 ZIP 포함)"), 0.85);
    line(L("일반 파일·폴더를 놓으면 → Windows용 ZIP을 만들어줍니다"), 0.95);
    inner->addLayout(lines);
    inner->addSpacing(4);
    auto *pick = new QPushButton(L("파일 선택…"));
    pick->setObjectName(QStringLiteral("pickButton"));
    pick->setMinimumHeight(32);
    connect(pick, &QPushButton::clicked, this, &ZipKoreanView::pickFiles);
    inner->addWidget(pick, 0, Qt::AlignHCenter);
    auto *boxRow = new QHBoxLayout;
    boxRow->setContentsMargins(40, 0, 40, 0);
    boxRow->addWidget(box);
    layout->addLayout(boxRow);
    layout->addStretch();

    auto *info = new QFrame;
    info->setObjectName(QStringLiteral("infoBox"));
    info->setStyleSheet(
        QStringLiteral("QFrame#infoBox { background: rgba(128, 128, 128, 0.12); border-radius: 10px; }"));
    auto *infoRow = new QHBoxLayout(info);
    infoRow->setContentsMargins(14, 14, 14, 14);
    infoRow->setSpacing(10);
    auto *infoSymbol = symbolLabel(QStringLiteral("info.circle.fill"), 16, tone(Tone::blue));
    infoSymbol->setContentsMargins(0, 2, 0, 0);
    infoRow->addWidget(infoSymbol, 0, Qt::AlignTop);
    auto *infoText = new QLabel(L("Windows에서 만든 ZIP은 한글 파일명이 옛 방식(CP949)으로 저장되어 있어 "
                                  "맥에서 풀면 깨집니다. 반대로 맥에서 "
                                  "만든 ZIP은 Windows에서 자모가 분리되어 보이죠. 이 도구가 양쪽 모두 "
                                  "해결하고, 암호 ZIP과 7z·RAR·tar.gz 같은 "
                                  "다른 압축 형식도 풀 수 있습니다. (만들기는 ZIP만 지원)"));
    infoText->setWordWrap(true);
    infoText->setForegroundRole(QPalette::PlaceholderText);
    infoRow->addWidget(infoText, 1);
    auto *infoWrap = new QHBoxLayout;
    infoWrap->setContentsMargins(20, 0, 20, 20);
    infoWrap->addWidget(info);
    layout->addLayout(infoWrap);
    return page;
}

QWidget *ZipKoreanView::buildExtract()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(statusHeader(QStringLiteral("archivebox.fill"), extractTitle_, extractSubtitle_, this));
    extractTitle_->setObjectName(QStringLiteral("extractTitle"));
    extractSubtitle_->setObjectName(QStringLiteral("extractSubtitle"));
    layout->addWidget(divider());

    content_ = new QStackedWidget;
    errorPlaceholder_ =
        placeholder(QStringLiteral("exclamationmark.triangle.fill"), L("처리할 수 없습니다"), errorText_);
    errorPlaceholder_->setObjectName(QStringLiteral("errorPlaceholder"));
    errorText_->setObjectName(QStringLiteral("errorText"));
    QLabel *promptText = nullptr;
    passwordPrompt_ = placeholder(QStringLiteral("lock.fill"), L("암호로 보호된 압축 파일"), promptText);
    passwordPrompt_->setObjectName(QStringLiteral("passwordPrompt"));
    promptText->setText(L("아래에 암호를 입력하고 \"풀기\"를 누르면 목록을 읽고 해제합니다."));
    entryList_ = new RowList;
    entryList_->setObjectName(QStringLiteral("entryList"));
    entryList_->setSelectionMode(QAbstractItemView::NoSelection);
    entryList_->setFrameShape(QFrame::NoFrame);
    content_->addWidget(errorPlaceholder_);
    content_->addWidget(passwordPrompt_);
    content_->addWidget(entryList_);
    layout->addWidget(content_, 1);
    layout->addWidget(divider());

    auto *barBox = bar(new QWidget);
    auto *rows = new QVBoxLayout(barBox);
    rows->setContentsMargins(14, 14, 14, 14);
    rows->setSpacing(8);
    extractError_ = errorRow(this);
    extractError_->setObjectName(QStringLiteral("actionError"));
    rows->addWidget(extractError_);
    auto *row = new QHBoxLayout;
    row->setSpacing(12);
    QPushButton *reveal = nullptr;
    extractDone_ = doneGroup(reveal);
    extractDone_->setObjectName(QStringLiteral("extractDone"));
    connect(reveal, &QPushButton::clicked, this, [this] {
        if (engine_->extractedItem())
            this->reveal(*engine_->extractedItem());
    });
    row->addWidget(extractDone_);
    passwordField_ = new QLineEdit;
    passwordField_->setObjectName(QStringLiteral("passwordField"));
    passwordField_->setEchoMode(QLineEdit::Password);
    passwordField_->setPlaceholderText(L("암호"));
    passwordField_->setFixedWidth(160);
    connect(passwordField_, &QLineEdit::textEdited, this,
            [this](const QString &text) { engine_->setPassword(text); });
    row->addWidget(passwordField_);
    junkCheck_ = new QCheckBox(L("맥 쓰레기 파일 건너뛰기"));
    junkCheck_->setObjectName(QStringLiteral("junkCheck"));
    connect(junkCheck_, &QCheckBox::clicked, this, [this](bool on) { engine_->setSkipMacJunk(on); });
    row->addWidget(junkCheck_);
    extractSummary_ = new QLabel;
    extractSummary_->setObjectName(QStringLiteral("extractSummary"));
    extractSummary_->setForegroundRole(QPalette::PlaceholderText);
    row->addWidget(extractSummary_);
    row->addStretch();
    auto *clear = new QPushButton(L("비우기"));
    clear->setObjectName(QStringLiteral("clearButton"));
    connect(clear, &QPushButton::clicked, this, [this] { engine_->clear(); });
    row->addWidget(clear);
    extractButton_ = prominentButton(L("풀기"), 12);
    extractButton_->setObjectName(QStringLiteral("extractButton"));
    connect(extractButton_, &QPushButton::clicked, this, [this] { engine_->extract(); });
    row->addWidget(extractButton_);
    rows->addLayout(row);
    layout->addWidget(barBox);
    return page;
}

QWidget *ZipKoreanView::buildCreate()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(statusHeader(QStringLiteral("doc.zipper"), createTitle_, createSubtitle_, this));
    createTitle_->setObjectName(QStringLiteral("createTitle"));
    createSubtitle_->setObjectName(QStringLiteral("createSubtitle"));
    layout->addWidget(divider());
    sourceList_ = new RowList;
    sourceList_->setObjectName(QStringLiteral("sourceList"));
    sourceList_->setSelectionMode(QAbstractItemView::NoSelection);
    sourceList_->setFrameShape(QFrame::NoFrame);
    layout->addWidget(sourceList_, 1);
    layout->addWidget(divider());

    auto *barBox = bar(new QWidget);
    auto *rows = new QVBoxLayout(barBox);
    rows->setContentsMargins(14, 14, 14, 14);
    rows->setSpacing(10);
    createError_ = errorRow(this);
    createError_->setObjectName(QStringLiteral("createError"));
    rows->addWidget(createError_);

    options_ = new QWidget;
    options_->setObjectName(QStringLiteral("options"));
    auto *optionRow = new QHBoxLayout(options_);
    optionRow->setContentsMargins(0, 0, 0, 0);
    optionRow->setSpacing(12);
    optionRow->addWidget(new QLabel(L("형식:")));
    formatPicker_ = new QComboBox;
    formatPicker_->setObjectName(QStringLiteral("formatPicker"));
    formatPicker_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (Format format : ZipKoreanEngine::allCreateFormats)
        formatPicker_->addItem(ZipKoreanEngine::label(format), ZipKoreanEngine::toString(format));
    connect(formatPicker_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < int(ZipKoreanEngine::allCreateFormats.size()))
            engine_->setCreateFormat(ZipKoreanEngine::allCreateFormats[std::size_t(index)]);
    });
    optionRow->addWidget(formatPicker_);
    createPasswordField_ = new QLineEdit;
    createPasswordField_->setObjectName(QStringLiteral("createPasswordField"));
    createPasswordField_->setEchoMode(QLineEdit::Password);
    createPasswordField_->setPlaceholderText(L("암호 (선택)"));
    createPasswordField_->setFixedWidth(150);
    connect(createPasswordField_, &QLineEdit::textEdited, this,
            [this](const QString &text) { engine_->setCreatePassword(text); });
    optionRow->addWidget(createPasswordField_);
    encryptionPicker_ = new QComboBox;
    encryptionPicker_->setObjectName(QStringLiteral("encryptionPicker"));
    encryptionPicker_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (auto choice : ZipKoreanEngine::allZipEncryptionChoices)
        encryptionPicker_->addItem(ZipKoreanEngine::label(choice), ZipKoreanEngine::toString(choice));
    connect(encryptionPicker_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < int(ZipKoreanEngine::allZipEncryptionChoices.size()))
            engine_->setZipEncryption(ZipKoreanEngine::allZipEncryptionChoices[std::size_t(index)]);
    });
    optionRow->addWidget(encryptionPicker_);
    hideNamesCheck_ = new QCheckBox(L("파일 목록도 숨기기"));
    hideNamesCheck_->setObjectName(QStringLiteral("hideNamesCheck"));
    hideNamesCheck_->setToolTip(
        L("켜면 암호 없이는 안에 어떤 파일이 있는지도 볼 수 없습니다 (헤더 암호화)."));
    connect(hideNamesCheck_, &QCheckBox::clicked, this,
            [this](bool on) { engine_->setSevenZipHideNames(on); });
    optionRow->addWidget(hideNamesCheck_);
    optionRow->addStretch();
    rows->addWidget(options_);

    auto *action = new QHBoxLayout;
    action->setSpacing(12);
    createSummary_ = new QLabel;
    createSummary_->setObjectName(QStringLiteral("createSummary"));
    createSummary_->setForegroundRole(QPalette::PlaceholderText);
    action->addWidget(createSummary_);
    QPushButton *reveal = nullptr;
    createDone_ = doneGroup(reveal);
    createDone_->setObjectName(QStringLiteral("createDone"));
    connect(reveal, &QPushButton::clicked, this, [this] {
        if (engine_->createdZip())
            this->reveal(*engine_->createdZip());
    });
    action->addWidget(createDone_);
    action->addStretch();
    auto *clear = new QPushButton(L("비우기"));
    clear->setObjectName(QStringLiteral("createClearButton"));
    connect(clear, &QPushButton::clicked, this, [this] { engine_->clear(); });
    action->addWidget(clear);
    createButton_ = prominentButton(L("압축하기"), 8);
    createButton_->setObjectName(QStringLiteral("createButton"));
    connect(createButton_, &QPushButton::clicked, this, [this] { engine_->createZip(); });
    action->addWidget(createButton_);
    rows->addLayout(action);
    layout->addWidget(barBox);
    return page;
}

// MARK: - Lists

void ZipKoreanView::rebuildEntries()
{
    entryList_->clear();
    for (const auto &entry : engine_->displayEntries()) {
        if (entry.isDirectory)
            continue;
        auto *row = new QWidget;
        auto *layout = new QHBoxLayout(row);
        layout->setContentsMargins(6, 2, 6, 2);
        layout->setSpacing(12);
        layout->addWidget(entry.isEncrypted
                              ? symbolLabel(QStringLiteral("lock.doc.fill"), 16, tone(Tone::orange))
                              : symbolLabel(QStringLiteral("doc.fill"), 16, secondary(this)));
        auto *texts = new QVBoxLayout;
        texts->setSpacing(2);
        auto *name = new ElidedLabel(Text::fromUtf8(entry.name));
        name->setObjectName(QStringLiteral("entryName"));
        texts->addWidget(name);
        if (entry.isMacJunk) {
            auto *note = new QLabel(L("맥 쓰레기 파일 — 건너뜀"));
            note->setObjectName(QStringLiteral("junkNote"));
            scaleFont(note, 0.8);
            note->setStyleSheet(QStringLiteral("color: %1;").arg(tone(Tone::orange).name()));
            texts->addWidget(note);
        }
        layout->addLayout(texts, 1);
        if (entry.badge) {
            auto *badge = new QLabel(*entry.badge);
            badge->setObjectName(QStringLiteral("badge"));
            scaleFont(badge, 0.8);
            badge->setStyleSheet(QStringLiteral("QLabel { color: %1; background: rgba(30, 120, 230, 0.15); "
                                                "border-radius: 7px; padding: 2px 6px; }")
                                     .arg(tone(Tone::blue).name()));
            layout->addWidget(badge);
        }
        auto *size = new QLabel(ByteCount::fileStyle(entry.size));
        size->setObjectName(QStringLiteral("entrySize"));
        size->setForegroundRole(QPalette::PlaceholderText);
        QFont mono = size->font();
        mono.setPointSizeF(mono.pointSizeF() * 0.9);
        mono.setStyleHint(QFont::Monospace);
        mono.setFamily(QStringLiteral("monospace"));
        size->setFont(mono);
        layout->addWidget(size);
        static_cast<RowList *>(entryList_)->addRow(row);
    }
}

void ZipKoreanView::rebuildSources()
{
    sourceList_->clear();
    for (const auto &source : engine_->sources()) {
        auto *row = new QWidget;
        auto *layout = new QHBoxLayout(row);
        layout->setContentsMargins(6, 2, 6, 2);
        layout->setSpacing(12);
        layout->addWidget(source.isDirectory
                              ? symbolLabel(QStringLiteral("folder.fill"), 16, tone(Tone::cyan))
                              : symbolLabel(QStringLiteral("doc.fill"), 16, secondary(this)));
        auto *name = new ElidedLabel(Text::fromUtf8(source.entryName));
        name->setObjectName(QStringLiteral("sourceName"));
        layout->addWidget(name, 1);
        static_cast<RowList *>(sourceList_)->addRow(row);
    }
}

// MARK: - Texts

QString ZipKoreanView::extractSummary() const
{
    const auto &rows = engine_->displayEntries();
    const auto files =
        std::count_if(rows.begin(), rows.end(), [](const auto &row) { return !row.isDirectory; });
    if (files < 1)
        return {};
    QString text = L("파일 %lld개", files);
    if (engine_->skipMacJunk() && engine_->junkEntryCount() > 0)
        text += L(" · 쓰레기 %lld개 제외", engine_->junkEntryCount());
    return text;
}

QString ZipKoreanView::createSubtitle() const
{
    const bool locked = !engine_->createPassword().isEmpty();
    switch (engine_->createFormat()) {
    case Format::zip:
        return L("NFC 파일명 + UTF-8 플래그로 Windows에서 완벽하게 보입니다") +
               (locked ? L(" · 암호 적용") : QString());
    case Format::sevenZip:
        return L("고압축 형식 — 받는 쪽에 7-Zip·반디집 등이 필요합니다") + (!locked ? QString()
                                                                            : engine_->sevenZipHideNames()
                                                                                ? L(" · 암호 + 목록 숨김")
                                                                                : L(" · 암호 적용"));
    case Format::tar:
    case Format::tarGz:
    case Format::tarBz2:
    case Format::tarXz:
        return L("유닉스·개발 환경에서 널리 쓰는 형식입니다");
    }
    return {};
}

QString ZipKoreanView::createSummary() const
{
    QString text = L("파일 %lld개", engine_->sourceFileCount());
    if (engine_->junkSkippedCount() >= 1)
        text += L(" · 쓰레기 %lld개 제외", engine_->junkSkippedCount());
    return text;
}

// MARK: - State

void ZipKoreanView::sync()
{
    const ZipKoreanEngine &e = *engine_;
    switch (e.mode()) {
    case Mode::idle:
        stack_->setCurrentWidget(idle_);
        break;
    case Mode::extract:
        stack_->setCurrentWidget(extract_);
        break;
    case Mode::create:
        stack_->setCurrentWidget(create_);
        break;
    }
    dropSymbol_->setTone(isDropTargeted_);
    static_cast<DropBox *>(dropBox_)->targeted = isDropTargeted_;
    dropBox_->update();

    // Extract state.
    extractTitle_->setText(e.archiveURL() ? Text::fromUtf8(Text::toNfc(
                                                Text::lossyUtf8Bytes(e.archiveURL()->filename().native())))
                                          : QString());
    extractTitle_->update();
    extractSubtitle_->setText(e.encodingSummary());
    if (e.loadError()) {
        errorText_->setText(*e.loadError());
        content_->setCurrentWidget(errorPlaceholder_);
    } else if (e.displayEntries().empty() && e.needsPassword()) {
        content_->setCurrentWidget(passwordPrompt_);
    } else {
        content_->setCurrentWidget(entryList_);
    }
    setErrorRow(extractError_, e.actionError());
    const bool extracted = e.extractedItem().has_value();
    extractDone_->setVisible(extracted);
    passwordField_->setVisible(!extracted && (e.needsPassword() || e.encryptedCount() > 0));
    if (passwordField_->text() != e.password())
        passwordField_->setText(e.password());
    junkCheck_->setVisible(!extracted);
    junkCheck_->setChecked(e.skipMacJunk());
    junkCheck_->setEnabled(e.junkEntryCount() > 0);
    extractSummary_->setVisible(!extracted);
    extractSummary_->setText(extractSummary());
    extractButton_->setVisible(!extracted);
    extractButton_->setEnabled(!(e.displayEntries().empty() && !e.needsPassword()));

    // Create state.
    createTitle_->setText(e.plannedZipPath() ? Text::lossyUtf8(e.plannedZipPath()->filename().native())
                                             : QString());
    createTitle_->update();
    createSubtitle_->setText(createSubtitle());
    setErrorRow(createError_, e.actionError());
    const bool created = e.createdZip().has_value();
    options_->setVisible(!created);
    const auto formatIndex = std::find(ZipKoreanEngine::allCreateFormats.begin(),
                                       ZipKoreanEngine::allCreateFormats.end(), e.createFormat()) -
                             ZipKoreanEngine::allCreateFormats.begin();
    formatPicker_->setCurrentIndex(int(formatIndex));
    const bool withPassword = ZipKoreanEngine::supportsPassword(e.createFormat());
    createPasswordField_->setVisible(withPassword);
    if (createPasswordField_->text() != e.createPassword())
        createPasswordField_->setText(e.createPassword());
    const bool locked = withPassword && !e.createPassword().isEmpty();
    encryptionPicker_->setVisible(locked && e.createFormat() == Format::zip);
    encryptionPicker_->setCurrentIndex(e.zipEncryption() == ZipKoreanEngine::ZipEncryptionChoice::aes256 ? 1
                                                                                                         : 0);
    hideNamesCheck_->setVisible(locked && e.createFormat() == Format::sevenZip);
    hideNamesCheck_->setChecked(e.sevenZipHideNames());
    createSummary_->setVisible(!created);
    createSummary_->setText(createSummary());
    createDone_->setVisible(created);
    createButton_->setVisible(!created);
    createButton_->setEnabled(!e.sources().empty());
}

void ZipKoreanView::setDropTargeted(bool on)
{
    if (isDropTargeted_ == on)
        return;
    isDropTargeted_ = on;
    sync();
    dropSymbol_->bounce();
}

// MARK: - Arrivals

void ZipKoreanView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window coming back from being minimised is no new appearance of the page.
    if (!event->spontaneous())
        QTimer::singleShot(0, this, &ZipKoreanView::takeHandoff);
}

void ZipKoreanView::takeHandoff()
{
    const PathList urls = Router::shared().takeZipHandoff(session_);
    if (!urls.empty())
        engine_->addURLs(urls);
}

void ZipKoreanView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localPaths(event->mimeData()).empty()) {
        event->acceptProposedAction();
        setDropTargeted(true);
    }
}

void ZipKoreanView::dragMoveEvent(QDragMoveEvent *event)
{
    if (!localPaths(event->mimeData()).empty())
        event->acceptProposedAction();
}

void ZipKoreanView::dragLeaveEvent(QDragLeaveEvent *event)
{
    QWidget::dragLeaveEvent(event);
    setDropTargeted(false);
}

void ZipKoreanView::dropEvent(QDropEvent *event)
{
    setDropTargeted(false);
    engine_->addURLs(localPaths(event->mimeData()));
    event->acceptProposedAction();
}

void ZipKoreanView::pickFiles()
{
    if (const auto chosen = chooser_(this))
        engine_->addURLs(*chosen);
}

void ZipKoreanView::reveal(const fs::path &item)
{
    revealer_(item);
}

std::optional<ZipKoreanView::PathList> ZipKoreanView::chooseItems(QWidget *parent)
{
    FileDialogOpenPanel panel;
    return panel.choose(parent, {true, true, L("추가"), L("압축 파일 또는 압축할 파일·폴더를 선택하세요")});
}

void ZipKoreanView::revealInFileManager(const fs::path &item)
{
    revealInFileManager(item, QDBusConnection::sessionBus(),
                        [](const QUrl &folder) { QDesktopServices::openUrl(folder); });
}

void ZipKoreanView::revealInFileManager(const fs::path &item, const QDBusConnection &bus,
                                        const std::function<void(const QUrl &folder)> &openFolder)
{
    const QUrl folder = QUrl::fromEncoded(QByteArray::fromStdString(FilePath::toFileUrl(item.parent_path())));
    if (!bus.isConnected()) {
        openFolder(folder);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QString::fromStdString(FilePath::toFileUrl(item))} << QString();
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                     [openFolder, folder](QDBusPendingCallWatcher *w) {
                         if (w->isError())
                             openFolder(folder);
                         w->deleteLater();
                     });
}
