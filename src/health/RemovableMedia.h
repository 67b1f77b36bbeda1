#pragma once
#include <optional>
#include <string>
#include <string_view>

// The removable medium of the desktop (a USB stick, a CD) the declaration
// files may go to directly: what the program's "diskette" destination means
// here. Desktops mount such media under /media/<user>/<label> or
// /run/media/<user>/<label>.

inline constexpr const char* kNoRemovableMedium =
    "Nu este montat niciun disc amovibil (stick USB, CD, discheta) in /media sau /run/media!\n\n"
    "Introdu discul si asteapta sa apara pe ecran sau alege \"intr-un alt folder\".\n"
    "Nu s-a salvat niciun fisier.";

// The first mount point under /media or /run/media in a mount table in the
// form of /proc/self/mounts (escapes such as "\040" for a blank decoded).
[[nodiscard]] std::optional<std::string> FirstRemovableMedium(std::string_view mountTable);

// The same for this computer's mounts now.
[[nodiscard]] std::optional<std::string> FindRemovableMedium();
