// One exception type for every failure the program can report.
#pragma once

#include <stdexcept>
#include <string>

namespace core {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// printf-style formatting for messages such as "Resource %s not found".
std::string Format(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace core
