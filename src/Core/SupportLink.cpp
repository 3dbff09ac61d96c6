#include "Core/SupportLink.h"

#include "Core/Localization.h"

#include <QStringList>

#include <map>

namespace SupportLink {

namespace {

struct Row {
    const char *path;
    const char *label;
    const char *tooltip;
};

const std::map<QString, Row> &table()
{
    static const std::map<QString, Row> rows{
        {"ko", {"", "후원하기", "이 앱이 마음에 드셨다면 개발을 도와주세요."}},
        {"en", {"en", "Support", "If this app helps you, consider supporting its development."}},
        {"ja", {"ja", "支援する", "このアプリが役に立ったら、開発を応援してください。"}},
        {"zh-Hans", {"zh", "支持开发", "如果这个应用对你有帮助，欢迎支持后续开发。"}},
        {"zh-Hant", {"zh-Hant", "支援開發", "如果這個應用程式對你有幫助，歡迎支援後續開發。"}},
        {"hi", {"hi", "सहयोग करें", "अगर यह ऐप आपके काम आता है, तो इसके विकास में सहयोग करें।"}},
        {"bn", {"bn", "সহায়তা করুন", "এই অ্যাপ আপনার কাজে লাগলে এর উন্নয়নে সহায়তা করুন।"}},
        {"mr", {"mr", "पाठिंबा द्या", "हे ॲप उपयोगी वाटल्यास त्याच्या विकासाला पाठिंबा द्या."}},
        {"te", {"te", "మద్దతు ఇవ్వండి", "ఈ యాప్ మీకు ఉపయోగపడితే, దాని అభివృద్ధికి మద్దతు ఇవ్వండి."}},
        {"ur", {"ur", "معاونت کریں", "اگر یہ ایپ آپ کے کام آتی ہے تو اس کی تیاری میں معاونت کریں۔"}},
        {"ar", {"ar", "ادعم المطوّر", "إذا كان هذا التطبيق مفيدًا لك، فادعم تطويره."}},
        {"es", {"es", "Apoyar", "Si esta app te resulta útil, apoya su desarrollo."}},
        {"pt", {"pt", "Apoiar", "Se esta aplicação lhe é útil, apoie o seu desenvolvimento."}},
        {"fr", {"fr", "Soutenir", "Si cette application vous est utile, soutenez son développement."}},
        {"de", {"de", "Unterstützen", "Wenn diese App Ihnen hilft, unterstützen Sie die Entwicklung."}},
        {"ru", {"ru", "Поддержать", "Если это приложение вам полезно, поддержите его развитие."}},
        {"tr", {"tr", "Destek ol", "Bu uygulama işinize yarıyorsa geliştirilmesine destek olun."}},
        {"id", {"id", "Dukung", "Jika aplikasi ini membantu Anda, dukung pengembangannya."}},
        {"vi", {"vi", "Ủng hộ", "Nếu ứng dụng này hữu ích với bạn, hãy ủng hộ việc phát triển."}},
        {"ha", {"ha", "Tallafa", "Idan wannan manhaja tana taimaka maka, ka tallafa wa ci gabanta."}},
    };
    return rows;
}

const Row &rowFor(const std::optional<QString> &language, bool *found = nullptr)
{
    const auto &rows = table();
    const auto it = rows.find(normalized(language));
    if (found)
        *found = it != rows.end();
    return it != rows.end() ? it->second : rows.at(QStringLiteral("en"));
}

} // namespace

QString origin()
{
    return QStringLiteral("https://quillfern.github.io");
}

QString normalized(const std::optional<QString> &language)
{
    QString identifier;
    if (language) {
        identifier = *language;
    } else {
        const QStringList preferred = Localization::interfaceLanguages();
        identifier = preferred.isEmpty() ? QStringLiteral("en") : preferred.first();
    }
    if (identifier.startsWith(QLatin1String("zh"))) {
        for (const char *mark : {"Hant", "TW", "HK", "MO"})
            if (identifier.contains(QLatin1String(mark), Qt::CaseSensitive))
                return QStringLiteral("zh-Hant");
        return QStringLiteral("zh-Hans");
    }
    const QStringList pieces = identifier.split(QLatin1Char('-'), Qt::SkipEmptyParts);
    return pieces.isEmpty() ? identifier : pieces.first();
}

QUrl url(const std::optional<QString> &language)
{
    const QString path = QString::fromUtf8(rowFor(language).path);
    QString address = origin() + QStringLiteral("/support/");
    if (!path.isEmpty())
        address += path + QLatin1Char('/');
    return QUrl{address};
}

QString label(const std::optional<QString> &language)
{
    return QString::fromUtf8(rowFor(language).label);
}

QString tooltip(const std::optional<QString> &language)
{
    return QString::fromUtf8(rowFor(language).tooltip);
}

} // namespace SupportLink
