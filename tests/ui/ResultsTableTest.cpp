#include "WindowFixture.h"
#include "ui/results/ResultArea.h"
#include "ui/results/ResultDelegate.h"
#include "ui/results/ResultFilterBar.h"
#include "ui/results/ResultsTableModel.h"
#include "ui/results/ResultsView.h"
#include "ui/widgets/ShownText.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>

using namespace qbtest;

namespace {

class ResultsTest : public WindowTest {
public:
    qb::ResultsView* view() { return w().view()->resultArea()->resultsView(); }
    qb::ResultsTableModel* table() { return view()->tableModel(); }
    QString cell(int row, int column) {
        return table()->data(table()->index(row, column), Qt::DisplayRole).toString();
    }
    QStringList menuTitles(QMenu* menu) {
        QStringList titles;
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->isVisible())
                titles << a->text();
        return titles;
    }
    QPoint rowPoint(int row) { return view()->visualRect(table()->index(row, 0)).center(); }
    int rowOf(const std::string& url) {
        for (int row = 0; row < table()->rowCount(); ++row)
            if (table()->hit(row)->url == url)
                return row;
        return -1;
    }
};

std::vector<qb::NameRange> ranges(std::initializer_list<std::pair<int, int>> list) {
    std::vector<qb::NameRange> out;
    for (auto [location, length] : list)
        out.push_back({location, length});
    return out;
}

} // namespace

TEST(HighlightedName, RangesThatSplitACharacterDrawPlain) {
    struct Case {
        const char* name;
        QString text;
        std::vector<qb::NameRange> ranges;
        std::vector<std::pair<int, int>> drawn;
    };
    const QString emoji = QString::fromUtf8("a\xF0\x9F\x98\x80"
                                            "b.txt"); // a😀b.txt
    const QString combining = QString::fromUtf8("e\xCC\x81"
                                                "cole"); // é as e + U+0301
    const std::vector<Case> cases = {
        {"whole name", "report.pdf", ranges({{0, 10}}), {{0, 10}}},
        {"at the very end", "report.pdf", ranges({{7, 3}}), {{7, 3}}},
        {"emoji whole (two units)", emoji, ranges({{1, 2}}), {{1, 2}}},
        {"emoji half", emoji, ranges({{1, 1}, {3, 1}}), {{3, 1}}},
        {"combining split", combining, ranges({{0, 1}}), {}},
        {"combining whole", combining, ranges({{0, 2}}), {{0, 2}}},
        {"out of bounds", "abc", ranges({{2, 5}, {-1, 1}, {0, 0}}), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto formats = qb::highlightFormats(c.text, c.ranges, QFont());
        std::vector<std::pair<int, int>> drawn;
        for (const auto& f : formats) {
            drawn.emplace_back(f.start, f.length);
            EXPECT_TRUE(f.format.font().bold());
            EXPECT_TRUE(f.format.fontUnderline());
        }
        EXPECT_EQ(drawn, c.drawn);
    }
}

TEST_F(ResultsTest, CellsShowKindSizeAndLocationRelativeToTheSearchedFolder) {
    const std::string root = tree.dir("Projects");
    tree.file("Projects/top.txt");
    tree.file("Projects/a/b/deep.txt", "12345");
    tree.dir("Projects/a/b/folder.txt");
    tree.file("Projects/empty.txt", "");
    m().setFolder(root);
    m().setPattern("\\.txt$");
    searchAndWait();
    ASSERT_EQ(table()->rowCount(), 4);
    std::map<QString, int> rows;
    for (int r = 0; r < 4; ++r)
        rows[cell(r, 0)] = r;
    using C = qb::ResultsTableModel;
    EXPECT_EQ(cell(rows["top.txt"], C::locationColumn), "Projects");
    EXPECT_EQ(cell(rows["deep.txt"], C::locationColumn), "a/b");
    EXPECT_EQ(cell(rows["folder.txt"], C::sizeColumn), "—");
    EXPECT_EQ(cell(rows["empty.txt"], C::sizeColumn), "0 bytes");
    EXPECT_EQ(cell(rows["deep.txt"], C::sizeColumn), "5 bytes");
    EXPECT_EQ(table()
                  ->data(table()->index(rows["deep.txt"], C::locationColumn), Qt::ToolTipRole)
                  .toString(),
              qb::toolTipText(QString::fromStdString(root + "/a/b")));
    // Another folder, not yet searched: the rows keep the searched folder's locations.
    m().assignFolder(tree.dir("elsewhere"));
    EXPECT_EQ(cell(rows["deep.txt"], C::locationColumn), "a/b");
}

TEST_F(ResultsTest, ReturnRenamesOneItemAndSpacePreviewsASelection) {
    feed({hit("/d/a.txt"), hit("/d/b.txt")});
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_Space); // nothing selected: nothing to preview
    EXPECT_TRUE(desktop.previews.empty());

    m().setSelection({"/d/a.txt"});
    QTest::keyClick(view(), Qt::Key_Return);
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].message, "Rename “a.txt”");
    desktop.pendingName(std::nullopt);
    QTest::keyClick(view(), Qt::Key_F2);
    EXPECT_EQ(desktop.dialogs.size(), 2u);
    desktop.pendingName(std::nullopt);

    m().setSelection({"/d/a.txt", "/d/b.txt"});
    QTest::keyClick(view(), Qt::Key_Return); // two items: renaming needs one
    EXPECT_EQ(desktop.dialogs.size(), 2u);
    QTest::keyClick(view(), Qt::Key_Space);
    ASSERT_EQ(desktop.previews.size(), 1u);
    EXPECT_EQ(desktop.previews[0], (std::vector<std::string>{"/d/a.txt", "/d/b.txt"}));
}

