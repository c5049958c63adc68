// Defaults of the C++ runtime that the installer replaces to stay small.
// Link this object directly into the program: from an archive it would come
// too late to replace the library's.
#include <cstdlib>
#include <new>

#include "core/error.h"

namespace __gnu_cxx {

// libstdc++'s default terminate handler prints the exception's demangled type
// to stderr, which a GUI program does not have, and links the whole C++
// demangler (about 45 KB) to do it.
void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

// The library's helpers behind the containers' failures throw its
// logic_error family, whose strings are the old reference-counted kind: in
// the 32-bit build, with their unwind tables, about 45 KB. Here they throw the
// program's own error, which every handler shows like any other.
namespace std {

void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_length_error(const char* what) { throw core::Error(what); }
void __throw_logic_error(const char* what) { throw core::Error(what); }
// An index out of range is the error the program's checks report as such.
void __throw_out_of_range_fmt(const char*, ...) { throw core::Error("Range check error"); }

}  // namespace std
