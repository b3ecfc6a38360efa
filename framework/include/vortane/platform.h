// The platform calls a gauge module makes, behind one interface: the Windows
// module-loading calls, the multimedia sound call and the plain decimal
// formatter. On Windows they are the system's own; elsewhere they are mapped
// onto the platform (framework/src/posix). Names follow the Windows calls they
// stand for so that a reader can match them one to one.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

namespace vortane::platform {

using LibraryHandle = void*;
using ExportAddress = void (*)();

// Loads a library by bare name ("GaugeSound"), taking one reference. Null on failure.
LibraryHandle LoadLibraryA(const char* name);
// Finds a library already loaded in the process by bare name, taking no reference.
LibraryHandle GetModuleHandleA(const char* name);
// Resolves an export by name; null if the handle is null or the export is absent.
ExportAddress GetProcAddress(LibraryHandle library, const char* name);
// Releases one reference; a null handle is ignored.
void FreeLibrary(LibraryHandle library);

inline constexpr uint32_t kSoundAsync = 0x0001;     // return at once while the sound plays
inline constexpr uint32_t kSoundFilename = 0x20000; // the name is a file name
// Plays a sound file without waiting for it; the result is of no use to a gauge.
void PlaySoundA(const char* name, uint32_t flags);

// Windows-style plain formatter: "%d" conversions of 32-bit integers and "%%",
// nothing else. Writes at most `capacity` bytes, always null-terminated, and
// returns the length written.
size_t wsprintfA(char* out, size_t capacity, const char* format, ...);

}  // namespace vortane::platform
