// How a module file carries its bitmaps where the platform has no resource
// section of its own (ELF): one pack in the section ".vortane_resources".
//
//   header   char magic[8] = "VRESPK1" (null-padded), uint32 count, uint32 reserved (0)
//   entries  count x { uint32 id, uint32 offset, uint32 size, uint32 reserved (0) }
//            sorted by id, ids unique; offset counts from the start of the pack
//   data     each entry holds the bitmap as a Windows bitmap resource does: a
//            device-independent bitmap (BITMAPINFOHEADER, palette, pixel rows)
//            without the file header
//
// Every number is little-endian. A reader checks every offset and size against
// the pack's length before it reads.
#pragma once

#include <cstdint>

namespace vortane::resource_pack {

inline constexpr char kSectionName[] = ".vortane_resources";
inline constexpr char kMagic[8] = {'V', 'R', 'E', 'S', 'P', 'K', '1', 0};
inline constexpr uint32_t kHeaderSize = 16;
inline constexpr uint32_t kEntrySize = 16;

}  // namespace vortane::resource_pack
