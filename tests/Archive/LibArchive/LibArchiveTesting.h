#pragma once

#include "Archive/LibArchive/LibArchive.h"
#include "support/TestSupport.h"

#include <QStringList>

#include <filesystem>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace LibArchiveTesting {

// The folder of archives made by make-fixtures.sh, made once per test process.
const std::filesystem::path &fixtures();

// Runs a peer program in a UTF-8 locale, whatever the test's environment says.
TestSupport::ProcessResult peer(const QStringList &arguments);

using TestSupport::q;

// The shared bridge the tests drive.
inline const LibArchive &bridge()
{
    return LibArchive::shared();
}

// Every regular file below a folder, by its "/"-separated relative path, with its bytes.
std::map<std::string, std::string> filesBelow(const std::filesystem::path &root);
using TestSupport::entriesBelow;

// Runs the call and returns the error it throws (fails the test when it throws none).
template <typename F> LibArchive::ArchiveError errorOf(F &&call)
{
    try {
        call();
    } catch (const LibArchive::ArchiveError &error) {
        return error;
    }
    ADD_FAILURE() << "no ArchiveError was thrown";
    return LibArchive::ArchiveError::failed(QStringLiteral("(none)"));
}

} // namespace LibArchiveTesting
