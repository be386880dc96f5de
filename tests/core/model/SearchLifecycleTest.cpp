#include "ModelFixture.h"

#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <random>

using namespace qb;
using qbtest::ModelTest;
using Paths = std::vector<std::string>;

TEST_F(ModelTest, SearchRunsTheEngineAndFinishes) {
    tree.file("docs/report.pdf");
    tree.file("b/notes.txt");
    const std::string slow = tree.file("b/" + std::string(60, 'a') + "b"); // out of time
    m().setFolder(tree.root());
    m().setPattern("\\.pdf$|(a+)+$");
    QSignalSpy skippedSet(&m(), &SearchModel::skippedChanged);
    QSignalSpy itemsSet(&m(), &SearchModel::skippedItemsChanged);
    searchAndWait();
    EXPECT_FALSE(m().running());
    EXPECT_TRUE(m().hasSearched());
    EXPECT_FALSE(m().cancelled());
    EXPECT_EQ(m().scanned(), 5);
    ASSERT_EQ(m().hits().size(), 1u);
    EXPECT_EQ(m().hits()[0].url, tree.path("docs/report.pdf"));
    EXPECT_GT(m().elapsed(), 0.0);
    EXPECT_EQ(m().recentFolders().front(), tree.root());
    EXPECT_EQ(m().skipped(), 1);
    EXPECT_EQ(m().skippedItems().items(),
              (std::vector<SkippedItem>{{slow, SkipReason::timedOut, 0}}));
    EXPECT_EQ(m().skippedItems().counts().timedOut, 1);

    // Reset with skipped, by a folder change and by the next search, and notified with it.
    m().setFolder(tree.path("missing"));
    EXPECT_TRUE(m().skippedItems().items().empty());
    m().setPattern("x");
    searchAndWait();
    EXPECT_EQ(m().error(), QString("This folder cannot be read. Choose an accessible folder."));
    EXPECT_TRUE(m().hits().empty());
    EXPECT_EQ(m().skippedItems(), SkippedItems());
    EXPECT_EQ(itemsSet.count(), skippedSet.count());
}

TEST_F(ModelTest, SearchRefusesUnusablePatternsWithoutTouchingState) {
    for (QString pattern : {QString(), QString("(")}) {
        m().setPattern(pattern);
        QUuid before = m().generation();
        QSignalSpy anything(&m(), &SearchModel::hitsChanged);
        m().search();
        EXPECT_FALSE(m().running());
        EXPECT_FALSE(m().hasSearched());
        EXPECT_EQ(m().generation(), before);
        EXPECT_EQ(anything.count(), 0);
    }
    m().setPattern("ok");
    m().setFileActionRunning(true);
    m().search();
    EXPECT_FALSE(m().hasSearched());
}

TEST_F(ModelTest, CancelKeepsPartialHitsAndDropsLateUpdates) {
    m().setFolder(tree.root());
    m().setPattern("x");
    m().search();
    QUuid token = m().generation();
    feed({hit("/p/x1"), hit("/p/x2")});
    m().cancel();
    EXPECT_TRUE(m().cancelled());
    EXPECT_FALSE(m().running());
    EXPECT_GE(m().elapsed(), 0.0);
    EXPECT_EQ(m().hits().size(), 2u);

    m().apply({HitList::fromVector({hit("/late")}), 99, 0, false}, token);
    m().finish(token);
    m().fail("late", token);
    EXPECT_EQ(m().hits().size(), 2u);
    EXPECT_EQ(m().scanned(), 10);
    EXPECT_FALSE(m().error());

    // A new search starts from empty results and ignores the old run.
    m().search();
    EXPECT_TRUE(m().hits().empty());
    EXPECT_FALSE(m().cancelled());
    m().apply({HitList::fromVector({hit("/late")}), 99, 0, false}, token);
    EXPECT_TRUE(m().hits().empty());
}

