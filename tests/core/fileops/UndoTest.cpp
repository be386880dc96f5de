#include "TempTree.h"
#include "fileops/FileActions.h"
#include "fileops/FileUndoRecord.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace qb;
using qbtest::TempTree;
using Paths = std::vector<std::string>;

namespace {

// Keeps the trash inside the test's tree.
class Undo : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("XDG_DATA_HOME", t.path("data").c_str(), 1); }
    void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }
    TempTree t;
};

const std::string kReplaced = FileActions::kReplaced;

} // namespace

TEST_F(Undo, RefusesAnItemThatIsNoLongerTheSame) {
    t.file("a/item.txt", "x");
    t.dir("b");
    auto moved = FileActions::move({t.path("a/item.txt")}, t.path("b"), false);
    ASSERT_EQ(moved.undo.size(), 1u);

    // Renamed behind our back, then something new under the old name.
    ::rename(t.path("b/item.txt").c_str(), t.path("b/renamed.txt").c_str());
    auto r = FileActions::undo(moved.undo);
    EXPECT_EQ(englishTexts(r.failures), (Paths{"item.txt: " + kReplaced}));
    EXPECT_EQ(r.remainingUndo, moved.undo);
    t.file("b/item.txt", "impostor");
    r = FileActions::undo(moved.undo);
    EXPECT_EQ(englishTexts(r.failures), (Paths{"item.txt: " + kReplaced}));
    EXPECT_TRUE(TempTree::exists(t.path("b/item.txt")));
    EXPECT_FALSE(TempTree::exists(t.path("a/item.txt")));

    // Swapped for a link to the real item: the link is a different item.
    ::unlink(t.path("b/item.txt").c_str());
    t.link("b/item.txt", t.path("b/renamed.txt"));
    EXPECT_EQ(englishTexts(FileActions::undo(moved.undo).failures),
              (Paths{"item.txt: " + kReplaced}));

    FileUndoStep noIdentity{t.path("b/renamed.txt"), std::nullopt, FileUndoStep::Move{t.path("x")}};
    EXPECT_EQ(englishTexts(FileActions::undo({noIdentity}).failures),
              (Paths{"renamed.txt: " + kReplaced}));
}

TEST_F(Undo, CreatingFolderWithSomethingPutInside) {
    t.file("one.txt");
    t.file("two.txt");
    auto created = FileActions::newFolder(t.path("Gather"), {t.path("one.txt"), t.path("two.txt")});
    t.file("Gather/.hidden"); // a hidden entry counts
    FileHistory undo, redo;
    ASSERT_TRUE(recordOperation(undo, redo, "Creating Folder\u2026", created));
    EXPECT_EQ(undo.back().title, "Creating Folder");

    FileUndoRecord record = undo.back();
    undo.pop_back();
    auto r = FileActions::undo(record.steps);
    fileReplay(undo, redo, record, false, r);
    EXPECT_EQ(englishTexts(r.failures), (Paths{"Gather: " + std::string(FileActions::kNotEmpty)}));
    EXPECT_TRUE(TempTree::exists(t.path("one.txt")) && TempTree::exists(t.path("two.txt")));
    ASSERT_EQ(undo.size(), 1u);
    EXPECT_EQ(undo[0].steps.size(), 1u);
    ASSERT_EQ(redo.size(), 1u);
    EXPECT_EQ(redo[0].steps.size(), 2u) << "only the moves are redoable";
    EXPECT_EQ(redo[0].title, "Creating Folder");
}

