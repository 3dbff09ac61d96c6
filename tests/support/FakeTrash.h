#pragma once

#include "Core/RenameNoReplace.h"
#include "Platform/Trash.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// A Trash in a folder of the test, installed for the lifetime of the object; it can be told to
// refuse every move.
class FakeTrash : public Trash {
public:
    explicit FakeTrash(std::filesystem::path folder) : folder_(std::move(folder))
    {
        std::filesystem::create_directories(folder_);
        Trash::install(this);
    }
    ~FakeTrash() override { Trash::install(nullptr); }

    std::filesystem::path moveToTrash(const std::filesystem::path &item) override
    {
        if (refuse)
            throw Error("refused");
        if (beforeMove)
            beforeMove(item);
        const auto target = folder_ / (std::to_string(moved.size()) + "-" + item.filename().native());
        if (renameNoReplace(item, target) != 0)
            throw Error("move failed");
        moved.push_back(target);
        if (afterMove)
            afterMove(item);
        return target;
    }

    void restore(const std::filesystem::path &trashed, const std::filesystem::path &original) override
    {
        if (renameNoReplace(trashed, original) != 0)
            throw Error("restore failed");
        ++restored;
    }

    bool refuse = false;
    // Steps of a test that play another program acting right before or after a move.
    std::function<void(const std::filesystem::path &)> beforeMove;
    std::function<void(const std::filesystem::path &)> afterMove;
    std::vector<std::filesystem::path> moved;
    int restored = 0;

private:
    std::filesystem::path folder_;
};
