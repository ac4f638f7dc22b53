#include "app/profile.h"

namespace pictavo {

// Profiles need the INI reader; until it is part of the build every profile
// is refused, so that no run silently goes on without the settings it names.
bool ReadProfile(Settings&, const std::string&) {
  return false;
}

}  // namespace pictavo
