#include "App/InterfaceLanguage.h"

#include "Core/LanguageSetting.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace InterfaceLanguage {

void install()
{
    const LanguageSetting choice = LanguageSettings::current();
    if (choice != LanguageSetting::system)
        QLocale::setDefault(QLocale(LanguageSettings::rawValue(choice)));
    // Korean is the source language: it needs no translator, and a language without one shows
    // the Korean texts.
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(), QStringLiteral("quillfern"), QStringLiteral("_"),
                         QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace InterfaceLanguage
