#include "keys/key_generator.h"

#include <cmath>

#include "base/number_text.h"
#include "keys/key_store.h"

namespace ostrel::keys {
namespace {

// Some library versions can round generate_canonical up to 1.
double BelowOne(double value) { return value < 1.0 ? value : std::nextafter(1.0, 0.0); }

}  // namespace

double SystemRandomSource::NextUniform() { return BelowOne(std::generate_canonical<double, 53>(device_)); }

double SeededRandomSource::NextUniform() { return BelowOne(std::generate_canonical<double, 53>(engine_)); }

std::string GenerateKey(RandomSource& random) {
  std::string key;
  while (key.size() < kKeyTextWidth) {
    std::int64_t digit = 0;
    while (digit == 0) digit = base::RoundHalfEven(random.NextUniform() * 9.0, 0, 9);
    key += static_cast<char>('0' + digit);
  }
  return key;
}

}  // namespace ostrel::keys
