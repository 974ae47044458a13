#pragma once

#include <exception>

// Inside the library every failure is thrown with its LastError code; the
// exported functions catch it and store the code.
struct Failure : std::exception {
  explicit Failure(int code) : code(code) {}
  const char* what() const noexcept override { return "mpegdll failure"; }
  int code;
};
