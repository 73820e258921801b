// FluidSynth opened at run time: every function the tune calls is found in the installed
// library, and a library that is missing or incomplete gives no table at all, never half a one.

#include "sound/fluidsynth_library.h"

#include <gtest/gtest.h>

namespace orvala::sound {
namespace {

TEST(FluidSynthLibrary, ResolvesEveryFunctionOrNothing) {
    const FluidSynth* fs = fluidSynth();
    ASSERT_NE(fs, nullptr) << kFluidSynthLibrary << " is not installed (scripts/install-deps)";
#define ORVALA_EXPECT_RESOLVED(name) EXPECT_TRUE(fs->name != nullptr) << #name;
    ORVALA_FLUIDSYNTH_FUNCTIONS(ORVALA_EXPECT_RESOLVED)
#undef ORVALA_EXPECT_RESOLVED
    EXPECT_EQ(fluidSynth(), fs);  // opened once

    // The table is usable: a synthesiser comes up and goes again.
    fluid_settings_t* settings = fs->new_fluid_settings();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(fs->fluid_settings_setnum(settings, "synth.gain", 0.5), FLUID_OK);
    fluid_synth_t* synth = fs->new_fluid_synth(settings);
    EXPECT_NE(synth, nullptr);
    if (synth) fs->delete_fluid_synth(synth);
    fs->delete_fluid_settings(settings);

    EXPECT_FALSE(loadFluidSynth("liborvala-no-such-library.so.1"));
    // There, but without FluidSynth's functions.
    EXPECT_FALSE(loadFluidSynth("libm.so.6"));
}

}  // namespace
}  // namespace orvala::sound
