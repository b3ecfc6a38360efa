#include "../module_library.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace vortane::host {
namespace {

struct Segment {
  uintptr_t begin;
  uintptr_t end;
  bool write;
  bool execute;
};

struct Image {
  const link_map* map;
  std::vector<Segment> segments;
  std::vector<Segment> relro;  // made read-only once relocated
};

int collect(dl_phdr_info* info, size_t, void* data) {
  auto* image = static_cast<Image*>(data);
  if (info->dlpi_addr != image->map->l_addr || std::strcmp(info->dlpi_name, image->map->l_name) != 0) return 0;
  for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& ph = info->dlpi_phdr[i];
    const Segment s{info->dlpi_addr + ph.p_vaddr, info->dlpi_addr + ph.p_vaddr + ph.p_memsz,
                    (ph.p_flags & PF_W) != 0, (ph.p_flags & PF_X) != 0};
    if (ph.p_type == PT_LOAD) image->segments.push_back(s);
    if (ph.p_type == PT_GNU_RELRO) image->relro.push_back(s);
  }
  return 1;
}

bool overlaps(const Segment& s, uintptr_t begin, uintptr_t end) { return begin < s.end && s.begin < end; }

class DlLibrary final : public ModuleLibrary {
 public:
  DlLibrary(void* handle, Image image) : handle_(handle), image_(std::move(image)) {}
  ~DlLibrary() override { dlclose(handle_); }

  void* symbol(const char* name) const override { return dlsym(handle_, name); }

  bool holds(const void* address, size_t size, Access access) const override {
    const auto begin = reinterpret_cast<uintptr_t>(address);
    if (address == nullptr || size == 0 || begin + size < begin) return false;
    const uintptr_t end = begin + size;
    for (const Segment& s : image_.segments) {
      if (begin < s.begin || end > s.end) continue;
      if (access == Access::execute) return s.execute;
      if (access == Access::write) {
        if (!s.write) return false;
        for (const Segment& r : image_.relro)
          if (overlaps(r, begin, end)) return false;
      }
      return true;
    }
    return false;
  }

 private:
  void* handle_;
  Image image_;
};

}  // namespace

std::unique_ptr<ModuleLibrary> ModuleLibrary::open(const std::filesystem::path& file, std::string& error) {
  // RTLD_LOCAL: two modules must not resolve each other's symbols.
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    error = why != nullptr ? why : "dlopen failed";
    return nullptr;
  }
  link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) {
    dlclose(handle);
    error = "cannot find where the library was mapped";
    return nullptr;
  }
  Image image{map, {}, {}};
  dl_iterate_phdr(collect, &image);
  if (image.segments.empty()) {
    dlclose(handle);
    error = "cannot find the library's segments";
    return nullptr;
  }
  return std::make_unique<DlLibrary>(handle, std::move(image));
}

}  // namespace vortane::host
