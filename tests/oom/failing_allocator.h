// The global allocation functions of a memory-exhaustion test program: the
// g_failAt-th allocation counted from g_allocations = 0 fails (0: none
// fails), and g_injected tells that it did. While g_paused is above 0
// allocations are not counted (the test's own). Include it in one file of
// the program only.
#pragma once

#include <cstdlib>
#include <new>

namespace {

long g_allocations = 0;
long g_failAt = 0;
bool g_injected = false;
int g_paused = 0;

void* Allocate(std::size_t size) {
  if (g_failAt > 0 && g_paused == 0 && ++g_allocations == g_failAt) {
    g_injected = true;
    return nullptr;
  }
  return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

void* operator new(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
