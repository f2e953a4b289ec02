// Named return codes. The numbers are the toolbox's interface; the names say
// which condition each one reports.
#pragma once

#include <cstdint>

namespace kelmod::code {

using Code = int32_t;

inline constexpr Code kOk = 0;

// Toolbox core
inline constexpr Code kUnsupported = 3;
inline constexpr Code kNoMemory = 8;
inline constexpr Code kMissingArgument = 78;

// Generic record tables
inline constexpr Code kSetNotFound = 1;
inline constexpr Code kNoDefinitions = 2;
inline constexpr Code kNoData = 4;
inline constexpr Code kSendTableEmpty = 7;
inline constexpr Code kDescribeEmptyType34 = 15;
inline constexpr Code kDescribeEmptyType2 = 16;
inline constexpr Code kDescribeEmptyType1 = 17;
inline constexpr Code kAttributeEmptyType3 = 23;
inline constexpr Code kAttributeEmptyType2 = 24;
inline constexpr Code kAttributeEmptyOther = 25;
inline constexpr Code kNoFieldAtPosition = 26;
inline constexpr Code kEmptyType1 = 38;
inline constexpr Code kEmptyType2 = 39;
inline constexpr Code kEmptyType3 = 40;
inline constexpr Code kNoSuchField = 41;
inline constexpr Code kWriteConfigMode1 = 42;
inline constexpr Code kWriteConfigMode2 = 43;
inline constexpr Code kWriteConfigMode3 = 44;
inline constexpr Code kWriteEmptySendTable = 48;
inline constexpr Code kWriteEmptyTable = 49;
inline constexpr Code kWriteNoSuchField = 50;
inline constexpr Code kModifyEmptySendTable = 51;
inline constexpr Code kModifyEmptyTable = 52;
inline constexpr Code kModifyNoRecord = 53;
inline constexpr Code kDefinitionFileMissing = 56;
inline constexpr Code kNoDefinitionAtPosition = 57;
inline constexpr Code kNoDefinitionOfName = 58;
inline constexpr Code kUserTableEmpty = 59;
inline constexpr Code kIndexFileUnreadable = 60;
inline constexpr Code kTableNotCreated = 61;
inline constexpr Code kZeroLength = 62;
inline constexpr Code kFieldOrValueMissing = 71;
inline constexpr Code kPrintTableEmpty = 86;
inline constexpr Code kTableNotPresent = 999;

// Results of the internal list operations
inline constexpr Code kListMemory = -1;
inline constexpr Code kListMissing = -2;
inline constexpr Code kListBeyondEnd = -3;

}  // namespace kelmod::code
