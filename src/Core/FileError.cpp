#include "Core/FileError.h"

#include "Core/FilePath.h"
#include "Core/Localization.h"

FileError::FileError(QString detail, int error)
    : FormatError(std::move(detail), Category::other), error_(error)
{
}

FileError FileError::writeFailed(const std::filesystem::path &path, int error)
{
    return FileError(L("쓰기 실패: %@", FilePath::display(path)), error);
}

QString FileError::description() const
{
    return L("파일 처리 중 오류가 발생했습니다. (%@)", detail());
}
