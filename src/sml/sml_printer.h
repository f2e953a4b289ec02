// The print form of the characteristic bar of the newer release.
#pragma once

#include <cstdint>

#include "core/records.h"

namespace kelmod::sml {

// Prints every characteristic, numbered from 1, into a new text file at
// `path`. The send texts are not printed. A null path, or a file that cannot
// be created, prints nothing.
void PrintSmlK4Table(const SmlK4Table& table, const char* path);

}  // namespace kelmod::sml
