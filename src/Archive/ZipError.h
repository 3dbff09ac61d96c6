#pragma once

#include "Core/FileError.h"
#include "Core/FormatError.h"

enum class ZipErrorKind { corrupted, unsupported, ioError, notAZip, passwordRequired, wrongPassword };

// Errors of the ZIP layer and the shared archive file helpers; its ioError wraps the file layer's
// FileError.
class ZipError : public KindedError<ZipErrorKind> {
public:
    static ZipError corrupted(QString detail)
    {
        return {Kind::corrupted, std::move(detail), Category::other};
    }
    static ZipError unsupported(QString detail)
    {
        return {Kind::unsupported, std::move(detail), Category::unsupported};
    }
    static ZipError ioError(QString detail) { return {Kind::ioError, std::move(detail), Category::other}; }
    static ZipError ioError(const FileError &error) { return ioError(error.detail()); }
    static ZipError notAZip() { return {Kind::notAZip, {}, Category::other}; }
    static ZipError passwordRequired() { return {Kind::passwordRequired, {}, Category::passwordRequired}; }
    static ZipError wrongPassword() { return {Kind::wrongPassword, {}, Category::wrongPassword}; }

    // The Korean sentence the user sees.
    QString description() const override;

private:
    using KindedError::KindedError;
};

// Runs a step that writes `target`: the file layer's failures, and memory running out, become
// ZipError::ioError naming it.
template <typename Step> auto writingZipOutput(const std::filesystem::path &target, Step &&step)
{
    try {
        return withinMemory(step, [&] { return ZipError::ioError(FileError::writeFailed(target)); });
    } catch (const FileError &error) {
        throw ZipError::ioError(error);
    }
}
