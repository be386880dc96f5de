#include "ModelFixture.h"

using namespace qb;
using qbtest::ModelTest;
using qbtest::TempTree;
using Paths = std::vector<std::string>;

namespace {

class FileCommands : public ModelTest {
protected:
    // Searches the tree for everything, so the hits are real items. The folder is spelled
    // loosely, as a launch URL or a drop may give it; hits and removed items must still meet.
    void searchTree(const QString& pattern = ".") {
        m().setFolder(tree.root() + "//./");
        m().setPattern(pattern);
        searchAndWait();
    }
    Paths hitUrls() {
        Paths out;
        for (const auto& h : m().hits())
            out.push_back(h.url);
        std::sort(out.begin(), out.end());
        return out;
    }
};

} // namespace

TEST_F(FileCommands, PanelsOpenAtTheItemsFolderWithTheirTexts) {
    tree.file("a/one");
    tree.file("b/two");
    m().setFolder(tree.root());
    desktop.folderAnswers = {std::nullopt, std::nullopt};
    m().moveItems(Paths{tree.path("a/one")}, false);
    m().moveItems(Paths{tree.path("a/one"), tree.path("b/two")}, true);
    ASSERT_EQ(desktop.panels.size(), 2u);
    EXPECT_EQ(desktop.panels[0].startFolder, tree.path("a"));
    EXPECT_EQ(desktop.panels[0].prompt, "Move");
    EXPECT_EQ(desktop.panels[0].message,
              "Choose a destination for 1 selected item. Existing items won\u2019t be replaced.");
    EXPECT_TRUE(desktop.panels[0].canCreateFolders);
    EXPECT_EQ(desktop.panels[1].startFolder, tree.root());
    EXPECT_EQ(desktop.panels[1].prompt, "Copy");
    EXPECT_EQ(desktop.panels[1].message,
              "Choose a destination for 2 selected items. Existing items won\u2019t be replaced.");
    EXPECT_FALSE(m().fileActionRunning()) << "a cancelled panel runs nothing";

    desktop.nameAnswers = {std::nullopt, std::nullopt, std::nullopt};
    m().newFolder(Paths{});
    m().newFolder(Paths{tree.path("a/one")});
    m().renameItem(tree.path("a/one"));
    ASSERT_EQ(desktop.dialogs.size(), 3u);
    EXPECT_EQ(desktop.dialogs[0].message, "New Folder");
    EXPECT_EQ(desktop.dialogs[0].informativeText,
              QString::fromStdString("Create a folder in " + tree.root() + "."));
    EXPECT_EQ(desktop.dialogs[0].prefilledText, "New Folder");
    EXPECT_EQ(desktop.dialogs[0].confirmButton, "Create");
    EXPECT_EQ(desktop.dialogs[1].message, "New Folder with Selection");
    EXPECT_EQ(desktop.dialogs[1].informativeText,
              QString::fromStdString("Create a folder in " + tree.path("a") +
                                     " and move 1 selected item into it."));
    EXPECT_EQ(desktop.dialogs[2].message, "Rename \u201Cone\u201D");
    EXPECT_EQ(desktop.dialogs[2].prefilledText, "one");
    EXPECT_EQ(desktop.dialogs[2].confirmButton, "Rename");
}

TEST_F(FileCommands, InvalidNamesRunNothing) {
    tree.file("item");
    for (QString name : {QString(""), QString("."), QString(".."), QString("a/b"), QString("a:b"),
                         QString("a") + QChar(0) + "b"}) {
        SCOPED_TRACE(name.toStdString());
        desktop.nameAnswers = {name};
        m().newFolder(Paths{});
        EXPECT_EQ(m().fileActionError(),
                  QString("Enter a valid folder name without slashes or colons."));
        desktop.nameAnswers = {name};
        m().renameItem(tree.path("item"));
        EXPECT_EQ(m().fileActionError(),
                  QString("Enter a valid filename without slashes or colons."));
        EXPECT_FALSE(m().fileActionRunning());
        EXPECT_FALSE(m().fileActionStatus());
    }
    EXPECT_EQ(TempTree::list(tree.root()), (Paths{"item"}));

    desktop.nameAnswers = {QString("item")};
    m().renameItem(tree.path("item"));
    EXPECT_FALSE(m().fileActionRunning()) << "renaming to the same name does nothing";
    EXPECT_TRUE(m().undoHistory().empty());
}

