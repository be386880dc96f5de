#include "ErrorText.h"

#include "ShownText.h"
#include "fileops/FileSystem.h"
#include "search/PathText.h"

#include <QStringList>

namespace qb {
namespace {

QString patternKind(PatternError::Kind kind) {
    using K = PatternError::Kind;
    switch (kind) {
    case K::invalid:
        break;
    case K::unbalancedParenthesis:
        return ErrorText::tr("Unbalanced parenthesis");
    case K::missingCloseBracket:
        return ErrorText::tr("Missing closing bracket");
    case K::unknownEscape:
        return ErrorText::tr("Unknown escape sequence");
    case K::invalidProperty:
        return ErrorText::tr("Invalid Unicode property");
    case K::syntax:
        return ErrorText::tr("Syntax error");
    case K::badInterval:
        return ErrorText::tr("Invalid {min,max} repetition");
    case K::maxLessThanMin:
        return ErrorText::tr("Repetition maximum is less than its minimum");
    case K::numberTooLarge:
        return ErrorText::tr("Number too large");
    case K::noSuchGroup:
        return ErrorText::tr("Reference to a group that does not exist");
    case K::invalidFlag:
        return ErrorText::tr("Invalid match option");
    case K::unboundedLookBehind:
        return ErrorText::tr("Look-behind must have a bounded length");
    case K::setContainsString:
        return ErrorText::tr("Character class cannot contain a string");
    case K::invalidRange:
        return ErrorText::tr("Invalid character range");
    case K::octalTooLarge:
        return ErrorText::tr("Octal value too large");
    case K::invalidGroupName:
        return ErrorText::tr("Invalid group name");
    case K::tooLarge:
        return ErrorText::tr("Pattern too large");
    case K::unsupported:
        return ErrorText::tr("Unsupported construct");
    case K::replacementEndsWithBackslash:
        return ErrorText::tr("Replacement ends with a backslash");
    case K::dollarWithoutGroup:
        return ErrorText::tr("Dollar sign without a group (write \\$ for a dollar sign)");
    case K::missingCloseBrace:
        return ErrorText::tr("Missing closing brace");
    case K::invalidReplacement:
        return ErrorText::tr("Invalid replacement");
    }
    return ErrorText::tr("Invalid regular expression");
}

QString keptNames(const FileFailure& f) {
    QStringList names;
    for (const std::string& name : f.names)
        names << shownText(name);
    QString list = names.join(ErrorText::tr(", ", "between names in a list"));
    if (f.count > f.names.size())
        list = ErrorText::tr("%1 and %n more", "names, then how many are not listed",
                             int(f.count - f.names.size()))
                   .arg(list);
    return ErrorText::tr("These items kept their names: %1").arg(list);
}

QString reason(const FileFailure& f) {
    using K = FileFailure::Kind;
    switch (f.kind) {
    case K::system:
        break;
    case K::insideItself:
        return ErrorText::tr("Choose a destination outside the selected item.");
    case K::changedWhileMoving:
        return ErrorText::tr("The item changed while it was being moved. Nothing was changed.");
    case K::replaced:
        return ErrorText::tr(
            "The item has been removed or replaced since the operation. Nothing was changed.");
    case K::notEmpty:
        return ErrorText::tr(
            "This folder still contains items. Move them out before undoing folder creation.");
    case K::noTrash:
        return ErrorText::tr("There is no trash on this item’s volume that can take it.");
    case K::archiveFailed:
        // The archiver's own words follow, as it wrote them.
        return ErrorText::tr("The archive could not be created. %1")
            .arg(QString::fromStdString(f.detail));
    case K::badName:
        return ErrorText::tr("Not a valid name: %1").arg(shownText(f.detail));
    case K::sameName:
        return ErrorText::tr("Two items would get the same name: %1").arg(shownText(f.detail));
    case K::inTrash:
        return ErrorText::tr("Items in the trash can’t be renamed together.");
    case K::leftAtTemporary:
        return ErrorText::tr("The item could not be given back its name and is now called %1")
            .arg(shownText(f.detail));
    case K::keptNames:
        return keptNames(f);
    case K::renameProblem:
        return ErrorText::renameState(f.state);
    case K::renamePattern:
        return ErrorText::pattern(f.pattern);
    }
    return ErrorText::system(f.errnum);
}

} // namespace

QString ErrorText::system(int errnum) {
    return QString::fromLocal8Bit(fs::describe(errnum));
}

QString ErrorText::failure(const FileFailure& f) {
    QString text = reason(f);
    if (!f.leftover.empty()) {
        if (!text.endsWith(u'.'))
            text += u'.';
        text = tr("%1 A partial copy could not be removed and remains at “%2” (%3).",
                  "the failure, then where a partial copy remains and why")
                   .arg(text, shownText(f.leftover), system(f.leftoverErrnum));
    }
    if (f.path.empty())
        return text;
    return tr("%1: %2", "an item's name, then why it failed")
        .arg(shownText(lastComponent(f.path)), text);
}

QString ErrorText::failures(const std::vector<FileFailure>& failures) {
    QStringList lines;
    for (const FileFailure& f : failures)
        lines << failure(f);
    return lines.join(u'\n');
}

QString ErrorText::search(const SearchError& error) {
    switch (error.kind) {
    case SearchError::Kind::pattern:
        break;
    case SearchError::Kind::unreadableFolder:
        return tr("This folder cannot be read. Choose an accessible folder.");
    case SearchError::Kind::cannotEnumerate:
        return tr("Could not enumerate this folder.");
    }
    return pattern(error.pattern);
}

QString ErrorText::pattern(const PatternError& error) {
    const QString what = patternKind(error.kind);
    if (error.position < 0)
        return what;
    return tr("%1 at position %2", "what is wrong with a pattern, then where")
        .arg(what, QString::number(error.position));
}

QString ErrorText::renameState(RenameState state) {
    switch (state) {
    case RenameState::unchanged:
        return tr("Unchanged", "a name a batch rename leaves as it is");
    case RenameState::renamed:
        return tr("Renamed", "a name a batch rename changes");
    case RenameState::empty:
        return tr("The new name is empty");
    case RenameState::dotName:
        return tr("The new name can’t be “.” or “..”");
    case RenameState::separator:
        return tr("The new name can’t contain “/” or a NUL character");
    case RenameState::tooLong:
        return tr("The new name is longer than the file system allows");
    case RenameState::exists:
        return tr("An item with this name already exists in the folder");
    case RenameState::duplicate:
        return tr("Another selected item gets the same name");
    case RenameState::interrupted:
        return tr("The pattern took too long on this name");
    }
    return {};
}

} // namespace qb