TEST_F(Undo, UndoRedoUndoOfCreatingFolderMoveAndTrash) {
    t.file("a.txt", "A");
    t.file("b.txt", "B");
    auto replay = [](const std::vector<FileUndoStep>& steps) {
        auto r = FileActions::undo(steps);
        EXPECT_TRUE(r.failures.empty()) << englishText(r.failures[0]);
        EXPECT_TRUE(r.remainingUndo.empty());
        return r.undo;
    };

    auto steps = FileActions::newFolder(t.path("N"), {t.path("a.txt")}).undo;
    steps = replay(steps); // undo: a.txt back, folder to the trash
    EXPECT_EQ(TempTree::list(t.root()), (Paths{"a.txt", "b.txt", "data"}));
    steps = replay(steps); // redo
    EXPECT_EQ(TempTree::list(t.path("N")), (Paths{"a.txt"}));
    t.file("N/extra");
    steps = replay(steps); // undo again: the folder goes back to the trash though not empty
    EXPECT_FALSE(TempTree::exists(t.path("N")));

    steps = FileActions::trash({t.path("b.txt")}).undo;
    ASSERT_EQ(steps.size(), 1u);
    for (int i = 0; i < 3; ++i)
        steps = replay(steps);
    EXPECT_EQ(TempTree::read(t.path("b.txt")), "B");
}

TEST_F(Undo, OccupiedFormerLocationFailsOnlyThatItem) {
    t.file("src/a", "a");
    t.file("src/b", "b");
    t.dir("dst");
    auto moved = FileActions::move({t.path("src/a"), t.path("src/b")}, t.path("dst"), false);
    t.file("src/a", "newcomer");
    auto r = FileActions::undo(moved.undo);
    EXPECT_EQ(englishTexts(r.failures), (Paths{"a: File exists"}));
    EXPECT_EQ(TempTree::read(t.path("src/a")), "newcomer");
    EXPECT_EQ(TempTree::read(t.path("src/b")), "b");
    EXPECT_EQ(r.remainingUndo.size(), 1u);
    EXPECT_EQ(r.undo.size(), 1u);
}

TEST_F(Undo, CopyUndoTrashesTheCopyWhileItIsTheSameItem) {
    t.file("a.txt", "A");
    auto dup = FileActions::duplicate({t.path("a.txt")});
    t.file("a copy.txt", "edited, same inode"); // rewritten in place
    auto r = FileActions::undo(dup.undo);
    EXPECT_TRUE(r.failures.empty());
    EXPECT_FALSE(TempTree::exists(t.path("a copy.txt")));

    // The copy is kept alive under another name, so the new item cannot reuse its inode.
    dup = FileActions::duplicate({t.path("a.txt")});
    ASSERT_EQ(::rename(t.path("a copy.txt").c_str(), t.path("kept.txt").c_str()), 0);
    t.file("a copy.txt", "recreated");
    EXPECT_EQ(englishTexts(FileActions::undo(dup.undo).failures),
              (Paths{"a copy.txt: " + kReplaced}));
}

TEST_F(Undo, AThousandRecordsUndoInOrder) {
    t.file("f", "x");
    t.dir("d");
    FileHistory undo, redo;
    std::string at = t.path("f");
    for (int i = 0; i < 1000; ++i) {
        std::string to = t.path("f" + std::to_string(i));
        auto r = FileActions::rename(at, to);
        ASSERT_TRUE(recordOperation(undo, redo, "Renaming\u2026", r));
        at = to;
    }
    while (!undo.empty()) {
        FileUndoRecord record = undo.back();
        undo.pop_back();
        auto r = FileActions::undo(record.steps);
        ASSERT_TRUE(r.failures.empty());
        fileReplay(undo, redo, record, false, r);
    }
    EXPECT_TRUE(TempTree::exists(t.path("f")));
    EXPECT_EQ(redo.size(), 1000u);
    // A new operation clears redo; a failed one leaves it.
    EXPECT_FALSE(recordOperation(undo, redo, "Renaming\u2026",
                                 FileActions::rename(t.path("zz"), t.path("yy"))));
    EXPECT_EQ(redo.size(), 1000u);
    EXPECT_TRUE(
        recordOperation(undo, redo, "Duplicating\u2026", FileActions::duplicate({t.path("f")})));
    EXPECT_TRUE(redo.empty());
}