TEST_F(ResultsTest, TheListKeepsTheKeyboardWhileASearchRepeatsAndTabLeavesIt) {
    feed({hit("/d/a.txt"), hit("/d/b.txt")});
    view()->setFocus();
    ASSERT_TRUE(view()->hasFocus());
    feed({}); // a file command's repeated search starts empty
    EXPECT_FALSE(QApplication::focusWidget() &&
                 QApplication::focusWidget()->inherits("QAbstractButton"))
        << "a later Space or Return must not press a button";
    feed({hit("/d/b.txt")});
    EXPECT_TRUE(view()->hasFocus());
    QTest::keyClick(view(), Qt::Key_Tab);
    EXPECT_FALSE(view()->hasFocus()) << "Tab leaves the list; arrows move inside it";
}

TEST_F(ResultsTest, TheItemMenuNamesItsItemsAndTheEmptyAreaOnlyMakesAFolder) {
    std::vector<qb::SearchHit> hits;
    for (const char* n : {"/d/a.txt", "/d/b.txt", "/d/c.txt"})
        hits.push_back(hit(n));
    feed(hits);
    w().resize(900, 600);
    QApplication::processEvents();

    std::unique_ptr<QMenu> one(view()->itemMenu(rowPoint(0)));
    EXPECT_EQ(menuTitles(one.get()),
              QStringList({"Open", "Quick Look", "Reveal in File Manager", "Get Info", "Open With",
                           "Copy Item", "Copy Path", "New Folder with Selection (1 Item)…",
                           "Move to…", "Copy to…", "Duplicate", "Rename…", "Rename Matches…",
                           "Compress “a.txt”", "Move to Trash"}));
    m().setSelection({"/d/a.txt", "/d/b.txt"});
    std::unique_ptr<QMenu> two(view()->itemMenu(rowPoint(1)));
    EXPECT_TRUE(menuTitles(two.get()).contains("Copy Items"));
    EXPECT_TRUE(menuTitles(two.get()).contains("Copy Paths"));
    // A row outside the selection acts on that row alone, with the same commands as the
    // menu bar's, which act on the selection again once the menu is gone.
    EXPECT_EQ(view()->itemsAt(rowPoint(2)), std::vector<std::string>{"/d/c.txt"});
    auto* outside = view()->itemMenu(rowPoint(2));
    ASSERT_TRUE(outside->actions().contains(commands->reveal));
    commands->reveal->trigger();
    EXPECT_EQ(desktop.revealed.back(), std::vector<std::string>{"/d/c.txt"});
    delete outside;
    EXPECT_EQ(commands->copyPaths->text(), "Copy Paths");
    commands->reveal->trigger();
    EXPECT_EQ(desktop.revealed.back(), (std::vector<std::string>{"/d/a.txt", "/d/b.txt"}));

    std::unique_ptr<QMenu> empty(view()->itemMenu(QPoint(10, view()->viewport()->height() - 5)));
    EXPECT_EQ(menuTitles(empty.get()), QStringList({"New Folder…"}));
    m().setFileActionRunning(true);
    std::unique_ptr<QMenu> busy(view()->itemMenu(QPoint(10, view()->viewport()->height() - 5)));
    EXPECT_FALSE(busy->actions().first()->isEnabled());
}

