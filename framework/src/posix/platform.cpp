// The Windows platform calls mapped onto POSIX.
//
// A library's bare name ("GaugeSound") becomes the file "GaugeSound.so",
// looked for first in the directory of the running program, as Windows looks
// in the application's directory first, then along dlopen's own search path
// (LD_LIBRARY_PATH, the cache, the system directories). A name that already
// has a directory or an extension is used as it stands.
//
// A panel host that exports its hooks sees every call and may make a library
// unavailable; without a host the calls are the plain dlopen family.
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "vortane/host_hooks.h"
#include "vortane/platform.h"

namespace vortane {

const VortaneHostHooks* find_host_hooks() {
  auto* hooks = static_cast<const VortaneHostHooks*>(dlsym(RTLD_DEFAULT, "vortane_host_hooks"));
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

std::string program_directory() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  path[length] = '\0';
  const char* slash = std::strrchr(path, '/');
  return slash == nullptr ? std::string() : std::string(path, static_cast<size_t>(slash - path));
}

bool is_bare(const char* name) { return std::strchr(name, '/') == nullptr && std::strchr(name, '.') == nullptr; }

// Opens the library with `mode`, trying the program's directory first.
void* open_library(const char* name, int mode) {
  if (!is_bare(name)) return dlopen(name, mode);
  const std::string file = std::string(name) + ".so";
  const std::string beside_program = program_directory() + "/" + file;
  if (void* handle = dlopen(beside_program.c_str(), mode)) return handle;
  return dlopen(file.c_str(), mode);
}

// The bare name a handle was loaded under, for the host's log.
std::string name_of(void* handle) {
  link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr) return {};
  std::string path = map->l_name;
  path = path.substr(path.find_last_of('/') + 1);
  if (path.size() > 3 && path.compare(path.size() - 3, 3, ".so") == 0) path.resize(path.size() - 3);
  return path;
}

}  // namespace

LibraryHandle LoadLibraryA(const char* name) {
  void* handle = nullptr;
  const VortaneHostHooks* hooks = find_host_hooks();
  if (hooks == nullptr || hooks->library_available == nullptr || hooks->library_available(name) != 0) {
    handle = open_library(name, RTLD_NOW | RTLD_LOCAL);
  }
  report("library_load", name, handle != nullptr);
  return handle;
}

LibraryHandle GetModuleHandleA(const char* name) {
  // RTLD_NOLOAD counts a reference like any dlopen; give it straight back so
  // that finding takes none. The library stays loaded while its other holders
  // keep it, which is all a found handle promises.
  void* handle = open_library(name, RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
  if (handle != nullptr) dlclose(handle);
  report("library_find", name, handle != nullptr);
  return handle;
}

ExportAddress GetProcAddress(LibraryHandle library, const char* name) {
  if (library == nullptr) return nullptr;
  return reinterpret_cast<ExportAddress>(dlsym(library, name));
}

void FreeLibrary(LibraryHandle library) {
  if (library == nullptr) return;
  const std::string name = name_of(library);
  const bool ok = dlclose(library) == 0;
  report("library_free", name.c_str(), ok);
}

void PlaySoundA(const char* name, uint32_t flags) {
  // The host's sound sink plays it; without a host there is nothing to play on.
  if (const VortaneHostHooks* hooks = find_host_hooks(); hooks != nullptr && hooks->play_sound != nullptr) {
    hooks->play_sound(name, flags);
  }
}

size_t wsprintfA(char* out, size_t capacity, const char* format, ...) {
  if (out == nullptr || capacity == 0) return 0;
  va_list args;
  va_start(args, format);
  size_t length = 0;
  auto put = [&](char c) {
    if (length + 1 < capacity) out[length++] = c;
  };
  for (const char* p = format; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] == 'd') {
      char digits[16];
      std::snprintf(digits, sizeof digits, "%d", static_cast<int>(va_arg(args, int32_t)));
      for (const char* d = digits; *d != '\0'; ++d) put(*d);
      ++p;
    } else if (p[0] == '%' && p[1] == '%') {
      put('%');
      ++p;
    } else {
      put(*p);
    }
  }
  va_end(args);
  out[length] = '\0';
  return length;
}

}  // namespace vortane::platform
