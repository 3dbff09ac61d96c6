#include "App/SettingsDialog.h"

#include "App/LoginItem.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"
#include "Features/DailyWord/DailyWord.h"
#include "Features/DailyWord/DailyWordSetting.h"
#include "Platform/Autostart.h"
#include "Platform/FileManagerActions.h"
#include "Ui/PageParts.h"
#include "Ui/PageStyle.h"
#include "Ui/SymbolIcon.h"
#include "Ui/ToggleSwitch.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QPointer<SettingsDialog> &openDialog()
{
    static QPointer<SettingsDialog> dialog;
    return dialog;
}

SettingsDialog::Starter &starter()
{
    static SettingsDialog::Starter start = [](const QString &program, const QStringList &arguments) {
        return QProcess::startDetached(program, arguments);
    };
    return start;
}

std::function<void()> &quitter()
{
    static std::function<void()> quit = [] { QApplication::quit(); };
    return quit;
}

QLabel *caption(const QString &text, QWidget *parent)
{
    return PageParts::captionLabel(text, TextSize::caption, parent);
}

QString fileManagerCaptionText(bool on)
{
    return on ? L("Finder에서 파일을 우클릭하면 \"Quillfern\"이 보입니다.")
              : L("Finder 우클릭 메뉴에 넣으려면 시스템 설정에서 누리함 확장을 켜주세요. 켜지 않아도 우클릭 "
                  "→ "
                  "서비스 메뉴로는 바로 쓸 수 있습니다.");
}

} // namespace

SettingsDialog *SettingsDialog::instance()
{
    return openDialog().data();
}