TEST_F(FileCommands, RenamingKeepsTheBytesTheEditLeftAlone) {
    // The field shows each undecodable run of bytes as U+FFFD.
    const QString fffd(QChar(0xFFFD));
    struct Case {
        std::string before;
        QString typed;
        std::string after;
    };
    const Case cases[] = {
        {"caf\xE9.txt", "caf" + fffd + ".md", "caf\xE9.md"},
        {"bad\xFFname.txt", "new bad" + fffd + "name.txt", "new bad\xFFname.txt"},
        {"\xE2\x82x.txt", fffd + "x.md", "\xE2\x82x.md"}, // a cut sequence is one run
        {"a\xF0\x9F\x98\x80"
         "b",
         QString::fromUtf8("a\xF0\x9F\x98\x80"
                           "c"),
         "a\xF0\x9F\x98\x80"
         "c"},
        {"x\xE9y", "x" + fffd + fffd + "y", "x\xE9\xEF\xBF\xBDy"}, // a typed U+FFFD is text
        {"old\xE9", "new", "new"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        const std::string item = tree.file(c.before);
        desktop.nameAnswers = {c.typed};
        m().renameItem(item);
        waitForFileAction();
        EXPECT_EQ(TempTree::list(tree.root()), (Paths{c.after}));
        ::unlink(tree.path(c.after).c_str());
    }
}

TEST_F(FileCommands, NewFolderUsesTheNameAsTyped) {
    tree.file("one");
    m().setFolder(tree.root());
    desktop.nameAnswers = {QString("  spaced  ")};
    m().newFolder(Paths{tree.path("one")});
    waitForFileAction();
    EXPECT_EQ(TempTree::list(tree.path("  spaced  ")), (Paths{"one"}));
    EXPECT_EQ(m().fileActionStatus(), QString("Done"));
    EXPECT_EQ(m().lastCreatedItems(),
              (Paths{tree.path("  spaced  "), tree.path("  spaced  /one")}));
    ASSERT_EQ(m().undoHistory().size(), 1u);
    EXPECT_EQ(m().undoHistory()[0].title, "Creating Folder");
}

TEST_F(FileCommands, TrashingPrunesHitsAndSelectionAtOnce) {
    tree.file("keep.txt");
    tree.file("gone.txt");
    tree.file("folder/inner1.txt");
    tree.file("folder/sub/inner2.txt");
    tree.file("folder2.txt"); // beside the folder, not under it
    searchTree("txt|folder|sub");
    ASSERT_EQ(m().hits().size(), 7u);
    m().setPattern("txt|folder|sub|zz"); // changed criteria: no refresh, the patched list stays
    m().setSelection({tree.path("gone.txt"), tree.path("keep.txt")});
    m().trashItems(Paths{tree.path("gone.txt"), tree.path("folder")});
    waitForFileAction();
    EXPECT_EQ(hitUrls(), (Paths{tree.path("folder2.txt"), tree.path("keep.txt")}));
    EXPECT_EQ(m().selection(), (std::set<std::string>{tree.path("keep.txt")}));
    EXPECT_FALSE(m().running());
    EXPECT_EQ(m().fileActionStatus(), QString("Done"));
    EXPECT_EQ(m().undoHistory().back().title, "Moving to Trash");
}

TEST_F(FileCommands, RefreshOnlyWhileTheSearchIsCurrentAndValid) {
    tree.file("a.txt");
    searchTree("txt");
    m().duplicateItems(Paths{tree.path("a.txt")});
    QSignalSpy ended(&m(), &SearchModel::searchEnded);
    waitForFileAction();
    EXPECT_TRUE(m().running()) << "the search is repeated";
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_EQ(hitUrls(), (Paths{tree.path("a copy.txt"), tree.path("a.txt")}));

    m().setPattern("(");
    m().duplicateItems(Paths{tree.path("a.txt")});
    waitForFileAction();
    EXPECT_FALSE(m().running());
    EXPECT_EQ(m().hits().size(), 2u);
}

TEST_F(FileCommands, OneCommandAtATime) {
    tree.file("a.txt");
    m().setFolder(tree.root());
    m().duplicateItems(Paths{tree.path("a.txt")});
    m().duplicateItems(Paths{tree.path("a.txt")}); // a quick second press is ignored
    m().renameItem(tree.path("a.txt"));
    EXPECT_TRUE(desktop.dialogs.empty());
    waitForFileAction();
    EXPECT_EQ(TempTree::list(tree.root()), (Paths{"a copy.txt", "a.txt"}));

    // A dialog answered after another command started must not run a second operation.
    m().renameItem(tree.path("a.txt"));
    ASSERT_TRUE(desktop.pendingName);
    m().duplicateItems(Paths{tree.path("a.txt")});
    desktop.pendingName(QString("b.txt"));
    waitForFileAction();
    EXPECT_TRUE(TempTree::exists(tree.path("a.txt")));
    EXPECT_FALSE(TempTree::exists(tree.path("b.txt")));
}

TEST_F(FileCommands, UndoAndRedoWithStatusTexts) {
    tree.file("a.txt", "A");
    tree.dir("dest");
    m().setFolder(tree.root());

    QSignalSpy statusChanges(&m(), &SearchModel::fileActionStatusChanged);
    m().undoFileAction(false);
    EXPECT_EQ(statusChanges.count(), 0) << "an empty stack changes nothing";

    desktop.folderAnswers = {tree.path("dest") + "//./"};
    m().moveItems(Paths{tree.path("a.txt")}, false);
    waitForFileAction();
    EXPECT_EQ(m().undoHistory().back().title, "Moving");
    EXPECT_EQ(m().lastCreatedItems(), (Paths{tree.path("dest/a.txt")}));

    m().undoFileAction(false);
    EXPECT_EQ(m().fileActionStatus(), QString("Undoing\u2026"));
    waitForFileAction();
    EXPECT_EQ(m().fileActionStatus(), QString("Undone"));
    EXPECT_EQ(TempTree::read(tree.path("a.txt")), "A");
    EXPECT_EQ(m().lastCreatedItems(), (Paths{tree.path("a.txt")}));
    EXPECT_TRUE(m().undoHistory().empty());
    ASSERT_EQ(m().redoHistory().size(), 1u);

    m().undoFileAction(true);
    waitForFileAction();
    EXPECT_EQ(m().fileActionStatus(), QString("Redone"));
    EXPECT_TRUE(TempTree::exists(tree.path("dest/a.txt")));

    // Partly failed: the occupied place fails, the other item comes back.
    tree.file("b.txt", "B");
    desktop.folderAnswers = {tree.path("dest")};
    m().moveItems(Paths{tree.path("b.txt")}, false);
    waitForFileAction();
    EXPECT_TRUE(m().redoHistory().empty()) << "a new operation clears redo";
    // Merge the two records' steps into one undo by replaying the move record directly.
    m().setUndoHistory(
        {{"Moving", {m().undoHistory()[0].steps[0], m().undoHistory()[1].steps[0]}}});
    tree.file("a.txt", "newcomer");
    m().undoFileAction(false);
    waitForFileAction();
    EXPECT_EQ(m().fileActionStatus(), QString("Some items couldn\u2019t be restored"));
    EXPECT_EQ(m().fileActionError(), QString("a.txt: File exists"));
    EXPECT_EQ(TempTree::read(tree.path("b.txt")), "B");
    ASSERT_EQ(m().undoHistory().size(), 1u);
    EXPECT_EQ(m().undoHistory()[0].steps.size(), 1u);
    EXPECT_EQ(m().undoHistory()[0].steps[0].source, tree.path("dest/a.txt"));
    ASSERT_EQ(m().redoHistory().size(), 1u);

    desktop.folderAnswers = {tree.path("dest")};
    m().moveItems(Paths{tree.path("a.txt")}, false);
    waitForFileAction();
    EXPECT_EQ(m().fileActionStatus(), QString("Some items couldn\u2019t be changed"));
    EXPECT_EQ(m().fileActionError(), QString("a.txt: File exists"));
}

TEST_F(FileCommands, UndoKeyGoesToTheTextBeingEdited) {
    tree.file("a.txt");
    m().setFolder(tree.root());
    m().duplicateItems(Paths{tree.path("a.txt")});
    waitForFileAction();
    desktop.editingText = true;
    m().undoOrRedo(false);
    EXPECT_EQ(desktop.textUndos, (std::vector<bool>{false}));
    EXPECT_FALSE(m().fileActionRunning());
    desktop.editingText = false;
    m().undoOrRedo(false);
    waitForFileAction();
    EXPECT_FALSE(TempTree::exists(tree.path("a copy.txt")));
}

TEST_F(FileCommands, CompressNamesTheArchiveAfterTheItem) {
    tree.file("x", "data");
    tree.file("x.zip", "taken");
    m().setFolder(tree.root());
    m().compressItems(Paths{tree.path("x")});
    waitForFileAction();
    EXPECT_EQ(m().lastCreatedItems(), (Paths{tree.path("x 2.zip")}));
    EXPECT_EQ(TempTree::read(tree.path("x.zip")), "taken");
    m().compressItems(Paths{});
    EXPECT_FALSE(m().fileActionRunning());
}

TEST_F(FileCommands, ClosingDuringAnOperationLetsItFinish) {
    tree.file("big", std::string(20 * 1024 * 1024, 'b'));
    tree.dir("dest");
    m().setFolder(tree.root());
    desktop.folderAnswers = {tree.path("dest")};
    m().moveItems(Paths{tree.path("big")}, true);
    ASSERT_TRUE(m().fileActionRunning());
    model.reset();
    EXPECT_EQ(TempTree::list(tree.path("dest")), (Paths{"big"})) << "no half-done copy";
}

TEST_F(FileCommands, RenamingMatchesIsOneUndoableStep) {
    tree.file("a.1", "A");
    tree.file("1.a", "B");
    tree.file("keep", "K");
    const qb::RenameRules swap{"^(\\w)\\.(\\w)$", "$2.$1", true, true};
    const Paths items{tree.path("a.1"), tree.path("1.a"), tree.path("keep")};
    m().renameMatches(swap, items);
    waitForFileAction();
    EXPECT_EQ(m().fileActionStatus(), QString("Done"));
    EXPECT_EQ(TempTree::read(tree.path("1.a")), "A");
    EXPECT_EQ(TempTree::read(tree.path("a.1")), "B");
    ASSERT_EQ(m().undoHistory().size(), 1u);
    EXPECT_EQ(m().undoHistory()[0].title, "Renaming");
    EXPECT_EQ(m().undoHistory()[0].steps.size(), 2u);

    m().undoFileAction(false);
    waitForFileAction();
    EXPECT_EQ(m().fileActionStatus(), QString("Undone"));
    EXPECT_EQ(TempTree::read(tree.path("a.1")), "A");
    EXPECT_EQ(m().redoHistory().size(), 1u);

    // The folder changed since the preview: nothing is renamed, and the history stays.
    tree.file("1.b");
    m().renameMatches({"^a\\.1$", "1.b", true, true}, items);
    waitForFileAction();
    EXPECT_EQ(m().fileActionStatus(), QString("Some items couldn\u2019t be changed"));
    EXPECT_EQ(m().fileActionError(), QString("a.1: ") + qb::describe(qb::RenameState::exists));
    EXPECT_EQ(TempTree::read(tree.path("a.1")), "A");
    EXPECT_TRUE(m().undoHistory().empty());
    EXPECT_EQ(m().redoHistory().size(), 1u);
}
