// The process-wide generator behind new macro and axis-definition ids.
#pragma once

constexpr int kUniqueIdRange = 32768;  // ids are 0..32767

// A pseudo-random id in 0..kUniqueIdRange-1; the generator is seeded once, from the
// millisecond clock, on first use.
int DrawRandomId();
