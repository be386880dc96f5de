#pragma once
// The core's failures in the user's language. The system's description of an error number
// stays the system's, in the locale the program runs in.

#include "fileops/FileFailure.h"
#include "search/PatternError.h"
#include "search/RenameState.h"
#include "search/SearchEngine.h"

#include <QCoreApplication>
#include <QString>
#include <vector>

namespace qb {

class ErrorText {
    Q_DECLARE_TR_FUNCTIONS(ErrorText)

public:
    // The item's name, ": " and the reason, or the reason alone when a whole operation failed.
    static QString failure(const FileFailure& failure);
    // One failure per line.
    static QString failures(const std::vector<FileFailure>& failures);
    static QString search(const SearchError& error);
    static QString pattern(const PatternError& error);
    static QString renameState(RenameState state);
    // The system's description of an error number.
    static QString system(int errnum);
};

} // namespace qb