TEST_F(ModelTest, LiveSearchDebouncesToOneSearchWithTheFinalPattern) {
    tree.file("abc");
    m().setFolder(tree.root());
    m().setLiveSearch(true);
    int started = 0;
    QObject::connect(&m(), &SearchModel::runningChanged, [&] { started += m().running(); });
    for (const char* p : {"a", "ab", "abc"}) {
        m().setPattern(p);
        m().scheduleLiveSearch();
    }
    EXPECT_EQ(started, 0);
    QSignalSpy ended(&m(), &SearchModel::searchEnded);
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_EQ(started, 1);
    EXPECT_EQ(m().executedCriteria()->pattern, "abc");
    EXPECT_EQ(m().hits().size(), 1u);
    EXPECT_EQ(prefs.boolean("liveSearch"), true);
    const auto timers = m().findChildren<QTimer*>();
    EXPECT_TRUE(std::any_of(timers.begin(), timers.end(), [](const QTimer* t) {
        return t->interval() == 450 && t->timerType() == Qt::PreciseTimer;
    })) << "a coarse timer would fire anywhere from 429 to 476 ms";

    // Turning it off cancels a pending live search.
    m().setPattern("ab");
    m().scheduleLiveSearch();
    m().setLiveSearch(false);
    EXPECT_FALSE(ended.wait(700));
}

TEST_F(ModelTest, CriteriaChangedRoundTrip) {
    m().setFolder(tree.root());
    m().setPattern("abc");
    EXPECT_FALSE(m().criteriaChanged());
    m().search();
    EXPECT_FALSE(m().criteriaChanged());
    m().setPattern("abcd");
    EXPECT_TRUE(m().criteriaChanged());
    m().setPattern("abc");
    EXPECT_FALSE(m().criteriaChanged());
    m().setIncludeHidden(true);
    EXPECT_TRUE(m().criteriaChanged());
    m().setFolder(tree.root());
    EXPECT_FALSE(m().criteriaChanged()) << "a new folder has no executed criteria";
}

TEST_F(ModelTest, SelectionFollowsTheDisplayedOrder) {
    m().setPattern("x");
    m().search();
    feed({hit("/d/b.png", "image/png"), hit("/d/c.txt", "text/plain"),
          hit("/d/a.png", "image/png")});
    m().setSelection({"/d/a.png", "/d/b.png", "/d/c.txt", "/gone"});
    EXPECT_EQ(m().selectedURLs(), (Paths{"/d/a.png", "/d/b.png", "/d/c.txt"}));
    m().setFilters({FileKindFilter::images, {}, {}});
    EXPECT_EQ(m().selectedURLs(), (Paths{"/d/a.png", "/d/b.png"}));
    m().setSortOrder({{SortKey::name, false}});
    EXPECT_EQ(m().selectedURLs(), (Paths{"/d/b.png", "/d/a.png"}));

    m().copyPaths();
    EXPECT_EQ(desktop.clipboard.back(), "/d/b.png\n/d/a.png");
    m().copyPaths(Paths{});
    EXPECT_EQ(desktop.clipboard.back(), "");
    m().open();
    EXPECT_EQ(desktop.opened, (Paths{"/d/b.png", "/d/a.png"}));
    m().quickLook(Paths{});
    EXPECT_TRUE(desktop.previews.empty());
    m().quickLook();
    EXPECT_EQ(desktop.previews.size(), 1u);
}

