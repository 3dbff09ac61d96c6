#pragma once

#include "Core/FileError.h"
#include "Core/FormatError.h"

enum class SevenZipReadErrorKind { corrupted, unsupported, notSevenZip, passwordRequired, wrongPassword };

// Errors of the 7z reader.
class SevenZipReadError : public KindedError<SevenZipReadErrorKind> {
public:
    static SevenZipReadError corrupted(QString detail)
    {
        return {Kind::corrupted, std::move(detail), Category::other};
    }
    static SevenZipReadError unsupported(QString detail)
    {
        return {Kind::unsupported, std::move(detail), Category::unsupported};
    }
    static SevenZipReadError notSevenZip() { return {Kind::notSevenZip, {}, Category::other}; }
    static SevenZipReadError passwordRequired()
    {
        return {Kind::passwordRequired, {}, Category::passwordRequired};
    }
    static SevenZipReadError wrongPassword() { return {Kind::wrongPassword, {}, Category::wrongPassword}; }

    // The Korean sentence the user sees.
    QString description() const override;

private:
    using KindedError::KindedError;
};

enum class SevenZipErrorKind { ioError, cryptoError };

// Errors of the 7z writer and of the AES routine that reader and writer share; its ioError wraps
// the file layer's FileError.
class SevenZipError : public KindedError<SevenZipErrorKind> {
public:
    static SevenZipError ioError(QString detail)
    {
        return {Kind::ioError, std::move(detail), Category::other};
    }
    static SevenZipError ioError(const FileError &error) { return ioError(error.detail()); }
    static SevenZipError cryptoError() { return {Kind::cryptoError, {}, Category::other}; }

    QString description() const override;

private:
    using KindedError::KindedError;
};
