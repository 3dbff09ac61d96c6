#include "App/InterfaceLanguage.h"

#include "Core/LanguageSetting.h"
#include "Core/Localization.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace InterfaceLanguage {

namespace {

const QString programTranslator = QStringLiteral("quillfern-translator");
const QString qtTranslator = QStringLiteral("qt-translator");

void removeInstalled()
{
    for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
        if (t->objectName() == programTranslator || t->objectName() == qtTranslator) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
}

// The program's translation for the first of the languages that has one, else the Korean one;
// `shown` gets the language the interface then speaks.
QTranslator *programTranslation(const QStringList &preferred, QString &shown)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    translator->setObjectName(programTranslator);
    for (const QString &language : preferred) {
        if (translator->load(QStringLiteral("quillfern_") + QLocale(language).name(),
                             QStringLiteral(":/i18n"), QStringLiteral("_"))) {
            shown = language;
            return translator;
        }
    }
    shown = QStringLiteral("ko"); // the keys' own language
    if (translator->load(QStringLiteral("quillfern_ko"), QStringLiteral(":/i18n")))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace

void install()
{
    install(QLocale::system().uiLanguages());
}

void install(const QStringList &systemLanguages)
{
    removeInstalled();
    const LanguageSetting choice = LanguageSettings::current();
    QStringList preferred;
    if (choice == LanguageSetting::system) {
        QLocale::setDefault(QLocale::system());
        preferred = systemLanguages;
    } else {
        preferred = {LanguageSettings::rawValue(choice)};
        QLocale::setDefault(QLocale(preferred.first()));
    }

    QString shown;
    QTranslator *program = programTranslation(preferred, shown);
    // A chosen language counts as chosen; following the system, the links (manual, support page)
    // go where the interface's words come from, the Korean fallback included.
    Localization::setInterfaceLanguages(choice == LanguageSetting::system ? QStringList{shown} : preferred);
    if (program == nullptr)
        return;
    QCoreApplication::installTranslator(program);
    // Qt's own texts (dialog buttons, the file dialog) in the language the program speaks.
    auto *qt = new QTranslator(QCoreApplication::instance());
    qt->setObjectName(qtTranslator);
    if (qt->load(QLocale(program->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

} // namespace InterfaceLanguage
