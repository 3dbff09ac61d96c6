#pragma once

#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace TestSupport {

// Runs the step expecting an error of type Error of the kind, with exactly the detail when one is
// given.
template <typename Error>
void expectError(const std::function<void()> &step, typename Error::Kind kind,
                 const std::optional<QString> &detail)
{
    try {
        step();
        ADD_FAILURE() << "no error thrown";
    } catch (const Error &error) {
        EXPECT_EQ(int(error.kind()), int(kind)) << error.description().toStdString();
        if (detail) {
            EXPECT_EQ(error.detail().toStdString(), detail->toStdString())
                << error.description().toStdString();
        }
    }
}

} // namespace TestSupport
