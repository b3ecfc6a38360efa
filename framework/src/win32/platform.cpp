// The platform calls on Windows: the system's own, reported to a panel host
// that exports its hooks (ours, for its event log); in the simulator there is
// none and the calls are exactly the system's.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstring>

#include "vortane/host_hooks.h"
#include "vortane/platform.h"

namespace vortane {

const VortaneHostHooks* find_host_hooks() {
  // A data export of the host program, if it has one.
  auto* hooks = reinterpret_cast<const VortaneHostHooks*>(
      ::GetProcAddress(::GetModuleHandleA(nullptr), "vortane_host_hooks"));
  if (hooks == nullptr || hooks->size < sizeof(VortaneHostHooks)) return nullptr;
  return hooks;
}

}  // namespace vortane

namespace vortane::platform {
namespace {

void report(const char* call, const char* name, bool ok) {
  if (const VortaneHostHooks* hooks = find_host_hooks(); hooks != nullptr && hooks->library_call != nullptr) {
    hooks->library_call(call, name, ok ? 1 : 0);
  }
}

// The bare name of a loaded library ("GaugeSound" for ...\GaugeSound.dll).
void name_of(HMODULE library, char* name, size_t capacity) {
  char path[MAX_PATH] = {0};
  name[0] = '\0';
  if (::GetModuleFileNameA(library, path, MAX_PATH) == 0) return;
  const char* base = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '\\' || *p == '/') base = p + 1;
  }
  std::snprintf(name, capacity, "%s", base);
  if (char* dot = std::strrchr(name, '.'); dot != nullptr && _stricmp(dot, ".dll") == 0) *dot = '\0';
}

}  // namespace

LibraryHandle LoadLibraryA(const char* name) {
  HMODULE library = nullptr;
  const VortaneHostHooks* hooks = find_host_hooks();
  if (hooks == nullptr || hooks->library_available == nullptr || hooks->library_available(name) != 0) {
    library = ::LoadLibraryA(name);
  }
  report("library_load", name, library != nullptr);
  return library;
}

LibraryHandle GetModuleHandleA(const char* name) {
  HMODULE library = ::GetModuleHandleA(name);
  report("library_find", name, library != nullptr);
  return library;
}

ExportAddress GetProcAddress(LibraryHandle library, const char* name) {
  if (library == nullptr) return nullptr;
  return reinterpret_cast<ExportAddress>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

void FreeLibrary(LibraryHandle library) {
  if (library == nullptr) return;
  char name[MAX_PATH];
  name_of(static_cast<HMODULE>(library), name, sizeof name);
  const bool ok = ::FreeLibrary(static_cast<HMODULE>(library)) != 0;
  report("library_free", name, ok);
}

void PlaySoundA(const char* name, uint32_t flags) {
  if (const VortaneHostHooks* hooks = find_host_hooks(); hooks != nullptr && hooks->play_sound != nullptr) {
    hooks->play_sound(name, flags);
  }
  ::PlaySoundA(name, nullptr, flags);
}

size_t wsprintfA(char* out, size_t capacity, const char* format, ...) {
  if (out == nullptr || capacity == 0) return 0;
  // The system formatter writes at most 1024 bytes into a buffer it cannot
  // measure; format into one that size, then copy what fits.
  char wide[1025];
  va_list args;
  va_start(args, format);
  const int written = ::wvsprintfA(wide, format, args);
  va_end(args);
  size_t length = written > 0 ? static_cast<size_t>(written) : 0;
  if (length >= capacity) length = capacity - 1;
  std::memcpy(out, wide, length);
  out[length] = '\0';
  return length;
}

}  // namespace vortane::platform
