#include "App/LaunchRequest.h"

#include "Core/FilePath.h"
#include "Core/Router.h"

#include <QJsonArray>

#include <algorithm>
#include <cctype>

namespace {

// Flags of the screenshot hooks (the first three start one) and their options; each may be
// followed by a value, which is no file.
constexpr const char *hookFlags[] = {"--manual-shots", "--uitest-shots", "--about-shots", "--about-frames",
                                     "--shot-size"};
constexpr std::size_t startingHooks = 3;

// 0 for no hook flag; otherwise its place in the list plus one.
std::size_t hookFlag(const std::string &argument)
{
    for (std::size_t i = 0; i < std::size(hookFlags); ++i)
        if (argument == hookFlags[i])
            return i + 1;
    return 0;
}

// "scheme:" at the start, as a URL has it ("quillfern:", "file:", "https:").
bool looksLikeUrl(const std::string &argument)
{
    const auto colon = argument.find(':');
    if (colon == std::string::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(argument[0])))
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(argument[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

bool isFileUrl(const std::string &argument)
{
    const auto colon = argument.find(':');
    std::string scheme = argument.substr(0, colon);
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return colon != std::string::npos && scheme == "file";
}

bool existingFileUrl(const std::string &argument)
{
    const auto path = FilePath::fromFileUrl(argument);
    return path && FilePath::exists(*path);
}

std::filesystem::path absolute(const std::string &argument, const std::filesystem::path &folder)
{
    std::filesystem::path path(argument);
    return path.is_absolute() ? path : folder / path;
}

QString encode(const std::string &bytes)
{
    return QString::fromLatin1(QByteArray(bytes.data(), qsizetype(bytes.size())).toBase64());
}

std::string decode(const QJsonValue &value)
{
    const QByteArray bytes = QByteArray::fromBase64(value.toString().toLatin1());
    return {bytes.constData(), std::size_t(bytes.size())};
}

QString plainToken(const QString &token)
{
    if (token.size() > 256)
        return {};
    for (QChar c : token)
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7F || c == QLatin1Char('"') || c == QLatin1Char('\\'))
            return {};
    return token;
}

} // namespace

void LaunchRequest::takeActivationFromEnvironment()
{
    activationToken = plainToken(qEnvironmentVariable("XDG_ACTIVATION_TOKEN"));
    startupId = plainToken(qEnvironmentVariable("DESKTOP_STARTUP_ID"));
}

LaunchRequest LaunchRequest::parse(const std::vector<std::string> &arguments,
                                   const std::filesystem::path &workingFolder)
{
    LaunchRequest request;
    enum class Mode { open, serviceUrls, serviceFiles } mode = Mode::open;
    std::string urlList;
    std::string text;
    std::string fileNames;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (const std::size_t hook = hookFlag(argument)) {
            request.screenshotHook = request.screenshotHook || hook <= startingHooks;
            ++i; // its value (or nothing, when it is the last argument)
            continue;
        }
        if (argument == "--login-item") {
            request.loginItem = true;
            continue;
        }
        if (argument == "--relaunched") {
            request.relaunched = true;
            continue;
        }
        if (argument == "--service" || argument == "--service-files") {
            request.kind = Kind::service;
            mode = argument == "--service" ? Mode::serviceUrls : Mode::serviceFiles;
            continue;
        }
        const bool relativeFileExists = FilePath::exists(absolute(argument, workingFolder));
        switch (mode) {
        case Mode::open:
            // The desktop hands over only items that exist: a path or file URL naming nothing is
            // left out; other URLs are judged by their own rules later.
            if (looksLikeUrl(argument) && !relativeFileExists) {
                if (!isFileUrl(argument) || existingFileUrl(argument))
                    request.urls.push_back(Router::withAbsolutePaths(argument, workingFolder));
            } else if (relativeFileExists) {
                request.urls.push_back(FilePath::toFileUrl(absolute(argument, workingFolder)));
            }
            break;
        case Mode::serviceUrls:
            urlList += (looksLikeUrl(argument) && !relativeFileExists)
                           ? argument
                           : FilePath::toFileUrl(absolute(argument, workingFolder));
            urlList += "\r\n";
            text += (text.empty() ? "" : "\n") + argument;
            break;
        case Mode::serviceFiles:
            fileNames += absolute(argument, workingFolder).native();
            fileNames += '\0';
            break;
        }
    }
    auto put = [&](const QString &type, const std::string &bytes) {
        if (!bytes.empty())
            request.pasteboard[type] = QByteArray(bytes.data(), qsizetype(bytes.size()));
    };
    put(Pasteboard::urlList, urlList);
    put(Pasteboard::text, text);
    put(Pasteboard::fileNames, fileNames);
    return request;
}

QJsonObject LaunchRequest::toJson() const
{
    QJsonObject object;
    object[QStringLiteral("kind")] =
        kind == Kind::service ? QStringLiteral("service") : QStringLiteral("open");
    QJsonArray list;
    for (const std::string &url : urls)
        list.append(encode(url));
    object[QStringLiteral("urls")] = list;
    QJsonObject board;
    for (const auto &[type, bytes] : pasteboard)
        board[type] = QString::fromLatin1(bytes.toBase64());
    object[QStringLiteral("pasteboard")] = board;
    object[QStringLiteral("loginItem")] = loginItem;
    if (!activationToken.isEmpty())
        object[QStringLiteral("activationToken")] = activationToken;
    if (!startupId.isEmpty())
        object[QStringLiteral("startupId")] = startupId;
    return object;
}

LaunchRequest LaunchRequest::fromJson(const QJsonObject &object)
{
    LaunchRequest request;
    request.kind = object.value(QStringLiteral("kind")).toString() == QLatin1String("service") ? Kind::service
                                                                                               : Kind::open;
    for (const auto &url : object.value(QStringLiteral("urls")).toArray())
        request.urls.push_back(decode(url));
    const QJsonObject board = object.value(QStringLiteral("pasteboard")).toObject();
    for (auto it = board.begin(); it != board.end(); ++it)
        request.pasteboard[it.key()] = QByteArray::fromBase64(it.value().toString().toLatin1());
    request.loginItem = object.value(QStringLiteral("loginItem")).toBool();
    request.activationToken = plainToken(object.value(QStringLiteral("activationToken")).toString());
    request.startupId = plainToken(object.value(QStringLiteral("startupId")).toString());
    return request;
}
