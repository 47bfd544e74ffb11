#pragma once

namespace morvane {

// The names the program files its settings and per-user data under.
inline constexpr char kOrganizationName[] = "Quillstone";
inline constexpr char kApplicationName[] = "Morvane";

} // namespace morvane
