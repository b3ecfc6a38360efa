#include <cstring>
#include <string>

#include "bytes.h"
#include "vortane/host/bitmaps.h"

namespace vortane::host {
namespace {

constexpr uint32_t kNoBits = 8;  // SHT_NOBITS: occupies no file space

struct Section {
  uint32_t name;
  uint32_t type;
  uint64_t offset;
  uint64_t size;
};

}  // namespace

std::optional<std::vector<uint8_t>> read_elf_section(std::span<const uint8_t> f, const std::string& wanted) {
  if (f.size() < 16 || std::memcmp(f.data(), "\x7f" "ELF", 4) != 0) throw BitmapError("not an ELF file");
  const bool wide = f[4] == 2;
  if (f[4] != 1 && f[4] != 2) throw BitmapError("ELF file of unknown class " + std::to_string(f[4]));
  if (f[5] != 1) throw BitmapError("ELF file is not little-endian");
  const size_t header_size = wide ? 64 : 52;
  if (f.size() < header_size) throw BitmapError("ELF header is cut short");

  const uint64_t table = wide ? bytes::u64(f, 0x28) : bytes::u32(f, 0x20);
  const uint16_t entry_size = bytes::u16(f, wide ? 0x3a : 0x2e);
  uint64_t count = bytes::u16(f, wide ? 0x3c : 0x30);
  uint64_t names_index = bytes::u16(f, wide ? 0x3e : 0x32);
  const size_t wanted_entry_size = wide ? 64 : 40;
  if (table == 0) return std::nullopt;  // no section headers at all
  if (entry_size != wanted_entry_size) throw BitmapError("ELF section header size is " + std::to_string(entry_size));

  auto section = [&](uint64_t i) {
    const uint64_t at = table + i * entry_size;
    if (!bytes::fits(at, entry_size, f.size())) throw BitmapError("ELF section header lies outside the file");
    const size_t a = static_cast<size_t>(at);
    if (wide) return Section{bytes::u32(f, a), bytes::u32(f, a + 4), bytes::u64(f, a + 0x18), bytes::u64(f, a + 0x20)};
    return Section{bytes::u32(f, a), bytes::u32(f, a + 4), bytes::u32(f, a + 0x10), bytes::u32(f, a + 0x14)};
  };
  // Extended numbering: the real counts live in section 0.
  if (count == 0) count = section(0).size;
  if (names_index == 0xffff) names_index = wide ? bytes::u32(f, static_cast<size_t>(table) + 0x28)
                                                 : bytes::u32(f, static_cast<size_t>(table) + 0x18);
  if (count > f.size() / entry_size) throw BitmapError("ELF section count exceeds the file");
  if (names_index >= count) throw BitmapError("ELF section name table index is out of range");
  const Section names = section(names_index);
  if (!bytes::fits(names.offset, names.size, f.size())) throw BitmapError("ELF section name table lies outside the file");

  for (uint64_t i = 1; i < count; ++i) {
    const Section s = section(i);
    if (s.name >= names.size) continue;
    const char* name = reinterpret_cast<const char*>(f.data() + names.offset + s.name);
    const size_t room = static_cast<size_t>(names.size - s.name);
    if (strnlen(name, room) != wanted.size() || std::memcmp(name, wanted.data(), wanted.size()) != 0) continue;
    if (s.type == kNoBits) throw BitmapError("ELF section " + wanted + " holds no bytes in the file");
    if (!bytes::fits(s.offset, s.size, f.size())) throw BitmapError("ELF section " + wanted + " lies outside the file");
    const auto begin = f.begin() + static_cast<std::ptrdiff_t>(s.offset);
    return std::vector<uint8_t>(begin, begin + static_cast<std::ptrdiff_t>(s.size));
  }
  return std::nullopt;
}

}  // namespace vortane::host
