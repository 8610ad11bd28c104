#include <benchmark/benchmark.h>

#include "app/text_table.h"

namespace {

// Building a window looks up every label; most lookups stay in the group of the previous one.
void BM_LocalTextSameGroup(benchmark::State& state) {
    LoadTextTable();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LocalText("Preferences", "Bottom-Right"));
        benchmark::DoNotOptimize(LocalText("Preferences", "Catmullrom"));
    }
}
BENCHMARK(BM_LocalTextSameGroup);

void BM_LocalTextAlternatingGroups(benchmark::State& state) {
    LoadTextTable();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LocalText("Uninstall", "Next"));
        benchmark::DoNotOptimize(LocalText("Menu", "Exit"));
    }
}
BENCHMARK(BM_LocalTextAlternatingGroups);

void BM_LoadTextTable(benchmark::State& state) {
    for (auto _ : state) {
        LoadTextTable();
    }
}
BENCHMARK(BM_LoadTextTable);

}  // namespace
