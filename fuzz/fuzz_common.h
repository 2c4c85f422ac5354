#pragma once
// Shared helpers of the libFuzzer targets. Each reader and each computation that
// takes user input has one target fuzz/fuzz_<name>.cpp (built with -DKINHOM_FUZZ=ON
// and clang; a new file is picked up without a change to the build). A target
// - defines LLVMFuzzerTestOneInput, which feeds the input to the reader or the
//   computation and checks its promises: a refusal leaves the state as it was,
//   whatever loads also saves and reads back equal, a result is finite and each
//   call ends within its time bound;
// - defines LLVMFuzzerInitialize through KINHOM_FUZZ_SEEDS(fn): when the
//   environment variable KINHOM_FUZZ_SEEDS names a folder, fn writes seed
//   files there with the program's own writers before fuzzing starts.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include <unistd.h>

// A property of the reader that must hold; a violation stops the fuzzer with
// the input saved as a crash.
#define FUZZ_CHECK(cond)                                                                            \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace kinhom::fuzz {

namespace fs = std::filesystem;

// A folder of this process for the input file and the files the target saves;
// removed when the process ends. It lies in memory where the system offers
// that (/dev/shm), as the writers sync every file they save to disk.
class WorkFolder {
public:
    WorkFolder()
    {
        std::error_code ec;
        const fs::path shm = "/dev/shm";
        const fs::path base = fs::is_directory(shm, ec) && ::access(shm.c_str(), W_OK) == 0
                                  ? shm
                                  : fs::temp_directory_path();
        path_ = base / ("kinhom-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(path_);
    }
    ~WorkFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

inline const fs::path& Work()
{
    static WorkFolder folder;
    return folder.path();
}

// Writes the input bytes to a file of the given name in the work folder (the
// readers read files, so the whole path, decoding included, is exercised).
inline fs::path InputFile(const std::uint8_t* data, std::size_t size, const std::string& name)
{
    const fs::path p = Work() / name;
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return p;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size)
{
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

// Runs writeSeeds(folder) when KINHOM_FUZZ_SEEDS names a folder.
template <class F>
void SeedsFromEnvironment(F writeSeeds)
{
    const char* folder = std::getenv("KINHOM_FUZZ_SEEDS");
    if (!folder || !*folder) return;
    fs::create_directories(folder);
    writeSeeds(fs::path(folder));
}

} // namespace kinhom::fuzz

// Defines LLVMFuzzerInitialize, which writes the target's seeds with fn.
#define KINHOM_FUZZ_SEEDS(fn)                                                                       \
    extern "C" int LLVMFuzzerInitialize(int*, char***)                                             \
    {                                                                                              \
        kinhom::fuzz::SeedsFromEnvironment(fn);                                                    \
        return 0;                                                                                  \
    }
