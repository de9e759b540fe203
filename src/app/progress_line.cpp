#include "app/progress_line.h"

#include <cstdio>
#include <system_error>

namespace ostrel::app {
namespace {

// The line must fit a terminal of the usual width, or rewriting it in place
// would leave wrapped pieces behind.
constexpr std::size_t kMaxColumns = 79;
constexpr std::string_view kEraseToEnd = "\033[K";

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// Cut to kMaxColumns characters of UTF-8, the end replaced by "...".
std::string FitToLine(std::string_view text) {
  std::size_t characters = 0;
  std::size_t cutAt = text.size();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!StartsCharacter(text[i])) continue;
    if (characters == kMaxColumns - 3) cutAt = i;
    if (++characters > kMaxColumns) return std::string(text.substr(0, cutAt)) + "...";
  }
  return std::string(text);
}

}  // namespace

ProgressLine::ProgressLine(std::ostream& err, bool terminal, std::chrono::milliseconds minInterval)
    : err_(err), terminal_(terminal), minInterval_(minInterval) {}

ProgressLine::~ProgressLine() { Clear(); }

void ProgressLine::Show(std::string_view text) {
  if (!terminal_) return;
  const std::lock_guard lock(mutex_);
  const auto now = std::chrono::steady_clock::now();
  if (shown_ && (text == shownText_ || now - lastShown_ < minInterval_)) return;
  shownText_ = std::string(text);
  err_ << '\r' << FitToLine(text) << kEraseToEnd << std::flush;
  lastShown_ = now;
  shown_ = true;
}

void ProgressLine::Clear() {
  const std::lock_guard lock(mutex_);
  if (!shown_) return;
  err_ << '\r' << kEraseToEnd << std::flush;
  shown_ = false;
  shownText_.clear();
}

TimedProgress::TimedProgress(ProgressLine& line, std::string text) : line_(line), text_(std::move(text)) {
  line_.Show(text_ + "...");
  ticker_ = std::thread([this] { Tick(); });
}

TimedProgress::~TimedProgress() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stop_.notify_all();
  ticker_.join();
  line_.Clear();
}

void TimedProgress::Tick() {
  std::unique_lock lock(mutex_);
  for (int seconds = 1;; ++seconds) {
    if (stop_.wait_for(lock, std::chrono::seconds(1), [this] { return stopping_; })) return;
    line_.Show(text_ + "... " + std::to_string(seconds) + " s");
  }
}

std::string FileWorkText(std::string_view verb, const std::filesystem::path& source, std::uintmax_t bytes) {
  char size[32];
  std::snprintf(size, sizeof size, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
  return std::string(verb) + " " + source.filename().string() + " (" + size + ")";
}

std::uintmax_t FileBytes(const std::filesystem::path& file) {
  std::error_code error;
  const std::uintmax_t bytes = std::filesystem::file_size(file, error);
  return error ? 0 : bytes;
}

}  // namespace ostrel::app
