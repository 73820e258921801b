#pragma once
// FluidSynth, opened at run time the first time the tune needs it rather than linked into the
// program: the library and the thirty-odd libraries it pulls in (audio servers, SDL, file
// formats) would otherwise be loaded at every start, for a tune that comes up only after the
// window is shown, and not at all without an audio output or a soundfont.
//
// The table holds the functions MusicPlayer calls, with the types <fluidsynth.h> declares them
// with, under the same names.

#include <fluidsynth.h>

#include <memory>

namespace orvala::sound {

// X(name) for every FluidSynth function the program calls.
#define ORVALA_FLUIDSYNTH_FUNCTIONS(X) \
    X(fluid_set_log_function)          \
    X(new_fluid_settings)              \
    X(delete_fluid_settings)           \
    X(fluid_settings_setnum)           \
    X(new_fluid_synth)                 \
    X(delete_fluid_synth)              \
    X(fluid_synth_sfload)              \
    X(fluid_synth_system_reset)        \
    X(fluid_synth_write_s16)           \
    X(new_fluid_player)                \
    X(delete_fluid_player)             \
    X(fluid_player_add)                \
    X(fluid_player_play)               \
    X(fluid_player_stop)               \
    X(fluid_player_get_status)

struct FluidSynth {
#define ORVALA_FLUIDSYNTH_MEMBER(name) decltype(&::name) name = nullptr;
    ORVALA_FLUIDSYNTH_FUNCTIONS(ORVALA_FLUIDSYNTH_MEMBER)
#undef ORVALA_FLUIDSYNTH_MEMBER
};

// The library's name as the dynamic loader knows it (the runtime package installs it).
inline constexpr const char* kFluidSynthLibrary = "libfluidsynth.so.3";

// The functions of the shared library `soname`, or null when it cannot be opened or lacks any of
// them (then nothing of it stays loaded). A library that was opened is never closed.
std::unique_ptr<const FluidSynth> loadFluidSynth(const char* soname);

// kFluidSynthLibrary, opened on the first call from any thread and kept for the program's life;
// null from then on when it is not there.
const FluidSynth* fluidSynth();

}  // namespace orvala::sound
