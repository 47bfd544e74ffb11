#pragma once

namespace morvane {

// The names the program files its settings and per-user data under.
inline constexpr char kOrganizationName[] = "Quillstone";
inline constexpr char kApplicationName[] = "Morvane";
// The name users see: the title of the program's own message boxes. It is
// not set as the application's display name, since the window system would
// then append it to every window title.
inline constexpr char16_t kDisplayName[] = u"モルヴァ";
// The reverse-domain id of the desktop entry, the metainfo and the icon.
inline constexpr char kApplicationId[] = MORVANE_APP_ID;
// The data file in the program folder.
inline constexpr char kDataFileName[] = "Morva.dat";

} // namespace morvane
