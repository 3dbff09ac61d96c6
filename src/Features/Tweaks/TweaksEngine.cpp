#include "TweaksEngine.h"

#include "Core/Localization.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStringDecoder>

const QString TweaksEngine::screenshotDomain = QStringLiteral("com.apple.screencapture");

QString TweaksEngine::toString(RestartTarget target)
{
    switch (target) {
    case RestartTarget::finder:
        return QStringLiteral("Finder");
    case RestartTarget::systemUIServer:
        return QStringLiteral("SystemUIServer");
    }
    return {};
}

const std::vector<TweaksEngine::Section> &TweaksEngine::sections()
{
    static const std::vector<Section> table = [] {
        const QString desktopServices = QStringLiteral("com.apple.desktopservices");
        const QString finder = QStringLiteral("com.apple.finder");
        return std::vector<Section>{
            {QStringLiteral("prevention"),
             L(".DS_Store 예방"),
             {
                 {QStringLiteral("usb-dsstore"), L("USB·외장하드에 .DS_Store 만들지 않기"),
                  L("다음에 연결하는 드라이브부터 적용됩니다"), desktopServices,
                  QStringLiteral("DSDontWriteUSBStores"), std::nullopt},
                 {QStringLiteral("network-dsstore"), L("네트워크 드라이브에 .DS_Store 만들지 않기"),
                  L("NAS·공유 폴더를 쓰는 Windows 동료가 좋아합니다"), desktopServices,
                  QStringLiteral("DSDontWriteNetworkStores"), std::nullopt},
             }},
            {QStringLiteral("finder"),
             QStringLiteral("Finder"),
             {
                 {QStringLiteral("show-extensions"), L("파일 확장자 항상 표시"),
                  L("\"보고서\"가 아니라 \"보고서.hwp\"로 보입니다"), QStringLiteral("NSGlobalDomain"),
                  QStringLiteral("AppleShowAllExtensions"), RestartTarget::finder},
                 {QStringLiteral("show-hidden"), L("숨김 파일 보기"),
                  L(".으로 시작하는 파일과 폴더를 Finder에 표시합니다"), finder,
                  QStringLiteral("AppleShowAllFiles"), RestartTarget::finder},
                 {QStringLiteral("path-in-title"), L("Finder 제목에 전체 경로 표시"),
                  L("지금 보고 있는 폴더의 위치를 한눈에 알 수 있습니다"), finder,
                  QStringLiteral("_FXShowPosixPathInTitle"), RestartTarget::finder},
             }},
            {QStringLiteral("screenshot"),
             L("스크린샷"),
             {
                 {QStringLiteral("no-shadow"), L("창 스크린샷 그림자 제거"),
                  L("문서에 붙일 때 깔끔한 이미지가 됩니다"), screenshotDomain,
                  QStringLiteral("disable-shadow"), RestartTarget::systemUIServer},
             }},
        };
    }();
    return table;
}

TweaksEngine::Helpers TweaksEngine::defaultHelpers()
{
    // Built and installed beside the program. When they are missing nothing runs: every read gives
    // no value and every write fails.
    const QString folder = QCoreApplication::applicationDirPath();
    Helpers helpers;
    if (!folder.isEmpty()) {
        helpers.defaultsProgram = folder + QStringLiteral("/quillfern-defaults");
        helpers.killallProgram = folder + QStringLiteral("/quillfern-killall");
    }
    return helpers;
}

TweaksEngine::TweaksEngine(QObject *parent) : TweaksEngine(defaultHelpers(), parent) {}

TweaksEngine::TweaksEngine(Helpers helpers, QObject *parent) : QObject(parent), helpers_(std::move(helpers))
{
}

bool TweaksEngine::state(const QString &tweakId) const
{
    auto it = states_.find(tweakId);
    return it != states_.end() && it->second;
}

