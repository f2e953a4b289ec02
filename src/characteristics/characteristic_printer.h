// The print form of characteristic lists (the characteristic bar of the
// older form and the mail tables).
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/records.h"

namespace kelmod {

// Prints every record of `list`, numbered from 1, into a new text file at
// `path`; a null path, or a file that cannot be created, prints nothing.
void PrintCharacteristicTable(const CharacteristicList& list, int32_t mode, const char* path);

// Writes one record's block when the file is present and the mode is 1:
// heading, rule, every present text member, length and decimals above 0,
// and one line per value with its record number.
void PrintCharacteristic(const CharacteristicRecord& record, int32_t mode, int32_t number,
                         std::FILE* file);

}  // namespace kelmod