TEST_F(ResultsTest, CopiedItemsAreFilesForFileManagersAndPathsArePlainLines) {
    const std::string odd = "/d/caf\xE9 #1.txt"; // a Latin-1 byte that is not UTF-8
    feed({hit("/d/a b.txt"), hit(odd), hit("/d/c.txt")});
    m().setSelection({"/d/a b.txt", odd});
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->data("text/uri-list"),
              QByteArray("file:///d/a%20b.txt\r\nfile:///d/caf%E9%20%231.txt\r\n"));
    EXPECT_EQ(data->data("x-special/gnome-copied-files"),
              QByteArray("copy\nfile:///d/a%20b.txt\nfile:///d/caf%E9%20%231.txt"));

    m().setSelection({"/d/a b.txt", odd, "/d/c.txt"});
    m().copyPaths();
    ASSERT_EQ(desktop.clipboard.size(), 1u);
    // In display order ("c." sorts before "ca"), one line each, no line feed at the end.
    EXPECT_EQ(desktop.clipboard[0],
              QString::fromUtf8("/d/a b.txt\n/d/c.txt\n/d/caf\xEF\xBF\xBD #1.txt"));
}

TEST_F(ResultsTest, HeaderClicksSortTheModelAndClearResetsEveryFilterAtOnce) {
    feed({hit("/d/b.txt"), hit("/d/a.txt"), hit("/d/c", true)});
    w();
    QTest::mouseClick(view()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(view()->horizontalHeader()->sectionViewportPosition(1) + 10, 5));
    ASSERT_EQ(m().sortOrder().size(), 1u);
    EXPECT_EQ(m().sortOrder()[0].key, qb::SortKey::kind);

    m().setShowFilters(true);
    auto* clear = w().findChild<qb::ResultFilterBar*>()->findChild<QPushButton*>();
    EXPECT_FALSE(clear->isEnabled());
    auto pickers = w().findChild<qb::ResultFilterBar*>()->findChildren<QComboBox*>();
    ASSERT_EQ(pickers.size(), 3);
    pickers[0]->setCurrentIndex(int(qb::FileKindFilter::folders));
    pickers[1]->setCurrentIndex(int(qb::FileSizeFilter::small));
    EXPECT_EQ(m().filters().kind, qb::FileKindFilter::folders); // the size kept the kind
    EXPECT_TRUE(clear->isEnabled());
    QSignalSpy changes(&m(), &qb::SearchModel::filtersChanged);
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_FALSE(m().filters().active());
    EXPECT_FALSE(clear->isEnabled());
    EXPECT_EQ(pickers[0]->currentIndex(), 0);
}