TweaksEngine::Run TweaksEngine::run(const QStringList &arguments) const
{
    Run result;
    if (helpers_.defaultsProgram.isEmpty())
        return result;
    QProcess process;
    process.setProgram(helpers_.defaultsProgram);
    process.setArguments(arguments);
    // Nothing reads the helper's errors, so they go nowhere instead of into a pipe that could fill up;
    // it gets no input either, so it cannot wait for any.
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(helpers_.timeoutMilliseconds))
        return result;
    // A helper that does not answer in time counts as giving no answer; the page must not hang.
    if (!process.waitForFinished(helpers_.timeoutMilliseconds)) {
        process.kill();
        process.waitForFinished(-1);
        return result;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return result;
    result.succeeded = true;
    const QByteArray output = process.readAllStandardOutput();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(output);
    if (!decoder.hasError())
        result.text = std::move(text);
    return result;
}

std::optional<QString> TweaksEngine::runDefaults(const QStringList &arguments) const
{
    Run result = run(arguments);
    return result.succeeded ? result.text : std::nullopt;
}

std::optional<QString> TweaksEngine::readString(const QString &domain, const QString &key) const
{
    std::optional<QString> text = runDefaults({QStringLiteral("read"), domain, key});
    if (!text)
        return std::nullopt;
    QString trimmed = text->trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    return trimmed;
}

bool TweaksEngine::readSwitch(const Tweak &tweak) const
{
    std::optional<QString> text = runDefaults({QStringLiteral("read"), tweak.domain, tweak.key});
    if (!text)
        return false;
    const QString value = text->trimmed().toLower();
    return value == QLatin1String("1") || value == QLatin1String("true") || value == QLatin1String("yes");
}

bool TweaksEngine::readIsJPG() const
{
    const QString type =
        readString(screenshotDomain, QStringLiteral("type")).value_or(QStringLiteral("png")).toLower();
    return type == QLatin1String("jpg") || type == QLatin1String("jpeg");
}

QString TweaksEngine::readLocation() const
{
    return readString(screenshotDomain, QStringLiteral("location"))
        .value_or(QDir::homePath() + QStringLiteral("/Desktop"));
}

void TweaksEngine::killall(RestartTarget target) const
{
    if (helpers_.killallProgram.isEmpty())
        return;
    // Started and left to itself; a failure to start is of no consequence.
    QProcess::startDetached(helpers_.killallProgram, {toString(target)});
}

void TweaksEngine::setState(const QString &tweakId, bool on)
{
    auto it = states_.find(tweakId);
    if (it != states_.end() && it->second == on)
        return;
    states_[tweakId] = on;
    emit statesChanged();
}

void TweaksEngine::setIsJPG(bool jpg)
{
    if (jpg == screenshotIsJPG_)
        return;
    screenshotIsJPG_ = jpg;
    emit screenshotIsJPGChanged();
}

void TweaksEngine::setLocation(const QString &path)
{
    if (path == screenshotLocation_)
        return;
    screenshotLocation_ = path;
    emit screenshotLocationChanged();
}

void TweaksEngine::refresh()
{
    for (const Section &section : sections()) {
        for (const Tweak &tweak : section.tweaks)
            setState(tweak.id, readSwitch(tweak));
    }
    setIsJPG(readIsJPG());
    setLocation(readLocation());
}

void TweaksEngine::setTweak(const Tweak &tweak, bool enabled)
{
    const Run written = run({QStringLiteral("write"), tweak.domain, tweak.key, QStringLiteral("-bool"),
                             enabled ? QStringLiteral("true") : QStringLiteral("false")});
    if (!written.succeeded) {
        setState(tweak.id, readSwitch(tweak));
        return;
    }
    setState(tweak.id, enabled);
    if (tweak.restart)
        killall(*tweak.restart);
}

void TweaksEngine::setScreenshotJPG(bool jpg)
{
    const Run written = run({QStringLiteral("write"), screenshotDomain, QStringLiteral("type"),
                             jpg ? QStringLiteral("jpg") : QStringLiteral("png")});
    if (!written.succeeded) {
        setIsJPG(readIsJPG());
        return;
    }
    setIsJPG(jpg);
    killall(RestartTarget::systemUIServer);
}

void TweaksEngine::setScreenshotLocation(const QString &path)
{
    const Run written = run({QStringLiteral("write"), screenshotDomain, QStringLiteral("location"), path});
    if (!written.succeeded) {
        setLocation(readLocation());
        return;
    }
    setLocation(path);
    killall(RestartTarget::systemUIServer);
}
