// Windows module files carry their bitmaps as RT_BITMAP resources: the same
// device-independent bitmaps that the ELF build packs into a section. They are
// read with the resource API from the module the host has loaded.
#include <windows.h>

#include <map>
#include <vector>

#include "vortane/host/bitmaps.h"

namespace vortane::host {
namespace {

class ResourceBitmaps final : public BitmapSource {
 public:
  explicit ResourceBitmaps(std::map<uint32_t, std::vector<uint8_t>> dibs) : dibs_(std::move(dibs)) {}

  std::optional<std::span<const uint8_t>> dib(uint32_t id) const override {
    const auto found = dibs_.find(id);
    if (found == dibs_.end()) return std::nullopt;
    return std::span<const uint8_t>(found->second);
  }

  std::vector<uint32_t> ids() const override {
    std::vector<uint32_t> ids;
    for (const auto& [id, dib] : dibs_) ids.push_back(id);
    return ids;
  }

 private:
  std::map<uint32_t, std::vector<uint8_t>> dibs_;
};

struct Enumeration {
  std::vector<uint32_t> ids;
  bool named = false;  // a bitmap under a name: the host finds bitmaps only by number
};

BOOL CALLBACK collect_id(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR data) {
  auto* found = reinterpret_cast<Enumeration*>(data);
  if (IS_INTRESOURCE(name))
    found->ids.push_back(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(name)));
  else
    found->named = true;
  return TRUE;
}

// Holds one reference to the module for as long as the resources are read.
struct ModuleReference {
  HMODULE module = nullptr;
  ~ModuleReference() {
    if (module != nullptr) ::FreeLibrary(module);
  }
};

}  // namespace

std::unique_ptr<BitmapSource> open_module_bitmaps(const std::filesystem::path& module_file) {
  std::error_code ignored;
  const std::filesystem::path full = std::filesystem::absolute(module_file, ignored).make_preferred();
  ModuleReference ref;
  // The loaded module when there is one; otherwise the file, mapped only for its resources.
  if (!::GetModuleHandleExW(0, full.c_str(), &ref.module)) {
    ref.module = ::LoadLibraryExW(full.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (ref.module == nullptr) throw BitmapError("cannot read " + module_file.string());
  }

  Enumeration found;
  if (!::EnumResourceNamesW(ref.module, MAKEINTRESOURCEW(2) /* RT_BITMAP */, collect_id,
                            reinterpret_cast<LONG_PTR>(&found))) {
    if (::GetLastError() == ERROR_RESOURCE_TYPE_NOT_FOUND || ::GetLastError() == ERROR_RESOURCE_DATA_NOT_FOUND)
      return nullptr;
    throw BitmapError("cannot list the bitmap resources of " + module_file.string());
  }
  if (found.named) throw BitmapError("a bitmap resource has a name instead of a numeric id");

  std::map<uint32_t, std::vector<uint8_t>> dibs;
  for (const uint32_t id : found.ids) {
    HRSRC info = ::FindResourceW(ref.module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));
    HGLOBAL loaded = info != nullptr ? ::LoadResource(ref.module, info) : nullptr;
    const auto* bytes = loaded != nullptr ? static_cast<const uint8_t*>(::LockResource(loaded)) : nullptr;
    if (bytes == nullptr) throw BitmapError("cannot read bitmap resource " + std::to_string(id));
    dibs.emplace(id, std::vector<uint8_t>(bytes, bytes + ::SizeofResource(ref.module, info)));
  }
  if (dibs.empty()) return nullptr;
  return std::make_unique<ResourceBitmaps>(std::move(dibs));
}

}  // namespace vortane::host
