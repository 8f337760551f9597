// The session file. Documents do not exist yet, so there is nothing to write or reopen:
// the document layer fills these in.
#include "doc/session.h"

#include "app/app_state.h"

namespace kelpo {

void SaveSession(AppState&) {}

int LoadSession(AppState&) { return 0; }

}  // namespace kelpo
