#pragma once
// Work that can take more than a moment (emptying a large Trash, moving many
// messages, deciphering attachments) says how far it has come, so that a
// window can show progress. An empty report is allowed and ignored.

#include <cstddef>
#include <functional>

namespace ostrel::base {

// Called with the steps done so far out of the total, from 0 up to total.
using ProgressReport = std::function<void(std::size_t done, std::size_t total)>;

inline void Report(const ProgressReport& progress, std::size_t done, std::size_t total) {
  if (progress) progress(done, total);
}

}  // namespace ostrel::base
