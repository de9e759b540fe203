#include "literal_wheels.h"

namespace ostrel::engine::literal {

LiteralWheels::LiteralWheels(const WheelMachine& machine)
    : machine_(machine), orderPeriod_(machine.periodTable[1]) {
  for (int j = 0; j < kWheelCount; ++j) {
    wheels_[j].assign(machine.wheels[static_cast<std::size_t>(j)].begin(),
                      machine.wheels[static_cast<std::size_t>(j)].end());
  }
}

std::string LiteralWheels::Transform(Direction direction, const std::string& text) {
  std::string out;
  for (const char c : text) {
    const auto code = static_cast<std::uint8_t>(c);
    out += static_cast<char>(direction == Direction::Encrypt ? EncryptChar(code) : DecryptChar(code));
  }
  return out;
}

std::uint8_t LiteralWheels::EncryptChar(std::uint8_t c) {
  std::int32_t pass = 0;
  do {
    for (int j = 0; j < kWheelCount; ++j) c = static_cast<std::uint8_t>(wheels_[j][c]);
    ++pass;
  } while (pass != machine_.passCount);
  StepWheels();
  AdvanceWheelOrder();
  return c;
}

std::uint8_t LiteralWheels::DecryptChar(std::uint8_t c) {
  std::int32_t pass = 0;
  do {
    for (int j = kWheelCount - 1; j >= 0; --j) {
      c = static_cast<std::uint8_t>(wheels_[j].find(static_cast<char>(c)));
    }
    ++pass;
  } while (pass != machine_.passCount);
  StepWheels();
  AdvanceWheelOrder();
  return c;
}

void LiteralWheels::StepWheels() {
  const std::size_t n = kWheelLength;
  for (std::size_t j = 0; j < kWheelCount; ++j) {
    const auto s = static_cast<std::size_t>(machine_.steps[j]) % n;
    std::string& w = wheels_[j];
    if (machine_.directionFlags[j] == 1) {
      w = w.substr(s) + w.substr(0, s);  // last n - s characters, then the first s
    } else {
      w = w.substr(n - s) + w.substr(0, n - s);  // last s characters, then the first n - s
    }
  }
}

void LiteralWheels::AdvanceWheelOrder() {
  ++orderCounter_;
  if (orderCounter_ < orderPeriod_) return;
  orderCounter_ = 0;
  const std::string first = wheels_[0];
  for (int j = 0; j + 1 < kWheelCount; ++j) wheels_[j] = wheels_[j + 1];
  wheels_[kWheelCount - 1] = first;
  if (++periodIndex_ > kPeriodCount) periodIndex_ = 1;
  orderPeriod_ = machine_.periodTable[static_cast<std::size_t>(periodIndex_)];
}

}  // namespace ostrel::engine::literal
