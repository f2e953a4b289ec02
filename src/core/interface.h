// The interface record: the backend's release, the separator character and
// the host's flags, stored in module state.
#pragma once

#include <cstdint>
#include <string>

#include "core/state.h"

namespace kelmod {

// Stores the columns of a NUL-terminated interface record and derives the
// release family from the release text when it has two characters or more.
void StoreInterface(State& s, const char* record);

// Release family of a release text of at least two characters:
// "50"/"5." 1, "60"/"6." 2, "21" 3, "22"/"2." 4, anything else 5.
int32_t ReleaseFamilyOf(const std::string& release);

// The stored value of ZanDescribeInterface mode 1 to 6; false for any other.
bool InterfaceValue(const State& s, int32_t mode, std::string& out);

}  // namespace kelmod
