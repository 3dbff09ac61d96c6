#include "Archive/SevenZip/SevenZipError.h"

#include "Core/Localization.h"

QString SevenZipReadError::description() const
{
    switch (kind()) {
    case Kind::corrupted:
        return L("손상된 7z 파일입니다. (%@)", detail());
    case Kind::unsupported:
        return L("지원하지 않는 7z 형식입니다. (%@)", detail());
    case Kind::notSevenZip:
        return L("7z 파일이 아니거나 손상되었습니다.");
    case Kind::passwordRequired:
        return L("암호가 걸린 파일입니다. 암호를 입력하세요.");
    case Kind::wrongPassword:
        return L("암호가 올바르지 않습니다.");
    }
    return {};
}

QString SevenZipError::description() const
{
    switch (kind()) {
    case Kind::ioError:
        return L("7z 생성 실패: %@", detail());
    case Kind::cryptoError:
        return L("암호화 처리에 실패했습니다.");
    }
    return {};
}
