#include "App/AboutDialog.h"

#include "App/ContentView.h"
#include "App/SupportButton.h"
#include "App/UpdateCheck.h"
#include "Core/AppInfo.h"
#include "Core/Localization.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QPointer<AboutDialog> &openDialog()
{
    static QPointer<AboutDialog> dialog;
    return dialog;
}

QLabel *text(const QString &content, QWidget *parent, double scale, bool secondary = false,
             QFont::Weight weight = QFont::Normal)
{
    auto *label = new QLabel(content, parent);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * scale);
    f.setWeight(weight);
    label->setFont(f);
    if (secondary)
        label->setForegroundRole(QPalette::PlaceholderText);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel *link(const QString &address, const QString &shown, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setText(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), shown.toHtmlEscaped()));
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    return label;
}

// Font sizes relative to the body text.
constexpr double titleScale = 1.55;
constexpr double calloutScale = 0.95;
constexpr double captionScale = 0.85;
constexpr double caption2Scale = 0.8;

} // namespace

QString AboutDialog::version()
{
    return L("버전 %@ (%@)",
             AppInfo::value(QStringLiteral("CFBundleShortVersionString")).value_or(QStringLiteral("1.0.0")),
             AppInfo::value(QStringLiteral("CFBundleVersion")).value_or(QStringLiteral("1")));
}

QString AboutDialog::siteAddress()
{
    return QStringLiteral("https://quillfern.github.io/");
}
QString AboutDialog::contactAddress()
{
    return ContentView::feedbackAddress();
}

AboutDialog::AboutDialog()
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(L("누리함에 관하여"));
    setAttribute(Qt::WA_DeleteOnClose);
    // No control takes the focus on opening, so none shows a focus frame until Tab is pressed.
    setFocusPolicy(Qt::StrongFocus);
    // The window takes the size of its content; the user cannot resize it.
    auto *column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->setContentsMargins(40, 24, 40, 28);
    column->setSpacing(6);
    auto add = [column](QWidget *w, int spaceAbove = 0) {
        if (spaceAbove > 0)
            column->addSpacing(spaceAbove);
        column->addWidget(w, 0, Qt::AlignHCenter);
    };

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(QApplication::windowIcon().pixmap(96, 96));
    icon->setFixedSize(96, 96);
    icon->setScaledContents(true);
    add(icon);
    add(text(L("누리함"), this, titleScale, false, QFont::Bold));
    add(text(L("Quillfern"), this, calloutScale, true));
    version_ = text(version(), this, captionScale, true);
    version_->setObjectName(QStringLiteral("version"));
    add(version_);
    update_ = new CheckForUpdatesButton(this);
    QFont small = update_->font();
    small.setPointSizeF(small.pointSizeF() * captionScale);
    update_->setFont(small);
    add(update_, 2);
    add(text(L("사소하지만 짜증나는 문제들을 포르랑 해결해 드립니다"), this, calloutScale), 10);

    auto *credit = new QWidget(this);
    auto *creditLayout = new QVBoxLayout(credit);
    creditLayout->setContentsMargins(0, 0, 0, 0);
    creditLayout->setSpacing(2);
    creditLayout->addWidget(text(QStringLiteral("Orvanta"), credit, 1.0, false, QFont::DemiBold), 0,
                            Qt::AlignHCenter);
    creditLayout->addWidget(text(QStringLiteral("Anonymous"), credit, captionScale, true), 0,
                            Qt::AlignHCenter);
    add(credit, 12);

    auto *links = new QWidget(this);
    links->setObjectName(QStringLiteral("links"));
    QFont callout = links->font();
    callout.setPointSizeF(callout.pointSizeF() * calloutScale);
    links->setFont(callout);
    auto *grid = new QGridLayout(links);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(5);
    auto *homeLabel = new QLabel(L("홈페이지"), links);
    homeLabel->setForegroundRole(QPalette::PlaceholderText);
    grid->addWidget(homeLabel, 0, 0, Qt::AlignRight);
    grid->addWidget(link(siteAddress(), QUrl(siteAddress()).host(), links), 0, 1, Qt::AlignLeft);
    auto *mailLabel = new QLabel(L("문의"), links);
    mailLabel->setForegroundRole(QPalette::PlaceholderText);
    grid->addWidget(mailLabel, 1, 0, Qt::AlignRight);
    grid->addWidget(link(QStringLiteral("mailto:") + contactAddress(), contactAddress(), links), 1, 1,
                    Qt::AlignLeft);
    add(links, 12);

    support_ = new SupportButton(L("후원하기"), L("누리함이 마음에 드셨다면 개발을 도와주세요."), this);
    add(support_, 14);
    add(text(QStringLiteral("© 2026 Orvanta. All rights reserved."), this, caption2Scale, true), 16);
}

AboutDialog *AboutDialog::instance()
{
    return openDialog().data();
}

AboutDialog *AboutDialog::present()
{
    if (!openDialog())
        openDialog() = new AboutDialog;
    AboutDialog *dialog = openDialog().data();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->setFocus();
    return dialog;
}
