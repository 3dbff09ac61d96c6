#pragma once

#include "Core/FormatError.h"

#include <filesystem>

// The one failure of writing or reading a file: the file layer throws it, the converters report
// it, and the archive formats wrap its detail in their own errors. The detail names what failed
// ("쓰기 실패: <path>"); the C library's error number is kept for callers that decide on it.
class FileError : public FormatError {
public:
    explicit FileError(QString detail, int error = 0);

    // "쓰기 실패: <path>".
    static FileError writeFailed(const std::filesystem::path &path, int error = 0);

    // errno of the failing call, 0 when none applies.
    int error() const { return error_; }
    QString description() const override;

private:
    int error_ = 0;
};
