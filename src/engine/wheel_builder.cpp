#include "engine/wheel_builder.h"

#include <algorithm>
#include <utility>

namespace ostrel::engine {

std::array<Wheel, kWheelCount> BuildWheels(const KeySequence& sequence) {
  constexpr int kExchangesPerWheel = 750;
  Wheel table{};  // index k holds position k + 1
  for (std::size_t k = 0; k < table.size(); ++k) table[k] = static_cast<std::uint8_t>(k);

  // The pointer and the swap counter run on across all wheels.
  std::int32_t pointer = 0;
  int swapCounter = 0;
  auto next = [&]() {
    if (++pointer > kKeySequenceLength) pointer = 1;
    return static_cast<std::size_t>(sequence[static_cast<std::size_t>(pointer)] - 1);
  };

  std::array<Wheel, kWheelCount> wheels{};
  for (Wheel& wheel : wheels) {
    for (int exchange = 0; exchange < kExchangesPerWheel; ++exchange) {
      const std::size_t a = next();
      const std::size_t b = next();
      std::swap(table[a], table[b]);
      if (++swapCounter == 2) {
        swapCounter = 0;
        std::rotate(table.begin(), table.begin() + 1, table.end());
      }
    }
    wheel = table;
  }
  return wheels;
}

}  // namespace ostrel::engine
