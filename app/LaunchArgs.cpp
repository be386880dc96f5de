#include "LaunchArgs.h"

#include "search/PathText.h"

namespace qb {

QString launchUrlForFolder(const std::string& absolutePath) {
    static const char hex[] = "0123456789ABCDEF";
    std::string path = absolutePath;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    std::string out = "quillbrook://search?folder=";
    for (unsigned char c : path) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~' || c == '/';
        if (unreserved) {
            out.push_back(char(c));
        } else {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 15]);
        }
    }
    return QString::fromLatin1(out);
}

LaunchArgs parseLaunchArgs(const std::vector<std::string>& argv, const std::string& workingFolder) {
    LaunchArgs args;
    for (size_t i = 1; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a == "--version") {
            args.showVersion = true;
        } else if (a == "--help" || a == "-h") {
            args.showHelp = true;
        } else if (a == "--folder" || a.starts_with("--folder=")) {
            // Paths stay bytes: a name that is not UTF-8 must reach the model unchanged.
            std::string path;
            if (a.starts_with("--folder="))
                path = a.substr(9);
            else if (i + 1 < argv.size())
                path = argv[++i];
            if (path.empty()) {
                args.error = QStringLiteral("--folder needs a folder path");
                return args;
            }
            if (path.front() != '/')
                path = joinPath(workingFolder, path);
            args.urls << launchUrlForFolder(standardisePath(path));
        } else if (a.starts_with("-") && a.find("://") == std::string::npos) {
            args.error = QStringLiteral("unknown option: %1").arg(QString::fromLocal8Bit(a));
            return args;
        } else {
            args.urls << QString::fromUtf8(a);
        }
    }
    return args;
}

QString launchUsage() {
    return QStringLiteral(
        "Usage: quillbrook [URL…]\n"
        "       quillbrook --folder PATH\n"
        "\n"
        "Finds files by name with ICU regular expressions.\n"
        "\n"
        "  URL            a launch URL such as quillbrook://search?folder=%2Ftmp\n"
        "  --folder PATH  search PATH (as if chosen in the window)\n"
        "  --version      print the version\n"
        "  --help         print this help\n"
        "\n"
        "A running Quillbrook receives the URLs and comes forward; this start then exits.\n");
}

} // namespace qb
