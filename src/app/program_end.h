#pragma once

namespace torvane {

using CleanupRoutine = void (*)();

// The routine runCleanup runs; registered once at start.
void registerCleanup(CleanupRoutine routine);

// Runs the registered routine unless it has run already, so it runs at most once per process
// whichever way the program ends.
void runCleanup();

// Runs the clean-up and ends the process at once with `exitCode`; open windows vanish with it.
[[noreturn]] void endProgram(int exitCode);

}  // namespace torvane
