#include "../module_library.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <vector>

namespace vortane::host {
namespace {

struct Section {
  uintptr_t begin;
  uintptr_t end;
  bool read;
  bool write;
  bool execute;
};

std::string last_error_text() {
  const DWORD code = ::GetLastError();
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 && text != nullptr ? std::string(text, length) : "LoadLibrary failed";
  if (text != nullptr) ::LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message + " (error " + std::to_string(code) + ")";
}

// The sections of a loaded image, with the access the loader gave them.
std::vector<Section> sections_of(HMODULE module) {
  const auto base = reinterpret_cast<uintptr_t>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  std::vector<Section> sections;
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    const DWORD size = section->Misc.VirtualSize != 0 ? section->Misc.VirtualSize : section->SizeOfRawData;
    const DWORD c = section->Characteristics;
    sections.push_back({base + section->VirtualAddress, base + section->VirtualAddress + size,
                        (c & IMAGE_SCN_MEM_READ) != 0, (c & IMAGE_SCN_MEM_WRITE) != 0,
                        (c & IMAGE_SCN_MEM_EXECUTE) != 0});
  }
  return sections;
}

class Win32Library final : public ModuleLibrary {
 public:
  Win32Library(HMODULE module, std::vector<Section> sections) : module_(module), sections_(std::move(sections)) {}
  ~Win32Library() override {
    // A click sound the module started may still be playing on the sound
    // system's own thread, which can still read the module's memory (its
    // file name): stop it before the module goes.
    ::PlaySoundA(nullptr, nullptr, 0);
    ::FreeLibrary(module_);
  }

  void* symbol(const char* name) const override {
    return reinterpret_cast<void*>(::GetProcAddress(module_, name));
  }

  bool holds(const void* address, size_t size, Access access) const override {
    const auto begin = reinterpret_cast<uintptr_t>(address);
    if (address == nullptr || size == 0 || begin + size < begin) return false;
    const uintptr_t end = begin + size;
    for (const Section& s : sections_) {
      if (begin < s.begin || end > s.end) continue;
      switch (access) {
        case Access::read: return s.read;
        case Access::write: return s.write;
        case Access::execute: return s.execute;
      }
    }
    return false;
  }

 private:
  HMODULE module_;
  std::vector<Section> sections_;
};

}  // namespace

std::unique_ptr<ModuleLibrary> ModuleLibrary::open(const std::filesystem::path& file, std::string& error) {
  // A full path: a bare or relative name would send the loader searching.
  std::error_code ignored;
  const std::filesystem::path full = std::filesystem::absolute(file, ignored).make_preferred();
  // A module that cannot be loaded is reported, not shown in a message box.
  const UINT old_mode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = ::LoadLibraryW(full.c_str());
  if (module == nullptr) error = last_error_text();
  ::SetErrorMode(old_mode);
  if (module == nullptr) return nullptr;
  return std::make_unique<Win32Library>(module, sections_of(module));
}

}  // namespace vortane::host
