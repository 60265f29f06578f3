// Shared set-up of the program's tests: fresh process-wide values and a
// documents folder of the test's own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app_globals.h"
#include "paths.h"

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PelkResetAppGlobals();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        documents = std::filesystem::temp_directory_path() /
                    ("pelk-app-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::remove_all(documents);
        std::filesystem::create_directories(documents);
        PlatformPaths::SetDocumentsRoot(documents.string());
    }
    void TearDown() override
    {
        PlatformPaths::Reset();
        std::filesystem::remove_all(documents);
        PelkResetAppGlobals();
    }

    std::filesystem::path documents;
};
