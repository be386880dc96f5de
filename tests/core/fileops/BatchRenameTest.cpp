#include "TempTree.h"
#include "fileops/FileActions.h"
#include "fileops/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

using namespace qb;
using qbtest::TempTree;
using Paths = std::vector<std::string>;

namespace {

// Each file holds its original name, so a tree's contents say where every item went.
std::map<std::string, std::string> contents(const TempTree& t, const std::string& folder = "") {
    std::map<std::string, std::string> out;
    for (const auto& name : TempTree::list(t.path(folder)))
        out[name] = TempTree::read(t.path(folder.empty() ? name : folder + "/" + name));
    return out;
}

// Fails the nth rename (counting from 1) and lets the others through.
FileActions::RenameCall failingAt(int n, int* calls) {
    return [n, calls](int folder, const char* from, const char* to) {
        if (++*calls == n) {
            errno = EIO;
            return -1;
        }
        return fs::renameInFolder(folder, from, to);
    };
}

} // namespace

TEST(BatchRename, ChainsAndCyclesCompleteWithNothingOverwritten) {
    TempTree t;
    for (const char* n : {"a", "b", "1", "2", "3", "x", "y"})
        t.file(n, n);
    t.file("dir/inner", "inner");
    const std::string root = t.root() + "/";
    // A swap, a three-cycle, a chain x→y→z, and a folder renamed with an item inside it.
    auto r = FileActions::renameAll({{root + "a", "b"},
                                     {root + "b", "a"},
                                     {root + "1", "2"},
                                     {root + "2", "3"},
                                     {root + "3", "1"},
                                     {root + "x", "y"},
                                     {root + "y", "z"},
                                     {root + "dir", "folder"},
                                     {root + "dir/inner", "renamed"}});
    EXPECT_TRUE(r.failures.empty()) << englishText(r.failures[0]);
    EXPECT_EQ(contents(t), (std::map<std::string, std::string>{{"1", "3"},
                                                               {"2", "1"},
                                                               {"3", "2"},
                                                               {"a", "b"},
                                                               {"b", "a"},
                                                               {"folder", ""},
                                                               {"y", "x"},
                                                               {"z", "y"}}));
    EXPECT_EQ(TempTree::read(t.path("folder/renamed")), "inner");
    EXPECT_EQ(r.removed.size(), 9u);
    EXPECT_NE(std::find(r.created.begin(), r.created.end(), t.path("folder/renamed")),
              r.created.end());

    // Undo and redo reverse and repeat the whole batch.
    auto back = FileActions::undo(r.undo);
    EXPECT_TRUE(back.failures.empty()) << englishText(back.failures[0]);
    EXPECT_EQ(TempTree::read(t.path("dir/inner")), "inner");
    for (const char* n : {"a", "b", "1", "2", "3", "x", "y"})
        EXPECT_EQ(TempTree::read(t.path(n)), n);
    EXPECT_FALSE(TempTree::exists(t.path("z")));
    auto again = FileActions::undo(back.undo);
    EXPECT_TRUE(again.failures.empty()) << englishText(again.failures[0]);
    EXPECT_EQ(TempTree::read(t.path("folder/renamed")), "inner");
    EXPECT_EQ(TempTree::read(t.path("1")), "3");
    EXPECT_EQ(TempTree::read(t.path("z")), "y");
}

TEST(BatchRename, ATargetThatAppearedIsRefusedAndNothingIsLost) {
    TempTree t;
    t.file("a", "a");
    t.file("b", "b");
    t.file("c", "c");
    t.file("B", "newcomer"); // made after the plan was checked
    const std::string root = t.root() + "/";
    auto r = FileActions::renameAll({{root + "a", "A"}, {root + "b", "B"}, {root + "c", "C"}});
    ASSERT_EQ(r.failures.size(), 2u);
    EXPECT_EQ(englishText(r.failures[0]), "b: " + fs::describe(EEXIST));
    EXPECT_EQ(englishText(r.failures[1]).rfind(FileActions::kKeptNames, 0), 0u);
    EXPECT_NE(englishText(r.failures[1]).find('b'), std::string::npos);
    EXPECT_EQ(TempTree::read(t.path("B")), "newcomer");
    EXPECT_EQ(TempTree::read(t.path("b")), "b");
    // What was renamed before the failure stays renamed, and is undoable.
    EXPECT_EQ(r.undo.size(), r.removed.size());
    EXPECT_EQ(contents(t).size(), 4u);
}

