#pragma once
// Best-of-five timing: the slower runs measure the machine's other work, not
// ours.
#include <algorithm>
#include <chrono>

template <typename Work>
double Seconds(Work work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Best of five runs of work, each after an untimed prepare.
template <typename Prepare, typename Work>
double BestOfFivePrepared(Prepare prepare, Work work) {
  prepare();
  double best = Seconds(work);
  for (int run = 1; run < 5; ++run) {
    prepare();
    best = std::min(best, Seconds(work));
  }
  return best;
}

template <typename Work>
double BestOfFive(Work work) {
  double best = Seconds(work);
  for (int run = 1; run < 5; ++run) best = std::min(best, Seconds(work));
  return best;
}

// Runs a and b in turn five times so that a baseline and the code measured
// against it see the same state of the machine.
template <typename WorkA, typename WorkB>
void BestOfFiveSideBySide(WorkA a, WorkB b, double& bestA, double& bestB) {
  bestA = Seconds(a);
  bestB = Seconds(b);
  for (int run = 1; run < 5; ++run) {
    bestA = std::min(bestA, Seconds(a));
    bestB = std::min(bestB, Seconds(b));
  }
}
