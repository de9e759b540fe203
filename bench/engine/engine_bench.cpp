// Speed of the cipher engine: MB/s (10^6 bytes per second) of EncryptText,
// DecryptText, EncryptFile and DecryptFile on 64 MiB, in memory and file to
// file, on the portable and the vector path, beside the bare cipher; and the
// file figures against gpg and age enciphering the same file.
//
// Every figure comes twice: per second of wall time, and per second of CPU
// time (all threads and child processes together). On a machine shared with
// other work only the second is steady; on an idle machine the first is the
// speed a user sees.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/engine.h"
#include "engine/wheel_cipher.h"
#include "support/temp_folder.h"

namespace {

using ostrel::engine::Engine;
using ostrel::engine::WheelCipher;
using ostrel::testing::ReadBytes;
using ostrel::testing::WriteBytes;
namespace fs = std::filesystem;

constexpr std::size_t kBigSize = std::size_t{64} << 20;
constexpr int kRepeats = 5;
constexpr const char* kKey = "bench key 2026 ab";

// Seconds, or MB per second, of wall time and of CPU time.
struct Timing {
  double wall = 0;
  double cpu = 0;
};
using Rates = Timing;

double CpuSeconds() {
  double total = 0;
  for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
    rusage usage{};
    getrusage(who, &usage);
    for (const timeval& t : {usage.ru_utime, usage.ru_stime}) {
      total += static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    }
  }
  return total;
}

// The best of a few runs of work, each after an untimed prepare.
Timing Measure(const std::function<void()>& work, const std::function<void()>& prepare = [] {}) {
  Timing best{1e30, 1e30};
  for (int i = 0; i < kRepeats; ++i) {
    prepare();
    const double cpuBegin = CpuSeconds();
    const auto begin = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
    best.wall = std::min(best.wall, took.count());
    best.cpu = std::min(best.cpu, CpuSeconds() - cpuBegin);
  }
  return best;
}

Rates RatesOf(std::size_t bytes, const Timing& timing) {
  const auto megabytes = static_cast<double>(bytes) / 1e6;
  return {megabytes / timing.wall, megabytes / std::max(timing.cpu, 1e-6)};
}

bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// Other work on the machine skews the wall figures; the load average says how much.
std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one;
  std::string five;
  file >> one >> five;
  return one + " (1 min), " + five + " (5 min)";
}

// The machine of the engine's loaded key, read back as a cipher operation
// starts: pristine wheels from the work file, settings from the engine.
ostrel::engine::WheelMachine LoadedMachine(const Engine& engine) {
  ostrel::engine::WheelMachine machine;
  const std::string wheels = ReadBytes(engine.WorkFile("k1.brs"));
  for (std::size_t w = 0; w < machine.wheels.size(); ++w) {
    for (std::size_t i = 0; i < ostrel::engine::kWheelLength; ++i) {
      machine.wheels[w][i] = static_cast<std::uint8_t>(wheels.at(w * ostrel::engine::kWheelLength + i));
    }
    machine.directionFlags[w] = static_cast<std::uint8_t>(engine.DirectionFlags()[w]);
  }
  machine.steps = engine.Steps();
  machine.passCount = 2;
  machine.periodTable = engine.Periods();
  return machine;
}

void PrintHeader() {
  std::printf("%-42s %10s %10s\n", "", "MB/s", "MB/cpu-s");
  std::printf("%-42s %10s\n", "", "(wall)");
}

void PrintRow(const std::string& what, const Rates& rates) {
  std::printf("%-42s %10.1f %10.1f\n", what.c_str(), rates.wall, rates.cpu);
}

// EncryptFile's figures on each path measured, against the tool's.
struct FileFigures {
  Rates engine;
  bool measured = false;
};

// How many times faster than the tool EncryptFile is.
void PrintAgainst(const char* tool, const Rates& toolRates, const FileFigures (&figures)[2]) {
  std::printf("%-42s %10.1f %10.1f\n", (std::string(tool) + " file to file").c_str(), toolRates.wall,
              toolRates.cpu);
  const char* names[2] = {"portable", "vector"};
  for (int i = 0; i < 2; ++i) {
    if (!figures[i].measured) continue;
    std::printf("  %-8s EncryptFile %5.2fx %s (wall) %5.2fx (cpu)\n", names[i],
                figures[i].engine.wall / toolRates.wall, tool, figures[i].engine.cpu / toolRates.cpu);
  }
}

}  // namespace

