#pragma once

#include <QString>

#include <exception>
#include <string>

// The base of every archive format's error: the Korean sentence the user sees, and what the
// compress-and-extract tool must tell apart (asking for a password, trying another reader).
class FormatError : public std::exception {
public:
    enum class Category { other, unsupported, passwordRequired, wrongPassword };

    virtual QString description() const = 0;
    Category category() const { return category_; }
    const QString &detail() const { return detail_; }
    // The description in UTF-8.
    const char *what() const noexcept override;

protected:
    FormatError(QString detail, Category category) : detail_(std::move(detail)), category_(category) {}

private:
    QString detail_;
    Category category_;
    mutable std::string what_;
};