TEST(BatchRename, InterruptedAnywhereEveryItemHasItsOldOrNewName) {
    TempTree t;
    const std::string root = t.root() + "/";
    const std::map<std::string, std::string> renames = {
        {"a", "b"}, {"b", "c"}, {"c", "a"}, // cycle
        {"p", "q"}, {"q", "r"},             // chain
        {"s", "t"}, {"u", "v"},             // plain
    };
    std::vector<FileActions::RenameRequest> requests;
    for (const auto& [from, to] : renames)
        requests.push_back({root + from, to});
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE("failing rename " + std::to_string(n));
        for (const auto& name : TempTree::list(t.root()))
            ::unlink(t.path(name).c_str());
        for (const auto& [from, to] : renames)
            t.file(from, from);
        int calls = 0;
        auto r = FileActions::renameAll(requests, failingAt(n, &calls));
        auto now = contents(t);
        ASSERT_EQ(now.size(), renames.size());
        size_t renamed = 0;
        for (const auto& [name, original] : now) {
            EXPECT_TRUE(name == original || name == renames.at(original))
                << original << " is under " << name;
            renamed += name != original;
        }
        EXPECT_EQ(renamed, r.removed.size());
        EXPECT_EQ(r.failures.empty(), n > calls);
        // The part that was done undoes cleanly, also when the undo itself is interrupted.
        int undoCalls = 0;
        auto back = FileActions::undo(r.undo, failingAt(2, &undoCalls));
        auto rest = FileActions::undo(back.remainingUndo);
        EXPECT_TRUE(rest.failures.empty()) << englishText(rest.failures[0]);
        for (const auto& [name, original] : contents(t))
            EXPECT_EQ(name, original);
    }
}

TEST(BatchRename, UndoLeavesAReplacedItemAloneAndNamesIt) {
    TempTree t;
    for (const char* n : {"a", "b", "c"})
        t.file(std::string("w/") + n, n);
    const std::string root = t.path("w/");
    // Moved away and replaced by a newcomer; the original lives on, so its number is not reused.
    auto replace = [&](const char* name, const char* aside, const char* text) {
        ::rename(t.path(std::string("w/") + name).c_str(), t.path(aside).c_str());
        t.file(std::string("w/") + name, text);
    };
    auto r = FileActions::renameAll({{root + "a", "A"}, {root + "b", "B"}, {root + "c", "C"}});
    ASSERT_TRUE(r.failures.empty());
    replace("B", "old B", "impostor");

    auto back = FileActions::undo(r.undo);
    EXPECT_EQ(englishTexts(back.failures), (Paths{"B: " + std::string(FileActions::kReplaced)}));
    ASSERT_EQ(back.remainingUndo.size(), 1u);
    EXPECT_EQ(back.remainingUndo[0].source, t.path("w/B"));
    EXPECT_EQ(contents(t, "w"),
              (std::map<std::string, std::string>{{"B", "impostor"}, {"a", "a"}, {"c", "c"}}));
    // Redo repeats what was undone and still leaves the newcomer alone.
    auto again = FileActions::undo(back.undo);
    EXPECT_TRUE(again.failures.empty());
    EXPECT_EQ(contents(t, "w"),
              (std::map<std::string, std::string>{{"A", "a"}, {"B", "impostor"}, {"C", "c"}}));

    // A swap whose partner was replaced cannot be reversed: nothing moves onto the newcomer.
    auto swap = FileActions::renameAll({{root + "A", "C"}, {root + "C", "A"}});
    ASSERT_TRUE(swap.failures.empty());
    replace("A", "old A", "another");
    auto undone = FileActions::undo(swap.undo);
    EXPECT_FALSE(undone.failures.empty());
    EXPECT_EQ(TempTree::read(t.path("w/A")), "another");
    EXPECT_EQ(TempTree::read(t.path("w/C")), "a");
    EXPECT_EQ(contents(t, "w").size(), 3u);
}

TEST(BatchRename, RefusedBatchesChangeNothing) {
    TempTree t;
    t.file("a", "a");
    t.file("b", "b");
    const std::string root = t.root() + "/";
    struct Case {
        const char* name;
        std::vector<FileActions::RenameRequest> requests;
        std::string failure;
    };
    const Case cases[] = {
        {"same target",
         {{root + "a", "x"}, {root + "b", "x"}},
         std::string(FileActions::kSameName) + "x"},
        {"slash", {{root + "a", "x/y"}}, std::string(FileActions::kBadName) + "x/y"},
        {"dot dot", {{root + "a", ".."}}, std::string(FileActions::kBadName) + ".."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto r = FileActions::renameAll(c.requests);
        EXPECT_EQ(englishTexts(r.failures), (Paths{c.failure}));
        EXPECT_TRUE(r.undo.empty());
        EXPECT_EQ(contents(t), (std::map<std::string, std::string>{{"a", "a"}, {"b", "b"}}));
    }
    // Unchanged names are no work at all.
    EXPECT_EQ(FileActions::renameAll({{root + "a", "a"}}), FileActionResult{});
}