TEST_F(ResultsTest, SelectionCurrentRowAndScrollSurviveStreamedUpdates) {
    std::vector<qb::SearchHit> hits;
    auto name = [](int i) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "/d/item%05d.txt", i);
        return std::string(buf);
    };
    for (int i = 0; i < 400; i += 2)
        hits.push_back(hit(name(i)));
    feed(hits);
    w().resize(900, 500);
    QApplication::processEvents();
    view()->setFocus();
    const std::string chosen = name(200);
    const int row = rowOf(chosen);
    view()->selectionModel()->setCurrentIndex(
        table()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(m().selection(), std::set<std::string>{chosen});
    view()->verticalScrollBar()->setValue(40);
    // Fifty updates, each adding a row that sorts above the chosen one and one below it.
    for (int u = 0; u < 50; ++u) {
        hits.push_back(hit(name(1 + 2 * u)));
        hits.push_back(hit(name(401 + 2 * u)));
        feed(hits);
    }
    EXPECT_EQ(m().selection(), std::set<std::string>{chosen});
    ASSERT_TRUE(view()->currentIndex().isValid());
    EXPECT_EQ(table()->hit(view()->currentIndex().row())->url, chosen);
    EXPECT_EQ(view()->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(view()->verticalScrollBar()->value(), 40);
}

namespace {

// Hits named so that each update's newcomers sort among the rows already shown.
std::vector<qb::SearchHit> scatteredHits(int from, int to) {
    std::vector<qb::SearchHit> hits;
    for (int i = from; i < to; ++i) {
        const int n = (i * 7919) % 9973;
        char name[32];
        std::snprintf(name, sizeof name, "/d/item%04d.txt", n);
        qb::SearchHit h = qbtest::WindowTest::hit(name, n % 5 == 0);
        h.byteCount = (n * 7919) % 1000;
        h.matchedNameRanges = {{0, 4}};
        hits.push_back(h);
    }
    return hits;
}

QStringList modelTesterComplaints;

} // namespace

// A copy of the rows kept only from the table's signals matches the model's list after each
// update, re-sort and filter; the model tester checks every signal against the rows around
// it, and the rows read as told while the model has changed and the table not yet said so.
TEST_F(ResultsTest, TheRowsTellEachChangeAsInsertedRowsAMovedLayoutOrAReset) {
    modelTesterComplaints.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (type != QtDebugMsg && context.category &&
                QLatin1String(context.category) == QLatin1String("qt.modeltest"))
                modelTesterComplaints << text;
        });
    qb::ResultsTableModel table(m());
    QAbstractItemModelTester tester(&table,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    auto urlAt = [&](int row) {
        return table.data(table.index(row, 0), qb::ResultsTableModel::UrlRole)
            .toByteArray()
            .toStdString();
    };
    auto rows = [&] {
        std::vector<std::string> out;
        for (int row = 0; row < table.rowCount(); ++row)
            out.push_back(urlAt(row));
        return out;
    };
    auto listed = [&] {
        std::vector<std::string> out;
        for (const qb::SearchHit* h : m().orderedHits())
            out.push_back(h->url);
        return out;
    };
    std::vector<std::string> told;
    int inserts = 0, layouts = 0, resets = 0;
    QObject::connect(&table, &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int first, int last) {
                         for (int row = first; row <= last; ++row)
                             told.insert(told.begin() + row, urlAt(row));
                         ++inserts;
                     });
    std::vector<std::pair<QPersistentModelIndex, std::string>> followed;
    QObject::connect(&table, &QAbstractItemModel::layoutAboutToBeChanged, [&] {
        followed.clear();
        for (int row = 0; row < table.rowCount(); ++row)
            followed.emplace_back(table.index(row, qb::ResultsTableModel::sizeColumn), told[row]);
    });
    QObject::connect(&table, &QAbstractItemModel::layoutChanged, [&] {
        const std::vector<std::string> now = rows();
        for (const auto& [index, url] : followed) {
            if (index.isValid())
                EXPECT_EQ(urlAt(index.row()), url) << "a moved row's index follows its item";
            else
                EXPECT_EQ(std::count(now.begin(), now.end(), url), 0) << url << " is still shown";
        }
        told = now;
        ++layouts;
    });
    QObject::connect(&table, &QAbstractItemModel::modelReset, [&] {
        told = rows();
        ++resets;
    });
    // The model says what changed before the table does.
    bool resetDue = false;
    for (auto signal : {&qb::SearchModel::hitsChanged, &qb::SearchModel::filtersChanged,
                        &qb::SearchModel::sortOrderChanged})
        QObject::connect(&m(), signal, [&] {
            if (!resetDue) {
                EXPECT_EQ(rows(), told);
            }
        });
    auto expectTold = [&](int wantInserts, int wantLayouts, int wantResets) {
        EXPECT_EQ(told, listed());
        EXPECT_EQ(std::tie(inserts, layouts, resets),
                  std::tie(wantInserts, wantLayouts, wantResets));
        inserts = layouts = resets = 0;
    };

    // A search streams in: its first update fills the empty table, later ones insert runs.
    std::vector<qb::SearchHit> hits;
    for (int update = 0; update < 6; ++update) {
        auto more = scatteredHits(update * 20, update * 20 + 20);
        hits.insert(hits.end(), more.begin(), more.end());
        feed(hits);
    }
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(layouts, 0);
    EXPECT_GT(inserts, 30) << "newcomers sort among the rows, in many runs";
    expectTold(inserts, 0, 0);
    EXPECT_EQ(table.data(table.index(0, 0), qb::ResultsTableModel::MatchRangesRole)
                  .value<std::vector<qb::NameRange>>(),
              (std::vector<qb::NameRange>{{0, 4}}));

    m().setSortOrder({{qb::SortKey::byteCount, false}});
    expectTold(0, 1, 0);
    m().setFilters({qb::FileKindFilter::files});
    expectTold(0, 1, 0);
    auto more = scatteredHits(120, 160);
    hits.insert(hits.end(), more.begin(), more.end());
    feed(hits);
    EXPECT_EQ(layouts + resets, 0) << "a filtered list grows by rows too";
    expectTold(inserts, 0, 0);
    m().setFilters({});
    expectTold(0, 1, 0);

    // Newcomers falling between the rows in hundreds of places move in as one layout change.
    hits = scatteredHits(0, 1000);
    feed(hits);
    expectTold(inserts, 0, 0);
    hits = scatteredHits(0, 3000);
    feed(hits);
    expectTold(0, 1, 0);

    resetDue = true; // a new search
    feed({});
    expectTold(0, 0, 1);
    resetDue = false;
    feed(scatteredHits(0, 10));
    expectTold(1, 0, 0);

    qInstallMessageHandler(previous);
    EXPECT_TRUE(modelTesterComplaints.isEmpty()) << modelTesterComplaints.join('\n').toStdString();
}

