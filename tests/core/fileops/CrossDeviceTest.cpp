// Moves between the test's folder and a small tmpfs it mounts itself.

#include "TempTree.h"
#include "fileops/FileActions.h"

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <pwd.h>
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
        qbtest::privateMounts();
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
    std::string tool = t.file("tree/tool");
    ::chown(tool.c_str(), 1, 1);
    ::chmod(tool.c_str(), 04755);
    ::mkfifo(t.path("tree/fifo").c_str(), 0600);
    ::chmod(t.path("tree/fifo").c_str(), 0666);
    auto r = FileActions::move({t.path("tree")}, mountPoint, false);
    ASSERT_TRUE(r.failures.empty()) << englishText(r.failures[0]);
    EXPECT_FALSE(TempTree::exists(t.path("tree")));
    EXPECT_EQ(TempTree::read(mountPoint + "/tree/sub/b.txt"), "beta");
    EXPECT_EQ(TempTree::read(mountPoint + "/tree/link"), "alpha");
    struct stat st {};
    ASSERT_EQ(::lstat((mountPoint + "/tree/tool").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 04755u) << "setuid survives the change of owner";
    EXPECT_EQ(st.st_uid, 1u);
    ASSERT_EQ(::lstat((mountPoint + "/tree/fifo").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0666u) << "not narrowed by the umask";

    auto back = FileActions::undo(r.undo);
    ASSERT_TRUE(back.failures.empty()) << englishText(back.failures[0]);
    EXPECT_EQ(TempTree::read(t.path("tree/a.txt")), "alpha");
    EXPECT_TRUE(TempTree::list(mountPoint).empty());
}

TEST_F(CrossDevice, AFullVolumeFailsTheItemAndKeepsTheSource) {
    std::string big(3 * 1024 * 1024, 'z');
    t.file("big.bin", big);
    t.file("small.txt", "fits");
    auto r = FileActions::move({t.path("big.bin"), t.path("small.txt")}, mountPoint, false);
    EXPECT_EQ(englishTexts(r.failures), (Paths{"big.bin: No space left on device"}));
    EXPECT_EQ(TempTree::read(t.path("big.bin")), big);
    EXPECT_EQ(TempTree::list(mountPoint), (Paths{"small.txt"})) << "no partial copy remains";
}

TEST_F(CrossDevice, AFailedCopyByAUserLeavesNoPartialCopy) {
    const struct passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    // Read-only folders on both sides of a file the user cannot read: in whichever order the
    // folder is listed, a read-only folder is copied whole before the copy fails.
    const std::string src = mountPoint + "/src";
    for (const char* folder : {"ro1", "bad", "ro2"}) {
        if (std::string(folder) == "bad") {
            ::close(::open((src + "/bad").c_str(), O_CREAT | O_WRONLY, 0600));
            continue;
        }
        t.file("small/src/" + std::string(folder) + "/f", "x");
        ::chown((src + "/" + folder + "/f").c_str(), nobody->pw_uid, nobody->pw_gid);
        ::chown((src + "/" + folder).c_str(), nobody->pw_uid, nobody->pw_gid);
        ::chmod((src + "/" + folder).c_str(), 0555);
    }
    ::chown(src.c_str(), nobody->pw_uid, nobody->pw_gid);
    ::chown(mountPoint.c_str(), nobody->pw_uid, nobody->pw_gid);
    std::string dest = t.dir("dest");
    ::chown(dest.c_str(), nobody->pw_uid, nobody->pw_gid);

    int failed = qbtest::runAsNobody([&] {
        const Paths expected = {"src: Permission denied"};
        int bits = 0;
        bits |= englishTexts(FileActions::move({src}, dest, false).failures) == expected ? 0 : 1;
        bits |= englishTexts(FileActions::move({src}, dest, true).failures) == expected ? 0 : 2;
        bits |= englishTexts(FileActions::duplicate({src}).failures) == expected ? 0 : 4;
        return bits;
    });
    EXPECT_EQ(failed, 0) << "each fails with the reason alone, its cleanup complete";
    EXPECT_TRUE(TempTree::list(dest).empty()) << "across volumes";
    EXPECT_EQ(TempTree::list(mountPoint), (Paths{"src"})) << "beside the duplicated item";
    EXPECT_EQ(TempTree::list(src), (Paths{"bad", "ro1", "ro2"}));
}

TEST_F(CrossDevice, ItemsOnAnotherVolumeGoToThatVolumesTrash) {
    ::setenv("XDG_DATA_HOME", t.path("data").c_str(), 1);
    const std::string uid = std::to_string(::getuid());
    struct Case {
        const char* name;
        std::function<void()> prepare;
        std::string trashDir;
        std::string item = "small/doc.txt"; // in the test's tree
        std::string recorded = "doc.txt";   // relative to the volume
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
        // The volume is found where the item really is, as trash clients look for it.
        {"through a link onto the volume",
         [&] { ::symlink(mountPoint.c_str(), t.path("Disk").c_str()); }, "/.Trash-" + uid,
         "Disk/doc.txt"},
        {"through a link into a folder of the volume",
         [&] {
             ::mkdir((mountPoint + "/sub").c_str(), 0755);
             ::symlink((mountPoint + "/sub").c_str(), t.path("Sub").c_str());
         },
         "/.Trash-" + uid, "Sub/deeper/doc.txt", "sub/deeper/doc.txt"},
    };
    const bool client = std::system("command -v trash-list >/dev/null 2>&1") == 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& n : TempTree::list(mountPoint))
            qbtest::removeTree(mountPoint + "/" + n);
        c.prepare();
        std::string item = t.file(c.item, "volume");
        auto r = FileActions::trash({item});
        ASSERT_TRUE(r.failures.empty()) << englishText(r.failures[0]);
        ASSERT_EQ(r.undo.size(), 1u);
        EXPECT_EQ(r.undo[0].source, mountPoint + c.trashDir + "/files/doc.txt");
        std::string info = TempTree::read(mountPoint + c.trashDir + "/info/doc.txt.trashinfo");
        EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + c.recorded + "\n", 0), 0u)
            << "a volume trash records paths relative to the volume: " << info;
        if (client) {
            std::string listed;
            FILE* p = ::popen("trash-list 2>/dev/null", "r");
            for (char buf[4096]; size_t n = std::fread(buf, 1, sizeof buf, p);)
                listed.append(buf, n);
            ::pclose(p);
            EXPECT_NE(listed.find(mountPoint + "/" + c.recorded), std::string::npos) << listed;
        }
        auto back = FileActions::undo(r.undo);
        ASSERT_TRUE(back.failures.empty()) << englishText(back.failures[0]);
        EXPECT_EQ(TempTree::read(item), "volume");
        EXPECT_TRUE(TempTree::list(mountPoint + c.trashDir + "/info").empty());
        ::unlink(t.path("Disk").c_str());
        ::unlink(t.path("Sub").c_str());
    }
    ::unsetenv("XDG_DATA_HOME");
}
