// Little-endian reads from a byte span; the caller has checked the bounds.
#pragma once

#include <cstdint>
#include <span>

namespace vortane::host::bytes {

inline uint16_t u16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
inline uint32_t u32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(u16(b, at)) | static_cast<uint32_t>(u16(b, at + 2)) << 16;
}
inline uint64_t u64(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint64_t>(u32(b, at)) | static_cast<uint64_t>(u32(b, at + 4)) << 32;
}
inline int32_t i32(std::span<const uint8_t> b, size_t at) { return static_cast<int32_t>(u32(b, at)); }

// True when [offset, offset + size) lies inside a buffer of `length` bytes,
// without overflowing.
inline bool fits(uint64_t offset, uint64_t size, uint64_t length) {
  return offset <= length && size <= length - offset;
}

}  // namespace vortane::host::bytes
