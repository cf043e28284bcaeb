// Work on every core, results in order: the loads parse one file per boat side by side, while
// everything a user sees of them (progress, messages, the problems listed) still comes boat by
// boat, as on one core. QtCore and the standard library only.
//
//   calling thread:  work(k) … deliver(0) deliver(1) … deliver(n − 1)   (strictly in order)
//   other threads:   work(i) work(j) …                                   (any order)
//
// work(i) runs exactly once for every i, on some thread; items are handed out in increasing
// order, so the first ones are done first. deliver(i) runs on the calling thread only, once
// work(0) … work(i) are done, and never alongside another deliver; it may touch widgets and
// whatever the caller shares. work must not touch what deliver touches, nor what another
// work(j) does: give each item its own output.
#pragma once

#include <functional>

namespace platform {

// The number of threads the machine runs at once (at least 1).
int coreCount();

// Runs work for 0 … count − 1 on up to `threads` threads, the calling one included (0: one per
// core), and deliver for each in order as described above. With one thread it alternates:
// work(0), deliver(0), work(1), deliver(1) … An exception thrown by work(i) is thrown again on
// the calling thread where deliver(i) would have run, once the other threads have stopped.
void orderedParallelFor(int count, const std::function<void(int)> &work,
                        const std::function<void(int)> &deliver, int threads = 0);

// Runs work for 0 … count − 1 on up to `threads` threads (0: one per core) and returns when all
// are done, in no particular order.
void parallelFor(int count, const std::function<void(int)> &work, int threads = 0);

} // namespace platform
