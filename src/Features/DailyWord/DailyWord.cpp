#include "Features/DailyWord/DailyWord.h"

#include "Core/ErrorText.h"
#include "Core/Localization.h"
#include "Features/DailyWord/DailyWords.h"

#include <QStringDecoder>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool isBlank(QChar c)
{
    return c == QChar(u'\t') || c.category() == QChar::Separator_Space;
}

QStringView trimmed(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.sliced(begin, end - begin);
}

} // namespace

DailyWordStore::DailyWordStore(std::optional<fs::path> fileURL, QObject *parent)
    : QObject(parent), words_(DailyWords::all()), fileURL_(fileURL ? *fileURL : defaultFileURL())
{
    if (const auto text = readText(fileURL_, &fileProblem_)) {
        auto parsed = parse(*text);
        if (!parsed.empty())
            setWords(std::move(parsed));
        else
            fileProblem_ = L("읽을 말씀이 한 줄도 없습니다");
    }
}

DailyWordStore &DailyWordStore::shared()
{
    static auto *store = new DailyWordStore;
    return *store;
}

void DailyWordStore::setWords(std::vector<DailyWord> words)
{
    if (words == words_)
        return;
    words_ = std::move(words);
    emit wordsChanged();
}

fs::path DailyWordStore::defaultFileURL()
{
    fs::path base;
    const char *dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        base = dataHome;
    } else {
        const char *home = std::getenv("HOME");
        base = fs::path(home != nullptr ? home : "") / ".local" / "share";
    }
    const fs::path folder = base / "누리함";
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    return folder / "daily-words.txt";
}

std::optional<QString> DailyWordStore::readText(const fs::path &file, std::optional<QString> *problem)
{
    const auto fail = [problem](QString why) -> std::optional<QString> {
        if (problem)
            *problem = std::move(why);
        return std::nullopt;
    };
    // Non-blocking, so a FIFO or device under the name cannot hang the start; only a regular
    // file is read.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt; // no file of one's own: nothing to say
        return fail(L("열 수 없습니다 (%@)", errorText(errno)));
    }
    struct stat st {};
    std::string bytes;
    std::optional<QString> why;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        why = L("일반 파일이 아닙니다");
    else if (st.st_size > maximumFileSize)
        why = L("4MiB보다 큽니다");
    while (!why) {
        char buffer[65536];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, std::size_t(n));
            if (bytes.size() > std::size_t(maximumFileSize))
                why = L("4MiB보다 큽니다");
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            why = L("읽을 수 없습니다 (%@)", errorText(errno));
        }
    }
    ::close(fd);
    if (why)
        return fail(*why);

    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (decoder.hasError())
        return fail(L("UTF-8 텍스트가 아닙니다"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

std::vector<DailyWord> DailyWordStore::parse(const QString &text)
{
    std::vector<DailyWord> words;
    const QStringView all(text);
    qsizetype start = 0;
    while (start <= all.size()) {
        qsizetype end = all.indexOf(QChar(u'\n'), start);
        const bool last = end < 0;
        if (last)
            end = all.size();
        QStringView line = all.sliced(start, end - start);
        // A CR LF pair ends a line as well as a lone LF.
        if (!last && line.endsWith(QChar(u'\r')))
            line.chop(1);
        start = end + 1;

        line = trimmed(line);
        if (line.isEmpty() || line.startsWith(QChar(u'#')))
            continue;
        const qsizetype bar = line.indexOf(QChar(u'|'));
        const QStringView wordText = trimmed(bar < 0 ? line : line.first(bar));
        if (wordText.isEmpty())
            continue;
        DailyWord word{wordText.toString(), std::nullopt};
        if (bar >= 0) {
            const QStringView source = trimmed(line.sliced(bar + 1));
            if (!source.isEmpty())
                word.source = source.toString();
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::optional<DailyWord> DailyWordStore::pick(const std::vector<DailyWord> &words, QDate date,
                                              QCalendar calendar)
{
    if (words.empty())
        return std::nullopt;
    int day = date.dayOfYear(calendar);
    if (day < 1)
        day = 1;
    return words[std::size_t(day - 1) % words.size()];
}
