#include "RenamePlanner.h"

#include "CoarseClock.h"
#include "PathText.h"
#include "RegexMatcher.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <dirent.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unicode/regex.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>
#include <unordered_map>

namespace qb {
namespace {

// As long as the search gives one name, so one bad name cannot stall a preview.
constexpr auto kBudget = std::chrono::milliseconds(50);

// A name decoded for matching, with the byte offset where each UTF-16 unit's character
// starts (and the length at the end), so that matched ranges map back to the original bytes.
struct DecodedName {
    std::u16string units;
    icu::UnicodeString text; // a read-only alias of units
    std::vector<int32_t> offsets;
};

void decode(std::string_view bytes, DecodedName& out) {
    out.units.clear();
    out.offsets.clear();
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto length = static_cast<int32_t>(bytes.size());
    for (int32_t i = 0; i < length;) {
        const int32_t start = i;
        UChar32 c;
        // Each maximal ill-formed subsequence gives one negative c, as in the search's decoding.
        U8_NEXT(s, i, length, c);
        if (c < 0)
            c = 0xFFFD;
        if (c <= 0xFFFF) {
            out.units.push_back(char16_t(c));
            out.offsets.push_back(start);
        } else {
            out.units.push_back(char16_t(U16_LEAD(c)));
            out.units.push_back(char16_t(U16_TRAIL(c)));
            out.offsets.push_back(start);
            out.offsets.push_back(start);
        }
    }
    out.offsets.push_back(length);
    out.text.setTo(false, out.units.data(), int32_t(out.units.size()));
}

// ICU accepts some faulty replacements silently and reports others only once a name
// matches; checking the text up front gives one message for the whole batch, with where.
std::optional<PatternError> replacementError(const icu::RegexPattern& pattern, int32_t groups,
                                             const icu::UnicodeString& text) {
    for (int32_t i = 0; i < text.length(); ++i) {
        const UChar c = text[i];
        if (c == u'\\') {
            if (i + 1 == text.length())
                return PatternError{PatternError::Kind::replacementEndsWithBackslash, i + 1};
            ++i;
            continue;
        }
        if (c != u'$')
            continue;
        if (i + 1 == text.length())
            return PatternError{PatternError::Kind::dollarWithoutGroup, i + 1};
        const UChar next = text[i + 1];
        if (next >= u'0' && next <= u'9') {
            if (next - u'0' > groups)
                return PatternError{PatternError::Kind::noSuchGroup, i + 1};
            continue;
        }
        if (next != u'{')
            return PatternError{PatternError::Kind::dollarWithoutGroup, i + 1};
        const int32_t close = text.indexOf(u'}', i + 2);
        if (close < 0)
            return PatternError{PatternError::Kind::missingCloseBrace, i + 1};
        UErrorCode status = U_ZERO_ERROR;
        pattern.groupNumberFromName(text.tempSubStringBetween(i + 2, close), status);
        if (U_FAILURE(status))
            return PatternError{PatternError::Kind::noSuchGroup, i + 1};
        i = close;
    }
    return std::nullopt;
}

struct Budget {
    CoarseClock::time_point deadline;
    const std::stop_token* stop = nullptr;
};

UBool U_CALLCONV keepMatching(const void* context, int32_t) {
    const auto* budget = static_cast<const Budget*>(context);
    return !budget->stop->stop_requested() && CoarseClock::now() <= budget->deadline;
}

// Whether names are taken in their folders. A folder that gets many new names is listed once,
// which costs far less than asking for each name.
class TakenNames {
public:
    static constexpr size_t kListFrom = 32;

