#include "FileFailure.h"

#include "FileActions.h"
#include "FileSystem.h"
#include "Trash.h"
#include "search/PathText.h"

namespace qb {
namespace {

std::string reason(const FileFailure& f) {
    using K = FileFailure::Kind;
    switch (f.kind) {
    case K::system:
        break;
    case K::insideItself:
        return fs::kInsideItself;
    case K::changedWhileMoving:
        return fs::kChangedWhileMoving;
    case K::replaced:
        return FileActions::kReplaced;
    case K::notEmpty:
        return FileActions::kNotEmpty;
    case K::noTrash:
        return trash::kNoTrash;
    case K::archiveFailed:
        return FileActions::kArchiveFailed + f.detail;
    case K::badName:
        return FileActions::kBadName + toValidUtf8(f.detail);
    case K::sameName:
        return FileActions::kSameName + toValidUtf8(f.detail);
    case K::inTrash:
        return FileActions::kInTrash;
    case K::leftAtTemporary:
        return FileActions::kLeftAtTemporary + f.detail;
    case K::keptNames: {
        std::string text = FileActions::kKeptNames;
        for (size_t i = 0; i < f.names.size(); ++i)
            text += (i ? ", " : "") + toValidUtf8(f.names[i]);
        if (f.count > f.names.size())
            text += " and " + std::to_string(f.count - f.names.size()) + " more";
        return text;
    }
    case K::renameProblem:
        return describe(f.state);
    case K::renamePattern:
        return englishText(f.pattern);
    }
    return fs::describe(f.errnum);
}

} // namespace

std::string englishText(const FileFailure& f) {
    std::string text = reason(f);
    if (!f.leftover.empty()) {
        if (text.empty() || text.back() != '.')
            text += '.';
        text += std::string(" ") + fs::kPartialCopyLeft + " \u201C" + f.leftover + "\u201D (" +
                fs::describe(f.leftoverErrnum) + ").";
    }
    return f.path.empty() ? text : std::string(lastComponent(f.path)) + ": " + text;
}

std::vector<std::string> englishTexts(const std::vector<FileFailure>& failures) {
    std::vector<std::string> out;
    out.reserve(failures.size());
    for (const FileFailure& f : failures)
        out.push_back(englishText(f));
    return out;
}

} // namespace qb
