#pragma once
// Shared pieces of the fuzz targets: a scratch folder for the readers that
// take a path, and the one kind of failure a reader may report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace rw::fuzz {

// One folder per fuzzing process, removed when the process ends normally.
// Readers that open files by name get their input written here; every run
// overwrites the same names, so the folder never grows.
inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "reformer-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(ScratchFolder(), ec);
        });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// Writes the bytes to <scratch>/<name> and returns the path in the
// program's notation (the core maps '\' to '/' itself, '/' passes as is).
inline std::string WriteScratch(const std::string& name, std::string_view bytes) {
    const std::filesystem::path p = ScratchFolder() / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::abort();
    return p.string();
}

inline void RemoveScratch(const std::string& name) {
    std::error_code ec;
    std::filesystem::remove(ScratchFolder() / name, ec);
}

inline std::string_view AsBytes(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A fuzz target fails on anything but a UserError: a crash, a sanitizer
// report, an exception of another type (out_of_range, bad_alloc, ...) or an
// assertion of its own (Check).
inline void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace rw::fuzz
