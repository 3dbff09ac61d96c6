#pragma once

#include <QDate>
#include <QObject>
#include <QString>

#include <QCalendar>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// A short verse with its reference, shown on the empty dashboard.
struct DailyWord {
    QString text;
    std::optional<QString> source; // absent when the word has none

    bool operator==(const DailyWord &) const = default;
};

// The words the dashboard picks from: the built-in table, or the user's own file when it yields at
// least one word. Made once, on first use; the file is read only then. Main thread only.
class DailyWordStore : public QObject {
    Q_OBJECT

public:
    // The given file, or the default one; never fails.
    explicit DailyWordStore(std::optional<std::filesystem::path> fileURL = std::nullopt,
                            QObject *parent = nullptr);

    static DailyWordStore &shared();

    const std::vector<DailyWord> &words() const { return words_; }
    const std::filesystem::path &fileURL() const { return fileURL_; }
    // Why the file is there but not used (too large, not UTF-8, no word in it, …); none when it
    // is used or there is no file.
    const std::optional<QString> &fileProblem() const { return fileProblem_; }

    // $XDG_DATA_HOME/누리함/daily-words.txt (~/.local/share when unset or relative); the folder is
    // made every time, a failure ignored.
    static std::filesystem::path defaultFileURL();

    // One word per line: "text | source"; blank lines and lines starting with "#" are skipped.
    static std::vector<DailyWord> parse(const QString &text);

    // The word of the date's day of the year in the calendar, cycling through a shorter list.
    static std::optional<DailyWord> pick(const std::vector<DailyWord> &words, QDate date,
                                         QCalendar calendar = QCalendar());

    // The largest file read: a word list is a few kilobytes, anything far larger is none.
    static constexpr std::int64_t maximumFileSize = std::int64_t{4} << 20;

    // The file's text when it is a readable regular file of valid UTF-8 of at most
    // maximumFileSize bytes (a leading byte-order mark dropped). Otherwise none, and `problem`
    // gets why, unless there is no file at all.
    static std::optional<QString> readText(const std::filesystem::path &file,
                                           std::optional<QString> *problem = nullptr);

signals:
    void wordsChanged();

private:
    void setWords(std::vector<DailyWord> words);

    std::vector<DailyWord> words_;
    std::filesystem::path fileURL_;
    std::optional<QString> fileProblem_;
};
