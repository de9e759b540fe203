#pragma once
// Assertions on what the adapters answer (base/result.h).

#include <gtest/gtest.h>

#include <string>

#include "base/result.h"

namespace ostrel::testing {

// The reason of a failure, "" when the call went through.
template <typename T>
std::string FailureOf(const base::Result<T>& result) {
  return result ? std::string() : result.Reason();
}

// The value; a failed call fails the test and gives T{}.
template <typename T>
T ValueOf(const base::Result<T>& result) {
  if (result) return *result;
  ADD_FAILURE() << result.Reason();
  return T{};
}

}  // namespace ostrel::testing