TEST_F(ModelTest, StreamedUpdatesAreOrderedAsIfSortedWhole) {
    // Updates of one search only add hits, so the order of the earlier ones is kept and the
    // newcomers merged in; the result must be what sorting the whole list gives, ties included.
    std::mt19937 random(7);
    const char* words[] = {"report", "Report", "photo", "a10", "a9", "notes"};
    std::vector<qb::SearchHit> all;
    for (int i = 0; i < 3000; ++i) {
        auto h = hit("/d/" + std::string(words[random() % 6]) + std::to_string(random() % 50) +
                         (i % 3 ? ".txt" : ".png"),
                     i % 3 ? "text/plain" : "image/png");
        h.kind = i % 3 ? "Text" : "Image";
        h.byteCount = int64_t(random() % 100);
        h.nameKey = qb::collationKey(h.name());
        all.push_back(h);
    }
    const std::vector<std::pair<qb::SortOrder, qb::ResultFilters>> settings = {
        {{{qb::SortKey::name, true}}, {}},
        {{{qb::SortKey::byteCount, false}}, {qb::FileKindFilter::images}},
        {{{qb::SortKey::kind, true}, {qb::SortKey::name, false}}, {}},
    };
    for (const auto& [order, filters] : settings) {
        m().setSortOrder(order);
        m().setFilters(filters);
        m().search(); // a fresh run: its token accepts the updates below
        const QUuid token = m().generation();
        m().setPattern("x");
        for (size_t n = 0; n <= all.size(); n += 250) {
            std::vector<qb::SearchHit> part(all.begin(), all.begin() + std::ptrdiff_t(n));
            m().apply({qb::HitList::fromVector(part), int64_t(n), 0, false}, token);
            (void)m().orderedHits(); // ordered at every update, as the window does
        }
        std::vector<const qb::SearchHit*> whole;
        for (const auto& h : m().hits())
            if (!filters.active() || filters.matches(h, qb::Clock::now()))
                whole.push_back(&h);
        qb::sortHits(whole, order);
        std::vector<std::string> expected, actual;
        for (auto* h : whole)
            expected.push_back(h->url);
        for (auto* h : m().orderedHits())
            actual.push_back(h->url);
        EXPECT_EQ(actual, expected);
        m().cancel();
    }
}

