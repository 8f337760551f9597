// The system ANSI code page (CP_ACP) behind the AnsiCodePage seam; Windows only.
#pragma once

#include "doc/ansi_code_page.h"

namespace kelpo {

AnsiCodePage SystemAnsiCodePage();

}  // namespace kelpo
