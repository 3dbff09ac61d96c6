#pragma once

#include "Archive/FormatError.h"

// Errors of the ZIP layer and the shared file helpers; the converters throw its ioError too.
class ZipError : public FormatError {
public:
    enum class Kind { corrupted, unsupported, ioError, notAZip, passwordRequired, wrongPassword };

    static ZipError corrupted(QString detail)
    {
        return {Kind::corrupted, std::move(detail), Category::other};
    }
    static ZipError unsupported(QString detail)
    {
        return {Kind::unsupported, std::move(detail), Category::unsupported};
    }
    static ZipError ioError(QString detail) { return {Kind::ioError, std::move(detail), Category::other}; }
    static ZipError notAZip() { return {Kind::notAZip, {}, Category::other}; }
    static ZipError passwordRequired() { return {Kind::passwordRequired, {}, Category::passwordRequired}; }
    static ZipError wrongPassword() { return {Kind::wrongPassword, {}, Category::wrongPassword}; }

    Kind kind() const { return kind_; }
    // The Korean sentence the user sees.
    QString description() const override;

    bool operator==(const ZipError &other) const
    {
        return kind_ == other.kind_ && detail() == other.detail();
    }

private:
    ZipError(Kind kind, QString detail, Category category)
        : FormatError(std::move(detail), category), kind_(kind)
    {
    }
    Kind kind_;
};
