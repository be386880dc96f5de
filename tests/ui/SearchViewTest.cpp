#include "WindowFixture.h"
#include "ui/StatusBar.h"
#include "ui/results/EmptyState.h"
#include "ui/results/ResultArea.h"
#include "ui/results/ResultsView.h"
#include "ui/sheets/PatternHelp.h"
#include "ui/sheets/SaveSheet.h"
#include "ui/sheets/SkippedSheet.h"
#include "ui/widgets/ExampleButton.h"

#include <QPushButton>
#include <QTableView>

using namespace qbtest;

TEST_F(WindowTest, TypingQuicklyRunsOneSearchWithTheFinalPattern) {
    tree.file("abc.txt");
    tree.file("ab.txt");
    m().setFolder(tree.root());
    m().setLiveSearch(true);
    field()->setFocus();
    QSignalSpy started(&m(), &qb::SearchModel::executedCriteriaChanged);
    QSignalSpy ended(&m(), &qb::SearchModel::searchEnded);
    QTest::keyClicks(field(), "abc");
    EXPECT_FALSE(m().running()); // the delay has not passed yet
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(m().executedCriteria()->pattern, "abc");
    EXPECT_EQ(m().hits().size(), 1u);
}

TEST_F(WindowTest, ReturnSearchesAndEscapeStopsOnlyARunningSearch) {
    tree.file("abc.txt");
    m().setFolder(tree.root());
    QTest::keyClicks(field(), "abc");
    EXPECT_FALSE(m().executedCriteria()); // live search is off
    QSignalSpy ended(&m(), &qb::SearchModel::searchEnded);
    QTest::keyClick(field(), Qt::Key_Return);
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_EQ(m().hits().size(), 1u);
    EXPECT_FALSE(m().cancelled());

    QTest::keyClick(field(), Qt::Key_Escape); // nothing runs: nothing happens
    EXPECT_FALSE(m().cancelled());
    EXPECT_EQ(m().hits().size(), 1u);

    // The walk's end is posted to this thread, so the search is still running at Escape.
    m().search();
    ASSERT_TRUE(m().running());
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_FALSE(m().running());
    EXPECT_TRUE(m().cancelled());
}

