// The online view's responsiveness on the example projects: one step click with its
// search (a mix of steps, and the worst case of a minute step across the night), and
// a restart on a target that never sees the sun (a year of 10-minute instants).

#include "project/ProjectFile.h"
#include "simulation/OnlineSession.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

using namespace penumbro;

Lines example(const char* name) {
    return loadProjectFile(std::string(PENUMBRO_SOURCE_DIR) + "/examples/" + name).lines;
}

struct Started {
    TSimParameter p;
    OnlineSession session;
    explicit Started(const Lines& text) {
        session.compile(text, "example.dat", p, Language::English);
        session.NeuStart();
    }
};

void stepClicks(benchmark::State& state, const char* name) {
    Started s(example(name));
    const OnlineStep steps[] = {OnlineStep::MinuteOn, OnlineStep::HourOn,        OnlineStep::DayOn,
                                OnlineStep::MonthOn,  OnlineStep::TenMinutesBack, OnlineStep::HourBack};
    std::size_t i = 0;
    for (auto _ : state) {
        s.session.SpeedButtonWeiterClick(steps[i++ % std::size(steps)]);
        benchmark::DoNotOptimize(s.session.lastInstant().ergebnis);
    }
}

// From 20:00 a minute step walks through the night to the morning sun.
void nightSearch(benchmark::State& state, const char* name) {
    Started s(example(name));
    long searched = 0;
    for (auto _ : state) {
        s.session.selectHour(20);
        s.session.selectMinute(0);
        const long before = s.session.instantsComputed();
        s.session.SpeedButtonWeiterClick(OnlineStep::MinuteOn);
        searched = s.session.instantsComputed() - before;
    }
    state.counters["instants_per_click"] = static_cast<double>(searched);
}

void BM_OnlineStepClick_Collector(benchmark::State& s) { stepClicks(s, "collector.dat"); }
void BM_OnlineStepClick_Facade(benchmark::State& s) { stepClicks(s, "facade.dat"); }
void BM_OnlineNightSearch_Collector(benchmark::State& s) { nightSearch(s, "collector.dat"); }
void BM_OnlineNightSearch_Facade(benchmark::State& s) { nightSearch(s, "facade.dat"); }

void BM_OnlineNeuStart_NeverSunlit(benchmark::State& state) {
    // The collector behind a horizon as high as the zenith.
    Lines text = example("collector.dat");
    const auto site = std::find(text.begin(), text.end(), "Standort");
    text.insert(site, {"Horizont", "0-360=90"});
    TSimParameter p;
    OnlineSession session;
    session.compile(text, "collector.dat", p, Language::English);
    for (auto _ : state) {
        session.NeuStart();
        if (!session.noSunlitInstant()) state.SkipWithError("the sun was found");
    }
    state.counters["instants"] = static_cast<double>(kMinutesPerYear / 10);
}

BENCHMARK(BM_OnlineStepClick_Collector)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OnlineStepClick_Facade)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OnlineNightSearch_Collector)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OnlineNightSearch_Facade)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OnlineNeuStart_NeverSunlit)->Unit(benchmark::kMillisecond);

}  // namespace
