// The binding of the external sound library "GaugeSound", found by name at run
// time. Every module keeps one, also those that never play a sound.
#pragma once

#include <cstdint>

#include "vortane/abi.h"
#include "vortane/platform.h"

namespace vortane {

using GaugePlaySoundFn = int32_t(VORTANE_CALL*)(const char* path, const char* arg2, int32_t arg3);
using GaugeStopSoundFn = void(VORTANE_CALL*)();
using TerminateSoundsFn = void(VORTANE_CALL*)();

inline constexpr char kSoundLibraryName[] = "GaugeSound";
inline constexpr char kClickSound[] = "sound\\CLICK.WAV";
inline constexpr char kSwitchSound[] = "sound\\SWITCH.WAV";

struct SoundBinding {
  platform::LibraryHandle library;  // as last found or loaded; null when that failed
  GaugePlaySoundFn play;
  GaugeStopSoundFn stop;            // resolved, never called
  TerminateSoundsFn terminate;
  // Whether `library` carries a reference this module took and has not yet
  // released. A kill releases only such a reference, so that a gauge killed,
  // initialised and killed again never unloads the library from under another
  // module that still uses it.
  int32_t holds_reference;
};

// Initialise: load the library when no reference is held, then resolve.
void sound_initialise(SoundBinding& sound);
// Update: find the library (or load it), then resolve.
void sound_update(SoundBinding& sound);
// Kill: find and resolve, terminate sounds, release the reference held.
void sound_kill(SoundBinding& sound);
// Plays a sound file through the library; silent when it or the export is missing.
void sound_play(const SoundBinding& sound, const char* path);

}  // namespace vortane
