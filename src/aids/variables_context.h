// What snippet variables are taken from in the running program: the active document, the
// local time and the user's values in the settings file.
#pragma once

#include "aids/variables_lookup.h"

namespace kelpo {

LocalTime CurrentLocalTime();

// The active document's path and caret line, the local time, and the user's values (at most
// 127 characters each).
VariableContext CurrentVariableContext();

}  // namespace kelpo
