// The process-wide application state record.
#include "app/app_state.h"

namespace kelpo {

AppState& App() {
    static AppState state;
    return state;
}

}  // namespace kelpo
