// Where the game keeps its files: the settings in $XDG_CONFIG_HOME/tarnwick (else
// $HOME/.config/tarnwick), the records in $XDG_STATE_HOME/tarnwick (else
// $HOME/.local/state/tarnwick). As the XDG rules say, an XDG variable that is empty or not an
// absolute path is ignored. Without an absolute HOME there is no folder, and a note says why.
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
