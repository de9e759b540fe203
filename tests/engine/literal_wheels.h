#pragma once
// The wheel machine exactly as written down: 20 wheel strings that really
// turn after every byte, a linear search on decryption, and wheels that
// really change places. Slow on purpose; the fast cipher is tested against it.

#include <cstdint>
#include <string>

#include "engine/wheel_machine.h"

namespace ostrel::engine::literal {

class LiteralWheels {
 public:
  explicit LiteralWheels(const WheelMachine& machine);

  std::string Transform(Direction direction, const std::string& text);
  std::uint8_t EncryptChar(std::uint8_t c);
  std::uint8_t DecryptChar(std::uint8_t c);

  // Wheels by position as they stand now.
  const std::string& WheelAt(int position) const { return wheels_[position]; }

 private:
  void StepWheels();
  void AdvanceWheelOrder();

  WheelMachine machine_;
  std::string wheels_[kWheelCount];
  std::int32_t orderPeriod_;
  std::int32_t periodIndex_ = 1;
  std::int32_t orderCounter_ = 0;
};

}  // namespace ostrel::engine::literal
