#pragma once
// Long runs of the tool (large files, mail checks, sending) say what they are
// doing on one line of standard error, rewritten in place, when standard
// error is a terminal. When it is not, nothing is written: scripts see only
// the output and the messages they expect.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>

namespace ostrel::app {

// Files from this size on take long enough to deserve a progress line.
inline constexpr std::uintmax_t kLongFileBytes = 4 * 1024 * 1024;

class ProgressLine {
 public:
  // minInterval: how long a text stays before the next one replaces it, so
  // that a flood of updates does not slow the work down.
  ProgressLine(std::ostream& err, bool terminal,
               std::chrono::milliseconds minInterval = std::chrono::milliseconds(100));
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  ~ProgressLine();

  // Replaces the line's text. Safe to call from any thread.
  void Show(std::string_view text);
  // Erases the line: before other text goes to the terminal, and at the end.
  void Clear();

 private:
  std::mutex mutex_;
  std::ostream& err_;
  const bool terminal_;
  const std::chrono::milliseconds minInterval_;
  std::chrono::steady_clock::time_point lastShown_;
  std::string shownText_;
  bool shown_ = false;
};

// "TEXT..." on the line at once, then once a second with the seconds passed,
// from a thread of its own, until this object goes.
class TimedProgress {
 public:
  TimedProgress(ProgressLine& line, std::string text);
  TimedProgress(const TimedProgress&) = delete;
  TimedProgress& operator=(const TimedProgress&) = delete;
  ~TimedProgress();  // stops the ticks and erases the line

 private:
  void Tick();

  ProgressLine& line_;
  const std::string text_;
  std::mutex mutex_;
  std::condition_variable stop_;
  bool stopping_ = false;
  std::thread ticker_;
};

// "Enciphering NAME (12.5 MB)": what a file command is doing to its source.
std::string FileWorkText(std::string_view verb, const std::filesystem::path& source, std::uintmax_t bytes);

// The size of a file, 0 when it cannot be read.
std::uintmax_t FileBytes(const std::filesystem::path& file);

}  // namespace ostrel::app