TEST_F(ModelTest, DateFiltersFollowTheClock) {
    using std::chrono::seconds;
    SearchHit aging = hit("/d/aging.txt"), fresh = hit("/d/fresh.txt");
    aging.modified = Clock::now() - seconds(604'800) + seconds(1); // a week old in a second
    fresh.modified = Clock::now();
    feed({aging, fresh});
    m().setFilters({{}, {}, ModifiedFilter::week});
    EXPECT_EQ(m().orderedHits().size(), 2u);
    QSignalSpy changed(&m(), &SearchModel::orderedHitsChanged);
    QSignalSpy filters(&m(), &SearchModel::filtersChanged); // what views following filters see
    ASSERT_TRUE(changed.wait(5000)) << "the list is renewed when an item ages out";
    EXPECT_EQ(filters.count(), 1);
    ASSERT_EQ(m().orderedHits().size(), 1u);
    EXPECT_EQ(m().orderedHits()[0]->url, "/d/fresh.txt");
}

TEST_F(ModelTest, LaunchUrlsOnlyChooseAFolderAndRaise) {
    struct Case {
        const char* name;
        QString url;
        bool accepted;
        std::optional<std::string> folder;
    };
    const std::string home = m().folder();
    const Case cases[] = {
        {"plain", "quillbrook://search?folder=/tmp/a", true, "/tmp/a"},
        {"other scheme name", "tarnwick://search?folder=/srv", true, "/srv"},
        {"plus stays plus", "quillbrook://search?folder=/a+b", true, "/a+b"},
        {"encoded plus", "quillbrook://search?folder=/a%2Bb", true, "/a+b"},
        {"space", "quillbrook://search?folder=/a%20b", true, "/a b"},
        {"ampersand ends the item", "quillbrook://search?folder=/a&b=1", true, "/a"},
        {"encoded ampersand", "quillbrook://search?folder=/a%26b", true, "/a&b"},
        {"fragment", "quillbrook://search?folder=/a#b", true, "/a"},
        {"non-UTF-8 bytes", "quillbrook://search?folder=/caf%E9", true, "/caf\xE9"},
        {"first item wins", "quillbrook://search?folder=/one&folder=/two", true, "/one"},
        {"standardised", "quillbrook://search?folder=/tmp/./a//b/../c/", true, "/tmp/a/c"},
        {"relative", "quillbrook://search?folder=tmp", true, std::nullopt},
        {"empty", "quillbrook://search?folder=", true, std::nullopt},
        {"no folder", "quillbrook://search", true, std::nullopt},
        {"malformed escape", "quillbrook://search?folder=/a%zz", true, std::nullopt},
        {"encoded NUL", "quillbrook://search?folder=/a%00b", true, std::nullopt},
        {"scheme case", "Quillbrook://search?folder=/x", false, std::nullopt},
        {"other host", "quillbrook://find?folder=/x", false, std::nullopt},
        {"user info", "quillbrook://me@search?folder=/x", false, std::nullopt},
        {"web", "https://search?folder=/x", false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m().setFolder(home);
        int raised = desktop.raised;
        QUuid focus = m().focusRequest();
        m().receive(c.url);
        EXPECT_EQ(desktop.raised, raised + (c.accepted ? 1 : 0));
        EXPECT_EQ(m().focusRequest() != focus, c.accepted);
        EXPECT_EQ(m().folder(), c.folder.value_or(home));
        EXPECT_FALSE(m().running()) << "a launch URL never starts anything by itself";
    }
    m().receive(QString("quillbrook://search?folder=/") + QString(3'000'000, 'x'));
    EXPECT_EQ(m().folder(), home);
}

TEST_F(ModelTest, DroppedFolders) {
    std::string file = tree.file("file.txt");
    std::string a = tree.dir("a"), b = tree.dir("b");
    QMimeData two;
    two.setData("text/uri-list", ("file://" + a + "\r\nfile://" + b + "\r\n").c_str());
    EXPECT_FALSE(m().acceptFolderProviders(two));
    EXPECT_FALSE(m().fileActionError());

    struct Case {
        const char* name;
        const char* format;
        std::string data;
    };
    const Case notFolders[] = {
        {"a file", "text/uri-list", "file://" + file + "\r\n"},
        {"a web link", "text/uri-list", "https://example.com/a/\r\n"},
        {"plain text", "text/plain", "some words"},
    };
    for (const auto& c : notFolders) {
        SCOPED_TRACE(c.name);
        m().setFileActionError(std::nullopt);
        QMimeData one;
        one.setData(c.format, c.data.c_str());
        EXPECT_TRUE(m().acceptFolderProviders(one));
        // A path is checked off the GUI thread; the answer comes on a later turn.
        EXPECT_TRUE(QTest::qWaitFor([&] { return m().fileActionError().has_value(); }));
        EXPECT_EQ(m().fileActionError(), QString("Drop a single folder to search it."));
        EXPECT_NE(m().folder(), a);
    }

    QMimeData folder;
    folder.setData("text/uri-list", ("# comment\r\nfile://" + a + "/\r\n").c_str());
    EXPECT_TRUE(m().acceptFolderProviders(folder));
    EXPECT_NE(m().folder(), a) << "not checked on this thread";
    EXPECT_TRUE(QTest::qWaitFor([&] { return m().folder() == a; })) << "no trailing separator";

    // Of two drops in quick succession, the later one applies.
    m().setFileActionError(std::nullopt);
    m().acceptFolderDrop({b});
    m().acceptFolderDrop({file});
    EXPECT_TRUE(QTest::qWaitFor([&] { return m().fileActionError().has_value(); }));
    QTest::qWait(50);
    EXPECT_EQ(m().folder(), a);
    EXPECT_EQ(m().recentFolders().front(), a);
    EXPECT_FALSE(m().acceptFolderDrop({a, b}));
}

TEST_F(ModelTest, WindowSizesFollowTheLayout) {
    auto first = std::make_shared<qbtest::FakeWindow>();
    auto second = std::make_shared<qbtest::FakeWindow>();
    using S = qbtest::FakeWindow::Sizes;
    m().attachWindow(first);
    EXPECT_EQ(first->sizes.back(), (S{700, 450, 940, 650}));
    m().setLayout(WindowLayout::workspace);
    EXPECT_EQ(first->sizes.back(), (S{940, 450, 1120, 700}));
    m().setLayout(WindowLayout::compact);
    EXPECT_EQ(first->sizes.back(), (S{700, 260, 740, 300}));
    m().setPattern("x");
    m().setFolder(tree.root());
    m().search();
    EXPECT_EQ(first->sizes.back(), (S{700, 450, 740, 570}));
    m().setFolder(tree.root());
    EXPECT_EQ(first->sizes.back(), (S{700, 260, 740, 300}));

    m().attachWindow(second);
    EXPECT_EQ(first->closed, 1);
    QUuid focus = m().focusRequest();
    QTRY_COMPARE(second->activated, 1);
    EXPECT_NE(m().focusRequest(), focus);
}

TEST_F(ModelTest, DestroyingTheModelDuringASearchDoesNotHang) {
    // Hand-overs reach the model as posted events; keeping them from it leaves the walk
    // waiting for a GUI thread that never applies its update.
    struct WithheldHandOvers : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() != QEvent::MetaCall)
                return false;
            ++count;
            return true;
        }
    } withheld;
    for (int i = 0; i < 30; ++i)
        tree.file(std::string(60, 'a') + "b" + std::to_string(i)); // each costs the budget
    m().setFolder(tree.root());
    m().setPattern("(a+)+$");
    m().installEventFilter(&withheld);
    m().search();
    QTRY_COMPARE_WITH_TIMEOUT(withheld.count, 1, 10000);
    EXPECT_TRUE(m().running());
    EXPECT_TRUE(m().hits().empty()) << "no update was applied";
    model.reset(); // must stop the walk in its wait and join it, within the test's timeout
}

