// The five class requests of the newer release: the caller's values, each
// followed by the separator character, in the send buffer.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "core/state.h"

namespace kelmod::classification {

// Joins `values` into the send buffer, each followed by the separator (a
// separator that was never set joins them with nothing between). Values are
// placed unchanged, whatever their length. 0; 78 a value null (nothing is
// built); 8 no memory (the send buffer is then empty).
int32_t BuildClassRequest(State& s, std::initializer_list<const char*> values,
                          char** sendString);

// ZanCreateSendstrClasSearchK4: mode 1 values 1-5, mode 2 values 1-4, mode 3
// values 1-4, 6 and 7. Values a mode does not use are not read and may be
// null. 3 another mode (nothing built); otherwise as BuildClassRequest.
int32_t CreateSendstrClasSearchK4(State& s, int32_t mode, const char* v1, const char* v2,
                                  const char* v3, const char* v4, const char* v5,
                                  const char* v6, const char* v7, char** sendString);

}  // namespace kelmod::classification
