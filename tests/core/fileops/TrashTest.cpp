// The trash is checked against an independent client (trash-cli), not only against itself.

#include "fileops/Trash.h"

#include "TempTree.h"
#include "fileops/FileActions.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

using namespace qb;
using qbtest::TempTree;
using Paths = std::vector<std::string>;

namespace {

class TrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_DATA_HOME", t.path("data").c_str(), 1);
        if (std::system("command -v trash-list >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "trash-cli is not installed";
    }
    void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }

    // trash-list prints "DATE TIME PATH" per item; keep the paths.
    std::string trashList() {
        std::string out;
        FILE* p = ::popen("trash-list 2>/dev/null", "r");
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        ::pclose(p);
        return out;
    }
    std::vector<std::string> infoFiles() { return TempTree::list(t.path("data/Trash/info")); }
    // Each entry of files/ with the Path= its info file records; an entry without an info
    // file, or an info file without an entry, fails the test.
    std::map<std::string, std::string> entries() {
        std::map<std::string, std::string> out;
        Paths infos;
        for (const auto& name : TempTree::list(t.path("data/Trash/files"))) {
            std::string info = TempTree::read(t.path("data/Trash/info/" + name + ".trashinfo"));
            size_t at = info.find("\nPath=");
            EXPECT_NE(at, std::string::npos) << name << " has no info file";
            if (at != std::string::npos)
                out[name] = info.substr(at + 6, info.find('\n', at + 1) - at - 6);
            infos.push_back(name + ".trashinfo");
        }
        EXPECT_EQ(infoFiles(), infos) << "no info file without its entry";
        return out;
    }
    TempTree t;
};

} // namespace

TEST_F(TrashTest, ItemsTrashedUndoneAndRedoneStayReadableByOtherClients) {
    const Paths names = {"with space.txt", "100%.txt", "line\nbreak", "caf\xE9.txt", "plain"};
    Paths items;
    for (const auto& n : names)
        items.push_back(t.file("stuff/" + n, n));

    auto r = FileActions::trash(items);
    ASSERT_TRUE(r.failures.empty()) << englishText(r.failures[0]);
    EXPECT_EQ(r.removed.size(), names.size());
    ASSERT_EQ(r.undo.size(), names.size());
    for (const auto& step : r.undo)
        EXPECT_EQ(step.source.rfind(t.path("data/Trash/files/"), 0), 0u) << step.source;
    EXPECT_EQ(infoFiles().size(), names.size());
    std::string listed = trashList();
    EXPECT_NE(listed.find(t.path("stuff/with space.txt")), std::string::npos) << listed;
    EXPECT_NE(listed.find(t.path("stuff/100%.txt")), std::string::npos) << listed;

    auto back = FileActions::undo(r.undo);
    ASSERT_TRUE(back.failures.empty()) << englishText(back.failures[0]);
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(TempTree::read(items[i]), names[i]);
    EXPECT_TRUE(infoFiles().empty()) << "no orphan info file";
    EXPECT_EQ(trashList().find(t.path("stuff")), std::string::npos);

    auto again = FileActions::undo(back.undo);
    ASSERT_TRUE(again.failures.empty());
    EXPECT_EQ(infoFiles().size(), names.size());
    EXPECT_NE(trashList().find(t.path("stuff/plain")), std::string::npos);
    for (const auto& n : names)
        EXPECT_FALSE(TempTree::exists(t.path("stuff/" + n)));
}

TEST_F(TrashTest, TrashRestorePutsBackWhatWeTrashed) {
    std::string item = t.file("docs/report 1.txt", "content");
    ASSERT_TRUE(FileActions::trash({item}).failures.empty());
    std::string cmd = "cd '" + t.path("docs") + "' && echo 0 | trash-restore >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(TempTree::read(item), "content");
}

