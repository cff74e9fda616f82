#pragma once

namespace torvane {

// Opens a shared library at run time, so that it is loaded when first needed rather than with the
// program; null when it cannot be opened. It stays loaded for the rest of the run.
void* openSharedLibrary(const char* soname);

void* findSymbol(void* library, const char* name);

// Looks `name` up in `library` as a function of the type of `function`; false when it is missing.
template <typename Function>
bool bindFunction(void* library, const char* name, Function*& function) {
  function = reinterpret_cast<Function*>(findSymbol(library, name));
  return function != nullptr;
}

}  // namespace torvane
