// daily-word [--date YYYY-MM-DD] [--all] [FILE]: the word of the day (day of the year, text,
// source) from the given word file, or from the user's file and else the built-in table; with
// --all every word the store holds, one per line.
#include "Probe.h"

#include "Features/DailyWord/DailyWord.h"

#include <cstdio>
#include <optional>

namespace {

void print(int day, const DailyWord &word)
{
    std::printf("%d\t%s\t%s\n", day, word.text.toStdString().c_str(),
                word.source ? word.source->toStdString().c_str() : "");
}

int dailyWord(const std::vector<std::string> &arguments)
{
    const char *usage = "usage: daily-word [--date YYYY-MM-DD] [--all] [FILE]";
    QDate date = QDate::currentDate();
    bool all = false;
    std::optional<std::filesystem::path> file;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &a = arguments[i];
        if (a == "--all") {
            all = true;
        } else if (a == "--date" && i + 1 < arguments.size()) {
            date = QDate::fromString(QString::fromStdString(arguments[++i]), Qt::ISODate);
            if (!date.isValid())
                return Probe::fail(usage);
        } else if (a.rfind("--", 0) == 0 || file) {
            return Probe::fail(usage);
        } else {
            file = a;
        }
    }
    const DailyWordStore store(file);
    if (all) {
        for (std::size_t i = 0; i < store.words().size(); ++i)
            print(int(i) + 1, store.words()[i]);
        return 0;
    }
    if (const auto word = DailyWordStore::pick(store.words(), date))
        print(date.dayOfYear(), *word);
    return 0;
}

const Probe::Registration registration("daily-word", "[--date YYYY-MM-DD] [--all] [FILE]", dailyWord);

} // namespace
