// The per-user QSettings file of the program (Kelvane.conf), apart from the design's
// own settings file: what the program remembers for the user between runs.
#pragma once

#include <QSettings>

namespace krovel {

inline constexpr const char* UserSettingsOrganization = "Marvolen Krovel";
inline constexpr const char* UserSettingsApplication = "Kelvane";

} // namespace krovel
