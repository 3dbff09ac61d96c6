#include "Core/Settings.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace Settings {

namespace {

// Strings, booleans and lists of strings are stored as plain JSON; every other type carries a
// tag, so each value reads back with the type it was written with.
QJsonValue encode(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QStringList:
        return QJsonArray::fromStringList(value.toStringList());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QJsonObject{{QStringLiteral("$int"), QString::number(value.toLongLong())}};
    case QMetaType::Double:
    case QMetaType::Float:
        return QJsonObject{{QStringLiteral("$double"), value.toDouble()}};
    case QMetaType::QByteArray:
        return QJsonObject{{QStringLiteral("$bytes"), QString::fromLatin1(value.toByteArray().toBase64())}};
    case QMetaType::QVariantList: {
        QJsonArray items;
        for (const QVariant &item : value.toList())
            items.append(encode(item));
        return QJsonObject{{QStringLiteral("$list"), items}};
    }
    case QMetaType::QVariantMap: {
        QJsonObject items;
        const QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            items.insert(it.key(), encode(it.value()));
        return QJsonObject{{QStringLiteral("$map"), items}};
    }
    default: {
        QByteArray bytes;
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream << value;
        return QJsonObject{{QStringLiteral("$variant"), QString::fromLatin1(bytes.toBase64())}};
    }
    }
}

QVariant decode(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (value.isBool())
        return value.toBool();
    if (value.isArray()) {
        // Only a list of texts reads back as a string list. A list written by another hand keeps
        // its elements' own types, so that a reader can tell it from one (a number is no empty text).
        const QJsonArray array = value.toArray();
        if (std::all_of(array.begin(), array.end(), [](const auto &item) { return item.isString(); })) {
            QStringList list;
            for (const auto &item : array)
                list.append(item.toString());
            return list;
        }
        QVariantList list;
        for (const auto &item : array)
            list.append(decode(item));
        return list;
    }
    if (value.isDouble())
        return value.toVariant();
    const QJsonObject object = value.toObject();
    if (object.contains(QStringLiteral("$int")))
        return object.value(QStringLiteral("$int")).toString().toLongLong();
    if (object.contains(QStringLiteral("$double")))
        return object.value(QStringLiteral("$double")).toDouble();
    if (object.contains(QStringLiteral("$bytes")))
        return QByteArray::fromBase64(object.value(QStringLiteral("$bytes")).toString().toLatin1());
    if (object.contains(QStringLiteral("$list"))) {
        QVariantList list;
        for (const auto &item : object.value(QStringLiteral("$list")).toArray())
            list.append(decode(item));
        return list;
    }
    if (object.contains(QStringLiteral("$map"))) {
        QVariantMap map;
        const QJsonObject items = object.value(QStringLiteral("$map")).toObject();
        for (auto it = items.begin(); it != items.end(); ++it)
            map.insert(it.key(), decode(it.value()));
        return map;
    }
    if (object.contains(QStringLiteral("$variant"))) {
        QByteArray bytes =
            QByteArray::fromBase64(object.value(QStringLiteral("$variant")).toString().toLatin1());
        QDataStream stream(&bytes, QIODevice::ReadOnly);
        QVariant v;
        stream >> v;
        return v;
    }
    return {};
}

bool readJson(QIODevice &device, QSettings::SettingsMap &map)
{
    const QByteArray bytes = device.readAll();
    if (bytes.trimmed().isEmpty())
        return true;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it)
        map.insert(it.key(), decode(it.value()));
    return true;
}

bool writeJson(QIODevice &device, const QSettings::SettingsMap &map)
{
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it)
        object.insert(it.key(), encode(it.value()));
    return device.write(QJsonDocument(object).toJson(QJsonDocument::Indented)) >= 0;
}

} // namespace

QSettings::Format format()
{
    static const QSettings::Format registered =
        QSettings::registerFormat(QStringLiteral("json"), readJson, writeJson, Qt::CaseSensitive);
    return registered;
}

std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(format(), QSettings::UserScope, QStringLiteral("Quillfern"),
                                       QStringLiteral("Quillfern"));
}

} // namespace Settings
