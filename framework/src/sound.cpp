#include "vortane/sound.h"

namespace vortane {
namespace {

template <typename Fn>
Fn resolve(platform::LibraryHandle library, const char* name) {
  return reinterpret_cast<Fn>(platform::GetProcAddress(library, name));
}

// Overwrites all three functions from the handle as it now stands; a null
// handle or a missing export leaves a null function.
void resolve_functions(SoundBinding& sound) {
  sound.play = resolve<GaugePlaySoundFn>(sound.library, "GaugePlaySound");
  sound.stop = resolve<GaugeStopSoundFn>(sound.library, "GaugeStopSound");
  sound.terminate = resolve<TerminateSoundsFn>(sound.library, "TerminateSounds");
}

void load(SoundBinding& sound) {
  sound.library = platform::LoadLibraryA(kSoundLibraryName);
  sound.holds_reference = sound.library != nullptr;
}

// Looks the library up among those loaded (no reference taken), and loads it
// only when it is not there.
void find(SoundBinding& sound) {
  sound.library = platform::GetModuleHandleA(kSoundLibraryName);
  if (sound.library == nullptr) {
    // Only reachable when no module holds it, this one included.
    load(sound);
  }
}

}  // namespace

void sound_initialise(SoundBinding& sound) {
  if (!sound.holds_reference) load(sound);
  resolve_functions(sound);
}

void sound_update(SoundBinding& sound) {
  find(sound);
  resolve_functions(sound);
}

void sound_kill(SoundBinding& sound) {
  find(sound);
  resolve_functions(sound);
  if (sound.terminate != nullptr) sound.terminate();
  if (sound.holds_reference && sound.library != nullptr) {
    platform::FreeLibrary(sound.library);
    sound.holds_reference = 0;
  }
}

void sound_play(const SoundBinding& sound, const char* path) {
  if (sound.play != nullptr) sound.play(path, "", 0);
}

}  // namespace vortane
