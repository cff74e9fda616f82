#pragma once

namespace torvane {

// Reseeds from the clock's milliseconds mixed with a counter, so two reseeds within one
// millisecond still give different sequences.
void reseedRandom();

// A whole number drawn uniformly from min to max, both included.
int randomInt(int min, int max);

}  // namespace torvane
