#pragma once

#include <QString>

#include <exception>
#include <string>

// Errors of the ZIP layer and the shared file helpers; the converters throw its ioError too.
class ZipError : public std::exception {
public:
    enum class Kind { corrupted, unsupported, ioError, notAZip, passwordRequired, wrongPassword };

    static ZipError corrupted(QString detail) { return {Kind::corrupted, std::move(detail)}; }
    static ZipError unsupported(QString detail) { return {Kind::unsupported, std::move(detail)}; }
    static ZipError ioError(QString detail) { return {Kind::ioError, std::move(detail)}; }
    static ZipError notAZip() { return {Kind::notAZip, {}}; }
    static ZipError passwordRequired() { return {Kind::passwordRequired, {}}; }
    static ZipError wrongPassword() { return {Kind::wrongPassword, {}}; }

    Kind kind() const { return kind_; }
    const QString &detail() const { return detail_; }
    // The Korean sentence the user sees.
    QString description() const;
    const char *what() const noexcept override;

    bool operator==(const ZipError &other) const { return kind_ == other.kind_ && detail_ == other.detail_; }

private:
    ZipError(Kind kind, QString detail) : kind_(kind), detail_(std::move(detail)) {}
    Kind kind_;
    QString detail_;
    mutable std::string what_;
};
