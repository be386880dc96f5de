#include "fileops/FileActions.h"

#include "TempTree.h"
#include "fileops/FileSystem.h"
#include "fileops/FileUndoRecord.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qb;
using qbtest::TempTree;
using Paths = std::vector<std::string>;

TEST(FileActions, UniqueAndExtensions) {
    TempTree t;
    t.file("Report.pdf");
    t.file("archive.tar.gz");
    t.dir("Photos");
    t.file("Report 2.pdf");
    struct Case {
        std::string candidate, expected;
    };
    const Case cases[] = {
        {"Report.pdf", "Report 3.pdf"},
        {"archive.tar.gz", "archive.tar 2.gz"},
        {"Photos", "Photos 2"},
        {"free.txt", "free.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileActions::unique(t.path(c.candidate)), t.path(c.expected)) << c.candidate;
    EXPECT_EQ(FileActions::splitExtension(".profile"),
              (std::pair<std::string, std::string>{".profile", ""}));
    EXPECT_EQ(FileActions::splitExtension("a.b.c"),
              (std::pair<std::string, std::string>{"a.b", "c"}));
}

TEST(FileActions, RootsDropDuplicatesAndItemsInsideSelectedFolders) {
    TempTree t;
    t.file("folder/inner.txt");
    t.file("other.txt");
    t.file("real/x.txt");
    t.link("link", "real");
    EXPECT_EQ(FileActions::roots({t.path("folder/inner.txt"), t.path("folder"), t.path("other.txt"),
                                  t.path("./other.txt"), t.path("folder/../other.txt")}),
              (Paths{t.path("folder"), t.path("other.txt")}));
    // A link to a folder is not a folder: nothing selected under either path is absorbed.
    EXPECT_EQ(FileActions::roots({t.path("link"), t.path("link/x.txt"), t.path("real/x.txt")}),
              (Paths{t.path("link"), t.path("link/x.txt"), t.path("real/x.txt")}));
}

TEST(FileActions, MoveRefusesDestinationsInsideTheItemAndGoesOn) {
    TempTree t;
    t.file("a/one.txt", "1");
    t.file("a/sub/deep.txt");
    t.file("b/two.txt", "2");
    t.link("b/intoA", t.path("a/sub"));
    t.dir("dest");

    auto r = FileActions::move({t.path("a/one.txt"), t.path("b/two.txt")}, t.path("a"), false);
    EXPECT_EQ(englishTexts(r.failures),
              (Paths{"one.txt: " + std::string(FileActions::kOutsideSelection)}));
    EXPECT_EQ(r.removed, (Paths{t.path("b/two.txt")}));
    EXPECT_EQ(TempTree::read(t.path("a/two.txt")), "2");

    r = FileActions::move({t.path("a")}, t.path("a/sub"), false);
    EXPECT_EQ(englishTexts(r.failures),
              (Paths{"a: " + std::string(FileActions::kOutsideSelection)}));
    r = FileActions::move({t.path("a")}, t.path("b/intoA"), true);
    EXPECT_EQ(englishTexts(r.failures),
              (Paths{"a: " + std::string(FileActions::kOutsideSelection)}))
        << "a destination reached through a link into the folder";
    EXPECT_TRUE(TempTree::exists(t.path("a/sub/deep.txt")));
}

namespace {

// Bind mounts made by a test, undone (before its tree is removed) however the test ends.
struct BindMounts {
    std::vector<std::string> points;
    bool add(const std::string& from, const std::string& to) {
        qbtest::privateMounts();
        if (::mount(from.c_str(), to.c_str(), nullptr, MS_BIND, nullptr) != 0)
            return false;
        points.push_back(to);
        return true;
    }
    ~BindMounts() {
        for (auto it = points.rbegin(); it != points.rend(); ++it)
            ::umount2(it->c_str(), MNT_DETACH);
    }
};

} // namespace

TEST(FileActions, BindMountsCannotHideADestinationInsideTheItem) {
    TempTree t;
    t.file("a/one.txt", "1");
    t.dir("a/sub");
    t.dir("view");
    t.dir("inner");
    t.dir("dest");
    BindMounts mounts;
    if (!mounts.add(t.path("a"), t.path("view")))
        GTEST_SKIP() << "cannot bind-mount here";
    ASSERT_TRUE(mounts.add(t.path("a/sub"), t.path("inner")));
    const Paths inside = {"a: " + std::string(FileActions::kOutsideSelection)};
    struct Case {
        const char* name;
        std::string destination;
        bool copy;
    };
    const Case cases[] = {
        {"the item itself, mounted elsewhere", t.path("view/sub"), true},
        {"a folder of the item, mounted elsewhere", t.path("inner"), true},
        {"the same, moving across the mount", t.path("inner"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto r = FileActions::move({t.path("a")}, c.destination, c.copy);
        EXPECT_EQ(englishTexts(r.failures), inside);
        EXPECT_TRUE(TempTree::list(t.path("a/sub")).empty()) << "no partial copy is left";
        EXPECT_EQ(TempTree::read(t.path("a/one.txt")), "1");
    }

    // A folder mounted inside itself has no end: the copy stops instead of recursing.
    ASSERT_TRUE(mounts.add(t.path("a"), t.path("a/sub")));
    auto r = FileActions::move({t.path("a")}, t.path("dest"), true);
    EXPECT_EQ(englishTexts(r.failures), (Paths{"a: " + fs::describe(ELOOP)}));
    EXPECT_TRUE(TempTree::list(t.path("dest")).empty());
}

TEST(FileActions, NothingIsEverReplaced) {
    TempTree t;
    t.file("src/report.txt", "new");
    t.file("dst/report.txt", "old contents");
    t.dir("src/folder");
    t.file("dst/folder", "a file in the way");
    for (bool copy : {false, true}) {
        auto r = FileActions::move({t.path("src/report.txt"), t.path("src/folder")}, t.path("dst"),
                                   copy);
        EXPECT_EQ(englishTexts(r.failures),
                  (Paths{"folder: File exists", "report.txt: File exists"}));
        EXPECT_TRUE(r.undo.empty());
        EXPECT_EQ(TempTree::read(t.path("dst/report.txt")), "old contents");
        EXPECT_EQ(TempTree::read(t.path("dst/folder")), "a file in the way");
        EXPECT_EQ(TempTree::list(t.path("dst")), (Paths{"folder", "report.txt"}))
            << "no partial copy is left behind";
    }
    auto r = FileActions::rename(t.path("src/report.txt"), t.path("dst/report.txt"));
    EXPECT_EQ(englishTexts(r.failures), (Paths{"File exists"}));
    EXPECT_EQ(TempTree::read(t.path("src/report.txt")), "new");
}

TEST(FileActions, CopyKeepsLinksModesOwnersTimesAndSpecialFiles) {
    TempTree t;
    const struct passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    const mode_t mask = ::umask(022);
    struct Item {
        const char* name;
        mode_t mode;
        bool otherOwner;
    };
    const Item items[] = {
        {"run.sh", 0751, false},
        {"setuid", 06755, true}, // a change of owner after the mode would clear these bits
        {"fifo", 0666, false},   // wider than the umask lets mknod make it
        {"shared", 03775, true}, // a folder with setgid and sticky bits
    };
    t.file("tree/run.sh", "#!/bin/sh\n");
    t.file("tree/setuid", "binary");
    ASSERT_EQ(::mkfifo(t.path("tree/fifo").c_str(), 0600), 0);
    t.dir("tree/shared");
    for (const auto& i : items) {
        std::string path = t.path("tree/" + std::string(i.name));
        if (i.otherOwner)
            ::chown(path.c_str(), nobody->pw_uid, nobody->pw_gid);
        ::chmod(path.c_str(), i.mode);
    }
    struct timespec times[2] = {{1000000000, 0}, {1234567890, 123456789}};
    ::utimensat(AT_FDCWD, t.path("tree/run.sh").c_str(), times, 0);
    t.link("tree/link", "run.sh");
    t.link("tree/dangling", "/nowhere/at/all");
    t.dir("out");

    auto r = FileActions::move({t.path("tree")}, t.path("out"), true);
    ::umask(mask);
    ASSERT_TRUE(r.failures.empty()) << englishText(r.failures[0]);
    EXPECT_EQ(r.created, (Paths{t.path("out/tree")}));
    EXPECT_TRUE(r.removed.empty());
    ASSERT_EQ(r.undo.size(), 1u);
    EXPECT_EQ(std::get<FileUndoStep::Trash>(r.undo[0].action).emptyOnly, false);

    struct stat st {};
    for (const auto& i : items) {
        SCOPED_TRACE(i.name);
        ASSERT_EQ(::lstat(t.path("out/tree/" + std::string(i.name)).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, i.mode);
        EXPECT_EQ(st.st_uid, i.otherOwner ? nobody->pw_uid : ::getuid());
    }
    ASSERT_EQ(::lstat(t.path("out/tree/fifo").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::stat(t.path("out/tree/run.sh").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1234567890);
    EXPECT_EQ(st.st_mtim.tv_nsec, 123456789);
    char buf[64] = {};
    ASSERT_GT(::readlink(t.path("out/tree/dangling").c_str(), buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "/nowhere/at/all");
    ASSERT_EQ(::lstat(t.path("out/tree/link").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(FileActions, DuplicateNamesCopies) {
    TempTree t;
    t.file("a.txt", "A");
    t.file(".profile");
    t.file("Assets/x");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(FileActions::duplicate({t.path("a.txt")}).failures.empty());
    auto r = FileActions::duplicate({t.path(".profile"), t.path("Assets")});
    EXPECT_EQ(r.created, (Paths{t.path(".profile copy"), t.path("Assets copy")}));
    EXPECT_EQ(TempTree::list(t.root()),
              (Paths{".profile", ".profile copy", "Assets", "Assets copy", "a copy 2.txt",
                     "a copy 3.txt", "a copy.txt", "a.txt"}));
    EXPECT_EQ(TempTree::read(t.path("a copy 3.txt")), "A");
    EXPECT_EQ(r.undo.front().source, t.path("Assets copy")) << "most recent first";
}

TEST(FileActions, NewFolderFailsWholeOrMovesWhatItCan) {
    TempTree t;
    t.file("taken/x");
    t.file("one.txt");
    t.file("two.txt");
    auto r = FileActions::newFolder(t.path("taken"), {t.path("one.txt")});
    EXPECT_EQ(englishTexts(r.failures), (Paths{"File exists"}));
    EXPECT_TRUE(r.created.empty() && r.removed.empty() && r.undo.empty());
    EXPECT_TRUE(TempTree::exists(t.path("one.txt")));

    r = FileActions::newFolder(t.path("New Folder"),
                               {t.path("one.txt"), t.path("two.txt"), t.path("missing")});
    EXPECT_EQ(r.created, (Paths{t.path("New Folder"), t.path("New Folder/one.txt"),
                                t.path("New Folder/two.txt")}));
    EXPECT_EQ(englishTexts(r.failures), (Paths{"missing: No such file or directory"}));
    ASSERT_EQ(r.undo.size(), 3u);
    EXPECT_EQ(r.undo.back().source, t.path("New Folder"));
    EXPECT_TRUE(std::get<FileUndoStep::Trash>(r.undo.back().action).emptyOnly);

    EXPECT_EQ(FileActions::newFolder(t.path("Empty"), {}).created, (Paths{t.path("Empty")}));
    EXPECT_EQ(FileActions::move({}, t.root(), false), FileActionResult{});
}