int main() {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const ostrel::testing::TempFolder folder;
  std::mt19937 random(1);
  std::string plain(kBigSize, '\0');
  for (auto& c : plain) c = static_cast<char>(random());
  const fs::path source = folder / "plain.bin";
  WriteBytes(source, plain);

  std::printf("64 MiB input, %u hardware threads; load average %s\n",
              std::max(1U, std::thread::hardware_concurrency()), LoadAverage().c_str());
  PrintHeader();
  Engine engine(folder / "engine");
  std::string key = kKey;
  engine.LoadKey(key);
  const WheelCipher cipher(LoadedMachine(engine));
  FileFigures files[2];
  for (const auto path : {WheelCipher::Path::Portable, WheelCipher::Path::Vector}) {
    const bool vector = path == WheelCipher::Path::Vector;
    const std::string name = vector ? "vector " : "portable ";
    if (vector && !WheelCipher::VectorPathAvailable()) {
      std::printf("vector path: not available on this CPU\n");
      continue;
    }
    engine.SetCipherPath(path);
    engine.SetThreads(0);
    // The cipher alone, in place in a buffer that is already there: what
    // the engine adds on top is copying, allocating and the work files.
    std::vector<std::uint8_t> bytes(plain.begin(), plain.end());
    const Timing bare = Measure([&] {
      cipher.Transform(ostrel::engine::Direction::Encrypt, 0, bytes.data(), bytes.data(), bytes.size(), path, 0);
    });
    std::string text;
    const Timing encryptText = Measure([&] { engine.EncryptText(text); }, [&] { text = plain; });
    const std::string cipherText = text;
    const Timing decryptText = Measure([&] { engine.DecryptText(text); }, [&] { text = cipherText; });
    if (text != plain) std::printf("%sDecryptText did not give the text back\n", name.c_str());
    const Timing encryptFile = Measure([&] { engine.EncryptFile(source, folder / "plain.enc"); });
    const Timing decryptFile = Measure([&] { engine.DecryptFile(folder / "plain.enc", folder / "plain.dec"); });
    if (ReadBytes(folder / "plain.dec") != plain) std::printf("%sDecryptFile did not give the file back\n", name.c_str());

    PrintRow(name + "WheelCipher::Transform in place", RatesOf(kBigSize, bare));
    PrintRow(name + "EncryptText", RatesOf(kBigSize, encryptText));
    PrintRow(name + "DecryptText", RatesOf(kBigSize, decryptText));
    PrintRow(name + "EncryptFile", RatesOf(kBigSize, encryptFile));
    PrintRow(name + "DecryptFile", RatesOf(kBigSize, decryptFile));
    files[vector ? 1 : 0] = {RatesOf(kBigSize, encryptFile), true};
  }

  const fs::path gnupgHome = folder / "gnupg";
  fs::create_directories(gnupgHome);
  fs::permissions(gnupgHome, fs::perms::owner_all, fs::perm_options::replace);
  const std::string gpg = "gpg --homedir " + Quoted(gnupgHome) +
                          " --symmetric --batch --yes --compress-algo none --pinentry-mode loopback"
                          " --passphrase bench -o " + Quoted(folder / "plain.gpg") + " " + Quoted(source);
  if (Run(gpg)) {
    PrintAgainst("gpg --symmetric", RatesOf(kBigSize, Measure([&] { Run(gpg); })), files);
  } else {
    std::printf("gpg: missing or failed, not timed\n");
  }
  // gpg leaves an agent behind for its home folder; it goes with the folder.
  Run("gpgconf --homedir " + Quoted(gnupgHome) + " --kill gpg-agent");
  const fs::path identity = folder / "age.key";
  if (Run("age-keygen -o " + Quoted(identity))) {
    std::ifstream keyFile(identity);
    std::string line;
    std::string recipient;
    while (std::getline(keyFile, line)) {
      const auto at = line.find("age1");
      if (line.rfind("# public key:", 0) == 0 && at != std::string::npos) recipient = line.substr(at);
    }
    const std::string age = "age -r " + recipient + " -o " + Quoted(folder / "plain.age") + " " + Quoted(source);
    PrintAgainst("age -r", RatesOf(kBigSize, Measure([&] { Run(age); })), files);
  } else {
    std::printf("age: missing or failed, not timed\n");
  }
  std::printf("load average at the end: %s\n", LoadAverage().c_str());
  return 0;
}
