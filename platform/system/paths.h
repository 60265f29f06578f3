// Where the handheld's folders live on this machine. Paths in the program are
// written with "\": "My Documents\..." maps onto the documents root, the
// storage card's folder ("Storage Card\...") onto the backup root, and every
// other path stays inside the documents root. A host path ("/...") is taken
// as it is; the layer itself hands those out (program file, chosen files).
#pragma once

#include <optional>
#include <string>

#include "c_string.h"

constexpr const wchar_t* kDocumentsFolder = L"My Documents";
constexpr const wchar_t* kStorageCardFolder = L"Storage Card";

class PlatformPaths {
public:
    // Documents root: --documents DIR, else $PELK_DOCUMENTS, else the
    // desktop's documents folder (XDG_DOCUMENTS_DIR from the environment or
    // user-dirs.dirs) + "/Pelk", else ~/Documents/Pelk. Card root: --card DIR,
    // else $PELK_CARD, else none. Configuration: $XDG_CONFIG_HOME/pelk, else
    // ~/.config/pelk. Recognised options are removed from argv.
    static void Configure(int& argc, char** argv);
    static void SetDocumentsRoot(const std::string& root);
    static void SetCardRoot(std::optional<std::string> root);
    static void SetConfigDirectory(const std::string& directory);
    static std::string DocumentsRoot();
    static std::optional<std::string> CardRoot();
    static std::string ConfigDirectory();
    // Forgets every setting (tests).
    static void Reset();

    // The host path of a program path; none for a path that would leave its
    // root (".." components) or is empty. Existing components are matched
    // without regard to case, as the handheld's file system does.
    static std::optional<std::string> ToHost(const CString& path);
};
