// The installer's terminate handler. libstdc++'s default one prints the
// exception's demangled type to stderr, which a GUI program does not have,
// and links the whole C++ demangler (about 45 KB) to do it. Defining the
// default handler here keeps the library's one, and the demangler, out.
// Link this object directly into the program: from an archive it would come
// too late to replace the library's.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
