#include "Core/Utility.h"

#include "Core/Localization.h"

namespace Utilities {

namespace {

struct Row {
    const char *rawValue;
    const char *title;
    const char *subtitle;
    const char *icon;
    const char *category;
};

const Row &row(Utility u)
{
    static const Row rows[] = {
        {"sendCheckup", QT_TRANSLATE_NOOP("Quillfern", "홈 — 파일 해결사"),
         QT_TRANSLATE_NOOP("Quillfern", "파일을 놓으면 문제를 포르랑 해결"), "house.fill",
         QT_TRANSLATE_NOOP("Quillfern", "홈")},
        {"hangulFilename", QT_TRANSLATE_NOOP("Quillfern", "한글 파일명 변환"),
         QT_TRANSLATE_NOOP("Quillfern", "자모 분리 현상 해결"), "textformat",
         QT_TRANSLATE_NOOP("Quillfern", "파일")},
        {"dsStoreCleaner", QT_TRANSLATE_NOOP("Quillfern", ".DS_Store 청소"),
         QT_TRANSLATE_NOOP("Quillfern", "맥이 남긴 숨김 파일 정리"), "sparkles",
         QT_TRANSLATE_NOOP("Quillfern", "파일")},
        {"zipKorean", QT_TRANSLATE_NOOP("Quillfern", "압축 도구"),
         QT_TRANSLATE_NOOP("Quillfern", "한글 깨짐 없는 압축·해제"), "doc.zipper",
         QT_TRANSLATE_NOOP("Quillfern", "파일")},
        {"filenameSanitizer", QT_TRANSLATE_NOOP("Quillfern", "파일명 호환 검사"),
         QT_TRANSLATE_NOOP("Quillfern", "Windows에서 안 되는 이름 정리"), "checkmark.rectangle.stack",
         QT_TRANSLATE_NOOP("Quillfern", "파일")},
        {"heicConverter", QT_TRANSLATE_NOOP("Quillfern", "HEIC 사진 변환"),
         QT_TRANSLATE_NOOP("Quillfern", "아이폰 사진을 JPG로"), "photo.on.rectangle.angled",
         QT_TRANSLATE_NOOP("Quillfern", "변환")},
        {"videoConverter", QT_TRANSLATE_NOOP("Quillfern", "아이폰 영상 변환"),
         QT_TRANSLATE_NOOP("Quillfern", "MOV·HEVC를 MP4로"), "film", QT_TRANSLATE_NOOP("Quillfern", "변환")},
        {"textEncoding", QT_TRANSLATE_NOOP("Quillfern", "텍스트 인코딩 변환"),
         QT_TRANSLATE_NOOP("Quillfern", "한글 깨짐·줄바꿈 해결"), "doc.plaintext",
         QT_TRANSLATE_NOOP("Quillfern", "변환")},
        {"sleepPreventer", QT_TRANSLATE_NOOP("Quillfern", "잠자기 방지"),
         QT_TRANSLATE_NOOP("Quillfern", "화면 꺼짐·잠자기 막기"), "cup.and.saucer",
         QT_TRANSLATE_NOOP("Quillfern", "시스템")},
        {"tweaks", QT_TRANSLATE_NOOP("Quillfern", "맥 설정 스위치"),
         QT_TRANSLATE_NOOP("Quillfern", "숨은 설정 켜고 끄기"), "switch.2",
         QT_TRANSLATE_NOOP("Quillfern", "시스템")},
    };
    return rows[static_cast<int>(u)];
}

} // namespace

QString toString(Utility u)
{
    return QString::fromLatin1(row(u).rawValue);
}

std::optional<Utility> fromString(const QString &rawValue)
{
    for (Utility u : allCases)
        if (rawValue == QLatin1String(row(u).rawValue))
            return u;
    return std::nullopt;
}

QString title(Utility u)
{
    return L(row(u).title);
}
QString subtitle(Utility u)
{
    return L(row(u).subtitle);
}
QString category(Utility u)
{
    return L(row(u).category);
}
QString icon(Utility u)
{
    return QString::fromLatin1(row(u).icon);
}

QStringList categories()
{
    QStringList out;
    for (Utility u : allCases) {
        if (u == Utility::sendCheckup)
            continue;
        const QString c = category(u);
        if (!out.contains(c))
            out.append(c);
    }
    return out;
}

} // namespace Utilities
