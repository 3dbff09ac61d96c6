#include "Features/ZipKorean/ZipKoreanView.h"

#include "Core/ByteCount.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"
#include "Core/Router.h"
#include "Core/Text.h"
#include "Platform/FileManager.h"
#include "Ui/DropZoneWidget.h"
#include "Ui/ElidedLabel.h"
#include "Ui/EmptyStateWidget.h"
#include "Ui/FileDrop.h"
#include "Ui/FlowLayout.h"
#include "Ui/OpenPanel.h"
#include "Ui/PageHeaderWidget.h"
#include "Ui/PageParts.h"
#include "Ui/PageStyle.h"
#include "Ui/ResultListView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace fs = std::filesystem;
using Mode = ZipKoreanEngine::Mode;
using Format = ZipKoreanEngine::CreateFormat;
using PageStyle::label;
using PageStyle::symbol;

namespace {

// The header row shared by the extract and create states.
QWidget *statusHeader(const QString &icon, ElidedLabel *&title, QLabel *&subtitle)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(12);
    layout->addWidget(symbol(icon, TextSize::title2, Tone::accent, row));
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    title = new ElidedLabel;
    title->setFont(PageStyle::font(TextSize::headline, title->font()));
    subtitle = label(QString(), TextSize::callout, Tone::secondary, row);
    subtitle->setWordWrap(true);
    texts->addWidget(title);
    texts->addWidget(subtitle);
    layout->addLayout(texts, 1);
    return row;
}

// The platform's placeholder for unavailable content, its description under the given name.
EmptyStateWidget *placeholder(const QString &icon, const QString &title, const char *descriptionName)
{
    auto *box = new EmptyStateWidget;
    box->setContent(icon, title, QString());
    box->descriptionLabel()->setObjectName(QString::fromLatin1(descriptionName));
    return box;
}

QLabel *errorRow()
{
    auto *row = label(QString(), TextSize::body, Tone::red);
    row->setWordWrap(true);
    return row;
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
    auto *label = new QHBoxLayout;
    label->setSpacing(4);
    label->addWidget(symbol(QStringLiteral("checkmark.circle.fill"), TextSize::body, Tone::green, group));
    auto *text = PageStyle::label(L("완료"), TextSize::body, Tone::green, group);
    text->setObjectName(QStringLiteral("doneLabel"));
    label->addWidget(text);
    layout->addLayout(label);
    reveal = new QPushButton(L("Finder에서 보기"));
    reveal->setObjectName(QStringLiteral("revealButton"));
    layout->addWidget(reveal);
    return group;
}

// A list of the page: rows painted from the engine's state, none selectable.
ResultListView *rowList(const char *name, ResultListModel::Source source)
{
    auto *list = new ResultListView(std::move(source));
    list->setObjectName(QString::fromLatin1(name));
    list->setFolderLine(false);
    list->list()->setSelectionMode(QAbstractItemView::NoSelection);
    return list;
}

QPushButton *prominentButton(const QString &text)
{
    auto *button = new QPushButton(text);
    PageStyle::makeProminent(button);
    return button;
}

// The bar under a list, on the alternate background.
QWidget *bar()
{
    auto *content = new QWidget;
    content->setAutoFillBackground(true);
    content->setBackgroundRole(QPalette::AlternateBase);
    return content;
}

} // namespace

ZipKoreanView::ZipKoreanView(std::unique_ptr<ZipKoreanEngine> engine, QUuid session, QWidget *parent)
    : QWidget(parent), engine_(std::move(engine)), session_(session), chooser_(&ZipKoreanView::chooseItems)
{
    setObjectName(QStringLiteral("page.zipKorean"));
    setWindowTitle(navigationTitle());
    FileDrop::accept(
        this, [this](bool hovering) { setDropTargeted(hovering); },
        [this](const FileDrop::Paths &paths) { engine_->addURLs(paths); });
    auto *layout = PageHeaderWidget::pageColumn(this, navigationTitle(), navigationSubtitle());
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
        sourceList_->sync();
        sync();
    });
    rebuildEntries();
    sourceList_->sync();
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
    auto *zone = new DropZoneWidget(
        {QStringLiteral("doc.zipper"),
         L("압축 파일이나 압축할 파일을 끌어다 놓으세요"),
         {L("압축 파일을 놓으면 → 한글 파일명을 복원하며 풀어줍니다"),
          {L("(ZIP · 7z · RAR · tar.gz 등, 암호 ZIP 포함)"), TextSize::caption},
          L("일반 파일·폴더를 놓으면 → Windows용 ZIP을 만들어줍니다")},
         L("파일 선택…"),
         L("Windows에서 만든 ZIP은 한글 파일명이 옛 방식(CP949)으로 저장되어 있어 맥에서 풀면 깨집니다. "
           "반대로 "
           "맥에서 만든 ZIP은 Windows에서 자모가 분리되어 보이죠. 이 도구가 양쪽 모두 해결하고, 암호 ZIP과 "
           "7z·RAR·tar.gz 같은 다른 압축 형식도 풀 수 있습니다. (만들기는 ZIP만 지원)")});
    connect(zone, &DropZoneWidget::pickRequested, this, &ZipKoreanView::pickFiles);
    dropZone_ = zone;
    return zone;
}

