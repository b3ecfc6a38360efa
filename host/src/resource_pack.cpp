#include <cstring>
#include <string>

#include "bytes.h"
#include "vortane/host/bitmaps.h"
#include "vortane/resource_pack.h"

namespace vortane::host {

namespace pack = vortane::resource_pack;

PackBitmaps::PackBitmaps(std::vector<uint8_t> pack_bytes) : bytes_(std::move(pack_bytes)) {
  const std::span<const uint8_t> b(bytes_);
  if (b.size() < pack::kHeaderSize || std::memcmp(b.data(), pack::kMagic, sizeof pack::kMagic) != 0)
    throw BitmapError("resource pack has no VRESPK1 header");
  const uint32_t count = bytes::u32(b, 8);
  if (!bytes::fits(pack::kHeaderSize, static_cast<uint64_t>(count) * pack::kEntrySize, b.size()))
    throw BitmapError("resource pack lists " + std::to_string(count) + " entries but is only " +
                      std::to_string(b.size()) + " bytes long");
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = pack::kHeaderSize + static_cast<size_t>(i) * pack::kEntrySize;
    const uint32_t id = bytes::u32(b, at);
    const uint32_t offset = bytes::u32(b, at + 4);
    const uint32_t size = bytes::u32(b, at + 8);
    if (!entries_.empty() && id <= entries_.rbegin()->first)
      throw BitmapError("resource pack entries are not sorted by unique id (at id " + std::to_string(id) + ")");
    if (!bytes::fits(offset, size, b.size()))
      throw BitmapError("resource pack entry " + std::to_string(id) + " lies outside the pack");
    entries_.emplace(id, b.subspan(offset, size));
  }
}

std::optional<std::span<const uint8_t>> PackBitmaps::dib(uint32_t id) const {
  const auto it = entries_.find(id);
  if (it == entries_.end()) return std::nullopt;
  return it->second;
}

std::vector<uint32_t> PackBitmaps::ids() const {
  std::vector<uint32_t> out;
  for (const auto& [id, _] : entries_) out.push_back(id);
  return out;
}

}  // namespace vortane::host