TEST_F(TrashTest, SameNameTwiceAndInfoText) {
    std::string a = t.file("x/same", "1");
    std::string b = t.file("y/same", "2");
    auto r = FileActions::trash({a, b});
    ASSERT_EQ(r.undo.size(), 2u);
    EXPECT_NE(r.undo[0].source, r.undo[1].source);
    std::string info = TempTree::read(t.path("data/Trash/info/same.trashinfo"));
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + trash::encodeInfoPath(a) + "\nDeletionDate=", 0),
              0u)
        << info;
    EXPECT_EQ(trash::encodeInfoPath("/a b/%/\xE9\n"), "/a%20b/%25/%E9%0A");
}

TEST_F(TrashTest, AnItemNoTrashCanTakeStaysWhereItIs) {
    // The home trash's place is taken by a file, so the trash cannot be made.
    t.file("data/Trash", "not a folder");
    std::string item = t.file("keep.txt", "safe");
    auto r = FileActions::trash({item});
    ASSERT_EQ(r.failures.size(), 1u);
    EXPECT_EQ(englishText(r.failures[0]).rfind("keep.txt: ", 0), 0u);
    EXPECT_TRUE(r.removed.empty());
    EXPECT_EQ(TempTree::read(item), "safe");
}

TEST_F(TrashTest, UndoOfAnItemEmptiedFromTheTrash) {
    std::string item = t.file("gone.txt");
    auto r = FileActions::trash({item});
    // Emptied as a file manager would (trash-empty would reach every trash of the machine).
    qbtest::removeTree(t.path("data/Trash/files"));
    qbtest::removeTree(t.path("data/Trash/info"));
    auto back = FileActions::undo(r.undo);
    EXPECT_EQ(englishTexts(back.failures),
              (Paths{std::string("gone.txt") + ": " + FileActions::kReplaced}));
}

TEST_F(TrashTest, LongNamesAreShortenedInTheTrashAndRestoredWhole) {
    std::string name;
    while (name.size() < 250)
        name += "\xC3\xA9"; // two-byte characters, so a blind cut would split one
    std::string item = t.file(name, "long");
    auto r = FileActions::trash({item});
    ASSERT_TRUE(r.failures.empty()) << englishText(r.failures[0]);
    ASSERT_EQ(infoFiles().size(), 1u);
    EXPECT_LE(infoFiles()[0].size(), 255u);
    auto back = FileActions::undo(r.undo);
    ASSERT_TRUE(back.failures.empty()) << englishText(back.failures[0]);
    EXPECT_EQ(TempTree::read(item), "long");
    EXPECT_TRUE(infoFiles().empty());
}

TEST_F(TrashTest, OperationsInsideATrashKeepItsFilesAndInfoInStep) {
    using Entries = std::map<std::string, std::string>;
    const std::string files = t.path("data/Trash/files/");
    const std::string report = t.file("stuff/report.txt", "r");
    const std::string notes = t.file("stuff/notes.txt", "n");
    const std::string extra = t.file("other/extra.txt", "e");
    ASSERT_TRUE(FileActions::trash({report, notes}).failures.empty());
    auto path = [](const std::string& p) { return trash::encodeInfoPath(p); };

    // Renamed in the trash, it still comes from where it was trashed.
    auto renamed = FileActions::rename(files + "report.txt", files + "final.txt");
    ASSERT_TRUE(renamed.failures.empty()) << englishText(renamed.failures[0]);
    EXPECT_EQ(entries(), (Entries{{"final.txt", path(report)}, {"notes.txt", path(notes)}}));

    // Copies and duplicates made in the trash get info files of their own.
    auto copied = FileActions::move({extra}, files, true);
    ASSERT_TRUE(copied.failures.empty()) << englishText(copied.failures[0]);
    ASSERT_TRUE(FileActions::duplicate({files + "notes.txt"}).failures.empty());
    ASSERT_TRUE(FileActions::newFolder(files + "Folder", {}).failures.empty());
    const Entries made = {{"final.txt", path(report)},
                          {"notes.txt", path(notes)},
                          {"notes copy.txt", path(t.path("stuff/notes copy.txt"))},
                          {"extra.txt", path(extra)},
                          {"Folder", path(fs::homeDirectory() + "/Folder")}};
    EXPECT_EQ(entries(), made);
    std::string listed = trashList();
    EXPECT_NE(listed.find(t.path("stuff/notes copy.txt")), std::string::npos) << listed;
    EXPECT_NE(listed.find(extra), std::string::npos) << listed;

    // Undoing the copy trashes the copy that is already there: it keeps its record.
    auto undone = FileActions::undo(copied.undo);
    ASSERT_TRUE(undone.failures.empty()) << englishText(undone.failures[0]);
    auto now = entries();
    EXPECT_EQ(now.count("extra.txt"), 0u);
    EXPECT_EQ(now["extra.txt.2"], path(extra));
    EXPECT_EQ(now.size(), made.size());
    auto back = FileActions::undo(renamed.undo);
    ASSERT_TRUE(back.failures.empty()) << englishText(back.failures[0]);
    EXPECT_EQ(entries().at("report.txt"), path(report));
    EXPECT_NE(trashList().find(report), std::string::npos);
}

