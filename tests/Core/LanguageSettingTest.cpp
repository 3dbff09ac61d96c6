#include "Core/LanguageSetting.h"
#include "Core/Settings.h"

#include <gtest/gtest.h>

namespace {
void store(const QVariant &value)
{
    auto s = Settings::open();
    s->setValue("AppleLanguages", value);
    s->sync();
}
} // namespace

TEST(LanguageSetting, CurrentReadsTheFirstStoredEntry)
{
    EXPECT_EQ(LanguageSettings::current(), LanguageSetting::system); // nothing stored
    const struct {
        QVariant stored;
        LanguageSetting expected;
    } cases[] = {
        {QStringList{QStringLiteral("pt-BR"), QStringLiteral("ko")}, LanguageSetting::portuguese},
        {QStringList{QStringLiteral("fr-CA")}, LanguageSetting::french},
        {QStringList{QStringLiteral("zh-Hant")}, LanguageSetting::chineseTraditional},
        {QStringList{QStringLiteral("zh-Hans-CN")}, LanguageSetting::system},
        {QStringList{QStringLiteral("zh-HK")}, LanguageSetting::system},
        {QStringList{QStringLiteral("EN")}, LanguageSetting::system},
        {QStringList{QStringLiteral("system")}, LanguageSetting::system},
        {QStringLiteral("en"), LanguageSetting::system}, // a string, not a list
        {QStringList{}, LanguageSetting::system},
    };
    for (const auto &c : cases) {
        store(c.stored);
        EXPECT_EQ(LanguageSettings::current(), c.expected) << c.stored.toStringList().join(',').toStdString();
    }
}

TEST(LanguageSetting, ApplyWritesAOneElementListOrRemovesTheKey)
{
    LanguageSettings::apply(LanguageSetting::english);
    const QVariant stored = Settings::open()->value("AppleLanguages");
    EXPECT_EQ(stored.metaType().id(), QMetaType::QStringList);
    EXPECT_EQ(stored.toStringList(), QStringList{QStringLiteral("en")});
    EXPECT_EQ(LanguageSettings::current(), LanguageSetting::english);

    LanguageSettings::apply(LanguageSetting::system);
    EXPECT_FALSE(Settings::open()->contains("AppleLanguages"));
    EXPECT_EQ(LanguageSettings::current(), LanguageSetting::system);
}

TEST(LanguageSetting, CasesLabelsAndRawValues)
{
    ASSERT_EQ(LanguageSettings::allCases().size(), 21u);
    EXPECT_EQ(LanguageSettings::allCases().front(), LanguageSetting::system);
    EXPECT_EQ(LanguageSettings::label(LanguageSetting::system), QStringLiteral("시스템 설정 따름"));
    EXPECT_EQ(LanguageSettings::label(LanguageSetting::japanese), QStringLiteral("日本語"));
    for (LanguageSetting l : LanguageSettings::allCases())
        EXPECT_EQ(LanguageSettings::fromRawValue(LanguageSettings::rawValue(l)), l);
    EXPECT_EQ(LanguageSettings::fromRawValue(QStringLiteral("Ko")), std::nullopt);
}
