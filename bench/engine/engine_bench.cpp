// Speed of the cipher engine: MB/s (10^6 bytes per second) of EncryptText,
// DecryptText, EncryptFile and DecryptFile on 64 MiB, in memory and file to
// file, on the portable and the vector path. Each figure is compared with
// the literal engine, measured on a smaller input in the same run, and the
// file figures with gpg and age enciphering the same file.

#include <unistd.h>

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
#include "literal_engine.h"

namespace {

using ostrel::engine::Engine;
using ostrel::engine::WheelCipher;
using ostrel::engine::literal::LiteralEngine;
namespace fs = std::filesystem;

constexpr std::size_t kBigSize = std::size_t{64} << 20;
constexpr std::size_t kLiteralSize = std::size_t{256} << 10;
constexpr int kRepeats = 3;
constexpr const char* kKey = "bench key 2026 ab";

// Best wall time of a few runs of work, each after an untimed prepare.
double Seconds(const std::function<void()>& work, const std::function<void()>& prepare = [] {},
               int repeats = kRepeats) {
  double best = 1e30;
  for (int i = 0; i < repeats; ++i) {
    prepare();
    const auto begin = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
    best = std::min(best, took.count());
  }
  return best;
}

double Rate(std::size_t bytes, double seconds) { return static_cast<double>(bytes) / seconds / 1e6; }

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::string bytes(fs::file_size(path), '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// The machine of the engine's loaded key, read back as a cipher operation
// starts: pristine wheels from the work file, settings from the engine.
ostrel::engine::WheelMachine LoadedMachine(const Engine& engine) {
  ostrel::engine::WheelMachine machine;
  const std::string wheels = ReadFile(engine.WorkFile("k1.brs"));
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

// File to file through the bare cipher in 8 MiB blocks, without the
// engine's flush to disk: the same footing as gpg and age, which do not
// flush either.
void CipherFile(const WheelCipher& cipher, WheelCipher::Path path, const fs::path& source,
                const fs::path& destination) {
  std::ifstream in(source, std::ios::binary);
  std::ofstream out(destination, std::ios::binary | std::ios::trunc);
  std::vector<char> block(std::size_t{8} << 20);
  std::uint64_t done = 0;
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got == 0) break;
    auto* bytes = reinterpret_cast<std::uint8_t*>(block.data());
    cipher.Transform(ostrel::engine::Direction::Encrypt, done, bytes, bytes, got, path, 0);
    out.write(block.data(), static_cast<std::streamsize>(got));
    done += got;
  }
}

struct LiteralRates {
  double encryptText = 0;
  double decryptText = 0;
  double encryptFile = 0;
  double decryptFile = 0;
};

LiteralRates MeasureLiteral(const fs::path& folder, const std::string& plain) {
  fs::create_directories(folder);
  LiteralEngine literal(folder);
  std::string key = kKey;
  literal.LoadKey(key);
  const std::string sample = plain.substr(0, kLiteralSize);
  const fs::path source = folder / "sample.bin";
  WriteFile(source, sample);
  LiteralRates rates;
  std::string cipherText;
  rates.encryptText = Rate(kLiteralSize, Seconds([&] { cipherText = literal.EncryptText(sample); }, [] {}, 1));
  rates.decryptText = Rate(kLiteralSize, Seconds([&] { literal.DecryptText(cipherText); }, [] {}, 1));
  rates.encryptFile = Rate(kLiteralSize, Seconds([&] { literal.EncryptFile(source, folder / "sample.enc"); }, [] {}, 1));
  rates.decryptFile = Rate(kLiteralSize, Seconds([&] { literal.DecryptFile(folder / "sample.enc", folder / "sample.dec"); }, [] {}, 1));
  return rates;
}

void PrintRow(const std::string& what, double rate, double literal) {
  std::printf("%-40s %9.1f MB/s %8.0fx literal\n", what.c_str(), rate, rate / literal);
}

void PrintTool(const std::string& what, double seconds) {
  std::printf("%-40s %9.1f MB/s\n", what.c_str(), Rate(kBigSize, seconds));
}

// Other work on the machine skews every figure; the load average says how much.
std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one;
  std::string five;
  file >> one >> five;
  return one + " (1 min), " + five + " (5 min)";
}

