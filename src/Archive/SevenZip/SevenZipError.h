#pragma once

#include <QString>

#include <exception>
#include <string>

// Errors of the 7z reader.
class SevenZipReadError : public std::exception {
public:
    enum class Kind { corrupted, unsupported, notSevenZip, passwordRequired, wrongPassword };

    static SevenZipReadError corrupted(QString detail) { return {Kind::corrupted, std::move(detail)}; }
    static SevenZipReadError unsupported(QString detail) { return {Kind::unsupported, std::move(detail)}; }
    static SevenZipReadError notSevenZip() { return {Kind::notSevenZip, {}}; }
    static SevenZipReadError passwordRequired() { return {Kind::passwordRequired, {}}; }
    static SevenZipReadError wrongPassword() { return {Kind::wrongPassword, {}}; }

    Kind kind() const { return kind_; }
    const QString &detail() const { return detail_; }
    // The Korean sentence the user sees.
    QString description() const;
    const char *what() const noexcept override;

    bool operator==(const SevenZipReadError &other) const
    {
        return kind_ == other.kind_ && detail_ == other.detail_;
    }

private:
    SevenZipReadError(Kind kind, QString detail) : kind_(kind), detail_(std::move(detail)) {}
    Kind kind_;
    QString detail_;
    mutable std::string what_;
};

// Errors of the 7z writer and of the AES routine that reader and writer share.
class SevenZipError : public std::exception {
public:
    enum class Kind { ioError, cryptoError };

    static SevenZipError ioError(QString detail) { return {Kind::ioError, std::move(detail)}; }
    static SevenZipError cryptoError() { return {Kind::cryptoError, {}}; }

    Kind kind() const { return kind_; }
    const QString &detail() const { return detail_; }
    QString description() const;
    const char *what() const noexcept override;

    bool operator==(const SevenZipError &other) const
    {
        return kind_ == other.kind_ && detail_ == other.detail_;
    }

private:
    SevenZipError(Kind kind, QString detail) : kind_(kind), detail_(std::move(detail)) {}
    Kind kind_;
    QString detail_;
    mutable std::string what_;
};
