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

#include <QLabel>

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

PlaceholderView::PlaceholderView(Utility tool, QWidget *parent) : EmptyStateWidget(parent), tool_(tool)
{
    setObjectName(QStringLiteral("page.") + Utilities::id(tool));
    setWindowTitle(Utilities::title(tool));
    setContent(Utilities::icon(tool), Utilities::title(tool), Utilities::subtitle(tool));
    titleLabel()->setObjectName(QStringLiteral("title"));
    descriptionLabel()->setObjectName(QStringLiteral("subtitle"));
}