QWidget *ZipKoreanView::buildExtract()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(statusHeader(QStringLiteral("archivebox.fill"), extractTitle_, extractSubtitle_));
    extractTitle_->setObjectName(QStringLiteral("extractTitle"));
    extractSubtitle_->setObjectName(QStringLiteral("extractSubtitle"));
    layout->addWidget(PageParts::divider());

    content_ = new QStackedWidget;
    errorPlaceholder_ =
        placeholder(QStringLiteral("exclamationmark.triangle.fill"), L("처리할 수 없습니다"), "errorText");
    errorPlaceholder_->setObjectName(QStringLiteral("errorPlaceholder"));
    passwordPrompt_ = placeholder(QStringLiteral("lock.fill"), L("암호로 보호된 압축 파일"), "promptText");
    passwordPrompt_->setObjectName(QStringLiteral("passwordPrompt"));
    passwordPrompt_->descriptionLabel()->setText(
        L("아래에 암호를 입력하고 \"풀기\"를 누르면 목록을 읽고 해제합니다."));
    entryList_ = rowList("entryList",
                         {[this] { return int(fileRows_.size()); },
                          [this](int i) { return engine_->displayEntries()[fileRows_[std::size_t(i)]].id; },
                          [this](int i) { return entryRow(i); },
                          {}});
    content_->addWidget(errorPlaceholder_);
    content_->addWidget(passwordPrompt_);
    content_->addWidget(entryList_);
    layout->addWidget(content_, 1);
    layout->addWidget(PageParts::divider());

    auto *barBox = bar();
    auto *rows = new QVBoxLayout(barBox);
    rows->setContentsMargins(14, 14, 14, 14);
    rows->setSpacing(8);
    extractError_ = errorRow();
    extractError_->setObjectName(QStringLiteral("actionError"));
    rows->addWidget(extractError_);
    // What does not fit beside the rest goes on to a line of its own.
    auto *row = new FlowLayout(nullptr, 12, 8);
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
    extractSummary_ = label(QString(), TextSize::body, Tone::secondary);
    extractSummary_->setObjectName(QStringLiteral("extractSummary"));
    row->addWidget(extractSummary_);
    row->addStretch();
    auto *clear = new QPushButton(L("비우기"));
    clear->setObjectName(QStringLiteral("clearButton"));
    connect(clear, &QPushButton::clicked, this, [this] { engine_->clear(); });
    row->addWidget(clear);
    extractButton_ = prominentButton(L("풀기"));
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
    layout->addWidget(statusHeader(QStringLiteral("doc.zipper"), createTitle_, createSubtitle_));
    createTitle_->setObjectName(QStringLiteral("createTitle"));
    createSubtitle_->setObjectName(QStringLiteral("createSubtitle"));
    layout->addWidget(PageParts::divider());
    // Rows by position: a new collection replaces the whole list.
    sourceList_ = rowList(
        "sourceList",
        {[this] { return int(engine_->sources().size()); }, {}, [this](int i) { return sourceRow(i); }, {}});
    layout->addWidget(sourceList_, 1);
    layout->addWidget(PageParts::divider());

    auto *barBox = bar();
    auto *rows = new QVBoxLayout(barBox);
    rows->setContentsMargins(14, 14, 14, 14);
    rows->setSpacing(10);
    createError_ = errorRow();
    createError_->setObjectName(QStringLiteral("createError"));
    rows->addWidget(createError_);

    options_ = new QWidget;
    options_->setObjectName(QStringLiteral("options"));
    auto *optionRow = new FlowLayout(options_, 12, 8);
    // The picker stays beside its title.
    auto *format = new QWidget;
    auto *formatRow = new QHBoxLayout(format);
    formatRow->setContentsMargins(0, 0, 0, 0);
    formatRow->addWidget(new QLabel(L("형식:")));
    formatPicker_ = new QComboBox;
    formatPicker_->setObjectName(QStringLiteral("formatPicker"));
    formatPicker_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (Format format : ZipKoreanEngine::allCreateFormats)
        formatPicker_->addItem(ZipKoreanEngine::label(format), ZipKoreanEngine::toString(format));
    connect(formatPicker_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < int(ZipKoreanEngine::allCreateFormats.size()))
            engine_->setCreateFormat(ZipKoreanEngine::allCreateFormats[std::size_t(index)]);
    });
    formatRow->addWidget(formatPicker_);
    optionRow->addWidget(format);
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
    rows->addWidget(options_);

    auto *action = new FlowLayout(nullptr, 12, 8);
    createSummary_ = label(QString(), TextSize::body, Tone::secondary);
    createSummary_->setObjectName(QStringLiteral("createSummary"));
    action->addWidget(createSummary_);
    QPushButton *reveal = nullptr;
    createDone_ = doneGroup(reveal);
    createDone_->setObjectName(QStringLiteral("createDone"));
    connect(reveal, &QPushButton::clicked, this, [this] {
        if (engine_->createdZip())
            this->reveal(*engine_->createdZip());
    });
    action->addWidget(createDone_);
    // Folders that could not be looked into went in empty: said beside the result.
    createUnreadable_ = new QWidget;
    auto *unreadable = new QHBoxLayout(createUnreadable_);
    unreadable->setContentsMargins(0, 0, 0, 0);
    unreadable->setSpacing(4);
    unreadable->addWidget(
        symbol(QStringLiteral("lock.fill"), TextSize::callout, Tone::orange, createUnreadable_));
    createUnreadableText_ = label(QString(), TextSize::callout, Tone::orange, createUnreadable_);
    createUnreadableText_->setObjectName(QStringLiteral("createUnreadable"));
    unreadable->addWidget(createUnreadableText_);
    action->addWidget(createUnreadable_);
    action->addStretch();
    auto *clear = new QPushButton(L("비우기"));
    clear->setObjectName(QStringLiteral("createClearButton"));
    connect(clear, &QPushButton::clicked, this, [this] { engine_->clear(); });
    action->addWidget(clear);
    createButton_ = prominentButton(L("압축하기"));
    createButton_->setObjectName(QStringLiteral("createButton"));
    connect(createButton_, &QPushButton::clicked, this, [this] { engine_->createZip(); });
    action->addWidget(createButton_);
    rows->addLayout(action);
    layout->addWidget(barBox);
    return page;
}

