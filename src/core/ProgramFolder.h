#pragma once

#include <QString>

namespace morvane {

// The program folder holds Morva.dat, Morva.log and Cal.ini. It is the folder
// of the executable, so a copied program carries its data along; an installed
// program (marked by its installation, or in a folder it cannot write) keeps
// them in the per-user data folder instead.

// Whether a file can be created in `folder`: actually tried, because
// permission bits do not tell the whole story (read-only mounts, access
// control lists on Windows).
bool IsFolderWritable(const QString& folder);

// Relative to the executable's folder, the marker the install step leaves
// in <prefix>/share/morvane for a program in <prefix>/bin.
inline constexpr char kInstalledMarker[] = "../share/morvane/installed";

// Whether the program in `executableFolder` runs from an installation.
bool IsInstalledProgram(const QString& executableFolder);

// `executableFolder` when it holds the data file, or when it is writable and
// not an installation; else `userDataFolder`, created when missing. A data
// file beside the program wins over one in the per-user folder.
QString ChooseProgramFolder(const QString& executableFolder, const QString& userDataFolder);

// The per-user data folder: ~/.local/share/Quillstone/Morvane on Linux.
QString UserDataFolder();

// The program folder of this run. Needs the application object.
QString ProgramFolder();

} // namespace morvane