    explicit TakenNames(const PathExists& exists) : m_exists(exists) {}
    void expect(std::string_view folder) { ++m_expected[folder]; }
    bool taken(const std::string& target) {
        if (m_exists)
            return m_exists(target);
        const std::string_view folder = parentOf(target);
        // Targets come folder by folder, so the last folder's listing is usually the one.
        if (!m_last || m_last->first != folder) {
            auto it = m_listed.find(folder);
            if (it == m_listed.end()) {
                std::optional<Names> names;
                if (m_expected[folder] >= kListFrom)
                    names = list(std::string(folder));
                it = m_listed.emplace(folder, std::move(names)).first;
            }
            m_last = &*it;
        }
        if (!m_last->second) {
            struct stat st {};
            return ::lstat(target.c_str(), &st) == 0;
        }
        const Names& names = *m_last->second;
        return std::binary_search(names.begin(), names.end(), lastComponent(target));
    }

private:
    using Names = std::vector<std::string>; // sorted
    static std::optional<Names> list(const std::string& folder) {
        DIR* dir = ::opendir(folder.c_str());
        if (!dir)
            return std::nullopt; // searchable but not readable: ask name by name
        Names names;
        errno = 0;
        while (dirent* entry = ::readdir(dir))
            names.emplace_back(entry->d_name);
        const bool complete = errno == 0;
        ::closedir(dir);
        if (!complete)
            return std::nullopt;
        std::sort(names.begin(), names.end());
        return names;
    }

    const PathExists& m_exists;
    // Keys view the targets' paths, which outlive this.
    std::unordered_map<std::string_view, size_t> m_expected;
    std::unordered_map<std::string_view, std::optional<Names>> m_listed;
    const std::pair<const std::string_view, std::optional<Names>>* m_last = nullptr;
};

// Which of the views occur more than once, by sorting their indices.
std::vector<bool> repeated(const std::vector<std::string_view>& views, bool all) {
    std::vector<uint32_t> order(views.size());
    for (uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return views[a] < views[b]; });
    std::vector<bool> out(views.size(), false);
    for (size_t k = 1; k < order.size(); ++k)
        if (views[order[k]] == views[order[k - 1]]) {
            out[order[k]] = true;
            if (all)
                out[order[k - 1]] = true;
        }
    return out;
}

// A stopped plan is dropped whole, so that no partial rows are taken for a result.
RenamePlan stoppedPlan() {
    RenamePlan plan;
    plan.stopped = true;
    return plan;
}

RenameState checkName(const std::string& name, size_t maxNameBytes) {
    if (name.empty())
        return RenameState::empty;
    if (name == "." || name == "..")
        return RenameState::dotName;
    if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos)
        return RenameState::separator;
    if (name.size() > maxNameBytes)
        return RenameState::tooLong;
    return RenameState::renamed;
}

} // namespace

bool isProblem(RenameState state) {
    return state != RenameState::unchanged && state != RenameState::renamed;
}

const char* describe(RenameState state) {
    switch (state) {
    case RenameState::unchanged:
        return "Unchanged";
    case RenameState::renamed:
        return "Renamed";
    case RenameState::empty:
        return "The new name is empty";
    case RenameState::dotName:
        return "The new name can’t be “.” or “..”";
    case RenameState::separator:
        return "The new name can’t contain “/” or a NUL character";
    case RenameState::tooLong:
        return "The new name is longer than the file system allows";
    case RenameState::exists:
        return "An item with this name already exists in the folder";
    case RenameState::duplicate:
        return "Another selected item gets the same name";
    case RenameState::interrupted:
        return "The pattern took too long on this name";
    }
    return "";
}

