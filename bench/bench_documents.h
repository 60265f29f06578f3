// A private documents folder for a benchmark, with the shipped exchange file
// installed and loaded; removed at the end.
#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

#include "app_globals.h"
#include "exchange_file.h"
#include "paths.h"
#include "repl_doc.h"

class BenchDocuments {
public:
    explicit BenchDocuments(const std::string& bench)
        : mRoot(std::filesystem::temp_directory_path() /
                ("pelk-" + bench + "-bench-" + std::to_string(::getpid())))
    {
        PelkResetAppGlobals();
        std::filesystem::create_directories(mRoot);
        PlatformPaths::SetDocumentsRoot(mRoot.string());
        PlatformPaths::SetConfigDirectory((mRoot / "config").string());
        mReady = InstallDefaultExchangeFile() &&
                 CReplDoc().LoadExchangeFile(CString(kExchangeFilePath));
    }
    ~BenchDocuments()
    {
        PlatformPaths::Reset();
        std::filesystem::remove_all(mRoot);
        PelkResetAppGlobals();
    }
    BenchDocuments(const BenchDocuments&) = delete;
    BenchDocuments& operator=(const BenchDocuments&) = delete;
    bool Ready() const { return mReady; }

private:
    std::filesystem::path mRoot;
    bool mReady = false;
};
