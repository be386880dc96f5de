#include "ModelFixture.h"
#include "model/JsonPreferencesFile.h"

#include <sys/mount.h>

using namespace qb;
using qbtest::ModelTest;
using qbtest::TempTree;
using Paths = std::vector<std::string>;

TEST_F(ModelTest, RecentFoldersAndLastFolder) {
    for (int i = 1; i <= 7; ++i)
        m().remember("/f" + std::to_string(i));
    EXPECT_EQ(m().recentFolders(), (Paths{"/f7", "/f6", "/f5", "/f4", "/f3", "/f2"}));
    m().remember("/f4/");
    EXPECT_EQ(m().recentFolders(), (Paths{"/f4", "/f7", "/f6", "/f5", "/f3", "/f2"}));
    EXPECT_EQ(prefs.paths("recentFolders"), m().recentFolders());
    EXPECT_EQ(prefs.path("lastFolder"), "/f4");

    m().setRememberFolder(false);
    m().remember("/other");
    EXPECT_EQ(prefs.path("lastFolder"), "/f4");
    EXPECT_EQ(m().recentFolders().front(), "/other");
    make(); // the next start
    EXPECT_EQ(m().folder(), std::string(std::getenv("HOME")));
    EXPECT_FALSE(m().rememberFolder());

    prefs.values["rememberFolder"] = true;
    make();
    EXPECT_EQ(m().folder(), "/f4");
}

TEST_F(ModelTest, StoredFoldersAreStandardisedOrUnavailable) {
    const std::string home = std::getenv("HOME");
    struct Case {
        const char* name;
        std::string lastFolder, folder;
    };
    const Case cases[] = {
        {"loosely spelled", "/srv//data/./x/../", "/srv/data"},
        {"relative", "srv/data", home},
        {"empty", "", home},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prefs.values = {{"lastFolder", c.lastFolder},
                        {"recentFolders", Paths{"/a/", "", "relative", "/a", "/b/./c"}}};
        make();
        EXPECT_EQ(m().folder(), c.folder);
        EXPECT_EQ(m().recentFolders(), (Paths{"/a", "/b/c"}));
        // A saved search takes the folder as it is now: a readable absolute URL.
        m().setPattern("x");
        m().setSaveName("s");
        m().save();
        auto stored = decodeSavedSearches(*prefs.data("savedSearches"));
        ASSERT_TRUE(stored) << prefs.data("savedSearches")->toStdString();
        EXPECT_EQ(stored->front().folder, c.folder);
    }
}

