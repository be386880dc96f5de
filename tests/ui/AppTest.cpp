#include "Fakes.h"
#include "TempTree.h"
#include "app/Appearance.h"
#include "app/LaunchArgs.h"
#include "app/QuillbrookApp.h"
#include "app/X11Activation.h"
#include "model/SearchModel.h"
#include "search/PathText.h"
#include "ui/Commands.h"
#include "ui/MainWindow.h"
#include "ui/SearchView.h"
#include "ui/desktop/DesktopServices.h"
#include "ui/results/ResultArea.h"
#include "ui/results/ResultsView.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace qbtest;

namespace {

class AppTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1); }
    void TearDown() override {
        app.reset();
        ::unsetenv("XDG_DATA_HOME");
    }
    qb::QuillbrookApp& a() {
        if (!app)
            app = std::make_unique<qb::QuillbrookApp>(prefs);
        return *app;
    }
    qb::SearchModel& m() { return a().model(); }
    QSize content() {
        QApplication::processEvents();
        return a().searchWindow()->centralWidget()->size();
    }
    QSize minimum() { return a().searchWindow()->centralWidget()->minimumSize(); }
    // The active search window after a search for the file, with the file selected.
    qb::MainWindow* windowWithSelected(const std::string& file) {
        m().setFolder(tree.root());
        m().setPattern("notes");
        qb::MainWindow* window = a().openSearchWindow();
        QApplication::setActiveWindow(window);
        if (!QTest::qWaitForWindowActive(window))
            return nullptr;
        QSignalSpy ended(&m(), &qb::SearchModel::searchEnded);
        m().search();
        if (!ended.wait(5000))
            return nullptr;
        m().setSelection({file});
        return window;
    }

    TempTree tree;
    MemoryPreferences prefs;
    std::unique_ptr<qb::QuillbrookApp> app;
};

} // namespace

TEST_F(AppTest, CommandsFollowThePatternAndTheFileOperation) {
    auto& c = a().commands();
    m().setPattern("(");
    EXPECT_FALSE(c.runSearch->isEnabled());
    EXPECT_FALSE(c.saveSearch->isEnabled());
    m().setPattern("(a)");
    EXPECT_TRUE(c.runSearch->isEnabled());
    EXPECT_TRUE(c.saveSearch->isEnabled());
    EXPECT_FALSE(c.stopSearch->isEnabled());

    EXPECT_EQ(c.undo->text(), "Undo");
    m().setUndoHistory({qb::FileUndoRecord{}});
    EXPECT_EQ(c.undo->text(), "Undo File Operation");
    const qb::FileUndoRecord renamed{"Renaming", {{"/d/b", {}, qb::FileUndoStep::Rename{"a"}}}};
    m().setUndoHistory({renamed});
    m().setRedoHistory({renamed});
    EXPECT_EQ(c.undo->text(), "Undo Rename");
    EXPECT_EQ(c.redo->text(), "Redo Rename");
    m().setFileActionRunning(true);
    EXPECT_FALSE(c.undo->isEnabled());
    EXPECT_FALSE(c.redo->isEnabled());
    m().setFileActionRunning(false);
    EXPECT_TRUE(c.undo->isEnabled());
}

TEST_F(AppTest, EachLayoutHasItsContentSizes) {
    a().openSearchWindow();
    EXPECT_EQ(content(), QSize(940, 650));
    m().setLayout(qb::WindowLayout::workspace);
    EXPECT_EQ(content(), QSize(1120, 700));
    EXPECT_EQ(minimum(), QSize(940, 450));
    m().setLayout(qb::WindowLayout::focused);
    EXPECT_EQ(content(), QSize(940, 650));
    EXPECT_EQ(minimum(), QSize(700, 450));
}

TEST_F(AppTest, CompactGrowsOnSearchAndShrinksOnANewFolder) {
    tree.file("a.txt");
    m().setFolder(tree.root());
    a().openSearchWindow();
    m().setLayout(qb::WindowLayout::compact);
    EXPECT_EQ(content(), QSize(740, 300));
    EXPECT_EQ(minimum(), QSize(700, 260));
    m().setPattern("a");
    QSignalSpy ended(&m(), &qb::SearchModel::searchEnded);
    m().search();
    EXPECT_EQ(content(), QSize(740, 570));
    ASSERT_TRUE(ended.wait(5000));
    m().setFolder(tree.dir("sub"));
    EXPECT_EQ(content(), QSize(740, 300));
}

TEST_F(AppTest, LaunchUrlsReachTheModelWithOrWithoutAWindow) {
    const std::string first = tree.dir("one two#&+%");
    const std::string second = tree.dir("zwei\xff");
    qb::MainWindow* window = a().openSearchWindow();
    a().receive(qb::launchUrlForFolder(first));
    EXPECT_EQ(a().searchWindow(), window);
    EXPECT_EQ(m().folder(), first);

    window->close();
    QTRY_VERIFY(!a().searchWindow());
    a().receive(qb::launchUrlForFolder(second));
    ASSERT_TRUE(a().searchWindow());
    EXPECT_TRUE(a().searchWindow()->isVisible());
    EXPECT_EQ(m().folder(), second);

    a().receive("https://example.org/?folder=/tmp"); // not ours: ignored
    EXPECT_EQ(m().folder(), second);
}