void ZipKoreanView::rebuildEntries()
{
    // Folder rows are never shown; the list reads the others through this index.
    const auto &entries = engine_->displayEntries();
    fileRows_.clear();
    bool junk = false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].isDirectory)
            continue;
        fileRows_.push_back(i);
        junk = junk || entries[i].isMacJunk;
    }
    // Every row keeps the same height: room for the junk note when any row has one.
    entryList_->setNoteLine(junk);
    entryList_->sync();
}

ResultRow ZipKoreanView::entryRow(int index) const
{
    const ArchiveRow &entry = engine_->displayEntries()[fileRows_[std::size_t(index)]];
    ResultRow row;
    row.symbol = entry.isEncrypted ? QStringLiteral("lock.doc.fill") : QStringLiteral("doc.fill");
    row.symbolTone = entry.isEncrypted ? Tone::orange : Tone::secondary;
    row.name = Text::fromUtf8(entry.name);
    if (entry.isMacJunk) {
        row.note = L("맥 쓰레기 파일 — 건너뜀");
        row.noteTone = Tone::orange;
    }
    if (entry.badge)
        row.capsule = RowBadge::capsule(*entry.badge, Tone::blue);
    row.badge = RowBadge::plain(ByteCount::fileStyle(entry.size), Tone::secondary);
    return row;
}

ResultRow ZipKoreanView::sourceRow(int index) const
{
    const auto &source = engine_->sources()[std::size_t(index)];
    ResultRow row;
    row.symbol = source.isDirectory ? QStringLiteral("folder.fill") : QStringLiteral("doc.fill");
    row.symbolTone = source.isDirectory ? Tone::cyan : Tone::secondary;
    row.name = Text::fromUtf8(source.entryName);
    return row;
}

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
    dropZone_->setTargeted(isDropTargeted_);

    // Extract state.
    extractTitle_->setFullText(
        e.archiveURL()
            ? Text::fromUtf8(Text::toNfc(Text::lossyUtf8Bytes(e.archiveURL()->filename().native())))
            : QString());
    extractSubtitle_->setText(e.encodingSummary());
    if (e.loadError()) {
        errorPlaceholder_->descriptionLabel()->setText(*e.loadError());
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
    createTitle_->setFullText(e.plannedZipPath() ? Text::lossyUtf8(e.plannedZipPath()->filename().native())
                                                 : QString());
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
    const auto unreadable = e.unreadableWarning();
    createUnreadable_->setVisible(e.mode() == Mode::create && unreadable.has_value());
    createUnreadableText_->setText(unreadable.value_or(QString()));
    createButton_->setVisible(!created);
    createButton_->setEnabled(!e.sources().empty());
}

void ZipKoreanView::setDropTargeted(bool on)
{
    if (isDropTargeted_ == on)
        return;
    isDropTargeted_ = on;
    sync();
}

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

void ZipKoreanView::pickFiles()
{
    if (const auto chosen = chooser_(this))
        engine_->addURLs(*chosen);
}

void ZipKoreanView::reveal(const fs::path &item)
{
    FileViewer::shared().showItems({item});
}

std::optional<ZipKoreanView::PathList> ZipKoreanView::chooseItems(QWidget *parent)
{
    FileDialogOpenPanel panel;
    return panel.choose(parent, {true, true, L("추가"), L("압축 파일 또는 압축할 파일·폴더를 선택하세요")});
}
