// A module's bitmaps, read by resource id out of the module file itself.
//
// On ELF platforms the module carries a resource pack in a section of its own
// (resource_pack.h); on Windows the same bitmaps are RT_BITMAP resources. Both
// give the host device-independent bitmaps (BITMAPINFOHEADER, palette, rows),
// so everything past `BitmapSource` is shared.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace vortane::host {

// Anything wrong with a file, a pack or a bitmap; the message says what.
struct BitmapError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class BitmapSource {
 public:
  virtual ~BitmapSource() = default;
  // The DIB of resource `id`, or nothing when the module has no such bitmap.
  virtual std::optional<std::span<const uint8_t>> dib(uint32_t id) const = 0;
  virtual std::vector<uint32_t> ids() const = 0;
};

// A parsed resource pack; keeps its own copy of the bytes.
class PackBitmaps final : public BitmapSource {
 public:
  // Throws BitmapError when the pack is malformed.
  explicit PackBitmaps(std::vector<uint8_t> pack);
  std::optional<std::span<const uint8_t>> dib(uint32_t id) const override;
  std::vector<uint32_t> ids() const override;

 private:
  std::vector<uint8_t> bytes_;
  std::map<uint32_t, std::span<const uint8_t>> entries_;
};

// The bytes of the named section of an ELF file (32- or 64-bit, little-endian),
// or nothing when the file has no such section. Throws BitmapError when the
// file is not a well-formed ELF file.
std::optional<std::vector<uint8_t>> read_elf_section(std::span<const uint8_t> file, const std::string& name);

// The bitmaps a module file carries; null when it carries none. Throws
// BitmapError on an unreadable file or a malformed pack.
std::unique_ptr<BitmapSource> open_module_bitmaps(const std::filesystem::path& module_file);

// What a DIB header says, checked against the DIB's length.
struct DibInfo {
  int32_t width = 0;
  int32_t height = 0;       // always positive
  bool top_down = false;    // rows stored top row first
  uint16_t bits_per_pixel = 0;  // 8 or 24
  uint32_t palette_size = 0;    // entries present before the pixels
  size_t pixels_offset = 0;
  size_t row_stride = 0;
};

// Accepts uncompressed 8-bit palette and 24-bit DIBs; throws BitmapError otherwise.
DibInfo read_dib_info(std::span<const uint8_t> dib);

// Pixels as RGBA, top row first, alpha always 255 (the colour rules that make
// pure black transparent belong to the compositor, not the decoder).
struct RgbaImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgba;
};

RgbaImage decode_dib(std::span<const uint8_t> dib);

}  // namespace vortane::host