RenamePlan planRenames(const RenameRules& rules, const std::vector<std::string>& items,
                       const PathExists& exists, const std::stop_token& stop, size_t maxNameBytes) {
    RenamePlan plan;
    UErrorCode status = U_ZERO_ERROR;
    UParseError parse{};
    const icu::UnicodeString patternText = icu::UnicodeString::fromUTF8(rules.pattern);
    std::unique_ptr<icu::RegexPattern> pattern(icu::RegexPattern::compile(
        patternText, rules.caseSensitive ? 0 : UREGEX_CASE_INSENSITIVE, parse, status));
    if (U_FAILURE(status) || !pattern) {
        plan.error = RegexMatcher::compileError(rules.pattern).value_or(PatternError{});
        return plan;
    }
    std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(status));
    if (U_FAILURE(status) || !matcher) {
        plan.error = PatternError{};
        return plan;
    }
    const icu::UnicodeString replacement = icu::UnicodeString::fromUTF8(rules.replacement);
    plan.error = replacementError(*pattern, matcher->groupCount(), replacement);
    if (plan.error)
        return plan;
    Budget budget{{}, &stop};
    matcher->setMatchCallback(&keepMatching, &budget, status);

    // An item given twice counts once, where it first appears.
    std::vector<std::string> paths;
    paths.reserve(items.size());
    for (const std::string& given : items)
        paths.push_back(standardisePath(given));
    const std::vector<bool> again = repeated({paths.begin(), paths.end()}, false);
    plan.rows.reserve(items.size());
    DecodedName name;
    icu::UnicodeString expanded;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (stop.stop_requested())
            return stoppedPlan();
        if (again[i])
            continue;
        PlannedRename& row = plan.rows.emplace_back();
        row.item = std::move(paths[i]);
        const std::string_view old = lastComponent(row.item);
        decode(old, name);
        budget.deadline = CoarseClock::now() + kBudget;
        matcher->reset(name.text);
        status = U_ZERO_ERROR;
        int32_t kept = 0; // UTF-16 index up to which the old name has been copied
        int32_t written = 0;
        bool matched = false;
        while (matcher->find(status) && U_SUCCESS(status)) {
            matched = true;
            const int32_t start = matcher->start(status);
            const int32_t end = matcher->end(status);
            // appendReplacement adds the text since the last match, then the expansion.
            expanded.remove();
            matcher->appendReplacement(expanded, replacement, status);
            if (U_FAILURE(status))
                break;
            row.newName.append(
                old.substr(name.offsets[kept], name.offsets[start] - name.offsets[kept]));
            written += start - kept;
            const int32_t inserted = expanded.length() - (start - kept);
            if (inserted > 0) {
                expanded.tempSubString(start - kept).toUTF8String(row.newName);
                row.changed.push_back({written, inserted});
                written += inserted;
            }
            kept = end;
            if (!rules.replaceAll)
                break;
        }
        if (status == U_REGEX_STOPPED_BY_CALLER || status == U_REGEX_TIME_OUT) {
            if (stop.stop_requested())
                return stoppedPlan();
            row.state = RenameState::interrupted;
        } else if (U_FAILURE(status)) {
            plan.rows.clear();
            plan.error = PatternError{PatternError::Kind::invalidReplacement};
            return plan;
        } else if (matched) {
            row.newName.append(old.substr(name.offsets[kept]));
        }
        if (row.state != RenameState::interrupted) {
            if (!matched || row.newName == old) {
                row.newName = std::string(old);
                row.changed.clear();
            } else {
                row.state = checkName(row.newName, maxNameBytes);
            }
        }
    }

    // A target is free when nothing is there, or when what is there is renamed away by this
    // same batch; two items of the batch may not share one. Per renamed row: its index, its
    // target, and (sorted apart) its current path.
    std::vector<size_t> renamedRows;
    std::vector<std::string> targets;
    std::vector<std::string_view> leaving;
    for (size_t i = 0; i < plan.rows.size(); ++i) {
        const PlannedRename& row = plan.rows[i];
        if (row.state != RenameState::renamed)
            continue;
        renamedRows.push_back(i);
        targets.push_back(joinPath(parentOf(row.item), row.newName));
        leaving.push_back(row.item);
    }
    TakenNames taken(exists);
    for (const std::string& target : targets)
        taken.expect(parentOf(target));
    const std::vector<bool> shared = repeated({targets.begin(), targets.end()}, true);
    std::sort(leaving.begin(), leaving.end());
    for (size_t k = 0; k < renamedRows.size(); ++k) {
        if (stop.stop_requested())
            return stoppedPlan();
        PlannedRename& row = plan.rows[renamedRows[k]];
        const std::string& target = targets[k];
        if (shared[k])
            row.state = RenameState::duplicate;
        else if (!std::binary_search(leaving.begin(), leaving.end(), std::string_view(target)) &&
                 taken.taken(target))
            row.state = RenameState::exists;
    }
    for (const PlannedRename& row : plan.rows) {
        if (row.state == RenameState::renamed)
            ++plan.renamed;
        else if (isProblem(row.state))
            ++plan.problems;
    }
    return plan;
}

} // namespace qb
