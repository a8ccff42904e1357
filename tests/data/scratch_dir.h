#pragma once
// A fresh directory under the system's temporary directory, removed with everything in it
// when the object goes. Works natively and under Wine alike.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace tolvinark::testing {

class ScratchDir {
  public:
    ScratchDir() {
        std::random_device entropy;
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ =
            std::filesystem::temp_directory_path() /
            ("tolvinark-test-" + std::to_string(entropy()) + "-" + std::to_string(ticks % 1000000));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The name of `leaf` inside this directory, as the program's narrow file functions take it.
    std::string name(std::string_view leaf) const { return (path_ / leaf).string(); }

  private:
    std::filesystem::path path_;
};

// Writes `bytes` as the file's whole content with the standard library, independent of the
// program's own file access. False when that failed.
inline bool writeFile(const std::string& name, std::string_view bytes) {
    std::ofstream out(std::filesystem::path(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

inline std::string readFile(const std::string& name) {
    std::ifstream in(std::filesystem::path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace tolvinark::testing
