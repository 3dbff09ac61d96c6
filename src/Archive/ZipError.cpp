#include "Archive/ZipError.h"

#include "Core/Localization.h"

QString ZipError::description() const
{
    switch (kind()) {
    case Kind::corrupted:
        return L("손상된 ZIP 파일입니다. (%@)", detail());
    case Kind::unsupported:
        return L("지원하지 않는 ZIP 형식입니다. (%@)", detail());
    case Kind::ioError:
        return L("파일 처리 중 오류가 발생했습니다. (%@)", detail());
    case Kind::notAZip:
        return L("ZIP 파일이 아니거나 손상되었습니다.");
    case Kind::passwordRequired:
        return L("암호가 걸린 파일입니다. 암호를 입력하세요.");
    case Kind::wrongPassword:
        return L("암호가 올바르지 않습니다.");
    }
    return {};
}
