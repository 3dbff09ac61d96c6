#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <stdexcept>

// The Trash, after the freedesktop Trash specification, on byte paths.
class Trash {
public:
    // Thrown when an item cannot be moved or put back; description() is the text users see.
    class Error : public std::runtime_error {
    public:
        explicit Error(QString description)
            : std::runtime_error(description.toStdString()), description_(std::move(description))
        {
        }
        const QString &description() const { return description_; }

    private:
        QString description_;
    };

    virtual ~Trash() = default;

    // Moves the item to the Trash and returns where it went.
    virtual std::filesystem::path moveToTrash(const std::filesystem::path &item) = 0;
    // Puts a trashed item back at its original path (never replacing anything there) and
    // removes its .trashinfo.
    virtual void restore(const std::filesystem::path &trashed, const std::filesystem::path &original) = 0;

    // The Trash in use (the freedesktop one unless a test installed another).
    static Trash &shared();
    static void install(Trash *trash); // nullptr restores the default
};
