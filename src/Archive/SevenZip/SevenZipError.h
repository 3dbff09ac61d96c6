#pragma once

#include "Archive/FormatError.h"

// Errors of the 7z reader.
class SevenZipReadError : public FormatError {
public:
    enum class Kind { corrupted, unsupported, notSevenZip, passwordRequired, wrongPassword };

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

    Kind kind() const { return kind_; }
    // The Korean sentence the user sees.
    QString description() const override;

    bool operator==(const SevenZipReadError &other) const
    {
        return kind_ == other.kind_ && detail() == other.detail();
    }

private:
    SevenZipReadError(Kind kind, QString detail, Category category)
        : FormatError(std::move(detail), category), kind_(kind)
    {
    }
    Kind kind_;
};

// Errors of the 7z writer and of the AES routine that reader and writer share.
class SevenZipError : public FormatError {
public:
    enum class Kind { ioError, cryptoError };

    static SevenZipError ioError(QString detail)
    {
        return {Kind::ioError, std::move(detail), Category::other};
    }
    static SevenZipError cryptoError() { return {Kind::cryptoError, {}, Category::other}; }

    Kind kind() const { return kind_; }
    QString description() const override;

    bool operator==(const SevenZipError &other) const
    {
        return kind_ == other.kind_ && detail() == other.detail();
    }

private:
    SevenZipError(Kind kind, QString detail, Category category)
        : FormatError(std::move(detail), category), kind_(kind)
    {
    }
    Kind kind_;
};
