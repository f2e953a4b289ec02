// The exception barrier of the C boundary: no C++ exception reaches the host.
#pragma once

#include <new>

#include "core/codes.h"
#include "kelmod.h"

namespace kelmod {

// Runs f and returns its code; running out of memory (or any other
// exception) becomes code 8.
template <class F>
ErrorCode guarded(F&& f) noexcept {
  try {
    return f();
  } catch (const std::bad_alloc&) {
    return code::kNoMemory;
  } catch (...) {
    return code::kNoMemory;
  }
}

}  // namespace kelmod
