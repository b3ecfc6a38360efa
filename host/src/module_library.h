// The platform's side of loading a module: open the file, find an export, and
// tell whether a range of memory belongs to the module's own image, so that the
// host can check every reference a module hands it before following it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

namespace vortane::host {

enum class Access { read, write, execute };

class ModuleLibrary {
 public:
  virtual ~ModuleLibrary() = default;
  // Null when the export is absent.
  virtual void* symbol(const char* name) const = 0;
  // True when all of [address, address + size) lies in the module's image with that access.
  virtual bool holds(const void* address, size_t size, Access access) const = 0;

  // Null with `error` set when the file cannot be loaded.
  static std::unique_ptr<ModuleLibrary> open(const std::filesystem::path& file, std::string& error);
};

}  // namespace vortane::host
