// Moves between the test's folder and a small tmpfs it mounts itself.

#include "TempTree.h"
#include "fileops/FileActions.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qb;
using qbtest::TempTree;
using Paths = std::vector<std::string>;

namespace {

class CrossDevice : public ::testing::Test {
protected:
    void SetUp() override {
        mountPoint = t.dir("small");
        if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=1M") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here";
        mounted = true;
    }
    void TearDown() override {
        if (mounted)
            ::umount(mountPoint.c_str());
    }
    TempTree t;
    std::string mountPoint;
    bool mounted = false;
};

} // namespace

TEST_F(CrossDevice, MoveCopiesThenRemovesTheSource) {
    t.file("tree/a.txt", "alpha");
    t.file("tree/sub/b.txt", "beta");
    t.link("tree/link", "a.txt");
    auto r = FileActions::move({t.path("tree")}, mountPoint, false);
    ASSERT_TRUE(r.failures.empty()) << r.failures[0];
    EXPECT_FALSE(TempTree::exists(t.path("tree")));
    EXPECT_EQ(TempTree::read(mountPoint + "/tree/sub/b.txt"), "beta");
    EXPECT_EQ(TempTree::read(mountPoint + "/tree/link"), "alpha");

    auto back = FileActions::undo(r.undo);
    ASSERT_TRUE(back.failures.empty()) << back.failures[0];
    EXPECT_EQ(TempTree::read(t.path("tree/a.txt")), "alpha");
    EXPECT_TRUE(TempTree::list(mountPoint).empty());
}

TEST_F(CrossDevice, AFullVolumeFailsTheItemAndKeepsTheSource) {
    std::string big(3 * 1024 * 1024, 'z');
    t.file("big.bin", big);
    t.file("small.txt", "fits");
    auto r = FileActions::move({t.path("big.bin"), t.path("small.txt")}, mountPoint, false);
    EXPECT_EQ(r.failures, (Paths{"big.bin: No space left on device"}));
    EXPECT_EQ(TempTree::read(t.path("big.bin")), big);
    EXPECT_EQ(TempTree::list(mountPoint), (Paths{"small.txt"})) << "no partial copy remains";
}

TEST_F(CrossDevice, ItemsOnAnotherVolumeGoToThatVolumesTrash) {
    ::setenv("XDG_DATA_HOME", t.path("data").c_str(), 1);
    const std::string uid = std::to_string(::getuid());
    struct Case {
        const char* name;
        std::function<void()> prepare;
        std::string trashDir;
    };
    const Case cases[] = {
        {"own trash folder", [] {}, "/.Trash-" + uid},
        {"shared sticky folder",
         [&] {
             ::mkdir((mountPoint + "/.Trash").c_str(), 01777);
             ::chmod((mountPoint + "/.Trash").c_str(), 01777);
         },
         "/.Trash/" + uid},
        {"shared folder without the sticky bit is not used",
         [&] { ::mkdir((mountPoint + "/.Trash").c_str(), 0777); }, "/.Trash-" + uid},
        {"a link named .Trash is not used",
         [&] {
             ::mkdir((mountPoint + "/elsewhere").c_str(), 01777);
             ::symlink("elsewhere", (mountPoint + "/.Trash").c_str());
         },
         "/.Trash-" + uid},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& n : TempTree::list(mountPoint))
            qbtest::removeTree(mountPoint + "/" + n);
        c.prepare();
        std::string item = mountPoint + "/doc.txt";
        t.file("small/doc.txt", "volume");
        auto r = FileActions::trash({item});
        ASSERT_TRUE(r.failures.empty()) << r.failures[0];
        ASSERT_EQ(r.undo.size(), 1u);
        EXPECT_EQ(r.undo[0].source, mountPoint + c.trashDir + "/files/doc.txt");
        std::string info = TempTree::read(mountPoint + c.trashDir + "/info/doc.txt.trashinfo");
        EXPECT_EQ(info.rfind("[Trash Info]\nPath=doc.txt\n", 0), 0u)
            << "a volume trash records paths relative to the volume: " << info;
        auto back = FileActions::undo(r.undo);
        ASSERT_TRUE(back.failures.empty()) << back.failures[0];
        EXPECT_EQ(TempTree::read(item), "volume");
        EXPECT_TRUE(TempTree::list(mountPoint + c.trashDir + "/info").empty());
    }
    ::unsetenv("XDG_DATA_HOME");
}
