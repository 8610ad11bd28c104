#include "platform/drawing_module.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>

namespace {

std::atomic<const DrawingModule*> g_module{nullptr};

// The module sits beside the library this code is part of.
std::string ModulePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&LoadDrawingModule), &info) == 0 || !info.dli_fname) {
        return kDrawingModuleFile;
    }
    const std::string self = info.dli_fname;
    const size_t slash = self.rfind('/');
    return slash == std::string::npos ? kDrawingModuleFile : self.substr(0, slash + 1) + kDrawingModuleFile;
}

const DrawingModule* OpenModule() {
    void* handle = dlopen(ModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        return nullptr;
    }
    const auto entry = reinterpret_cast<DrawingModuleEntry>(dlsym(handle, kDrawingModuleSymbol));
    return entry ? entry() : nullptr;
}

}  // namespace

const DrawingModule* LoadDrawingModule() {
    static std::once_flag once;
    std::call_once(once, [] { g_module = OpenModule(); });
    return g_module;
}

const DrawingModule* LoadedDrawingModule() {
    return g_module;
}
