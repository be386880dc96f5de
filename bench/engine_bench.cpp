// Engine throughput on a generated tree, and filtering and sorting a full hit list.

#include "search/HitOrdering.h"
#include "search/ResultFilters.h"
#include "search/SearchEngine.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* kWords[] = {"report", "invoice", "photo", "Holiday", "draft", "final", "budget",
                        "notes",  "scan",    "café",  "résumé",  "track", "video", "东京"};
const char* kExts[] = {".pdf", ".txt", ".jpg", ".png", ".md", ".mp3", ".zip", ""};

std::string name(std::mt19937& rng, int i) {
    std::string n = kWords[rng() % 14];
    n += rng() % 2 ? " " : "_";
    n += kWords[rng() % 14];
    n += " " + std::to_string(i);
    return n;
}

// About 60,000 items: 2,000 folders of 30 files each, four levels deep.
const std::string& tree() {
    static const std::string root = [] {
        std::string r = "/tmp/qb-bench-tree";
        struct stat st {};
        if (::stat((r + "/.complete").c_str(), &st) == 0)
            return r;
        ::mkdir(r.c_str(), 0755);
        std::mt19937 rng(7);
        int item = 0;
        for (int a = 0; a < 10; ++a) {
            std::string da = r + "/" + name(rng, item++);
            ::mkdir(da.c_str(), 0755);
            for (int b = 0; b < 200; ++b) {
                std::string db = da + "/" + name(rng, item++);
                ::mkdir(db.c_str(), 0755);
                for (int f = 0; f < 30; ++f) {
                    std::string p = db + "/" + name(rng, item++) + kExts[rng() % 8];
                    ::close(::open(p.c_str(), O_CREAT | O_WRONLY, 0644));
                }
            }
        }
        ::close(::open((r + "/.complete").c_str(), O_CREAT | O_WRONLY, 0644));
        return r;
    }();
    return root;
}

void runEngine(benchmark::State& state, const char* pattern, bool fullPath) {
    qb::SearchOptions o;
    o.folder = tree();
    o.pattern = pattern;
    o.fullPath = fullPath;
    int64_t scanned = 0, hits = 0;
    for (auto _ : state) {
        qb::SearchEngine::run(o, [&](const qb::SearchUpdate& u) {
            scanned = u.scanned;
            hits = int64_t(u.hits.size());
        });
    }
    state.SetItemsProcessed(state.iterations() * scanned);
    state.counters["hits"] = double(hits);
}

void BM_EngineNameFewHits(benchmark::State& s) {
    runEngine(s, "budget.*holiday 1", false);
}
void BM_EngineFullPathFewHits(benchmark::State& s) {
    runEngine(s, "budget.*holiday 1", true);
}
void BM_EngineManyHits(benchmark::State& s) {
    runEngine(s, "o", false);
} // stops at 20,000

std::vector<qb::SearchHit> syntheticHits() {
    std::mt19937 rng(11);
    std::vector<qb::SearchHit> hits;
    const char* kinds[] = {"PDF document", "PNG image", "plain text document", "Folder"};
    for (int i = 0; i < 20000; ++i) {
        qb::SearchHit h;
        h.url = "/home/user/folder" + std::to_string(i % 300) + "/" + name(rng, i);
        h.kind = kinds[rng() % 4];
        h.isDirectory = h.kind == "Folder";
        h.byteCount = rng() % 200'000'000;
        h.modified = qb::Clock::now() - std::chrono::hours(rng() % 2000);
        h.contentTypeIdentifier = h.isDirectory ? "inode/directory" : "application/pdf";
        hits.push_back(std::move(h));
    }
    return hits;
}

void BM_FilterAndSort(benchmark::State& state) {
    static const auto hits = syntheticHits();
    auto key = static_cast<qb::SortKey>(state.range(0));
    qb::ResultFilters filters{qb::FileKindFilter::files, qb::FileSizeFilter::any,
                              qb::ModifiedFilter::month};
    for (auto _ : state) {
        std::vector<const qb::SearchHit*> kept;
        kept.reserve(hits.size());
        for (const auto& h : hits)
            if (filters.matches(h, qb::Clock::now()))
                kept.push_back(&h);
        qb::sortHits(kept, {{key, true}});
        benchmark::DoNotOptimize(kept.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(hits.size()));
}

} // namespace

BENCHMARK(BM_EngineNameFewHits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineFullPathFewHits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineManyHits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterAndSort)
    ->ArgName("key")
    ->Arg(int(qb::SortKey::name))
    ->Arg(int(qb::SortKey::kind))
    ->Arg(int(qb::SortKey::byteCount))
    ->Arg(int(qb::SortKey::parentPath))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
