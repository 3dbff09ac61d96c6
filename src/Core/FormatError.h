#pragma once

#include <QString>

#include <exception>
#include <new>
#include <stdexcept>
#include <string>

// The base of every error the user sees as a sentence: the archive formats' errors and the file
// layer's. It carries what the compress-and-extract tool must tell apart (asking for a password,
// trying another reader).
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

// The shape every error enumeration shares: a kind, a detail text standing inside the kind's
// sentence, equality of both. A derived type adds its named constructors and description().
template <typename KindType> class KindedError : public FormatError {
public:
    using Kind = KindType;

    Kind kind() const { return kind_; }
    bool operator==(const KindedError &other) const
    {
        return kind_ == other.kind_ && detail() == other.detail();
    }

protected:
    KindedError(Kind kind, QString detail, Category category)
        : FormatError(std::move(detail), category), kind_(kind)
    {
    }

private:
    Kind kind_;
};

// Runs `step`; memory running out inside it (an allocation, or a size no container can hold)
// becomes the error `outOfMemory()` makes, so it reaches the user as that layer's own failure.
template <typename Step, typename MakeError> auto withinMemory(Step &&step, MakeError &&outOfMemory)
{
    try {
        return step();
    } catch (const std::bad_alloc &) {
        throw outOfMemory();
    } catch (const std::length_error &) {
        throw outOfMemory();
    }
}
