#pragma once
// How the adapters to the world outside the program (the mail servers, MIME,
// server addresses) answer: the value asked for, or the reason there is none
// in plain words for the person. They never show anything themselves and do
// not throw over a failure outside the program; the flow that called them
// decides what the person is told.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace ostrel::base {

struct Failure {
  std::string reason;  // for the person, in plain words
};

template <typename T = void>
class Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool Ok() const { return state_.index() == 0; }
  explicit operator bool() const { return Ok(); }
  // The value; only when Ok.
  T& operator*() { return std::get<0>(state_); }
  const T& operator*() const { return std::get<0>(state_); }
  const T* operator->() const { return &std::get<0>(state_); }
  // Why there is no value; only when not Ok.
  const std::string& Reason() const { return std::get<1>(state_).reason; }

 private:
  std::variant<T, Failure> state_;
};

// Done, or the reason it could not be done.
template <>
class Result<void> {
 public:
  Result() = default;
  Result(Failure failure) : failure_(std::move(failure)) {}

  bool Ok() const { return !failure_; }
  explicit operator bool() const { return Ok(); }
  const std::string& Reason() const { return failure_->reason; }

 private:
  std::optional<Failure> failure_;
};

}  // namespace ostrel::base
