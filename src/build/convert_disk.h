// The files of a conversion on the real disk: whole-file reads, the atomic whole-file writer
// and the system ANSI code page.
#pragma once

#include "build/convert_file.h"

namespace kelpo {

ConvertFileAccess DiskConvertFileAccess();

}  // namespace kelpo
