#include "App/UtilityView.h"

#include "App/SymbolIcon.h"
#include "Features/SendCheckup/SendCheckupView.h"
#include "Features/SleepPreventer/SleepPreventerController.h"
#include "Features/SleepPreventer/SleepPreventerView.h"
#include "Features/Tweaks/TweaksView.h"
#include "Features/ZipKorean/ZipKoreanView.h"

#include <QLabel>
#include <QVBoxLayout>

namespace UtilityView {

QWidget *page(Utility tool, const PageContext &context, QWidget *parent)
{
    switch (tool) {
    case Utility::sendCheckup:
        if (context.checkup != nullptr)
            return new SendCheckupView(*context.checkup, context.session, parent);
        return new PlaceholderView(tool, parent);
    case Utility::hangulFilename:
    case Utility::dsStoreCleaner:
    case Utility::filenameSanitizer:
    case Utility::heicConverter:
    case Utility::videoConverter:
    case Utility::textEncoding:
        return new PlaceholderView(tool, parent);
    case Utility::zipKorean:
        return new ZipKoreanView(context.session, parent);
    case Utility::sleepPreventer:
        return new SleepPreventerView(SleepPreventerController::shared(), parent);
    case Utility::tweaks:
        return new TweaksView(nullptr, parent);
    }
    return new PlaceholderView(tool, parent);
}

} // namespace UtilityView

PlaceholderView::PlaceholderView(Utility tool, QWidget *parent) : QWidget(parent), tool_(tool)
{
    setObjectName(QStringLiteral("page.") + Utilities::id(tool));
    auto *layout = new QVBoxLayout(this);
    layout->addStretch(1);

    auto *symbol = new QLabel(this);
    symbol->setPixmap(SymbolIcon::icon(Utilities::icon(tool)).pixmap(48, 48));
    symbol->setAlignment(Qt::AlignCenter);
    layout->addWidget(symbol);

    auto *title = new QLabel(Utilities::title(tool), this);
    title->setObjectName(QStringLiteral("title"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto *subtitle = new QLabel(Utilities::subtitle(tool), this);
    subtitle->setObjectName(QStringLiteral("subtitle"));
    subtitle->setAlignment(Qt::AlignCenter);
    subtitle->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(subtitle);

    layout->addStretch(1);
}
