#include "App/ManualLink.h"

#include "Core/Localization.h"

#include <map>

namespace ManualLink {

namespace {

const std::map<QString, QString> &folders()
{
    static const std::map<QString, QString> table{
        {"ko", ""},   {"en", "en"}, {"ja", "ja"}, {"zh-Hans", "zh"}, {"zh-Hant", "zh-Hant"},
        {"hi", "hi"}, {"bn", "bn"}, {"mr", "mr"}, {"te", "te"},      {"ur", "ur"},
        {"ar", "ar"}, {"es", "es"}, {"pt", "pt"}, {"fr", "fr"},      {"de", "de"},
        {"ru", "ru"}, {"tr", "tr"}, {"id", "id"}, {"vi", "vi"},      {"ha", "ha"},
    };
    return table;
}

QString keyFor(const QString &code)
{
    if (code.startsWith(QLatin1String("zh"))) {
        for (const char *mark : {"Hant", "TW", "HK", "MO"})
            if (code.contains(QLatin1String(mark), Qt::CaseSensitive))
                return QStringLiteral("zh-Hant");
        return QStringLiteral("zh-Hans");
    }
    const qsizetype dash = code.indexOf(QLatin1Char('-'));
    return dash < 0 ? code : code.left(dash);
}

} // namespace

QString baseAddress()
{
    return QStringLiteral("https://quillfern.github.io/manual/");
}

QUrl manualURL(const QStringList &preferredLocalizations)
{
    const QString code =
        preferredLocalizations.isEmpty() ? QStringLiteral("ko") : preferredLocalizations.first();
    const auto &table = folders();
    const auto it = table.find(keyFor(code));
    const QString folder = it == table.end() ? QStringLiteral("en") : it->second;
    return {folder.isEmpty() ? baseAddress() : baseAddress() + folder + QLatin1Char('/')};
}

QUrl manualURL()
{
    return manualURL(Localization::interfaceLanguages());
}

} // namespace ManualLink
