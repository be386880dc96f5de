// Names are text wherever the window shows them: a tree of hostile names is searched, selected
// and shown in every view and menu, and every text that carries one must read as the name.

#include "Fakes.h"
#include "TempTree.h"
#include "app/QuillbrookApp.h"
#include "model/SearchModel.h"
#include "search/PathText.h"
#include "ui/MainWindow.h"
#include "ui/SearchView.h"
#include "ui/results/ResultArea.h"
#include "ui/results/ResultsView.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace qbtest;

namespace {

// Notices any open of a FIFO: a reader's open blocks until a writer comes, so the watcher's
// non-blocking open for writing succeeds exactly while someone reads, and lets the reader go.
class FifoWatch {
public:
    explicit FifoWatch(std::string path) : m_path(std::move(path)) {
        ::mkfifo(m_path.c_str(), 0600);
        m_thread = std::thread([this] {
            while (!m_stop) {
                const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    ++opened;
                    ::close(fd);
                }
                ::usleep(1000);
            }
        });
    }
    ~FifoWatch() {
        m_stop = true;
        m_thread.join();
    }
    std::atomic<int> opened{0};

private:
    std::string m_path;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// What a rich-text guess makes of a text: Qt renders it as HTML when it looks like markup.
// Images and emphasis in it are faults of their own.
QString rendered(const QString& text, bool* markup = nullptr) {
    if (!Qt::mightBeRichText(text))
        return text;
    QTextDocument doc;
    doc.setHtml(text);
    for (QTextBlock b = doc.begin(); b != doc.end(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (markup && (f.isImageFormat() || f.fontWeight() > QFont::Normal || f.fontItalic() ||
                           f.isAnchor()))
                *markup = true;
        }
    QString plain = doc.toPlainText();
    return plain.replace(QChar::LineSeparator, '\n').replace(QChar::ParagraphSeparator, '\n');
}

// The text of an action, menu or button as shown: "&&" is one '&', a lone '&' marks a key.
QString withoutMnemonic(const QString& text, bool* mnemonic) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            if (text[i + 1] != '&')
                *mnemonic = true;
            ++i;
        }
        out += text[i];
    }
    return out;
}

class HostileNamesTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1); }
    void TearDown() override {
        app.reset();
        ::unsetenv("XDG_DATA_HOME");
    }

    TempTree tree;
    MemoryPreferences prefs;
    std::unique_ptr<qb::QuillbrookApp> app;
};

} // namespace

