#include "platform/shared_library.h"

#include <dlfcn.h>

namespace torvane {

void* openSharedLibrary(const char* soname) { return dlopen(soname, RTLD_NOW | RTLD_LOCAL); }

void* findSymbol(void* library, const char* name) {
  return library ? dlsym(library, name) : nullptr;
}

}  // namespace torvane
