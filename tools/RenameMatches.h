#pragma once
// quillbrook-find --rename: plans (and with --apply carries out) new names for the matches.

#include "search/SearchEngine.h"

#include <string>

namespace qbtool {

struct RenameMatches {
    std::string replacement;
    bool apply = false;
    bool nul = false;   // NUL-separated old and new paths instead of "old → new" lines
    bool quiet = false; // no summary on standard error
};

// Exit status: 0 when everything planned was renamed (or could be), 1 when nothing would
// change, 2 on a problem in the plan or a failure.
int renameMatches(const qb::SearchOptions& options, qb::SearchEngine::RunTuning tuning,
                  const RenameMatches& how);

} // namespace qbtool
