#pragma once

#include "Fakes.h"
#include "TempTree.h"
#include "model/SearchModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace qbtest {

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1); }
    void TearDown() override {
        model.reset();
        ::unsetenv("XDG_DATA_HOME");
    }

    qb::SearchModel& make() {
        model = std::make_unique<qb::SearchModel>(prefs, desktop);
        return *model;
    }
    qb::SearchModel& m() { return model ? *model : make(); }

    // Runs a search to its end.
    void searchAndWait() {
        QSignalSpy ended(&m(), &qb::SearchModel::searchEnded);
        m().search();
        ASSERT_TRUE(m().running());
        ASSERT_TRUE(ended.wait(10000));
    }
    void waitForFileAction() {
        QSignalSpy ended(&m(), &qb::SearchModel::fileActionEnded);
        ASSERT_TRUE(m().fileActionRunning());
        ASSERT_TRUE(ended.wait(10000));
    }

    static qb::SearchHit hit(std::string url, std::string type = "public.data") {
        qb::SearchHit h;
        h.url = std::move(url);
        h.contentTypeIdentifier = std::move(type);
        h.kind = "File";
        return h;
    }
    void feed(std::vector<qb::SearchHit> hits) {
        m().apply({qb::HitList::fromVector(std::move(hits)), 10, 0, false}, m().generation());
    }

    TempTree tree;
    FakeDesktop desktop;
    MemoryPreferences prefs;
    std::unique_ptr<qb::SearchModel> model;
};

} // namespace qbtest
