// Planning and carrying out a rename of 20,000 items in one folder, beside a bare loop of
// renameat2 calls over the same names in the same folder.

#include "fileops/FileActions.h"
#include "search/PathText.h"
#include "search/RenamePlanner.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdio.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kItems = 20000;

std::string oldName(int i) {
    return "photo " + std::to_string(i) + ".jpeg";
}
std::string newName(int i) {
    return std::to_string(i) + " photo.jpg";
}

// One folder of kItems empty files under their old names, made once per process.
const std::string& folder() {
    static const std::string root = [] {
        std::string r = "/tmp/qb-rename-bench-" + std::to_string(::getpid());
        ::mkdir(r.c_str(), 0755);
        for (int i = 0; i < kItems; ++i)
            ::close(::open((r + "/" + oldName(i)).c_str(), O_CREAT | O_WRONLY, 0644));
        return r;
    }();
    return root;
}

std::vector<std::string> items() {
    std::vector<std::string> out;
    for (int i = 0; i < kItems; ++i)
        out.push_back(qb::joinPath(folder(), oldName(i)));
    return out;
}

void BM_Plan20000Names(benchmark::State& state) {
    const auto paths = items();
    const qb::RenameRules rules{"^photo (\\d+)\\.jpeg$", "$1 photo.jpg", false, true};
    size_t renamed = 0;
    for (auto _ : state)
        renamed = qb::planRenames(rules, paths).renamed;
    state.counters["renamed"] = double(renamed);
}

// Without the file system: the pattern, the replacement and the checks among the batch.
void BM_Plan20000NamesInMemory(benchmark::State& state) {
    const auto paths = items();
    const qb::RenameRules rules{"^photo (\\d+)\\.jpeg$", "$1 photo.jpg", false, true};
    size_t renamed = 0;
    for (auto _ : state)
        renamed = qb::planRenames(rules, paths, [](const std::string&) { return false; }).renamed;
    state.counters["renamed"] = double(renamed);
}

// Each iteration renames every item there and back, so the folder ends as it began.
void BM_RenameAll20000(benchmark::State& state) {
    std::vector<qb::FileActions::RenameRequest> forth, back;
    for (int i = 0; i < kItems; ++i) {
        forth.push_back({qb::joinPath(folder(), oldName(i)), newName(i)});
        back.push_back({qb::joinPath(folder(), newName(i)), oldName(i)});
    }
    for (auto _ : state) {
        if (!qb::FileActions::renameAll(forth).failures.empty() ||
            !qb::FileActions::renameAll(back).failures.empty())
            state.SkipWithError("rename failed");
    }
}

void BM_BareRenameat2Loop20000(benchmark::State& state) {
    std::vector<std::string> olds, news;
    for (int i = 0; i < kItems; ++i)
        olds.push_back(oldName(i)), news.push_back(newName(i));
    const int dir = ::open(folder().c_str(), O_RDONLY | O_DIRECTORY);
    for (auto _ : state) {
        for (int i = 0; i < kItems; ++i)
            ::renameat2(dir, olds[i].c_str(), dir, news[i].c_str(), RENAME_NOREPLACE);
        for (int i = 0; i < kItems; ++i)
            ::renameat2(dir, news[i].c_str(), dir, olds[i].c_str(), RENAME_NOREPLACE);
    }
    ::close(dir);
}

// Every item takes the next one's name: one cycle of 20,000, through one temporary name.
void BM_RenameAllOneCycle20000(benchmark::State& state) {
    std::vector<qb::FileActions::RenameRequest> shift;
    for (int i = 0; i < kItems; ++i)
        shift.push_back({qb::joinPath(folder(), oldName(i)), oldName((i + 1) % kItems)});
    for (auto _ : state) {
        if (!qb::FileActions::renameAll(shift).failures.empty())
            state.SkipWithError("rename failed");
    }
}

} // namespace

BENCHMARK(BM_Plan20000Names)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plan20000NamesInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareRenameat2Loop20000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RenameAll20000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_BareRenameat2Loop20000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RenameAllOneCycle20000)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The folder holds only empty files of this process.
    for (int i = 0; i < kItems; ++i)
        ::unlink((folder() + "/" + oldName(i)).c_str());
    ::rmdir(folder().c_str());
    return 0;
}
