// The layer's value memory: every text value handed to the application comes from here
// and goes back through ReleaseValue.
#pragma once

#include <cstddef>
#include <string_view>

namespace quorvel {

// A text value: a NUL-terminated GBK byte string owned by whoever received it.
using TextValue = char*;

// Obtains `bytes` bytes; returns null when the memory is not available.
using Allocator = void* (*)(std::size_t bytes);

// A new value of `bytes` bytes. Running out of memory is a run-time error
// ("分配 %d 字节内存失败!"), so the result is never null.
char* AllocateValue(std::size_t bytes);

// A new text value holding a copy of `gbk` and a closing NUL.
TextValue CopyToValue(std::string_view gbk);

// Frees a value from AllocateValue; null is ignored.
void ReleaseValue(const void* value);

// Values handed out and not yet released; tests use it to catch leaks.
std::size_t OutstandingValues();

// Replaces the allocator (tests use it to make allocations fail); returns the previous one.
Allocator SwapAllocator(Allocator allocator);

}  // namespace quorvel
