// SPDX-License-Identifier: MIT
// Times ComputeMValue where Google Benchmark does not build, in WebAssembly under Node.js: the
// threads of core_bench, each called in a loop for about half a second, the fastest of five
// loops in nanoseconds per call. bench/web_core.sh runs it there and natively, and core_bench.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "m_value.h"

namespace {

struct Thread {
  const char* name;
  const char* texts[5];  // pitch, starts, pitch diameter, wire diameter, profile angle
};

// The same texts as core_bench's.
constexpr Thread kThreads[] = {
    {"fine_metric", {"1", "1", "9.350", "0.577", "60"}},
    {"coarse_metric", {"1.5", "1", "9.026", "0.866", "60"}},
    {"trapezoidal_3_start", {"6", "3", "33", "3.106", "30"}},
    {"whitworth_55", {"2.1167", "1", "11.345", "1.1932", "55"}},
};

double NanosecondsPerCall(const Thread& thread, int calls) {
  const auto& t = thread.texts;
  const auto start = std::chrono::steady_clock::now();
  std::size_t written = 0;  // used, so the calls are not optimised away
  for (int i = 0; i < calls; ++i) {
    written += threewire::ComputeMValue(t[0], t[1], t[2], t[3], t[4])->m_text.size();
  }
  const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
  return written ? elapsed.count() / calls : 0;
}

}  // namespace

int main() {
  for (const Thread& thread : kThreads) {
    constexpr int kCalls = 200'000;
    double best = NanosecondsPerCall(thread, kCalls);
    for (int loop = 1; loop < 5; ++loop) best = std::min(best, NanosecondsPerCall(thread, kCalls));
    std::printf("ComputeMValue/%-20s %8.1f ns\n", thread.name, best);
  }
}