// How many times faster than the tool each of our file figures is.
void PrintAgainst(const char* tool, double toolSeconds, const double (&engineSeconds)[2],
                  const double (&bareSeconds)[2]) {
  const char* names[2] = {"portable", "vector"};
  for (int i = 0; i < 2; ++i) {
    if (engineSeconds[i] <= 0) continue;
    std::printf("  %-8s EncryptFile %6.2fx %s   bare cipher file to file %6.2fx %s\n", names[i],
                toolSeconds / engineSeconds[i], tool, toolSeconds / bareSeconds[i], tool);
  }
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / ("ostrel_bench_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::mt19937 random(1);
  std::string plain(kBigSize, '\0');
  for (auto& c : plain) c = static_cast<char>(random());
  const fs::path source = folder / "plain.bin";
  WriteFile(source, plain);

  std::printf("64 MiB input, %u hardware threads; literal engine on %zu KiB; load average %s\n",
              std::max(1U, std::thread::hardware_concurrency()), kLiteralSize >> 10, LoadAverage().c_str());
  const LiteralRates literal = MeasureLiteral(folder / "literal", plain);
  std::printf("%-40s %9.2f MB/s\n", "literal EncryptText", literal.encryptText);
  std::printf("%-40s %9.2f MB/s\n", "literal DecryptText", literal.decryptText);
  std::printf("%-40s %9.2f MB/s\n", "literal EncryptFile", literal.encryptFile);
  std::printf("%-40s %9.2f MB/s\n", "literal DecryptFile", literal.decryptFile);

  fs::create_directories(folder / "engine");
  Engine engine(folder / "engine");
  std::string key = kKey;
  engine.LoadKey(key);
  const WheelCipher::Path paths[] = {WheelCipher::Path::Portable, WheelCipher::Path::Vector};
  double fileSeconds[2] = {0, 0};
  double bareFileSeconds[2] = {0, 0};
  for (const auto path : paths) {
    const bool vector = path == WheelCipher::Path::Vector;
    const std::string name = vector ? "vector " : "portable ";
    if (vector && !WheelCipher::VectorPathAvailable()) {
      std::printf("vector path: not available on this CPU\n");
      continue;
    }
    engine.SetCipherPath(path);
    engine.SetThreads(0);
    std::string text;
    const double encryptText = Seconds([&] { engine.EncryptText(text); }, [&] { text = plain; });
    std::string cipherText = text;
    const double decryptText = Seconds([&] { engine.DecryptText(text); }, [&] { text = cipherText; });
    if (text != plain) std::printf("%sDecryptText did not give the text back\n", name.c_str());
    const double encryptFile = Seconds([&] { engine.EncryptFile(source, folder / "plain.enc"); });
    const double decryptFile = Seconds([&] { engine.DecryptFile(folder / "plain.enc", folder / "plain.dec"); });
    if (ReadFile(folder / "plain.dec") != plain) std::printf("%sDecryptFile did not give the file back\n", name.c_str());
    // The cipher alone, in place in a buffer that is already there: what
    // the engine adds on top is copying, allocating and the work files.
    const WheelCipher cipher(LoadedMachine(engine));
    std::vector<std::uint8_t> bytes(plain.begin(), plain.end());
    const double kernel = Seconds([&] {
      cipher.Transform(ostrel::engine::Direction::Encrypt, 0, bytes.data(), bytes.data(), bytes.size(), path, 0);
    });
    const double kernelFile = Seconds([&] { CipherFile(cipher, path, source, folder / "plain.bare"); });
    PrintRow(name + "WheelCipher::Transform in place", Rate(kBigSize, kernel), literal.encryptText);
    PrintRow(name + "WheelCipher file to file, no flush", Rate(kBigSize, kernelFile), literal.encryptFile);
    PrintRow(name + "EncryptText", Rate(kBigSize, encryptText), literal.encryptText);
    PrintRow(name + "DecryptText", Rate(kBigSize, decryptText), literal.decryptText);
    PrintRow(name + "EncryptFile", Rate(kBigSize, encryptFile), literal.encryptFile);
    PrintRow(name + "DecryptFile", Rate(kBigSize, decryptFile), literal.decryptFile);
    fileSeconds[vector ? 1 : 0] = encryptFile;
    bareFileSeconds[vector ? 1 : 0] = kernelFile;
  }

  const fs::path gnupgHome = folder / "gnupg";
  fs::create_directories(gnupgHome);
  fs::permissions(gnupgHome, fs::perms::owner_all, fs::perm_options::replace);
  const std::string gpg = "gpg --homedir " + Quoted(gnupgHome) +
                          " --symmetric --batch --yes --compress-algo none --pinentry-mode loopback"
                          " --passphrase bench -o " + Quoted(folder / "plain.gpg") + " " + Quoted(source);
  if (Run(gpg)) {
    const double seconds = Seconds([&] { Run(gpg); });
    PrintTool("gpg --symmetric file to file", seconds);
    PrintAgainst("gpg", seconds, fileSeconds, bareFileSeconds);
  } else {
    std::printf("gpg: missing or failed, not timed\n");
  }
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
    const double seconds = Seconds([&] { Run(age); });
    PrintTool("age -r file to file", seconds);
    PrintAgainst("age", seconds, fileSeconds, bareFileSeconds);
  } else {
    std::printf("age: missing or failed, not timed\n");
  }
  std::printf("load average at the end: %s\n", LoadAverage().c_str());
  fs::remove_all(folder);
  return 0;
}
