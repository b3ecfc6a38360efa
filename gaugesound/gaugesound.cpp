// A stand-in for the sound library the gauges bind by name: it plays nothing
// and reports every call to the panel host, if the process has one, so that
// tests can see what the gauges asked for.
#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "vortane/abi.h"
#include "vortane/host_hooks.h"

#if defined(_WIN32)
#define GAUGESOUND_EXPORT extern "C" __declspec(dllexport)
#else
#define GAUGESOUND_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

// Looked up on every call: the host may come and go between calls in tests.
const VortaneHostHooks* host_hooks() {
#if defined(_WIN32)
  auto* hooks = reinterpret_cast<const VortaneHostHooks*>(
      ::GetProcAddress(::GetModuleHandleA(nullptr), "vortane_host_hooks"));
#else
  auto* hooks = static_cast<const VortaneHostHooks*>(dlsym(RTLD_DEFAULT, "vortane_host_hooks"));
#endif
  if (hooks == nullptr || hooks->size < sizeof(VortaneHostHooks) || hooks->sound_library_call == nullptr)
    return nullptr;
  return hooks;
}

void report(const char* call, const char* path, const char* arg2, int32_t arg3) {
  if (const VortaneHostHooks* hooks = host_hooks()) hooks->sound_library_call(call, path, arg2, arg3);
}

}  // namespace

GAUGESOUND_EXPORT int32_t VORTANE_CALL GaugePlaySound(const char* path, const char* arg2, int32_t arg3) {
  report("gaugesound_play", path, arg2, arg3);
  return 1;
}

GAUGESOUND_EXPORT void VORTANE_CALL GaugeStopSound() { report("gaugesound_stop", nullptr, nullptr, 0); }

GAUGESOUND_EXPORT void VORTANE_CALL TerminateSounds() { report("gaugesound_terminate", nullptr, nullptr, 0); }
