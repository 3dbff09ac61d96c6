#include "App/UtilityView.h"

#include "Features/DSStoreCleaner/DSStoreCleanerView.h"
#include "Features/FilenameSanitizer/FilenameSanitizerView.h"
#include "Features/HangulFilename/HangulFilenameView.h"
#include "Features/HeicConvert/HeicConvertView.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Features/SendCheckup/SendCheckupView.h"
#include "Features/SleepPreventer/SleepPreventerController.h"
#include "Features/SleepPreventer/SleepPreventerView.h"
#include "Features/TextEncoding/TextEncodingView.h"
#include "Features/Tweaks/TweaksView.h"
#include "Features/VideoConvert/VideoConvertView.h"
#include "Features/ZipKorean/ZipKoreanView.h"

#include <memory>

namespace UtilityView {

QWidget *page(Utility tool, const QUuid &session, QWidget *parent)
{
    switch (tool) {
    case Utility::sendCheckup:
        return new SendCheckupView(SendCheckupEngine::session(session), session, parent);
    case Utility::hangulFilename:
        return new HangulFilenameView(std::make_unique<HangulRenameEngine>(), parent);
    case Utility::dsStoreCleaner:
        return new DSStoreCleanerView(std::make_unique<DSStoreCleanerEngine>(), parent);
    case Utility::filenameSanitizer:
        return new FilenameSanitizerView(std::make_unique<FilenameSanitizerEngine>(), parent);
    case Utility::heicConverter:
        return new HeicConvertView(std::make_unique<HeicConvertEngine>(), parent);
    case Utility::videoConverter:
        return new VideoConvertView(std::make_unique<VideoConvertEngine>(), parent);
    case Utility::textEncoding:
        return new TextEncodingView(std::make_unique<TextEncodingEngine>(), parent);
    case Utility::zipKorean:
        return new ZipKoreanView(std::make_unique<ZipKoreanEngine>(), session, parent);
    case Utility::sleepPreventer:
        return new SleepPreventerView(SleepPreventerController::shared(), parent);
    case Utility::tweaks:
        return new TweaksView(std::make_unique<TweaksEngine>(), parent);
    }
    Q_UNREACHABLE();
}

} // namespace UtilityView