SettingsDialog *SettingsDialog::present()
{
    if (!openDialog())
        openDialog() = new SettingsDialog;
    SettingsDialog *dialog = openDialog().data();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void SettingsDialog::setRelaunchHooks(Starter start, std::function<void()> quit)
{
    starter() = start ? std::move(start) : [](const QString &program, const QStringList &arguments) {
        return QProcess::startDetached(program, arguments);
    };
    quitter() = quit ? std::move(quit) : [] { QApplication::quit(); };
}

SettingsDialog::SettingsDialog(QWidget *parent) : QDialog(parent), language_(LanguageSettings::current())
{
    setObjectName(QStringLiteral("settings"));
    setWindowTitle(L("설정"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedWidth(460);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(20, 20, 20, 20);
    auto *group = new QFrame(this);
    group->setObjectName(QStringLiteral("group"));
    group->setFrameShape(QFrame::StyledPanel);
    group->setAutoFillBackground(true);
    group->setBackgroundRole(QPalette::Base);
    outer->addWidget(group);
    rows_ = new QVBoxLayout(group);
    rows_->setContentsMargins(14, 12, 14, 12);
    rows_->setSpacing(8);

    // 1, 2: the right-click menu and what it means.
    auto *trailing = new QWidget(group);
    auto *trailingLayout = new QHBoxLayout(trailing);
    trailingLayout->setContentsMargins(0, 0, 0, 0);
    trailingLayout->addStretch(1);
    // "켜짐" in green, and beside it the way to take the user's own copies out again.
    fileManagerOn_ = new QToolButton(trailing);
    fileManagerOn_->setObjectName(QStringLiteral("fileManagerOn"));
    const QColor green = PageStyle::color(Tone::green, palette());
    fileManagerOn_->setIcon(
        QIcon(SymbolIcon::pixmap(QStringLiteral("checkmark.circle.fill"), 16, green, devicePixelRatioF())));
    fileManagerOn_->setText(L("켜짐"));
    fileManagerOn_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    fileManagerOn_->setAutoRaise(true);
    fileManagerOn_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QPalette greenText = fileManagerOn_->palette();
    greenText.setColor(QPalette::ButtonText, green);
    fileManagerOn_->setPalette(greenText);
    connect(fileManagerOn_, &QToolButton::clicked, this, &SettingsDialog::offerFileManagerRemoval);
    trailingLayout->addWidget(fileManagerOn_);
    fileManagerRemove_ = new QPushButton(L("빼기…"), trailing);
    fileManagerRemove_->setObjectName(QStringLiteral("fileManagerRemove"));
    connect(fileManagerRemove_, &QPushButton::clicked, this, &SettingsDialog::offerFileManagerRemoval);
    trailingLayout->addWidget(fileManagerRemove_);
    fileManagerButton_ = new QPushButton(L("설정 열기…"), trailing);
    fileManagerButton_->setObjectName(QStringLiteral("fileManagerButton"));
    connect(fileManagerButton_, &QPushButton::clicked, this, &SettingsDialog::offerFileManagerActions);
    trailingLayout->addWidget(fileManagerButton_);
    addRow(L("Finder 우클릭 메뉴"), trailing);
    fileManagerCaption_ = caption(QString(), group);
    fileManagerCaption_->setObjectName(QStringLiteral("fileManagerCaption"));
    rows_->addWidget(fileManagerCaption_);

    // 3, 4: start at login.
    loginToggle_ = new ToggleSwitch(group);
    loginToggle_->setObjectName(QStringLiteral("loginToggle"));
    loginToggle_->setChecked(LoginItem::isEnabled());
    connect(loginToggle_, &ToggleSwitch::toggled, this, &SettingsDialog::loginToggled);
    addRow(L("로그인 시 자동 실행"), loginToggle_);
    rows_->addWidget(caption(L("Mac을 시작하면 누리함이 메뉴 막대(트레이)에서 조용히 대기합니다."), group));

    // 5, 6: the daily word, shown unless hidden in this very version.
    dailyWordToggle_ = new ToggleSwitch(group);
    dailyWordToggle_->setObjectName(QStringLiteral("dailyWordToggle"));
    syncDailyWord();
    connect(dailyWordToggle_, &ToggleSwitch::toggled, this, [this](bool on) {
        DailyWordSetting::setHidden(!on);
        syncDailyWord();
    });
    addRow(L("홈 화면에 오늘의 말씀 표시"), dailyWordToggle_);
    rows_->addWidget(
        caption(L("하루에 한 구절씩 홈 화면 아래에 조용히 놓입니다. 자정이 지나면 바뀌고, 새 버전을 "
                  "설치하면 다시 켜집니다."),
                group));
    // One's own word file that is there but was passed over: which, and why.
    if (const auto &problem = DailyWordStore::shared().fileProblem()) {
        dailyWordProblem_ = PageStyle::label(
            L("%@ 파일을 쓰지 않고 기본 말씀을 보여 줍니다: %@",
              FilePath::display(DailyWordStore::shared().fileURL()).replace(u'/', QStringLiteral("/\u200B")),
              *problem),
            TextSize::caption, Tone::orange, group);
        dailyWordProblem_->setObjectName(QStringLiteral("dailyWordProblem"));
        dailyWordProblem_->setWordWrap(true);
        rows_->addWidget(dailyWordProblem_);
    }

    // 7: the language; system first, a divider, then the twenty languages by their own names.
    languagePicker_ = new QComboBox(group);
    languagePicker_->setObjectName(QStringLiteral("languagePicker"));
    for (LanguageSetting l : LanguageSettings::allCases()) {
        languagePicker_->addItem(LanguageSettings::label(l), LanguageSettings::rawValue(l));
        if (l == LanguageSetting::system)
            languagePicker_->insertSeparator(1);
    }
    languagePicker_->setCurrentIndex(languagePicker_->findData(LanguageSettings::rawValue(language_)));
    connect(languagePicker_, &QComboBox::currentIndexChanged, this, &SettingsDialog::languageChosen);
    // The whole of the longest language's name shows.
    languagePicker_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    addRow(L("언어"), languagePicker_);

    // 8: only after a language was chosen here.
    restartRow_ = new QWidget(group);
    restartRow_->setObjectName(QStringLiteral("restartRow"));
    auto *restartLayout = new QHBoxLayout(restartRow_);
    restartLayout->setContentsMargins(0, 0, 0, 0);
    restartLayout->setSpacing(10);
    // Toned in both text roles: on the group's Base background a label draws with Text.
    auto *restartText = PageStyle::label(L("언어 변경은 앱을 다시 시작하면 적용됩니다."), TextSize::body,
                                         Tone::orange, restartRow_);
    restartText->setObjectName(QStringLiteral("restartText"));
    restartText->setWordWrap(true);
    restartLayout->addWidget(restartText, 1);
    auto *restartButton = new QPushButton(L("지금 다시 시작"), restartRow_);
    restartButton->setObjectName(QStringLiteral("restartButton"));
    connect(restartButton, &QPushButton::clicked, this, &SettingsDialog::relaunch);
    restartLayout->addWidget(restartButton);
    rows_->addWidget(restartRow_);
    restartRow_->setVisible(false);

    refreshFileManagerState();
    fitHeight();
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            refreshFileManagerState();
    });
}

void SettingsDialog::addRow(const QString &title, QWidget *control)
{
    // The title takes what the control leaves and wraps when a translation is long; the control
    // keeps its whole size at the right.
    auto *row = new QHBoxLayout;
    row->setSpacing(16);
    auto *label = new QLabel(title);
    label->setWordWrap(true);
    row->addWidget(label, 1);
    control->setSizePolicy(QSizePolicy::Fixed, control->sizePolicy().verticalPolicy());
    row->addWidget(control, 0, Qt::AlignVCenter);
    rows_->addLayout(row);
}

void SettingsDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refreshFileManagerState();
}

