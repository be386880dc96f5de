#pragma once
// The program's command line: launch URLs as they are, and "--folder PATH" for callers that
// cannot encode a URL, turned into the launch URL for that folder.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace qb {

struct LaunchArgs {
    QStringList urls;
    bool showVersion = false;
    bool showHelp = false;
    QString error; // a line for standard error; the program then exits with status 2
};

// argv as the bytes the program was given, the program name first.
LaunchArgs parseLaunchArgs(const std::vector<std::string>& argv, const std::string& workingFolder);

// "quillbrook://search?folder=…" with the path's bytes percent-encoded, so that "&", "=",
// "+", "#", "%" and spaces survive (the file managers' hand-over writes it).
QString launchUrlForFolder(const std::string& absolutePath);

QString launchUsage();

} // namespace qb
