#pragma once
// A fresh folder per test, removed with everything in it when the test ends.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace penumbro::testing {

class TempDir {
public:
    explicit TempDir(const std::string& tag = "test") {
        static std::atomic<int> counter{0};
        dir_ = std::filesystem::temp_directory_path() /
               ("penumbro-" + tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    ~TempDir() { std::error_code ec; std::filesystem::remove_all(dir_, ec); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& dir() const { return dir_; }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    // Writes bytes as they stand and returns the file's path.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }
    std::string read(const std::string& name) const { return readFile(path(name)); }

    static std::string readFile(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path dir_;
};

}  // namespace penumbro::testing
