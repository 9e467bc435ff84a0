// Every benchmark runs under the heap policy the program sets at the start of main: without it a
// case would measure the system taking freed pages back and faulting them in again, which the
// program does not do.
#include "HeapPolicy.h"

namespace {
const bool applied = (HeapPolicy::keepFreedMemory(), true);
} // namespace
