#pragma once
// Runs Info-ZIP zip over a staging folder.

#include <string>

namespace qb {

inline constexpr const char* kZipProgram = "/usr/bin/zip";

// Writes archive from the contents of staging ("." as the only input, so no item name can be
// read as an option), standard error to log. Returns the exit status, or -1 with errno set
// when the archiver could not be started.
int runZip(const std::string& staging, const std::string& archive, const std::string& log,
           const char* program = kZipProgram);

} // namespace qb
