#pragma once
// A real search window on a model with a fake desktop, shown offscreen.

#include "Fakes.h"
#include "TempTree.h"
#include "model/SearchModel.h"
#include "search/HitOrdering.h"
#include "ui/Commands.h"
#include "ui/MainWindow.h"
#include "ui/SearchView.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace qbtest {

class WindowTest : public ::testing::Test {
public:
    void SetUp() override { ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1); }
    void TearDown() override {
        window.reset();
        commands.reset();
        model.reset();
        ::unsetenv("XDG_DATA_HOME");
    }

    qb::SearchModel& m() {
        if (!model)
            model = std::make_unique<qb::SearchModel>(prefs, desktop);
        return *model;
    }
    qb::MainWindow& w() {
        if (!window) {
            commands = std::make_unique<qb::Commands>(m(), qb::Commands::Hooks{});
            window = std::make_unique<qb::MainWindow>(m(), *commands);
            window->setAttribute(Qt::WA_DeleteOnClose, false);
            window->show();
            m().attachWindow(window->handle());
            QApplication::setActiveWindow(window.get());
            EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        }
        return *window;
    }
    QLineEdit* field() { return w().view()->patternField(); }
    template <typename T = QWidget> T* child(const char* name) {
        return w().findChild<T*>(QLatin1String(name));
    }
    QString label(const char* name) { return child<QLabel>(name)->text(); }
    bool shown(const char* name) { return child<QWidget>(name)->isVisible(); }

    void searchAndWait() {
        QSignalSpy ended(&m(), &qb::SearchModel::searchEnded);
        m().search();
        ASSERT_TRUE(ended.wait(10000));
    }
    void feed(std::vector<qb::SearchHit> hits, int64_t scanned = 10) {
        m().apply({qb::HitList::fromVector(std::move(hits)), scanned, 0, false}, m().generation());
    }
    static qb::SearchHit hit(std::string url, bool folder = false) {
        qb::SearchHit h;
        h.url = std::move(url);
        h.isDirectory = folder;
        h.kind = folder ? "Folder" : "File";
        h.contentTypeIdentifier = folder ? "inode/directory" : "text/plain";
        h.nameKey = qb::collationKey(h.name());
        return h;
    }

    TempTree tree;
    FakeDesktop desktop;
    MemoryPreferences prefs;
    std::unique_ptr<qb::SearchModel> model;
    std::unique_ptr<qb::Commands> commands;
    std::unique_ptr<qb::MainWindow> window;
};

} // namespace qbtest
