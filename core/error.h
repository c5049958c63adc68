// One exception type for every failure the program can report.
#pragma once

#include <exception>
#include <string>

namespace core {

// Derives from std::exception, not std::runtime_error: the library's
// runtime_error brings its reference-counted string along (about 40 KB of
// the 32-bit installer).
class Error : public std::exception {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  explicit Error(const char* message) : message_(message) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// printf-style formatting for messages such as "Resource %s not found".
std::string Format(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace core
