// Counts the heap allocations a loaded module makes itself: its imports of the C runtime's malloc,
// calloc and realloc (what its operator new and containers end in) are redirected through counters.
// Allocations made inside system DLLs on its behalf (a BSTR, a safe array) are not counted: every
// component pays those, and the floor pays them too.
#pragma once

#include <windows.h>

namespace ondivar::bench {

// Redirects the imports of module; false when it imports none of the three. Call once per module.
bool countAllocationsOf(HMODULE module);

// Allocations counted so far.
unsigned long long countedAllocations();

} // namespace ondivar::bench
