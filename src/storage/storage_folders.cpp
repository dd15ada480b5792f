#include "storage/storage_folders.h"

#include <cstdlib>

namespace tarnwick::storage {

namespace {

bool isAbsolute(const std::optional<std::string>& path) {
    return path && !path->empty() && path->front() == '/';
}

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// The game's folder under the XDG base folder, or under HOME when the variable is not usable.
StorageFolder gameFolder(const std::optional<std::string>& xdgBase, const char* xdgName,
                         const std::optional<std::string>& home, const char* underHome) {
    if (isAbsolute(xdgBase)) {
        return {*xdgBase + "/tarnwick", {}};
    }
    if (!home || home->empty()) {
        return {"", {home ? MessageId::HomeEmpty : MessageId::NoHome, {xdgName}}};
    }
    if (!isAbsolute(home)) {
        return {"", {MessageId::HomeNotAbsolute}};
    }
    return {*home + underHome + "/tarnwick", {}};
}

}  // namespace

FolderEnvironment processEnvironment() {
    return {variable("HOME"), variable("XDG_CONFIG_HOME"), variable("XDG_STATE_HOME")};
}

StorageFolder settingsFolder(const FolderEnvironment& environment) {
    return gameFolder(environment.xdgConfigHome, "XDG_CONFIG_HOME", environment.home, "/.config");
}

StorageFolder recordsFolder(const FolderEnvironment& environment) {
    return gameFolder(environment.xdgStateHome, "XDG_STATE_HOME", environment.home,
                      "/.local/state");
}

}  // namespace tarnwick::storage