void SettingsDialog::refreshFileManagerState()
{
    fileManagerMenuOn_ = FileManagerActions::isInstalled();
    fileManagerOn_->setVisible(fileManagerMenuOn_);
    // Copies installed for every user are the package manager's to take out.
    fileManagerRemove_->setVisible(fileManagerMenuOn_ && FileManagerActions::isInstalledForUser());
    fileManagerButton_->setVisible(!fileManagerMenuOn_);
    fileManagerCaption_->setText(fileManagerCaptionText(fileManagerMenuOn_));
    fitHeight();
}

void SettingsDialog::fitHeight()
{
    // The captions wrap: the window is as high as its rows need at its fixed width.
    if (QLayout *l = layout()) {
        setFixedHeight(l->totalHeightForWidth(width()));
        l->activate();
    }
}

void SettingsDialog::offerFileManagerActions()
{
    const auto answer = QMessageBox::question(
        this, L("Finder 우클릭 메뉴"),
        L("파일 관리자(Dolphin, Nautilus, Nemo, Caja, PCManFM)의 우클릭 메뉴에 누리함을 넣을까요?"));
    if (answer != QMessageBox::Yes)
        return;
    try {
        FileManagerActions::installForUser(QCoreApplication::applicationFilePath());
    } catch (const FileManagerActions::Error &e) {
        QMessageBox::warning(this, L("Finder 우클릭 메뉴"), e.text);
    }
    refreshFileManagerState();
}

void SettingsDialog::offerFileManagerRemoval()
{
    if (!FileManagerActions::isInstalledForUser()) {
        QMessageBox::information(
            this, L("Finder 우클릭 메뉴"),
            L("우클릭 메뉴는 이 컴퓨터의 모든 사용자에게 설치되어 있습니다. 빼려면 누리함 패키지를 "
              "관리하는 프로그램을 쓰세요."));
        return;
    }
    const auto answer = QMessageBox::question(this, L("Finder 우클릭 메뉴"),
                                              L("파일 관리자의 우클릭 메뉴에서 누리함을 뺄까요?"));
    if (answer != QMessageBox::Yes)
        return;
    try {
        FileManagerActions::removeForUser();
    } catch (const FileManagerActions::Error &e) {
        QMessageBox::warning(this, L("Finder 우클릭 메뉴"), e.text);
    }
    refreshFileManagerState();
}

void SettingsDialog::syncDailyWord()
{
    const QSignalBlocker blocker(dailyWordToggle_);
    dailyWordToggle_->setChecked(DailyWordSetting::hiddenInVersion() != DailyWordSetting::currentVersion());
}

void SettingsDialog::loginToggled(bool on)
{
    try {
        LoginItem::setEnabled(on);
    } catch (const Autostart::Error &) {
        // No message: the switch shows the state the login item really has. Blocked, so this
        // correction is not taken for a new choice and registered again.
        const QSignalBlocker blocker(loginToggle_);
        loginToggle_->setChecked(LoginItem::isEnabled());
    }
}

void SettingsDialog::languageChosen(int index)
{
    const auto chosen = LanguageSettings::fromRawValue(languagePicker_->itemData(index).toString());
    if (!chosen)
        return;
    language_ = *chosen;
    LanguageSettings::apply(language_);
    needsRestart_ = true;
    restartRow_->setVisible(true);
    fitHeight();
}

void SettingsDialog::relaunch()
{
    // The program is started directly (no shell, so no quoting of its path); the new instance
    // waits until this one has let go of the single-instance socket.
    starter()(QCoreApplication::applicationFilePath(), {QStringLiteral("--relaunched")});
    quitter()();
}