TEST_F(ModelTest, StoredValuesOfTheWrongTypeCountAsMissing) {
    struct Case {
        const char* name;
        qbtest::MemoryPreferences::Value layout, appearance, remember;
        WindowLayout expectedLayout;
        AppearanceMode expectedAppearance;
        bool expectedRemember;
    };
    const Case cases[] = {
        {"exact", QString("compact"), QString("dark"), false, WindowLayout::compact,
         AppearanceMode::dark, false},
        {"letter case", QString("Workspace"), QString("Light"), true, WindowLayout::focused,
         AppearanceMode::system, true},
        {"unknown", QString("huge"), QString(""), QString("false"), WindowLayout::focused,
         AppearanceMode::system, true},
        {"wrong types", true, true, QString("no"), WindowLayout::focused, AppearanceMode::system,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prefs.values = {{"windowLayout", c.layout},
                        {"appearance", c.appearance},
                        {"rememberFolder", c.remember},
                        {"liveSearch", QString("true")}};
        prefs.writes.clear();
        make();
        EXPECT_EQ(m().layout(), c.expectedLayout);
        EXPECT_EQ(m().appearance(), c.expectedAppearance);
        EXPECT_EQ(m().rememberFolder(), c.expectedRemember);
        EXPECT_FALSE(m().liveSearch());
        EXPECT_TRUE(m().searchOnRecall());
        EXPECT_TRUE(prefs.writes.empty()) << "starting writes nothing";
    }
}

TEST_F(ModelTest, SavingSearches) {
    m().setFolder(tree.root());
    m().setPattern("\\.pdf$");
    m().startSaving();
    EXPECT_TRUE(m().showSave());
    EXPECT_EQ(m().saveName(), "\\.pdf$");
    m().setSaveName(" \n\t ");
    m().save();
    EXPECT_TRUE(m().showSave());
    EXPECT_TRUE(m().savedSearches().empty());
    m().setSaveName("  PDFs \n");
    m().save();
    m().save();
    EXPECT_FALSE(m().showSave());
    ASSERT_EQ(m().savedSearches().size(), 2u);
    EXPECT_EQ(m().savedSearches()[0].title, "PDFs");
    EXPECT_NE(m().savedSearches()[0].id, m().savedSearches()[1].id);
    auto stored = decodeSavedSearches(*prefs.data("savedSearches"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, m().savedSearches());

    m().setPattern("(");
    m().setShowSave(true);
    m().save();
    EXPECT_EQ(m().savedSearches().size(), 2u);

    QUuid first = m().savedSearches()[0].id;
    m().removeSaved(first);
    m().removeSaved(QUuid::createUuid());
    ASSERT_EQ(m().savedSearches().size(), 1u);
    EXPECT_EQ(decodeSavedSearches(*prefs.data("savedSearches"))->size(), 1u);
}

TEST_F(ModelTest, RecallSetsTheCriteriaAndMaySearch) {
    tree.file("x.pdf");
    SavedSearch saved{QUuid::createUuid(), "t", tree.root(), "pdf", false, true, true, true};
    m().setSearchOnRecall(false);
    m().recall(saved);
    EXPECT_EQ(m().folder(), tree.root());
    EXPECT_EQ(m().pattern(), "pdf");
    EXPECT_FALSE(m().recursive());
    EXPECT_TRUE(m().caseSensitive() && m().includeHidden() && m().fullPath());
    EXPECT_FALSE(m().running());

    m().setSearchOnRecall(true);
    saved.folder = tree.path("deleted");
    QSignalSpy ended(&m(), &SearchModel::searchEnded);
    m().recall(saved);
    EXPECT_TRUE(m().running()) << "the search starts during the recall";
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_TRUE(m().error().has_value());
}

TEST(SavedSearchJson, ReadsWhatTheFormatAllows) {
    const QByteArray good =
        R"([{"id":"6ba7b810-9dad-11d1-80b4-00c04fd430c8","title":"T","folder":"file:\/\/\/tmp\/caf%E9\/",)"
        R"("pattern":"x","recursive":true,"caseSensitive":false,"includeHidden":false,"fullPath":true,"extra":1}])";
    auto list = decodeSavedSearches(good);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 1u);
    EXPECT_EQ((*list)[0].folder, "/tmp/caf\xE9");
    EXPECT_EQ((*list)[0].id, QUuid("6BA7B810-9DAD-11D1-80B4-00C04FD430C8"));

    QByteArray text = encodeSavedSearches(*list);
    EXPECT_TRUE(text.contains("\"id\":\"6BA7B810-9DAD-11D1-80B4-00C04FD430C8\""));
    EXPECT_TRUE(text.contains("\"folder\":\"file:///tmp/caf%E9/\""));
    EXPECT_FALSE(text.contains('\n'));
    EXPECT_EQ(decodeSavedSearches(text), list);

    QByteArray missing = good;
    missing.replace(",\"fullPath\":true", "");
    EXPECT_FALSE(decodeSavedSearches("[" + good.mid(1, good.size() - 2) + "," + missing.mid(1)));
    QByteArray wrongType = good;
    wrongType.replace("\"recursive\":true", "\"recursive\":\"true\"");
    EXPECT_FALSE(decodeSavedSearches(wrongType));
    QByteArray badUrl = good;
    badUrl.replace("file:\\/\\/\\/tmp", "tmp");
    EXPECT_FALSE(decodeSavedSearches(badUrl));
    EXPECT_FALSE(decodeSavedSearches("{}"));
}

TEST(PreferencesFile, KeepsTypesAndSurvivesBadFiles) {
    TempTree t;
    std::string path = t.path("config/quillbrook/preferences.json");
    {
        JsonPreferencesFile file(path);
        file.setBoolean("liveSearch", true);
        file.setText("windowLayout", "compact");
        file.setPaths("recentFolders", {"/plain", "/caf\xE9"});
        file.setPath("lastFolder", "/caf\xE9");
        file.setData("savedSearches", "[]", false);
    }
    JsonPreferencesFile reread(path);
    EXPECT_EQ(reread.boolean("liveSearch"), true);
    EXPECT_EQ(reread.text("liveSearch"), std::nullopt);
    EXPECT_EQ(reread.boolean("windowLayout"), std::nullopt);
    EXPECT_EQ(reread.paths("recentFolders"), (Paths{"/plain", "/caf\xE9"}));
    EXPECT_EQ(reread.path("lastFolder"), "/caf\xE9");
    EXPECT_EQ(reread.data("savedSearches"), QByteArray("[]"));

    // A torn file reads as empty, and its bytes are kept aside before it is replaced.
    std::string torn = TempTree::read(path).substr(0, 40);
    t.file("config/quillbrook/preferences.json", torn);
    JsonPreferencesFile broken(path);
    EXPECT_EQ(broken.boolean("liveSearch"), std::nullopt);
    broken.setBoolean("liveSearch", false);
    broken.flush();
    auto names = TempTree::list(t.path("config/quillbrook"));
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(TempTree::read(t.path("config/quillbrook/" + names[1])), torn);
    EXPECT_EQ(JsonPreferencesFile(path).boolean("liveSearch"), false);
}

TEST(PreferencesFile, UnreadableSavedSearchesAreKeptAside) {
    struct Case {
        const char* name;
        std::string stored; // the JSON value under "savedSearches", as a hand or a bug left it
        std::string kept;   // what the kept copy must hold
    };
    const Case cases[] = {
        {"a malformed entry", R"({"text":"[{\"id\":1}]"})", R"([{\"id\":1}])"},
        {"an array of strings", R"(["one","two"])", R"("one")"},
        {"a string", R"("my searches")", R"("my searches")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempTree t;
        std::string path =
            t.file("prefs/preferences.json", R"({"savedSearches":)" + c.stored + "}");
        qbtest::FakeDesktop desktop;
        JsonPreferencesFile store(path);
        {
            SearchModel model(store, desktop);
            EXPECT_TRUE(model.savedSearches().empty());
            model.setFolder(t.root());
            model.setPattern("x");
            model.setSaveName("new");
            model.save();
        }
        store.flush();
        auto list = decodeSavedSearches(*JsonPreferencesFile(path).data("savedSearches"));
        ASSERT_TRUE(list);
        ASSERT_EQ(list->size(), 1u);
        EXPECT_EQ((*list)[0].title, "new");
        std::string kept;
        for (const auto& name : TempTree::list(t.path("prefs")))
            if (name.find("savedSearches-unreadable") != std::string::npos)
                kept = TempTree::read(t.path("prefs/" + name));
        EXPECT_NE(kept.find(c.kept), std::string::npos)
            << "the unreadable value is kept next to the preferences file: " << kept;
    }
}

TEST(PreferencesFile, AFullDiskLeavesTheOldFileAsItWas) {
    TempTree t;
    std::string dir = t.dir("small");
    if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    std::string path = dir + "/preferences.json";
    JsonPreferencesFile file(path);
    file.setText("appearance", "dark");
    file.flush();
    std::string before = TempTree::read(path);
    t.file("small/filler", std::string(60 * 1024, 'f'));
    std::vector<std::string> many(2000, std::string(60, 'p'));
    file.setPaths("recentFolders", many);
    file.flush();
    EXPECT_EQ(TempTree::read(path), before);
    EXPECT_EQ(JsonPreferencesFile(path).text("appearance"), "dark");
    EXPECT_EQ(TempTree::list(dir), (Paths{"filler", "preferences.json"})) << "no temporary left";
    ::umount(dir.c_str());
}
