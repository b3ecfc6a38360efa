// How a panel host watches and steers the platform calls of the modules it has
// loaded. A host process that wants this exports the data symbol
// `vortane_host_hooks`; anywhere else (a simulator that knows nothing of it)
// the lookup finds nothing and every call behaves as the plain platform call.
#pragma once

#include <cstdint>

extern "C" {

struct VortaneHostHooks {
  uint32_t size;  // sizeof(VortaneHostHooks) as the host was built
  // 0 makes a load of that library fail as if its file were missing.
  int32_t (*library_available)(const char* name);
  // call: "library_load", "library_find" or "library_free"; ok: the call succeeded.
  void (*library_call)(const char* call, const char* name, int32_t ok);
  // The platform sound call: the host's sound sink. Must not wait.
  void (*play_sound)(const char* name, uint32_t flags);
  // A call of the sound library: "gaugesound_play" (with its three arguments),
  // "gaugesound_stop" or "gaugesound_terminate" (arguments null / 0).
  void (*sound_library_call)(const char* call, const char* path, const char* arg2, int32_t arg3);
};

}  // extern "C"

namespace vortane {

// The hooks of the process's host, or null when there is none. Looked up on
// every call: it is cheap and there is nothing to keep in step.
const VortaneHostHooks* find_host_hooks();

}  // namespace vortane
