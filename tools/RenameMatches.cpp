#include "RenameMatches.h"

#include "fileops/FileActions.h"
#include "search/PathText.h"
#include "search/RenamePlanner.h"

#include <cstdio>
#include <vector>

namespace qbtool {
namespace {

void write(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

} // namespace

int renameMatches(const qb::SearchOptions& options, qb::SearchEngine::RunTuning tuning,
                  const RenameMatches& how) {
    if (options.fullPath) {
        std::fputs("quillbrook-find: --rename renames by name; it cannot be used with "
                   "--full-path\n",
                   stderr);
        return 2;
    }
    std::vector<std::string> items;
    tuning.attributes = false;
    tuning.nameKeys = false;
    tuning.keepHits = false;
    tuning.onHit = [&](const qb::SearchHit& hit) { items.push_back(hit.url); };
    bool limited = false;
    qb::SearchOutcome outcome = qb::SearchEngine::run(
        options, [&](const qb::SearchUpdate& u) { limited = limited || u.limited; }, {}, tuning);
    if (outcome.status == qb::SearchOutcome::Status::failed) {
        std::fprintf(stderr, "quillbrook-find: %s\n",
                     qb::SearchEngine::englishText(outcome.error).c_str());
        return 2;
    }
    // Renaming only the first of more matches than can be listed would be a surprise.
    if (limited) {
        std::fprintf(stderr,
                     "quillbrook-find: more than %zu matches; nothing was renamed. Narrow "
                     "the pattern or the folder.\n",
                     qb::SearchEngine::kHitLimit);
        return 2;
    }

    qb::RenamePlan plan =
        qb::planRenames({options.pattern, how.replacement, options.caseSensitive, true}, items);
    if (plan.error) {
        std::fprintf(stderr, "quillbrook-find: %s\n", qb::englishText(*plan.error).c_str());
        return 2;
    }
    std::vector<qb::FileActions::RenameRequest> requests;
    std::string out;
    for (const qb::PlannedRename& row : plan.rows) {
        if (qb::isProblem(row.state)) {
            std::fprintf(stderr, "%s → %s: %s\n", qb::toValidUtf8(row.item).c_str(),
                         qb::toValidUtf8(row.newName).c_str(), qb::describe(row.state));
            continue;
        }
        if (row.state != qb::RenameState::renamed)
            continue;
        requests.push_back({row.item, row.newName});
        const std::string target = qb::joinPath(qb::parentOf(row.item), row.newName);
        if (how.nul) {
            out += row.item + '\0' + target + '\0';
        } else {
            out += row.item + " → " + target + '\n';
        }
    }
    if (plan.problems > 0) {
        std::fprintf(stderr,
                     "quillbrook-find: %zu of the new names cannot be used; nothing was "
                     "renamed\n",
                     plan.problems);
        return 2;
    }
    write(out);
    std::fflush(stdout);
    if (requests.empty())
        return 1;
    if (!how.apply)
        return 0;
    qb::FileActionResult r = qb::FileActions::renameAll(requests);
    for (const qb::FileFailure& failure : r.failures)
        std::fprintf(stderr, "quillbrook-find: %s\n",
                     qb::toValidUtf8(qb::englishText(failure)).c_str());
    if (!how.quiet)
        std::fprintf(stderr, "renamed %zu of %zu\n", r.created.size(), requests.size());
    return r.failures.empty() ? 0 : 2;
}

} // namespace qbtool