TEST_F(WindowTest, EmptyStatesAndStatusTextFollowTheSearchState) {
    struct Case {
        const char* name;
        std::function<void(WindowTest&)> arrange;
        QString status;
        QString title; // empty: the results table is shown
        bool clearFilters = false;
    };
    const std::string dir = "/data/pics";
    std::vector<qb::SearchHit> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back(hit(dir + "/f" + std::to_string(i), i < 3));
    const QString start = "Search filenames and paths · Select results to preview or organize";
    const std::vector<Case> cases = {
        {"before any search", [](WindowTest&) {}, start, "Find exactly the files you need"},
        {"searching",
         [](WindowTest& t) {
             t.m().setHasSearched(true);
             t.m().setRunning(true);
         },
         "0 matches · 0 items searched", "Searching pics…"},
        {"one match",
         [&](WindowTest& t) {
             t.m().setHasSearched(true);
             t.feed({ten[5]}, 1234);
         },
         "1 match · 1,234 items searched", ""},
        {"no match",
         [](WindowTest& t) {
             t.m().setHasSearched(true);
             t.feed({}, 20000);
         },
         "0 matches · 20,000 items searched", "No matches"},
        {"stopped without hits",
         [](WindowTest& t) {
             t.m().setHasSearched(true);
             t.m().setCancelled(true);
         },
         "Stopped · 0 matches · 0 items searched", "Search stopped"},
        {"stopped with hits",
         [&](WindowTest& t) {
             t.m().setHasSearched(true);
             t.feed({ten[5], ten[6]}, 7);
             t.m().setCancelled(true);
         },
         "Stopped · 2 matches · 7 items searched", ""},
        {"filters show some",
         [&](WindowTest& t) {
             t.m().setHasSearched(true);
             t.feed(ten);
             t.m().setFilters({qb::FileKindFilter::folders});
         },
         "3 of 10 matches · 10 items searched", ""},
        {"filters hide all",
         [&](WindowTest& t) {
             t.m().setHasSearched(true);
             t.feed(ten);
             t.m().setFilters({qb::FileKindFilter::images});
         },
         "0 of 10 matches · 10 items searched", "No matches with these filters", true},
        {"failed",
         [](WindowTest& t) {
             t.m().setHasSearched(true);
             t.m().setError(QString("This folder cannot be read. Choose an accessible folder."));
         },
         "0 matches · 0 items searched", "Search unavailable"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();
        model.reset();
        m().assignFolder(dir);
        c.arrange(*this);
        EXPECT_EQ(label("statusText"), c.status);
        auto* area = w().view()->resultArea();
        const bool tableShown = area->resultsView()->isVisible();
        EXPECT_EQ(tableShown, c.title.isEmpty());
        if (!c.title.isEmpty()) {
            EXPECT_EQ(label("emptyTitle"), c.title);
            auto buttons = area->emptyState()->findChildren<QPushButton*>();
            bool clear = false;
            for (auto* b : buttons)
                clear |= b->text() == "Clear Filters" && b->isVisible();
            EXPECT_EQ(clear, c.clearFilters);
        }
    }
}

TEST_F(WindowTest, TheLimitWarningTakesPrecedenceOverSkippedItems) {
    w();
    EXPECT_FALSE(shown("warningText"));
    m().setSkipped(3);
    EXPECT_EQ(label("warningText"),
              "3 items skipped because they couldn’t be read or the pattern took too long.");
    m().setSkipped(1);
    EXPECT_EQ(label("warningText"),
              "1 item skipped because it couldn’t be read or the pattern took too long.");
    m().setLimited(true);
    EXPECT_EQ(label("warningText"),
              "Showing the first 20,000 matches. Narrow your search to see fewer results.");
    m().setLimited(false);
    m().setSkipped(0);
    EXPECT_FALSE(shown("warningText"));
}

TEST_F(WindowTest, TheSkippedLinkListsEachItemWithItsReasonAndActsOnTheSelection) {
    using qb::SkipReason;
    const std::string root = tree.root();
    m().setFolder(root);
    auto update = [&](std::vector<qb::SkippedItem> items, qb::SkipCounts counts) {
        qb::SearchUpdate u{qb::HitList::fromVector({}), 10, counts.total(), false};
        u.skippedItems = qb::SkippedItems(
            std::make_shared<const std::vector<qb::SkippedItem>>(std::move(items)), counts);
        m().apply(u, m().generation());
    };
    const std::vector<qb::SkippedItem> first{
        {root + "/Private", SkipReason::unreadable, EACCES},
        {root + "/a/b/" + std::string(60, 'a') + "\xff", SkipReason::timedOut, 0}};
    update(first, {1, 1, 0});
    w();
    ASSERT_TRUE(shown("showSkipped"));
    QTest::mouseClick(child<QPushButton>("showSkipped"), Qt::LeftButton);
    auto* sheet = w().findChild<qb::SkippedSheet*>();
    ASSERT_TRUE(sheet && sheet->isVisible());
    QAbstractItemModel* rows = sheet->table()->model();
    auto cell = [&](int row, int column) { return rows->index(row, column).data().toString(); };
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(cell(0, 0), "Permission denied"); // the system's words
    EXPECT_EQ(cell(0, 1), "Private");
    EXPECT_EQ(cell(1, 0), "The pattern took too long");
    EXPECT_EQ(cell(1, 1), QString(60, 'a') + QChar(0xFFFD));
    EXPECT_EQ(cell(1, 2), "a/b");
    EXPECT_FALSE(child<QLabel>("skippedMore")->isVisibleTo(sheet));

    // While the search goes on, rows arrive below and the selection stays.
    sheet->table()->selectRow(1);
    auto grown = first;
    grown.push_back({root + "/gone", SkipReason::vanished, 0});
    update(grown, {1, 1500, 1});
    ASSERT_EQ(rows->rowCount(), 3);
    EXPECT_EQ(cell(2, 0), "Gone during the search");
    EXPECT_TRUE(child<QLabel>("skippedMore")->isVisibleTo(sheet)) << "the list was capped";
    for (auto* button : sheet->findChildren<QPushButton*>())
        if (button->text() == "Reveal in File Manager")
            QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_FALSE(desktop.revealed.empty());
    EXPECT_EQ(desktop.revealed.back(), std::vector<std::string>{grown[1].path});

    // Another folder starts the list again, and the status line loses its link.
    m().setFolder(tree.dir("other"));
    EXPECT_EQ(rows->rowCount(), 0);
    EXPECT_FALSE(shown("showSkipped"));
    sheet->close();
}

TEST_F(WindowTest, AnUnusablePatternDisablesSearchAndExplainsOnlyWhenInvalid) {
    auto* search = child<QPushButton>("searchButton");
    EXPECT_FALSE(search->isEnabled());
    EXPECT_FALSE(shown("patternError")); // empty: no explanation
    QTest::keyClicks(field(), "(");
    EXPECT_FALSE(search->isEnabled());
    EXPECT_TRUE(shown("patternError"));
    QTest::keyClicks(field(), "a)");
    EXPECT_TRUE(search->isEnabled());
    EXPECT_FALSE(shown("patternError"));
}

TEST_F(WindowTest, ExamplesPutThePatternInAndFocusTheFieldWithoutSearching) {
    m().setFolder(tree.root());
    w();
    child<QPushButton>("searchButton")->setFocus();
    qb::ExampleButton* pdf = nullptr;
    for (auto* b : w().findChildren<qb::ExampleButton*>())
        if (b->accessibleName() == "PDF files")
            pdf = b;
    ASSERT_TRUE(pdf);
    QTest::mouseClick(pdf, Qt::LeftButton);
    EXPECT_EQ(field()->text(), "\\.pdf$");
    QTRY_VERIFY(field()->hasFocus());
    EXPECT_TRUE(m().editingPattern());

    child<QPushButton>("searchButton")->setFocus();
    m().setShowHelp(true);
    auto* help = w().view()->patternHelp();
    ASSERT_TRUE(help && help->isVisible());
    qb::ExampleButton* images = nullptr;
    for (auto* b : help->findChildren<qb::ExampleButton*>())
        if (b->accessibleName() == "Images")
            images = b;
    ASSERT_TRUE(images);
    QTest::mouseClick(images, Qt::LeftButton);
    EXPECT_EQ(m().pattern(), "\\.(png|jpe?g|heic)$");
    EXPECT_FALSE(m().showHelp());
    QTRY_VERIFY(field()->hasFocus());
    QTest::qWait(0);
    EXPECT_FALSE(m().running());
    EXPECT_FALSE(m().executedCriteria());

    // Asked again (Ctrl+F, a hand-over) with the keyboard there already, nothing moves: on
    // Wayland each move of the focus asks the compositor to activate the window.
    QSignalSpy moved(qApp, &QGuiApplication::focusObjectChanged);
    m().setFocusRequest(QUuid::createUuid());
    QTest::qWait(0);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_TRUE(field()->hasFocus());
}

TEST_F(WindowTest, TheSaveSheetSavesOnReturnAndClosesOnEscape) {
    m().setPattern("report");
    w();
    m().startSaving();
    auto* sheet = w().view()->saveSheet();
    ASSERT_TRUE(sheet && sheet->isVisible());
    EXPECT_EQ(sheet->nameField()->text(), "report");
    QTest::keyClick(sheet->nameField(), Qt::Key_Return);
    ASSERT_EQ(m().savedSearches().size(), 1u);
    EXPECT_FALSE(m().showSave());
    QTRY_VERIFY(!w().view()->saveSheet());

    m().startSaving();
    sheet = w().view()->saveSheet();
    sheet->nameField()->setText("  ");
    QTest::keyClick(sheet->nameField(), Qt::Key_Return); // a blank name saves nothing
    EXPECT_EQ(m().savedSearches().size(), 1u);
    EXPECT_TRUE(m().showSave());
    QTest::keyClick(sheet->nameField(), Qt::Key_Escape);
    EXPECT_FALSE(m().showSave());
    EXPECT_EQ(m().savedSearches().size(), 1u);
}

TEST_F(WindowTest, ARepeatedValueLeavesTheFieldsCursorAndUndoAlone) {
    m().setFolder(tree.root());
    m().setLiveSearch(true);
    QTest::keyClicks(field(), "abcd");
    field()->setCursorPosition(1);
    QSignalSpy executed(&m(), &qb::SearchModel::executedCriteriaChanged);
    m().setPattern(m().pattern());
    m().setRecursive(m().recursive());
    EXPECT_EQ(field()->cursorPosition(), 1);
    EXPECT_TRUE(field()->isUndoAvailable());
    // The repeated assignments did not restart the live-search delay either: one search.
    QSignalSpy ended(&m(), &qb::SearchModel::searchEnded);
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_EQ(executed.count(), 1);
}

TEST_F(WindowTest, FilterChangesDeselectWhatTheyHide) {
    feed({hit("/d/a"), hit("/d/b", true), hit("/d/c")});
    w();
    m().setSelection({"/d/a", "/d/b"});
    m().setFilters({qb::FileKindFilter::folders});
    EXPECT_EQ(m().selection(), std::set<std::string>{"/d/b"});
    QSignalSpy started(&m(), &qb::SearchModel::runningChanged);
    m().setFilters({});
    EXPECT_EQ(m().selection(), std::set<std::string>{"/d/b"}); // nothing comes back
    EXPECT_EQ(started.count(), 0);

    // A week's threshold passing an item hides it with the filters unchanged: it leaves the
    // selection too.
    auto aging = hit("/d/aging"), fresh = hit("/d/fresh");
    aging.modified = qb::Clock::now() - std::chrono::hours(24 * 7) + std::chrono::milliseconds(300);
    fresh.modified = qb::Clock::now();
    feed({aging, fresh});
    m().setFilters({qb::FileKindFilter::any, qb::FileSizeFilter::any, qb::ModifiedFilter::week});
    m().setSelection({"/d/aging", "/d/fresh"});
    ASSERT_EQ(m().orderedHits().size(), 2u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m().orderedHits().size() == 1; }, 5000));
    EXPECT_EQ(m().selection(), std::set<std::string>{"/d/fresh"});
}

TEST_F(WindowTest, EveryNewSelectionPutsTheKeyboardInTheResults) {
    feed({hit("/d/a"), hit("/d/b")});
    w();
    auto* results = w().view()->resultArea()->resultsView();
    m().setSelection({"/d/a"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return results->hasFocus(); }));
    field()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field()->hasFocus(); }));
    m().setSelection({"/d/b"}); // from one item to another, not from none
    EXPECT_TRUE(QTest::qWaitFor([&] { return results->hasFocus(); }));
}
