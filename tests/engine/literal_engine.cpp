#include "literal_engine.h"

#include <cmath>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "literal_wheels.h"
#include "support/temp_folder.h"

namespace ostrel::engine::literal {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

// A number as the work files print it: blank or minus, digits, blank.
std::string Printed(long long value) {
  return (value < 0 ? "-" : " ") + std::to_string(value < 0 ? -value : value) + " ";
}

std::int32_t Num(const std::vector<std::int32_t>& v, std::int32_t i) { return v.at(static_cast<std::size_t>(i)); }

// Reads the leading number of a line the lenient way, rounded half to even.
double LineValue(std::string kept) {
  std::erase(kept, ' ');
  std::erase(kept, '\t');
  std::size_t i = 0;
  bool negative = false;
  if (i < kept.size() && (kept[i] == '-' || kept[i] == '+')) negative = kept[i++] == '-';
  std::string digits;
  while (i < kept.size() && ((kept[i] >= '0' && kept[i] <= '9') || kept[i] == '.')) digits += kept[i++];
  if (digits.find_first_of("0123456789") == std::string::npos) return 0;
  const double value = std::stod(digits);
  return negative ? -value : value;
}

// The two-character number reading of the first key pass.
std::int32_t PairValue(std::string pair) {
  std::erase(pair, '\n');
  return static_cast<std::int32_t>(std::nearbyint(LineValue(pair)));
}

std::vector<std::int32_t> Sequence(const std::string& key) {
  std::string doubled = key;
  for (int i = 17; i >= 0; --i) doubled += key[static_cast<std::size_t>(i)];
  std::vector<std::int32_t> e(1, 0);
  // Each pass adds to the entries so far: from the first or the last entry,
  // every step-th, plus delta.
  struct Pass { bool fromEnd; int first; int step; int delta; };
  const Pass passes[] = {{false, 1, 1, 2}, {false, 1, 1, 3}, {false, 2, 2, 4}, {false, 3, 3, 5},
                         {false, 4, 4, 1}, {true, 0, 6, 7},  {true, 0, 1, 1},  {false, 1, 10, 2}};
  for (int cycle = 0; cycle < 2; ++cycle) {
    for (int i = 1; i <= 35; i += 2) e.push_back(PairValue(doubled.substr(static_cast<std::size_t>(i - 1), 2)));
    for (const Pass& p : passes) {
      const auto n = static_cast<std::int32_t>(e.size()) - 1;
      if (p.fromEnd) {
        for (int i = n; i >= 1; i -= p.step) e.push_back(Num(e, i) + p.delta);
      } else {
        for (int i = p.first; i <= n; i += p.step) e.push_back(Num(e, i) + p.delta);
      }
    }
  }
  const std::size_t count = e.size() - 1;
  for (std::size_t i = 2; i <= count; ++i) {
    if (e[i] == e[i - 1]) e[i] += 2;
    if (e[i] == 0) e[i] = 1;
    if (e[i] > 151) e[i] -= 151;
  }
  if (e[1] == 0) e[1] = 1;
  if (e[1] > 151) e[1] -= 151;
  return e;
}

std::vector<std::string> Wheels(const std::vector<std::int32_t>& e) {
  std::string table;
  for (int code = 0; code < 256; ++code) table += static_cast<char>(code);
  const std::size_t n = e.size() - 1;
  std::size_t pointer = 0;
  int swaps = 0;
  std::vector<std::string> records;
  for (int r = 0; r < 20; ++r) {
    for (int k = 0; k < 750; ++k) {
      if (++pointer > n) pointer = 1;
      const auto a = static_cast<std::size_t>(e[pointer]);
      if (++pointer > n) pointer = 1;
      const auto b = static_cast<std::size_t>(e[pointer]);
      std::swap(table[a - 1], table[b - 1]);
      if (++swaps == 2) {
        swaps = 0;
        table = table.substr(1) + table.substr(0, 1);
      }
    }
    records.push_back(table);
  }
  return records;
}

int Digit(std::int32_t entry) { return std::to_string(std::abs(entry))[0] - '0'; }

std::array<std::int32_t, 201> Periods(const std::string& seed) {
  std::array<std::int32_t, 201> t{};
  for (int k = 0; k < 3; ++k) {
    const int d = seed[static_cast<std::size_t>(k)] - '0';
    t[static_cast<std::size_t>(k + 1)] = d == 0 ? 10 : d;
  }
  t[4] = t[1] + t[2] + t[3];
  t[5] = t[1] + t[2] + 2;
  t[6] = t[2] + t[3] + 3;
  t[7] = t[1] + t[3] + 4;
  t[8] = t[1] + 5;
  t[9] = t[2] + 5;
  t[10] = t[3] + 5;
  int n = 10;
  // up: i runs from bound to top (0: n at the start of the pass); down: from
  // that n to bound. Passes 1 and 2 stop at entry 10 however long the table is.
  struct Pass { bool up; int bound; int top; int step; int delta; };
  const Pass passes[] = {{true, 1, 10, 2, 2}, {true, 2, 10, 2, 3}, {false, 1, 0, 3, 7},  {true, 1, 0, 3, 9},
                         {true, 1, 0, 5, 13}, {false, 1, 0, 5, 17}, {true, 1, 0, 7, 4},  {false, 1, 0, 7, 6},
                         {true, 2, 0, 8, 1},  {false, 2, 0, 8, 2},  {true, 5, 0, 5, 3},  {false, 5, 0, 5, 2},
                         {false, 1, 0, 1, 1}};
  for (const Pass& p : passes) {
    const int start = n;
    if (p.up) {
      const int top = p.top == 0 ? start : p.top;
      for (int i = p.bound; i <= top && n < 200; i += p.step) { ++n; t[static_cast<std::size_t>(n)] = t[static_cast<std::size_t>(i)] + p.delta; }
    } else {
      for (int i = start; i >= p.bound && n < 200; i -= p.step) { ++n; t[static_cast<std::size_t>(n)] = t[static_cast<std::size_t>(i)] + p.delta; }
    }
  }
  for (std::size_t i = 1; i <= 200; ++i) {
    if (t[i] < 10) t[i] += 10;
    if (t[i] > 50) t[i] -= 20;
  }
  return t;
}

std::string FloatBytes(float value) {
  char bytes[4];
  std::memcpy(bytes, &value, 4);  // the test machines are little endian, as the file is
  return std::string(bytes, 4);
}

std::vector<std::string> Lines(std::string text) {
  std::erase(text, '\r');
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

LiteralEngine::LiteralEngine(std::filesystem::path workFolder) : folder_(std::move(workFolder)) {}

bool LiteralEngine::LoadKey(std::string& keyText) {
  std::string key = keyText;
  while (key.size() < 18) key = key + key;
  if (key.size() > 18) key = key.substr(0, 18);
  const std::vector<std::int32_t> e = Sequence(key);
  for (std::size_t i = 1; i < e.size(); ++i) {
    if (e[i] < 1 || e[i] > 256) return false;
  }
  keyText = key;
  keySequence_ = e;

  std::string wheels;
  for (const std::string& record : Wheels(e)) wheels += record;
  WriteBytes(Work("k1.bin"), wheels);
  WriteBytes(Work("k2.bin"), Printed(20) + Printed(2) + "\r\n");
  std::string settings;
  for (int q = 20; q <= 39; ++q) settings += Num(e, q) > 45 ? "U" : "D";
  // Setting values and steps: the leading digit plus one, 8 to 10 folded to 3 to 5.
  const auto setting = [&](int q) {
    const int v = Digit(Num(e, q)) + 1;
    return v > 7 ? v - 5 : v;
  };
  for (int q = 40; q <= 59; ++q) settings += FloatBytes(static_cast<float>(setting(q)));
  WriteBytes(Work("k3.bin"), settings);
  std::string steps;
  for (int q = 60; q <= 79; ++q) steps += Printed(setting(q)) + "\r\n";
  WriteBytes(Work("k4.bin"), steps);
  for (const auto& [name, first] : {std::pair<std::string, int>{"k5.bin", 80}, {"k6.dat", 90}}) {
    std::string lines;
    for (int q = first; q < first + 10; ++q) {
      int v = Digit(Num(e, q)) + 20;
      if (v > 22) v -= 15;
      lines += Printed(v) + "\r\n";
    }
    WriteBytes(Work(name), lines);
  }
  long long x = static_cast<long long>(Num(e, 20)) * Num(e, 21);
  while (x > 999) x -= 999;
  if (x < 10) x += 10;
  const std::string padded = "00" + std::to_string(x);
  periodTable_ = Periods(padded.substr(padded.size() - 3));
  WriteBytes(Work("k1.brs"), wheels);
  WriteBytes(Work("k1.bcr"), wheels);
  return true;
}

WheelMachine LiteralEngine::Machine() const {
  WheelMachine machine;
  const std::string settings = ReadBytes(Work("k3.bin"));
  const std::vector<std::string> stepLines = Lines(ReadBytes(Work("k4.bin")));
  const std::string wheels = ReadBytes(Work("k1.bcr"));
  std::istringstream counts(ReadBytes(Work("k2.bin")));
  std::string wheelCount;
  std::string passCount;
  counts >> wheelCount >> passCount;
  if (settings.size() < 100 || stepLines.size() < 20 || wheels.size() < 5120 || passCount.empty()) {
    throw std::runtime_error("literal engine: work files missing");
  }
  for (std::size_t j = 0; j < 20; ++j) {
    machine.directionFlags[j] = settings[j] == 'D' ? 0 : 1;
    const double step = std::nearbyint(LineValue(stepLines[j]));
    machine.steps[j] = static_cast<std::int16_t>(step < 1 ? 1 : step);
    for (std::size_t k = 0; k < 256; ++k) machine.wheels[j][k] = static_cast<std::uint8_t>(wheels[j * 256 + k]);
  }
  machine.passCount = static_cast<std::int32_t>(LineValue(passCount));
  machine.periodTable = periodTable_;
  return machine;
}

std::string LiteralEngine::Transform(bool encrypt, const std::string& text) {
  std::string out = LiteralWheels(Machine()).Transform(encrypt ? Direction::Encrypt : Direction::Decrypt, text);
  // The turned wheels are saved and the pristine ones put back at once.
  WriteBytes(Work("k1.bcr"), ReadBytes(Work("k1.brs")));
  return out;
}

std::string LiteralEngine::EncryptText(const std::string& text) { return Transform(true, text); }
std::string LiteralEngine::DecryptText(const std::string& text) { return Transform(false, text); }

}  // namespace ostrel::engine::literal
