// The GUI thread's share of a search: applying a 20,000-hit update and ordering it by name;
// and of a file command: dropping the hits of 20,000 removed items and pruning the selection.

#include "model/SearchModel.h"
#include "search/HitOrdering.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <benchmark/benchmark.h>
#include <chrono>
#include <random>
#include <set>

namespace {

class NullDesktop : public qb::Desktop {
public:
    void chooseFolder(const qb::FolderPanel&,
                      std::function<void(std::optional<std::string>)>) override {}
    void askName(const qb::NameDialog&, std::function<void(std::optional<QString>)>) override {}
    void setClipboardText(const QString&) override {}
    void openItem(const std::string&) override {}
    void showPreview(const std::vector<std::string>&) override {}
    void raiseApplication() override {}
    bool isEditingText() override { return false; }
    void undoTextEditing(bool) override {}
    std::vector<qb::ApplicationEntry> applicationsFor(const std::string&, bool) override {
        return {};
    }
    void openWith(const std::vector<std::string>&, const std::string&,
                  std::function<void(std::optional<QString>)>) override {}
    void chooseApplication(std::function<void(std::optional<std::string>)>) override {}
};

class NullStore : public qb::PreferencesStore {
public:
    std::optional<bool> boolean(const QString&) const override { return {}; }
    std::optional<QString> text(const QString&) const override { return {}; }
    std::optional<std::string> path(const QString&) const override { return {}; }
    std::optional<std::vector<std::string>> paths(const QString&) const override { return {}; }
    std::optional<QByteArray> data(const QString&) const override { return {}; }
    void setBoolean(const QString&, bool) override {}
    void setText(const QString&, const QString&) override {}
    void setPath(const QString&, const std::string&) override {}
    void setPaths(const QString&, const std::vector<std::string>&) override {}
    void setData(const QString&, const QByteArray&, bool) override {}
};

qb::SearchUpdate bigUpdate() {
    const char* words[] = {"report", "Invoice", "photo",  "holiday",
                           "draft",  "café",    "résumé", "notes"};
    std::mt19937 rng(3);
    std::vector<qb::SearchHit> hits;
    for (int i = 0; i < 20000; ++i) {
        qb::SearchHit h;
        h.url = "/home/user/folder" + std::to_string(i % 400) + "/" + words[rng() % 8] + " " +
                words[rng() % 8] + " " + std::to_string(rng() % 5000) + ".pdf";
        h.kind = "PDF document";
        h.contentTypeIdentifier = "application/pdf";
        h.nameKey = qb::collationKey(h.name()); // as the engine fills it
        hits.push_back(std::move(h));
    }
    return {qb::HitList::fromVector(std::move(hits)), 200000, 0, true};
}

void BM_ApplyAndOrder(benchmark::State& state) {
    NullDesktop desktop;
    NullStore store;
    qb::SearchModel model(store, desktop);
    const qb::SearchUpdate update = bigUpdate();
    for (auto _ : state) {
        model.cancel(); // a new search each time: the whole list is ordered
        model.apply(update, model.generation());
        benchmark::DoNotOptimize(model.orderedHits().data());
    }
}

// One search streaming its 20,000 hits in 20 growing updates, ordered after each as the
// window does: the earlier hits keep their order and only the newcomers are merged in.
void BM_StreamAndOrder(benchmark::State& state) {
    NullDesktop desktop;
    NullStore store;
    qb::SearchModel model(store, desktop);
    const qb::SearchUpdate whole = bigUpdate();
    const auto hits = whole.hits.toVector();
    std::vector<qb::SearchUpdate> updates;
    for (size_t n = 1000; n <= hits.size(); n += 1000)
        updates.push_back(
            {qb::HitList::fromVector({hits.begin(), hits.begin() + std::ptrdiff_t(n)}), int64_t(n),
             0, false});
    for (auto _ : state) {
        model.cancel();
        for (const auto& update : updates) {
            model.apply(update, model.generation());
            benchmark::DoNotOptimize(model.orderedHits().data());
        }
    }
}

// Trashing every selected hit of a 20,000-hit search (goal: under 15 ms): the time the GUI
// thread is held once the worker's result has arrived, until the hits and the selection are
// patched.
void BM_DropRemovedHits(benchmark::State& state) {
    using Steady = std::chrono::steady_clock;
    NullDesktop desktop;
    NullStore store;
    qb::SearchModel model(store, desktop);
    const qb::SearchUpdate update = bigUpdate();
    qb::FileActionResult result;
    std::set<std::string> selection;
    for (const qb::SearchHit& hit : update.hits) {
        result.removed.push_back(hit.url);
        selection.insert(hit.url);
    }
    Steady::time_point arrived, applied;
    QEventLoop loop;
    // The result's handler first clears the running flag, and signals the end last.
    QObject::connect(&model, &qb::SearchModel::fileActionRunningChanged, [&] {
        if (!model.fileActionRunning())
            arrived = Steady::now();
    });
    QObject::connect(&model, &qb::SearchModel::fileActionEnded, [&] {
        applied = Steady::now();
        loop.quit();
    });
    for (auto _ : state) {
        model.apply(update, model.generation());
        model.setSelection(selection);
        model.performFileAction("Moving to Trash\u2026", false, [&result] { return result; });
        loop.exec();
        if (!model.hits().empty() || !model.selection().empty())
            state.SkipWithError("the hits were not dropped");
        state.SetIterationTime(std::chrono::duration<double>(applied - arrived).count());
    }
}

} // namespace

BENCHMARK(BM_ApplyAndOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamAndOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropRemovedHits)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
