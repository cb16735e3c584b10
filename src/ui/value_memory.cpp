#include "ui/value_memory.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ui/run_time_error.h"

namespace quorvel {
namespace {

void* AllocateFromHeap(std::size_t bytes) { return std::malloc(bytes); }

std::atomic<Allocator> current_allocator{AllocateFromHeap};
std::atomic<std::size_t> outstanding{0};

}  // namespace

char* AllocateValue(std::size_t bytes) {
  void* memory = current_allocator.load()(bytes == 0 ? 1 : bytes);
  if (memory == nullptr) {
    // "分配 %d 字节内存失败!" in GBK.
    std::string message = "\xB7\xD6\xC5\xE4 ";
    message += std::to_string(bytes);
    message += " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";
    RaiseRunTimeError(message);
  }
  outstanding.fetch_add(1);
  return static_cast<char*>(memory);
}

TextValue CopyToValue(std::string_view gbk) {
  char* value = AllocateValue(gbk.size() + 1);
  if (!gbk.empty()) std::memcpy(value, gbk.data(), gbk.size());
  value[gbk.size()] = '\0';
  return value;
}

void ReleaseValue(const void* value) {
  if (value == nullptr) return;
  outstanding.fetch_sub(1);
  std::free(const_cast<void*>(value));
}

std::size_t OutstandingValues() { return outstanding.load(); }

Allocator SwapAllocator(Allocator allocator) { return current_allocator.exchange(allocator); }

}  // namespace quorvel
