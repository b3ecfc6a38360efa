// ELF module files carry their bitmaps as a resource pack in a section.
#include <fstream>
#include <iterator>

#include "vortane/host/bitmaps.h"
#include "vortane/resource_pack.h"

namespace vortane::host {

std::unique_ptr<BitmapSource> open_module_bitmaps(const std::filesystem::path& module_file) {
  std::ifstream in(module_file, std::ios::binary);
  if (!in) throw BitmapError("cannot read " + module_file.string());
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto section = read_elf_section(file, resource_pack::kSectionName);
  if (!section) return nullptr;
  return std::make_unique<PackBitmaps>(std::move(*section));
}

}  // namespace vortane::host
