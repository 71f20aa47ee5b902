#include "framework/Rnd.h"

#include <cmath>
#include <limits>
#include <random>

namespace {

std::mt19937_64& Generator() {
  static std::mt19937_64 generator = [] {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    return std::mt19937_64(seed);
  }();
  return generator;
}

}  // namespace

double Rnd() {
  // The top 53 bits as a fraction: every value is a multiple of 2^-53 below 1.
  return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

void RndSeed(uint64_t seed) {
  Generator().seed(seed);
}

int32_t ToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);  // truncates toward zero
}
