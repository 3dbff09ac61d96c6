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
        {"sendCheckup", "홈 — 파일 해결사", "파일을 놓으면 문제를 포르랑 해결", "house.fill", "홈"},
        {"hangulFilename", "한글 파일명 변환", "자모 분리 현상 해결", "textformat", "파일"},
        {"dsStoreCleaner", ".DS_Store 청소", "맥이 남긴 숨김 파일 정리", "sparkles", "파일"},
        {"zipKorean", "압축 도구", "한글 깨짐 없는 압축·해제", "doc.zipper", "파일"},
        {"filenameSanitizer", "파일명 호환 검사", "Windows에서 안 되는 이름 정리",
         "checkmark.rectangle.stack", "파일"},
        {"heicConverter", "HEIC 사진 변환", "아이폰 사진을 JPG로", "photo.on.rectangle.angled", "변환"},
        {"videoConverter", "아이폰 영상 변환", "MOV·HEVC를 MP4로", "film", "변환"},
        {"textEncoding", "텍스트 인코딩 변환", "한글 깨짐·줄바꿈 해결", "doc.plaintext", "변환"},
        {"sleepPreventer", "잠자기 방지", "화면 꺼짐·잠자기 막기", "cup.and.saucer", "시스템"},
        {"tweaks", "맥 설정 스위치", "숨은 설정 켜고 끄기", "switch.2", "시스템"},
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
