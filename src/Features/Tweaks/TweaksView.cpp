#include "TweaksView.h"

#include "Core/Localization.h"
#include "Ui/ElidedLabel.h"
#include "Ui/InfoBoxWidget.h"
#include "Ui/PageHeaderWidget.h"
#include "Ui/PageParts.h"
#include "Ui/ToggleSwitch.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The two-line label of a row: the title and, under it, its caption.
QVBoxLayout *rowLabel(const QString &title, const QString &caption)
{
    auto *column = new QVBoxLayout;
    column->setSpacing(2);
    auto *titleLabel = new QLabel(title);
    titleLabel->setWordWrap(true);
    column->addWidget(titleLabel);
    column->addWidget(PageParts::captionLabel(caption));
    return column;
}

} // namespace

QString TweaksView::navigationTitle()
{
    return L("맥 설정 스위치");
}

QString TweaksView::navigationSubtitle()
{
    return L("숨은 설정 켜고 끄기");
}

TweaksView::TweaksView(std::unique_ptr<TweaksEngine> engine, QWidget *parent)
    : QWidget(parent), engine_(std::move(engine)), chooser_(&TweaksView::chooseFolder)
{
    setObjectName(QStringLiteral("page.tweaks"));
    setWindowTitle(navigationTitle());

    PageHeaderWidget::pageColumn(this, navigationTitle(), navigationSubtitle());
    auto *form = new QVBoxLayout(PageParts::scrollingContent(this));
    // Tight enough that the whole form fits the window's default size.
    form->setContentsMargins(20, 16, 20, 16);
    form->setSpacing(12);

    for (const TweaksEngine::Section &section : TweaksEngine::sections()) {
        auto *group = new QGroupBox(section.title);
        group->setObjectName(QStringLiteral("section-") + section.id);
        auto *rows = new QVBoxLayout(group);
        rows->setSpacing(8);
        for (const TweaksEngine::Tweak &tweak : section.tweaks) {
            auto *row = new QHBoxLayout;
            row->addLayout(rowLabel(tweak.title, tweak.caption), 1);
            auto *toggle = new ToggleSwitch;
            toggle->setObjectName(QStringLiteral("tweak-") + tweak.id);
            toggle->setAccessibleName(tweak.title);
            row->addWidget(toggle, 0, Qt::AlignVCenter);
            rows->addLayout(row);
            switches_[tweak.id] = toggle;
            connect(toggle, &QAbstractButton::clicked, this, [this, tweak](bool checked) {
                engine_->setTweak(tweak, checked);
                sync(); // a failed write snaps the switch back even when nothing changed
            });
        }
        if (section.id == QLatin1String("screenshot")) {
            auto *jpgRow = new QHBoxLayout;
            jpgRow->addLayout(rowLabel(L("스크린샷을 JPG로 저장"), L("기본 PNG보다 용량이 훨씬 작습니다")),
                              1);
            jpgSwitch_ = new ToggleSwitch;
            jpgSwitch_->setObjectName(QStringLiteral("screenshot-jpg"));
            jpgSwitch_->setAccessibleName(L("스크린샷을 JPG로 저장"));
            jpgRow->addWidget(jpgSwitch_, 0, Qt::AlignVCenter);
            rows->addLayout(jpgRow);
            connect(jpgSwitch_, &QAbstractButton::clicked, this, [this](bool checked) {
                engine_->setScreenshotJPG(checked);
                sync();
            });

            auto *folderRow = new QHBoxLayout;
            folderRow->addLayout(rowLabel(L("스크린샷 저장 위치"), L("기본은 데스크탑입니다")), 1);
            location_ = new ElidedLabel;
            location_->setObjectName(QStringLiteral("screenshot-location"));
            location_->setFont(PageStyle::font(TextSize::callout, location_->font()));
            PageStyle::setTone(location_, Tone::secondary);
            location_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            location_->setMinimumWidth(80);
            location_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            auto *change = new QPushButton(L("변경…"));
            change->setObjectName(QStringLiteral("screenshot-change"));
            folderRow->addWidget(location_, 1, Qt::AlignVCenter);
            folderRow->addWidget(change, 0, Qt::AlignVCenter);
            rows->addLayout(folderRow);
            connect(change, &QPushButton::clicked, this, &TweaksView::pickScreenshotFolder);
        }
        form->addWidget(group);
    }

    auto *info = new QGroupBox;
    info->setObjectName(QStringLiteral("section-info"));
    (new QVBoxLayout(info))
        ->addWidget(new InfoBoxWidget(
            L("이 설정들은 원래 터미널 명령으로만 바꿀 수 있는 macOS 숨은 설정입니다. Finder 관련 설정을 "
              "바꾸면 Finder가 잠깐 재시작됩니다 (열려 있던 창은 다시 열립니다). 언제든 다시 끄면 원래대로 "
              "돌아갑니다."),
            info, false));
    form->addWidget(info);
    form->addStretch(1);

    connect(engine_.get(), &TweaksEngine::statesChanged, this, &TweaksView::sync);
    connect(engine_.get(), &TweaksEngine::screenshotIsJPGChanged, this, &TweaksView::sync);
    connect(engine_.get(), &TweaksEngine::screenshotLocationChanged, this, &TweaksView::sync);
    sync();
}

TweaksView::~TweaksView() = default;

std::optional<QString> TweaksView::chooseFolder(QWidget *parent)
{
    QFileDialog dialog(parent, L("스크린샷을 저장할 폴더를 선택하세요"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setLabelText(QFileDialog::Accept, L("선택"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void TweaksView::pickScreenshotFolder()
{
    if (std::optional<QString> folder = chooser_(this))
        engine_->setScreenshotLocation(*folder);
    sync();
}

void TweaksView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Values may have changed outside the application since the page was last shown.
    engine_->refresh();
    sync();
}

void TweaksView::sync()
{
    for (auto &[id, toggle] : switches_)
        toggle->setChecked(engine_->state(id));
    jpgSwitch_->setChecked(engine_->screenshotIsJPG());
    location_->setFullText(engine_->screenshotLocation());
}
