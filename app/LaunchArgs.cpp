#include "LaunchArgs.h"

#include "quillbrook-handover.h"
#include "search/PathText.h"

#include <optional>

namespace qb {

QString launchUrlForFolder(const std::string& absolutePath) {
    gchar* url = qb_handover_launch_url(absolutePath.c_str());
    QString out = QString::fromLatin1(url);
    g_free(url);
    return out;
}

namespace {

std::string absolute(const std::string& path, const std::string& workingFolder) {
    return standardisePath(path.front() == '/' ? path : joinPath(workingFolder, path));
}

// The folder rule the file managers' items use: one item searches it, or the folder holding
// it when it is not a folder; several search the folder that holds the first.
std::optional<std::string> chooseFolder(const std::vector<std::string>& items) {
    std::vector<const char*> selected;
    for (const auto& item : items)
        selected.push_back(item.c_str());
    const std::string shown(parentOf(items.front()));
    gchar* folder = qb_handover_choose_folder(shown.c_str(), selected.data(), selected.size(),
                                              qb_handover_is_folder, nullptr);
    if (!folder)
        return std::nullopt;
    std::string out(folder);
    g_free(folder);
    return out;
}

} // namespace

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
            if (auto folder = chooseFolder({absolute(path, workingFolder)}))
                args.urls << launchUrlForFolder(*folder);
        } else if (a == "--items") {
            std::vector<std::string> items;
            while (i + 1 < argv.size()) {
                const std::string& item = argv[++i];
                if (item.empty()) {
                    args.error = QStringLiteral("--items needs paths, and one is empty");
                    return args;
                }
                items.push_back(absolute(item, workingFolder));
            }
            if (items.empty()) {
                args.error = QStringLiteral("--items needs at least one path");
                return args;
            }
            if (auto folder = chooseFolder(items))
                args.urls << launchUrlForFolder(*folder);
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
        "       quillbrook --items PATH…\n"
        "\n"
        "Finds files by name with ICU regular expressions.\n"
        "\n"
        "  URL            a launch URL such as quillbrook://search?folder=%2Ftmp\n"
        "  --folder PATH  search PATH (as if chosen in the window); a file: its folder\n"
        "  --items PATH…  what a file manager selected: one item, or the folder of several\n"
        "  --version      print the version\n"
        "  --help         print this help\n"
        "\n"
        "A running Quillbrook receives the URLs and comes forward; this start then exits.\n");
}

} // namespace qb