TEST_F(AppTest, TheCommandLineBecomesLaunchUrls) {
    const std::string root = tree.dir("x y");
    tree.file("x y/notes.txt");
    const QString url = qb::launchUrlForFolder(root);
    // Relative to the working folder; a file stands for its folder, as in the file managers.
    auto args = qb::parseLaunchArgs({"quillbrook", "--folder", "rel/../x y", "--folder",
                                     "x y/notes.txt", "quillbrook://search"},
                                    tree.root());
    EXPECT_TRUE(args.error.isEmpty());
    EXPECT_EQ(args.urls, QStringList({url, url, "quillbrook://search"}));
    EXPECT_TRUE(url.endsWith("/x%20y"));
    auto items =
        qb::parseLaunchArgs({"quillbrook", "--items", "x y", "x y/notes.txt"}, tree.root());
    EXPECT_EQ(items.urls, QStringList({qb::launchUrlForFolder(tree.root())}));
    for (auto argv : std::vector<std::vector<std::string>>{{"quillbrook", "--folder"},
                                                           {"quillbrook", "--folder", ""},
                                                           {"quillbrook", "--items", ""},
                                                           {"quillbrook", "--items", "a", ""},
                                                           {"quillbrook", "--bogus"}})
        EXPECT_FALSE(qb::parseLaunchArgs(argv, "/").error.isEmpty()) << argv.back();
}

TEST_F(AppTest, DarkAndLightRestyleEveryWindowAndSystemRestoresThePlatform) {
    const QPalette platform = QApplication::palette();
    a().openSearchWindow();
    a().openSettings();
    m().setAppearance(qb::AppearanceMode::dark);
    QApplication::processEvents();
    EXPECT_LT(a().settingsWindow()->palette().color(QPalette::Window).lightness(), 128);
    EXPECT_LT(a().searchWindow()->palette().color(QPalette::Window).lightness(), 128);
    // The desktop's highlight colour is kept.
    EXPECT_EQ(QApplication::palette().color(QPalette::Highlight),
              platform.color(QPalette::Highlight));
    m().setAppearance(qb::AppearanceMode::light);
    QApplication::processEvents();
    EXPECT_GT(a().searchWindow()->palette().color(QPalette::Window).lightness(), 128);
    m().setAppearance(qb::AppearanceMode::system);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), platform.color(QPalette::Window));
    // A desktop that prefers dark turns the system appearance dark.
    a().appearance().setDesktopColorScheme(1);
    EXPECT_TRUE(a().appearance().darkActive());
    a().appearance().setDesktopColorScheme(0);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), platform.color(QPalette::Window));
}

TEST_F(AppTest, DuplicateAndTrashKeysLeaveItemsAloneWhileThePatternIsEdited) {
    const std::string file = tree.file("notes.txt", "x");
    qb::MainWindow* window = windowWithSelected(file);
    ASSERT_TRUE(window);
    QLineEdit* field = window->view()->patternField();
    field->setFocus();
    QTRY_VERIFY(m().editingPattern());
    for (auto key : {QKeyCombination(Qt::CTRL, Qt::Key_D), QKeyCombination(Qt::Key_Delete)}) {
        QTest::keyClick(field, key.key(), key.keyboardModifiers());
        EXPECT_FALSE(m().fileActionRunning());
    }
    EXPECT_EQ(TempTree::list(tree.root()), std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(field->text(), "notes");

    // From the results, the same key duplicates.
    window->view()->resultArea()->resultsView()->setFocus();
    QTRY_VERIFY(!m().editingPattern());
    QSignalSpy done(&m(), &qb::SearchModel::fileActionEnded);
    QTest::keyClick(window->view()->resultArea()->resultsView(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_TRUE(m().fileActionRunning());
    ASSERT_TRUE(done.wait(10000));
    EXPECT_EQ(TempTree::list(tree.root()).size(), 2u);
}

TEST_F(AppTest, F10OpensTheMenuBarAndShiftF10TheFocusedControlsMenu) {
    const std::string file = tree.file("notes.txt", "x");
    qb::MainWindow* window = windowWithSelected(file);
    ASSERT_TRUE(window);
    auto* results = window->view()->resultArea()->resultsView();
    results->setFocus();

    QTest::keyClick(results, Qt::Key_F10);
    ASSERT_FALSE(window->menuBar()->actions().isEmpty());
    EXPECT_EQ(window->menuBar()->activeAction(), window->menuBar()->actions().constFirst());
    window->menuBar()->setActiveAction(nullptr);

    results->setFocus();
    QTest::keyClick(results, Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu) << "the item menu opens at the current row";
    EXPECT_EQ(menu->actions().constFirst()->text(), "Open");
    menu->close();
}

TEST(StartupId, CarriesTheTimeOfTheUsersAction) {
    EXPECT_EQ(qb::startupTime("gnome-shell/quillbrook/1234-0-host_TIME98765"), 98765u);
    EXPECT_EQ(qb::startupTime("a_TIME1_TIME4294967295"), 4294967295u) << "the last one counts";
    for (const char* id : {"", "no-time", "x_TIME", "x_TIME0", "x_TIME-5", "x_TIME+5", "x_TIME12ab",
                           "x_TIME4294967296"})
        EXPECT_EQ(qb::startupTime(id), std::nullopt) << id;
}

TEST(ChosenFolder, NamesThatAreNotUtf8AreFoundAgainByTheirBytes) {
    TempTree tree;
    const std::string latin1 = tree.dir("caf\xE9/sub");
    tree.dir("a\xE9");
    tree.dir("a\xE8"); // decodes to the same text as the one above
    const auto chosen = [](const std::string& path) {
        return qb::chosenPathBytes(QFile::decodeName(QByteArray::fromStdString(path)));
    };
    EXPECT_EQ(chosen(latin1), latin1);
    EXPECT_EQ(chosen(tree.root()), tree.root());
    EXPECT_EQ(chosen(tree.path("a\xE9")), tree.root() + "/a\xEF\xBF\xBD")
        << "two names read the same: the path cannot be known, and is not guessed";
}
