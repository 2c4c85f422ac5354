#include "core/evaluation/optimiser.h"

#include <dlfcn.h>

#include <system_error>

namespace kinhom {

namespace {

// The folder of the running program; empty when it cannot be read (the
// loader's search path then decides).
std::filesystem::path ProgramFolder()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : self.parent_path();
}

} // namespace

OptimiserModule LoadOptimiserFrom(const std::filesystem::path& folder)
{
    OptimiserModule m;
    const std::string file = (folder / kOptimiserModuleName).string();
    // The module stays loaded until the program ends.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* symbol = handle ? dlsym(handle, kOptimiserFactoryName) : nullptr;
    if (symbol) {
        m.create = reinterpret_cast<OptimiserFactory>(symbol);
        return m;
    }
    const char* why = dlerror();
    m.message = std::string("The fit cannot run: the optimiser ") + kOptimiserModuleName +
                " could not be loaded (" + (why ? why : "no factory in it") + ").";
    return m;
}

const OptimiserModule& LoadOptimiser()
{
    static const OptimiserModule module = LoadOptimiserFrom(ProgramFolder());
    return module;
}

} // namespace kinhom
