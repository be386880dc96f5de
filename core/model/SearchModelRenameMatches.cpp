// Renaming a batch of items by pattern, with the plan the dialog previewed made again on the
// worker, where the folders are read.

#include "SearchModel.h"
#include "fileops/FileActions.h"

namespace qb {
namespace {

FileActionResult renameByPlan(const RenameRules& rules, const std::vector<std::string>& items) {
    FileActionResult r;
    RenamePlan plan = planRenames(rules, items);
    if (plan.error) {
        r.failures.push_back({.kind = FileFailure::Kind::renamePattern, .pattern = *plan.error});
        return r;
    }
    std::vector<FileActions::RenameRequest> requests;
    for (const PlannedRename& row : plan.rows) {
        if (isProblem(row.state))
            r.failures.push_back(
                {.kind = FileFailure::Kind::renameProblem, .path = row.item, .state = row.state});
        else if (row.state == RenameState::renamed)
            requests.push_back({row.item, row.newName});
    }
    // Something changed in a folder since the preview: nothing is renamed, as the dialog
    // would not have let it.
    if (!r.failures.empty())
        return r;
    return FileActions::renameAll(requests);
}

} // namespace

void SearchModel::renameMatches(const RenameRules& rules, const UrlList& urls) {
    if (m_fileActionRunning)
        return;
    auto items = itemsOr(urls);
    if (items.empty())
        return;
    // Moved, not copied again: the batch may hold 20,000 paths.
    performFileAction(tr("Renaming…"), true,
                      [rules, items = std::move(items)] { return renameByPlan(rules, items); });
}

} // namespace qb
