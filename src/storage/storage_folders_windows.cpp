#include <windows.h>

#include "storage/storage_folders.h"
#include "storage/windows_text.h"

namespace tarnwick::storage {

namespace {

// Read in UTF-16, so that a user name in Chinese comes through whole.
std::optional<std::string> variable(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return std::nullopt;
    }
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return utf8Text(value);
}

StorageFolder gameFolder(const std::optional<std::string>& base, const char* name) {
    if (!base || base->empty()) {
        return {"", {MessageId::NoAppFolder, {name}}};
    }
    return {*base + "\\Tarnwick", {}};
}

}  // namespace

FolderEnvironment processEnvironment() {
    FolderEnvironment environment;
    environment.appData = variable(L"APPDATA");
    environment.localAppData = variable(L"LOCALAPPDATA");
    return environment;
}

StorageFolder settingsFolder(const FolderEnvironment& environment) {
    return gameFolder(environment.appData, "APPDATA");
}

StorageFolder recordsFolder(const FolderEnvironment& environment) {
    return gameFolder(environment.localAppData, "LOCALAPPDATA");
}

}  // namespace tarnwick::storage
