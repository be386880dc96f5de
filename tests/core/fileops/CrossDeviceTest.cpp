// Moves between the test's folder and a small tmpfs it mounts itself.

#include "TempTree.h"
#include "fileops/FileActions.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

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
