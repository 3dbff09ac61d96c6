#include "App/UtilityView.h"

#include "Features/DSStoreCleaner/DSStoreCleanerView.h"
#include "Features/FilenameSanitizer/FilenameSanitizerView.h"
#include "Features/HangulFilename/HangulFilenameView.h"
#include "Features/HeicConvert/HeicConvertView.h"
#include "Features/SendCheckup/SendCheckupView.h"
#include "Features/SleepPreventer/SleepPreventerController.h"
#include "Features/SleepPreventer/SleepPreventerView.h"
#include "Features/TextEncoding/TextEncodingView.h"
#include "Features/Tweaks/TweaksView.h"
#include "Features/VideoConvert/VideoConvertView.h"
#include "Features/ZipKorean/ZipKoreanView.h"
#include "Ui/SymbolIcon.h"

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
        return new HangulFilenameView(parent);
    case Utility::dsStoreCleaner:
        return new DSStoreCleanerView(std::make_unique<DSStoreCleanerEngine>(), parent);
    case Utility::filenameSanitizer:
        return new FilenameSanitizerView(parent);
    case Utility::heicConverter:
        return new HeicConvertView(parent);
    case Utility::videoConverter:
        return new VideoConvertView(parent);
    case Utility::textEncoding:
        return new TextEncodingView(std::make_unique<TextEncodingEngine>(), parent);
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