TEST_F(ResultsTest, TheSelectionAndCurrentRowFollowTheirItemsThroughASortAFilterAndArrivals) {
    auto hits = scatteredHits(0, 40);
    feed(hits);
    w().resize(900, 500);
    QApplication::processEvents();
    const std::string chosen = hits[7].url, later = scatteredHits(46, 47)[0].url;
    ASSERT_FALSE(hits[7].isDirectory);
    m().setSelection({chosen, later}); // the second is not found yet
    view()->selectionModel()->setCurrentIndex(table()->index(rowOf(chosen), 0),
                                              QItemSelectionModel::NoUpdate);
    QSignalSpy resets(table(), &QAbstractItemModel::modelReset);
    auto shownSelected = [&] {
        std::set<std::string> urls;
        for (const QModelIndex& index : view()->selectionModel()->selectedRows())
            urls.insert(table()->hit(index.row())->url);
        return urls;
    };
    auto currentItem = [&] { return table()->hit(view()->currentIndex().row())->url; };
    EXPECT_EQ(shownSelected(), std::set<std::string>{chosen});

    auto more = scatteredHits(40, 80);
    hits.insert(hits.end(), more.begin(), more.end());
    feed(hits);
    EXPECT_EQ(shownSelected(), (std::set<std::string>{chosen, later})) << "it shows when found";
    EXPECT_EQ(currentItem(), chosen);

    view()->sortByColumn(qb::ResultsTableModel::sizeColumn, Qt::DescendingOrder);
    EXPECT_EQ(shownSelected(), (std::set<std::string>{chosen, later}));
    EXPECT_EQ(currentItem(), chosen);
    EXPECT_EQ(resets.count(), 0);

    // Folders hidden: a selected one leaves both selections; the file stays current.
    const std::string folder = hits[0].url; // item000 is a folder
    ASSERT_TRUE(hits[0].isDirectory);
    view()->selectionModel()->select(table()->index(rowOf(folder), 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(m().selection(), (std::set<std::string>{chosen, later, folder}));
    m().setFilters({qb::FileKindFilter::files});
    EXPECT_EQ(m().selection(), (std::set<std::string>{chosen, later}));
    EXPECT_EQ(shownSelected(), (std::set<std::string>{chosen, later}));
    EXPECT_EQ(currentItem(), chosen);

    // A click on another row is the whole new selection, in both.
    view()->selectionModel()->select(table()->index(0, 0), QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
    EXPECT_EQ(m().selection(), std::set<std::string>{table()->hit(0)->url});
    EXPECT_EQ(shownSelected(), std::set<std::string>{table()->hit(0)->url});
    EXPECT_EQ(resets.count(), 0);
}

// Everything selected, then a thousand rows falling in between: Qt would stretch its one
// selected range over them; only the items the model holds stay selected, and current.
TEST_F(ResultsTest, EverythingSelectedStaysThoseItemsWhenManyRowsComeInBetween) {
    feed(scatteredHits(0, 600));
    w();
    view()->setCurrentIndex(table()->index(5, 0));
    const std::string current = table()->hit(5)->url;
    view()->selectAll();
    const std::set<std::string> all = m().selection();
    ASSERT_EQ(all.size(), 600u);
    feed(scatteredHits(0, 2000));
    EXPECT_EQ(m().selection(), all);
    EXPECT_EQ(view()->selectionModel()->selectedRows().size(), 600);
    for (const QModelIndex& index : view()->selectionModel()->selectedRows())
        EXPECT_EQ(all.count(table()->hit(index.row())->url), 1u);
    EXPECT_EQ(table()->hit(view()->currentIndex().row())->url, current);
}