TEST_F(HostileNamesTest, EveryTextShowingANameReadsAsTheNameAndLoadsNothing) {
    // Each hostile name carries a marker "QQn"; wherever a marker is shown, the whole name
    // must be shown with it, as the text it is.
    FifoWatch fifo(tree.path("fifo"));
    const std::string base = tree.dir("<b>QQ1 & <i>Italic");
    // A folder path that reads ".../QQ2<img src=/ROOT/fifo>": the image would be the FIFO.
    const std::string image = base + "/QQ2<img src=" + tree.path("fifo") + ">";
    tree.dir(image.substr(tree.root().size() + 1));
    const std::vector<std::string> names = {
        "R&D QQ3 hit.txt",
        "a%2b %1 QQ4 hit.txt",
        "new\nline QQ5 hit.txt",
        "\u202EQQ6 hit.txt",
        std::string(243, 'x') + " QQ7 hit.txt", // 255 bytes
        "caf\xE9 QQ8 hit.txt",
        "bracket[*] QQ9 hit.txt",
    };
    std::vector<std::string> files;
    for (const std::string& n : names)
        files.push_back(tree.file(base.substr(tree.root().size() + 1) + "/" + n, "text"));
    files.push_back(tree.file(image.substr(tree.root().size() + 1) + "/QQ10 hit.txt", "x"));

    std::map<QString, QString> expected; // marker -> the name as the window shows it
    auto expect = [&](std::string_view bytes) {
        const QString shown = QString::fromStdString(qb::toValidUtf8(bytes));
        const QRegularExpressionMatch m = QRegularExpression("QQ\\d+").match(shown);
        ASSERT_TRUE(m.hasMatch());
        expected[m.captured()] = shown;
    };
    expect("<b>QQ1 & <i>Italic");
    expect("QQ2<img src=");
    for (const std::string& n : names)
        expect(n);
    expect("QQ10 hit.txt");
    expect("<b>QQ11</b> & Co");
    expect("hit|<i>QQ12");

    app = std::make_unique<qb::QuillbrookApp>(prefs);
    qb::SearchModel& m = app->model();
    m.setLayout(qb::WindowLayout::workspace);
    m.setFolder(base);
    m.setRecursive(true);
    m.setPattern("hit|<i>QQ12");
    m.setSavedSearches({qb::SavedSearch{QUuid::createUuid(), "<b>QQ11</b> & Co", base,
                                        "hit|<i>QQ12", true, false, false, false}});
    qb::MainWindow* window = app->openSearchWindow();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QSignalSpy ended(&m, &qb::SearchModel::searchEnded);
    m.search();
    ASSERT_TRUE(ended.wait(10000));
    ASSERT_EQ(m.hits().size(), files.size());
    // The name with "%2" first, so the preview's title carries it.
    std::vector<std::string> items = {files[1]};
    for (const std::string& f : files)
        if (f != files[1])
            items.push_back(f);
    m.setSelection(std::set<std::string>(files.begin(), files.end()));
    m.setInfoURLs(items);
    m.setShowInfo(true);
    m.quickLook(items);
    QTest::qWait(300);

    // Every menu, as the user opens them.
    auto openMenu = [](QMenu* menu) {
        menu->popup(QPoint(10, 10));
        QApplication::processEvents();
        for (QAction* a : menu->actions())
            if (a->menu()) {
                a->menu()->popup(QPoint(20, 20));
                QApplication::processEvents();
            }
    };
    for (QAction* a : window->menuBar()->actions())
        if (a->menu())
            openMenu(a->menu());
    auto* results = window->view()->resultArea()->resultsView();
    results->setFocus();
    QTest::keyClick(results, Qt::Key_F10, Qt::ShiftModifier);
    if (auto* itemMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        openMenu(itemMenu);
    for (QMenu* menu : window->findChildren<QMenu*>())
        openMenu(menu);
    QApplication::processEvents();

    std::vector<std::string> faults;
    auto check = [&](const QString& where, const QString& shown) {
        QRegularExpressionMatchIterator it = QRegularExpression("QQ\\d+").globalMatch(shown);
        while (it.hasNext()) {
            const QString marker = it.next().captured();
            auto e = expected.find(marker);
            if (e == expected.end() || !shown.contains(e->second))
                faults.push_back((where + ": " + shown).toStdString());
        }
    };
    auto checkTip = [&](const QString& where, const QString& tip) {
        bool markup = false;
        const QString shown = rendered(tip, &markup);
        if (markup)
            faults.push_back((where + " is markup: " + tip).toStdString());
        check(where, shown);
        if (shown.contains("QQ")) // show it, as hovering would
            QToolTip::showText(QPoint(5, 5), tip, nullptr);
    };
    auto checkAction = [&](const QString& where, const QString& text) {
        bool mnemonic = false;
        const QString shown = withoutMnemonic(text, &mnemonic);
        if (mnemonic && shown.contains("QQ"))
            faults.push_back((where + " has a mnemonic: " + text).toStdString());
        check(where, shown);
    };

    int labelsWithNames = 0;
    for (QWidget* w : QApplication::allWidgets()) {
        const QString name = w->metaObject()->className() + QStringLiteral(" ") + w->objectName();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            bool markup = false;
            const QString shown = label->textFormat() == Qt::PlainText
                                      ? label->text()
                                      : rendered(label->text(), &markup);
            if (markup)
                faults.push_back(("label is markup: " + label->text()).toStdString());
            check(name, shown);
            labelsWithNames += shown.contains("QQ");
        }
        checkTip(name + " tooltip", w->toolTip());
        if (w->isWindow()) {
            // The title as the window system gets it.
            QString title = w->windowTitle();
            title.replace("[*][*]", QChar(0xE000)).remove("[*]").replace(QChar(0xE000), "[*]");
            check(name + " title", title);
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            checkAction(name + " button", button->text());
            if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button))
                check(name + " accessible name", a->text(QAccessible::Name));
        }
        if (auto* menu = qobject_cast<QMenu*>(w))
            checkAction(name + " menu title", menu->title());
        for (QAction* a : w->actions()) {
            checkAction("action", a->text());
            checkTip("action tooltip", a->toolTip());
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model()) {
            QAbstractItemModel* model = view->model();
            std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
                for (int r = 0; r < model->rowCount(parent); ++r)
                    for (int c = 0; c < model->columnCount(parent); ++c) {
                        const QModelIndex i = model->index(r, c, parent);
                        check(name + " item", i.data(Qt::DisplayRole).toString());
                        checkTip(name + " item tooltip", i.data(Qt::ToolTipRole).toString());
                        walk(i);
                    }
            };
            walk({});
        }
    }
    QApplication::processEvents();
    QToolTip::hideText();
    for (const std::string& f : faults)
        ADD_FAILURE() << f;
    EXPECT_GT(labelsWithNames, 3) << "the status path, the info sheet and the preview show names";
    EXPECT_EQ(fifo.opened.load(), 0) << "something the window showed read the FIFO";
}
