// How much memory the process holds: the private bytes the system reports (GetProcessMemoryInfo's
// PagefileUsage, the process's private commit charge; Wine fills that field and not PrivateUsage) and
// the bytes in use in every heap of the process (HeapWalk over GetProcessHeaps). Leak tests compare two
// readings taken around many repetitions of an operation.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ondivar::testing {

struct MemoryReading {
    long long privateBytes = 0;
    long long heapBytesInUse = 0;
    long long heapBlocksInUse = 0;
};

inline MemoryReading readMemory()
{
    MemoryReading reading;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        reading.privateBytes = static_cast<long long>(counters.PagefileUsage);

    std::vector<HANDLE> heaps(64);
    DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (count > heaps.size()) {
        heaps.resize(count);
        count = GetProcessHeaps(count, heaps.data());
    }
    heaps.resize(count);
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heap, &entry)) {
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) {
                reading.heapBytesInUse += entry.cbData;
                ++reading.heapBlocksInUse;
            }
        }
        HeapUnlock(heap);
    }
    return reading;
}

// Growth between two readings.
inline MemoryReading operator-(const MemoryReading& after, const MemoryReading& before)
{
    MemoryReading growth;
    growth.privateBytes = after.privateBytes - before.privateBytes;
    growth.heapBytesInUse = after.heapBytesInUse - before.heapBytesInUse;
    growth.heapBlocksInUse = after.heapBlocksInUse - before.heapBlocksInUse;
    return growth;
}

// Runs operation a thousand times to reach a steady state (caches, first-use allocations), then twice
// `repetitions` times, each between two readings, and returns for each quantity the smaller of the two
// growths: a leak grows in both windows, while a one-off reservation of the runtime (Wine now and then
// commits another couple of megabytes of its own while an operation runs) shows in one only.
template <class Operation> MemoryReading growthOver(int repetitions, Operation operation)
{
    for (int i = 0; i < 1000; ++i)
        operation();
    const auto window = [&] {
        const MemoryReading before = readMemory();
        for (int i = 0; i < repetitions; ++i)
            operation();
        return readMemory() - before;
    };
    const MemoryReading first = window();
    const MemoryReading second = window();
    MemoryReading growth;
    growth.privateBytes = std::min(first.privateBytes, second.privateBytes);
    growth.heapBytesInUse = std::min(first.heapBytesInUse, second.heapBytesInUse);
    growth.heapBlocksInUse = std::min(first.heapBlocksInUse, second.heapBlocksInUse);
    return growth;
}

// What a leak test allows to grow: far below what one leaked block per repetition adds over the tens
// of thousands of repetitions the tests run, above the noise of allocator caches.
constexpr long long kMaxHeapGrowth = 64 * 1024;
constexpr long long kMaxBlockGrowth = 100;
constexpr long long kMaxPrivateGrowth = 1024 * 1024;

// Expects growth within the allowances; prints it when ONDIVAR_SHOW_MEMORY_GROWTH is set.
inline void expectNoGrowth(const MemoryReading& growth)
{
    EXPECT_LT(growth.heapBytesInUse, kMaxHeapGrowth);
    EXPECT_LT(growth.heapBlocksInUse, kMaxBlockGrowth);
    EXPECT_LT(growth.privateBytes, kMaxPrivateGrowth);
    if (std::getenv("ONDIVAR_SHOW_MEMORY_GROWTH") != nullptr)
        std::printf("growth: heap %lld bytes in %lld blocks, private %lld bytes\n", growth.heapBytesInUse,
                    growth.heapBlocksInUse, growth.privateBytes);
}

} // namespace ondivar::testing
