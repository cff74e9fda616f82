#pragma once

// The build targets plain x86-64. A hot pixel loop marked with this gets an extra copy compiled for
// the named newer instruction set, and the program picks the copy that fits the processor at load.
#if defined(__x86_64__) && defined(__GNUC__)
#define TORVANE_CPU_CLONES(target) __attribute__((target_clones(target, "default")))
#else
#define TORVANE_CPU_CLONES(target)
#endif
