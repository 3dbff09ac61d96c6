// libFuzzer target: the user's daily-words file, whatever its bytes, is read and parsed into
// words or into nothing, never into a crash; every word has a text, each text and source stays
// on its line, and words written back one to a line (CR LF) parse to the same words. The word of any day
// is one of them.
#include "FuzzScratch.h"

#include "Features/DailyWord/DailyWord.h"

#include <cstdint>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::filesystem::path file = fuzzScratch() / "daily-words.txt";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), std::streamsize(size));
    }
    const std::optional<QString> text = DailyWordStore::readText(file);
    const QString parsed =
        text.value_or(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    const std::vector<DailyWord> words = DailyWordStore::parse(parsed);

    QStringList lines;
    for (const DailyWord &word : words) {
        if (word.text.isEmpty() || word.text.contains(QLatin1Char('\n')) ||
            word.text.contains(QLatin1Char('|')) ||
            (word.source && (word.source->isEmpty() || word.source->contains(QLatin1Char('\n')))))
            __builtin_trap();
        lines << (word.source ? word.text + QStringLiteral(" | ") + *word.source : word.text);
    }
    // CR LF between them: a word may end in a stray CR (from "\r\r\n"), which a CR LF keeps.
    if (DailyWordStore::parse(lines.join(QStringLiteral("\r\n"))) != words)
        __builtin_trap();

    const QDate day = QDate(2024, 1, 1).addDays(qint64(size % 366));
    const auto word = DailyWordStore::pick(words, day);
    if (word.has_value() != !words.empty() ||
        (word && std::find(words.begin(), words.end(), *word) == words.end()))
        __builtin_trap();
    return 0;
}