TEST_F(ModelTest, ChoosingAFolder) {
    std::string chosen = tree.dir("chosen");
    desktop.folderAnswers = {std::nullopt, chosen + "//./"};
    m().chooseFolder();
    EXPECT_NE(m().folder(), chosen) << "cancelling changes nothing";
    ASSERT_EQ(desktop.panels.size(), 1u);
    EXPECT_EQ(desktop.panels[0].prompt, "Search Here");
    EXPECT_EQ(desktop.panels[0].message, "Choose the folder to search.");
    EXPECT_EQ(desktop.panels[0].startFolder, m().folder());
    EXPECT_FALSE(desktop.panels[0].canCreateFolders);
    m().chooseFolder();
    EXPECT_EQ(m().folder(), chosen);
    EXPECT_EQ(m().folderName(), "chosen");
    m().setFolder("/");
    EXPECT_EQ(m().folderName(), "/");
}

TEST_F(ModelTest, RandomLaunchUrlsNeverDoMoreThanChooseAFolder) {
    std::mt19937 rng(7);
    const char* pieces[] = {
        "quillbrook://", "tarnwick://", "search", "?", "&",  "=", "folder", "%", "%2", "%2F",
        "%E9",           "/",           "#",      "+", "..", "x", "%00",    "@", ":",  " "};
    const std::string home = m().folder();
    for (int round = 0; round < 3000; ++round) {
        QString url;
        int n = int(rng() % 10);
        for (int i = 0; i < n; ++i)
            url += pieces[rng() % (sizeof pieces / sizeof *pieces)];
        m().receive(url);
        EXPECT_FALSE(m().running());
        EXPECT_FALSE(m().fileActionRunning());
        ASSERT_FALSE(m().folder().empty());
        EXPECT_EQ(m().folder()[0], '/');
        EXPECT_EQ(m().folder().find('\0'), std::string::npos);
    }
}
