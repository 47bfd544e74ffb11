#pragma once

#include <QString>

namespace morvane {

// The program folder holds Morva.dat, Morva.log and Cal.ini. It is the folder
// of the executable, so a copied program carries its data along; an installed
// program (folder not writable, no data file in it) keeps them in the
// per-user data folder instead.

// Whether a file can be created in `folder`: actually tried, because
// permission bits do not tell the whole story (read-only mounts, access
// control lists on Windows).
bool IsFolderWritable(const QString& folder);

// `executableFolder` when it holds the data file or is writable, else
// `userDataFolder`, created when missing. A data file beside the program
// wins over one in the per-user folder.
QString ChooseProgramFolder(const QString& executableFolder, const QString& userDataFolder);

// The per-user data folder: ~/.local/share/Quillstone/Morvane on Linux.
QString UserDataFolder();

// The program folder of this run. Needs the application object.
QString ProgramFolder();

} // namespace morvane
