#pragma once

// The release this program is; the printed reports carry it in their footer
// and the update check compares it with the newest one.
inline constexpr const char* kProgramVersion = "2.08";
