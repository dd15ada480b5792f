// Where the game keeps its files. On Linux: the settings in $XDG_CONFIG_HOME/tarnwick (else
// $HOME/.config/tarnwick), the records in $XDG_STATE_HOME/tarnwick (else
// $HOME/.local/state/tarnwick). As the XDG rules say, an XDG variable that is empty or not an
// absolute path is ignored. Without an absolute HOME there is no folder, and a note says why.
// On Windows: the settings in %APPDATA%\Tarnwick (they roam with the user), the records in
// %LOCALAPPDATA%\Tarnwick (they stay on the machine); without the variable, no folder.
//
// The folders are plain values: the game reads them from its environment once, and tests pass
// folders of their own.
#pragma once

#include <optional>
#include <string>

#include "console/messages.h"

namespace tarnwick::storage {

// The variables the folders come from; an unset variable is nullopt.
struct FolderEnvironment {
    std::optional<std::string> home;
    std::optional<std::string> xdgConfigHome;
    std::optional<std::string> xdgStateHome;
    std::optional<std::string> appData = std::nullopt;  // Windows, in UTF-8
    std::optional<std::string> localAppData = std::nullopt;
};

// A folder for the game's files. An empty path means there is none; the note tells why.
struct StorageFolder {
    std::string path;
    Message note;
};

// The variables of this process.
FolderEnvironment processEnvironment();

StorageFolder settingsFolder(const FolderEnvironment& environment);
StorageFolder recordsFolder(const FolderEnvironment& environment);

}  // namespace tarnwick::storage
