#include "sound/fluidsynth_library.h"

#include <dlfcn.h>

namespace orvala::sound {

std::unique_ptr<const FluidSynth> loadFluidSynth(const char* soname) {
    void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    auto table = std::make_unique<FluidSynth>();
    bool complete = true;
#define ORVALA_FLUIDSYNTH_RESOLVE(name)                                      \
    table->name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    complete = complete && table->name;
    ORVALA_FLUIDSYNTH_FUNCTIONS(ORVALA_FLUIDSYNTH_RESOLVE)
#undef ORVALA_FLUIDSYNTH_RESOLVE
    if (!complete) {
        dlclose(handle);
        return nullptr;
    }
    return table;
}

const FluidSynth* fluidSynth() {
    static const std::unique_ptr<const FluidSynth> library = loadFluidSynth(kFluidSynthLibrary);
    return library.get();
}

}  // namespace orvala::sound
