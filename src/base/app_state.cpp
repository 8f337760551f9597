// The process-wide application state record.
#include "base/app_state.h"

namespace kelpo {

AppState& App() {
    static AppState state;
    return state;
}

}  // namespace kelpo
