// A stand-in for the "defaults" command of other systems, for the hidden-settings switches: it keeps
// preference domains as one JSON file each in $XDG_CONFIG_HOME/Quillfern/defaults/.
//   read DOMAIN KEY                        prints the value and exits 0; exits 1 when it is unset
//   write DOMAIN KEY -bool true|false|yes|no|1|0
//   write DOMAIN KEY -string VALUE
//   write DOMAIN KEY VALUE                 a text value, even one that begins with "-"
//   delete DOMAIN KEY
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstdio>
#include <optional>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "defaults: %s\n", message.toLocal8Bit().constData());
    return 1;
}

// A domain becomes a file name, so it may not climb out of the store.
bool validDomain(const QString &domain)
{
    return !domain.isEmpty() && domain != QLatin1String(".") && domain != QLatin1String("..") &&
           !domain.contains(QLatin1Char('/')) && !domain.contains(QChar(0));
}

QString storeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quillfern/defaults");
}

QString domainFile(const QString &domain)
{
    return storeFolder() + QLatin1Char('/') + domain + QStringLiteral(".json");
}

QJsonObject load(const QString &domain, bool *ok)
{
    QFile file(domainFile(domain));
    *ok = true;
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        *ok = false;
        return {};
    }
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        *ok = false;
        return {};
    }
    return document.object();
}

bool save(const QString &domain, const QJsonObject &values)
{
    if (!QDir().mkpath(storeFolder()))
        return false;
    QSaveFile file(domainFile(domain));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(values).toJson());
    return file.commit();
}

std::optional<bool> parseBool(const QString &text)
{
    const QString value = text.toLower();
    if (value == QLatin1String("true") || value == QLatin1String("yes") || value == QLatin1String("1"))
        return true;
    if (value == QLatin1String("false") || value == QLatin1String("no") || value == QLatin1String("0"))
        return false;
    return std::nullopt;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3)
        return fail(QStringLiteral("usage: read|write|delete DOMAIN KEY [VALUE]"));
    const QString &command = args[0];
    const QString &domain = args[1];
    const QString &key = args[2];
    if (!validDomain(domain))
        return fail(QStringLiteral("invalid domain"));
    bool ok = false;
    QJsonObject values = load(domain, &ok);
    if (!ok)
        return fail(QStringLiteral("cannot read the domain's file"));

    if (command == QLatin1String("read") && args.size() == 3) {
        if (!values.contains(key))
            return fail(QStringLiteral("the domain/default pair does not exist"));
        const QJsonValue value = values.value(key);
        QByteArray out = value.isBool() ? QByteArray(value.toBool() ? "1" : "0") : value.toString().toUtf8();
        out += '\n';
        std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
        return 0;
    }
    if (command == QLatin1String("delete") && args.size() == 3) {
        if (!values.contains(key))
            return fail(QStringLiteral("the domain/default pair does not exist"));
        values.remove(key);
        return save(domain, values) ? 0 : fail(QStringLiteral("cannot write the domain's file"));
    }
    if (command == QLatin1String("write") && (args.size() == 4 || args.size() == 5)) {
        if (args.size() == 4) {
            values.insert(key, args[3]);
        } else if (args[3] == QLatin1String("-bool") || args[3] == QLatin1String("-boolean")) {
            std::optional<bool> value = parseBool(args[4]);
            if (!value)
                return fail(QStringLiteral("not a boolean value"));
            values.insert(key, *value);
        } else if (args[3] == QLatin1String("-string")) {
            values.insert(key, args[4]);
        } else {
            return fail(QStringLiteral("unknown value type"));
        }
        return save(domain, values) ? 0 : fail(QStringLiteral("cannot write the domain's file"));
    }
    return fail(QStringLiteral("usage: read|write|delete DOMAIN KEY [VALUE]"));
}