// Info files other clients wrote, or that were damaged: an unusable one counts as none (its
// item is then carried as where it is now), and a usable one gives the path byte for byte.
TEST(TrashInfo, ReadingTakesWhatOtherClientsWriteAndRefusesTheRest) {
    TempTree t;
    const trash::Slot home{t.dir("Trash"), {}, "item"};
    const trash::Slot volume{t.dir("volume/.Trash-0"), "/mnt/disk", "item"};
    t.dir("Trash/info");
    t.dir("volume/.Trash-0/info");
    struct Case {
        const char* name;
        std::string text;
        std::optional<std::string> home;   // what the home trash reads, if anything
        std::optional<std::string> volume; // what a volume trash reads
    };
    const std::string date = "\nDeletionDate=2024-05-01T10:00:00\n";
    const Case cases[] = {
        {"ours", "[Trash Info]\nPath=/a%20b/caf%E9%2B+" + date, "/a b/caf\xE9++", "/a b/caf\xE9++"},
        {"CRLF and a comment", "# by hand\r\n[Trash Info]\r\nPath=/x%25\r\n", "/x%", "/x%"},
        {"relative", "[Trash Info]\nPath=docs/x" + date, std::nullopt, "/mnt/disk/docs/x"},
        {"escaped NUL", "[Trash Info]\nPath=/a%00/b" + date, std::nullopt, std::nullopt},
        {"malformed escape", "[Trash Info]\nPath=/a%2" + date, std::nullopt, std::nullopt},
        {"no Path", "[Trash Info]" + date, std::nullopt, std::nullopt},
        {"another group", "[Other]\nPath=/x" + date, std::nullopt, std::nullopt},
        {"not a key file", "Path=/x" + date, std::nullopt, std::nullopt},
        {"huge", "[Trash Info]\nPath=/x\n# " + std::string(70000, 'z') + "\n", std::nullopt,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const trash::Slot* slot : {&home, &volume}) {
            ::unlink(slot->infoPath().c_str());
            t.file(slot->infoPath().substr(t.root().size() + 1), c.text);
            std::optional<trash::Info> info = trash::readInfo(*slot);
            EXPECT_EQ(info ? std::optional<std::string>(info->originalPath) : std::nullopt,
                      slot == &home ? c.home : c.volume);
        }
    }
    // Written back, a record reads as it was; a link in info/ is never followed.
    ::unlink(home.infoPath().c_str());
    ASSERT_FALSE(trash::writeInfo(home, {"/a b/\xE9\n", "2024-05-01T10:00:00"}));
    EXPECT_EQ(TempTree::read(home.infoPath()),
              "[Trash Info]\nPath=/a%20b/%E9%0A\nDeletionDate=2024-05-01T10:00:00\n");
    std::optional<trash::Info> back = trash::readInfo(home);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->originalPath, "/a b/\xE9\n");
    EXPECT_EQ(back->deletionDate, "2024-05-01T10:00:00");
    EXPECT_TRUE(trash::writeInfo(home, {"/other", {}})) << "an info file is never replaced";
    EXPECT_EQ(trash::readInfo(home)->originalPath, "/a b/\xE9\n");
    ::unlink(volume.infoPath().c_str());
    t.link("volume/.Trash-0/info/item.trashinfo", home.infoPath());
    EXPECT_FALSE(trash::readInfo(volume));
}
