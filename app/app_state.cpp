#include "app/app_state.h"

namespace tarvolin {

AppState& TheAppState() {
  static AppState state;
  return state;
}

}  // namespace tarvolin
