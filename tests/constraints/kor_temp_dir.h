// A fresh folder for a test's files, removed with its contents at the end.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class KorTempDir {
public:
    KorTempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kortest.XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            mPath = pattern;
        EXPECT_FALSE(mPath.empty()) << "no temporary folder";
    }
    ~KorTempDir()
    {
        if (!mPath.empty())
            std::filesystem::remove_all(mPath);
    }
    KorTempDir(const KorTempDir&) = delete;
    KorTempDir& operator=(const KorTempDir&) = delete;

    const std::filesystem::path& Path() const { return mPath; }
    std::string PathOf(const std::string& name) const { return (mPath / name).string(); }

    // Writes bytes to a new or truncated file of that name; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path mPath;
};
