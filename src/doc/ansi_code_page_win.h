// The system ANSI code page (CP_ACP) behind the AnsiCodePage seam; Windows only.
#pragma once

#include "doc/ansi_code_page.h"

namespace kelpo {

// The code page of ANSI documents: the system's (CP_ACP) unless another one was chosen.
AnsiCodePage SystemAnsiCodePage();

// Chooses the code page that ANSI documents are read and written in (CP_ACP for the system's);
// lets tests run a double-byte code page whatever the system has.
void UseAnsiCodePage(unsigned codePage);

}  // namespace kelpo
