#include "platform/gui_module.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>

namespace {

std::atomic<const GuiModule*> g_module{nullptr};

// The module sits beside the library this code is part of.
std::string ModulePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&LoadGuiModule), &info) == 0 || !info.dli_fname) {
        return kGuiModuleFile;
    }
    const std::string self = info.dli_fname;
    const size_t slash = self.rfind('/');
    return slash == std::string::npos ? kGuiModuleFile : self.substr(0, slash + 1) + kGuiModuleFile;
}

const GuiModule* OpenModule() {
    void* handle = dlopen(ModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        return nullptr;
    }
    const auto entry = reinterpret_cast<GuiModuleEntry>(dlsym(handle, kGuiModuleSymbol));
    return entry ? entry() : nullptr;
}

}  // namespace

const GuiModule* LoadGuiModule() {
    static std::once_flag once;
    std::call_once(once, [] { g_module = OpenModule(); });
    return g_module;
}

const GuiModule* LoadedGuiModule() {
    return g_module;
}
