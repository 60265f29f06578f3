#include "paths.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <vector>

#include "code_page.h"

namespace fs = std::filesystem;

namespace {

struct PathSettings {
    std::optional<std::string> documents;
    bool cardSet = false;
    std::optional<std::string> card;
    std::optional<std::string> config;
};

std::mutex& SettingsMutex() {
    static std::mutex mutex;
    return mutex;
}

PathSettings& Settings() {
    static PathSettings settings;
    return settings;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Home() {
    const std::string home = Environment("HOME");
    return home.empty() ? "." : home;
}

// The documents folder of the desktop: $XDG_DOCUMENTS_DIR, else its entry
// in user-dirs.dirs (XDG_DOCUMENTS_DIR="$HOME/Documents"), else none.
std::string XdgDocuments() {
    if (std::string env = Environment("XDG_DOCUMENTS_DIR"); !env.empty()) return env;
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty()) config = Home() + "/.config";
    std::ifstream in(config + "/user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=";
    for (std::string line; std::getline(in, line);) {
        if (line.compare(0, key.size(), key) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0) value = Home() + value.substr(5);
        return value;
    }
    return "";
}

// Takes "--name VALUE" or "--name=VALUE" out of argv.
std::optional<std::string> TakeOption(int& argc, char** argv, const char* name) {
    const size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        int used = 0;
        std::optional<std::string> value;
        if (arg == name && i + 1 < argc) {
            value = argv[i + 1];
            used = 2;
        } else if (arg.size() > length && arg.compare(0, length, name) == 0 && arg[length] == '=') {
            value = arg.substr(length + 1);
            used = 1;
        }
        if (used == 0) continue;
        for (int k = i; k + used <= argc; ++k) argv[k] = k + used < argc ? argv[k + used] : nullptr;
        argc -= used;
        return value;
    }
    return std::nullopt;
}

bool SameNoCase(const std::wstring& a, const std::wstring& b) { return CString(a).CompareNoCase(b.c_str()) == 0; }

// The existing entry of a folder whose name equals the component without
// regard to case; the component itself when there is none.
std::string ResolveComponent(const fs::path& folder, const std::wstring& component) {
    const std::string exact = WideToUtf8(component);
    std::error_code error;
    if (fs::exists(folder / exact, error)) return exact;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::wstring name = Utf8ToWide(entry.path().filename().string());
        if (SameNoCase(name, component)) return entry.path().filename().string();
    }
    return exact;
}

}  // namespace

void PlatformPaths::Configure(int& argc, char** argv) {
    if (auto documents = TakeOption(argc, argv, "--documents")) SetDocumentsRoot(*documents);
    if (auto card = TakeOption(argc, argv, "--card")) SetCardRoot(*card);
}

void PlatformPaths::SetDocumentsRoot(const std::string& root) {
    std::lock_guard lock(SettingsMutex());
    Settings().documents = root;
}

void PlatformPaths::SetCardRoot(std::optional<std::string> root) {
    std::lock_guard lock(SettingsMutex());
    Settings().cardSet = true;
    Settings().card = std::move(root);
}

void PlatformPaths::SetConfigDirectory(const std::string& directory) {
    std::lock_guard lock(SettingsMutex());
    Settings().config = directory;
}

void PlatformPaths::Reset() {
    std::lock_guard lock(SettingsMutex());
    Settings() = PathSettings{};
}

std::string PlatformPaths::DocumentsRoot() {
    {
        std::lock_guard lock(SettingsMutex());
        if (Settings().documents) return *Settings().documents;
    }
    if (std::string env = Environment("PELK_DOCUMENTS"); !env.empty()) return env;
    if (std::string xdg = XdgDocuments(); !xdg.empty()) return xdg + "/Pelk";
    return Home() + "/Documents/Pelk";
}

std::optional<std::string> PlatformPaths::CardRoot() {
    {
        std::lock_guard lock(SettingsMutex());
        if (Settings().cardSet) return Settings().card;
    }
    if (std::string env = Environment("PELK_CARD"); !env.empty()) return env;
    return std::nullopt;
}

std::string PlatformPaths::ConfigDirectory() {
    {
        std::lock_guard lock(SettingsMutex());
        if (Settings().config) return *Settings().config;
    }
    if (std::string xdg = Environment("XDG_CONFIG_HOME"); !xdg.empty()) return xdg + "/pelk";
    return Home() + "/.config/pelk";
}

std::optional<std::string> PlatformPaths::ToHost(const CString& path) {
    const std::wstring& text = path.str();
    if (text.empty()) return std::nullopt;
    if (text[0] == L'/') return WideToUtf8(text);

    std::vector<std::wstring> components;
    std::wstring current;
    for (wchar_t ch : text + L'\\') {
        if (ch != L'\\' && ch != L'/') {
            current += ch;
            continue;
        }
        if (current == L"..") return std::nullopt;  // would leave the root
        if (!current.empty() && current != L".") components.push_back(current);
        current.clear();
    }

    fs::path base;
    size_t first = 0;
    if (!components.empty() && SameNoCase(components[0], kStorageCardFolder)) {
        const auto card = CardRoot();
        if (!card) return std::nullopt;
        base = *card;
        first = 1;
    } else {
        base = DocumentsRoot();
        if (!components.empty() && SameNoCase(components[0], kDocumentsFolder)) first = 1;
    }
    std::error_code error;
    fs::create_directories(base, error);
    for (size_t i = first; i < components.size(); ++i) base /= ResolveComponent(base, components[i]);
    return base.string();
}
