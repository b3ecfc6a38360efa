// vortane-respack OUT.pack BMP...
//
// Packs a gauge's bitmaps into the resource pack that its module file carries
// (vortane/resource_pack.h). Each BMP file is named by its resource id
// ("0x1600.bmp") and must be an uncompressed 8-bit palette or 24-bit bitmap;
// it is stored as a Windows bitmap resource is, without the file header. The
// pack is written to a temporary file and renamed, so a failed run never leaves
// a half-written pack behind.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "vortane/host/bitmaps.h"
#include "vortane/resource_pack.h"

namespace {

namespace fs = std::filesystem;
namespace pack = vortane::resource_pack;

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
         static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t resource_id(const fs::path& file) {
  const std::string stem = file.stem().string();
  size_t used = 0;
  unsigned long long id = 0;
  try {
    id = std::stoull(stem, &used, 0);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != stem.size() || id > 0xFFFFFFFFull || stem[0] == '-' || stem[0] == '+')
    throw Failure(file.string() + ": the file name must be the resource id, such as 0x1600.bmp");
  return static_cast<uint32_t>(id);
}

std::vector<uint8_t> read_file(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw Failure(file.string() + ": cannot read: " + std::strerror(errno));
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The DIB of a BMP file: the info header and palette, then the pixel rows
// from where the file header says they start.
std::vector<uint8_t> dib_of(const fs::path& file) {
  const std::vector<uint8_t> bytes = read_file(file);
  constexpr size_t kFileHeader = 14;
  if (bytes.size() < kFileHeader + 40 || bytes[0] != 'B' || bytes[1] != 'M')
    throw Failure(file.string() + ": not a BMP file (no BM header)");
  const uint32_t pixels_at = u32(bytes, 10);
  const std::span<const uint8_t> after_header(bytes.data() + kFileHeader, bytes.size() - kFileHeader);
  vortane::host::DibInfo info;
  // Header and palette first; the rows may lie elsewhere in the file.
  std::vector<uint8_t> dib;
  try {
    const uint32_t header_size = u32(bytes, kFileHeader);
    if (header_size < 40 || header_size > after_header.size()) throw vortane::host::BitmapError("bad header size");
    const uint16_t bits = static_cast<uint16_t>(bytes[kFileHeader + 14] | bytes[kFileHeader + 15] << 8);
    const uint32_t used = u32(bytes, kFileHeader + 32);
    const size_t palette = bits == 8 ? (used == 0 ? 256 : used) : used;
    const size_t front = header_size + 4 * std::min<size_t>(palette, 257);
    if (front > after_header.size()) throw vortane::host::BitmapError("palette is cut short");
    if (pixels_at < kFileHeader + front || pixels_at > bytes.size())
      throw vortane::host::BitmapError("pixel data offset " + std::to_string(pixels_at) + " is out of place");
    dib.assign(after_header.begin(), after_header.begin() + static_cast<std::ptrdiff_t>(front));
    dib.insert(dib.end(), bytes.begin() + pixels_at, bytes.end());
    info = vortane::host::read_dib_info(dib);
  } catch (const vortane::host::BitmapError& e) {
    throw Failure(file.string() + ": " + e.what());
  }
  dib.resize(info.pixels_offset + info.row_stride * static_cast<size_t>(info.height));
  return dib;
}

std::vector<uint8_t> build_pack(const std::map<uint32_t, std::vector<uint8_t>>& dibs) {
  std::vector<uint8_t> out(pack::kMagic, pack::kMagic + sizeof pack::kMagic);
  put32(out, static_cast<uint32_t>(dibs.size()));
  put32(out, 0);
  size_t offset = pack::kHeaderSize + pack::kEntrySize * dibs.size();
  for (const auto& [id, dib] : dibs) {
    offset = (offset + 3) & ~size_t{3};
    put32(out, id);
    put32(out, static_cast<uint32_t>(offset));
    put32(out, static_cast<uint32_t>(dib.size()));
    put32(out, 0);
    offset += dib.size();
  }
  for (const auto& [id, dib] : dibs) {
    out.resize((out.size() + 3) & ~size_t{3}, 0);
    out.insert(out.end(), dib.begin(), dib.end());
  }
  return out;
}

void write_atomically(const fs::path& out, const std::vector<uint8_t>& bytes) {
  fs::path temporary = out;
  temporary += ".tmp" + std::to_string(getpid());
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) throw Failure(out.string() + ": cannot write: " + std::strerror(errno));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      throw Failure(out.string() + ": writing failed");
    }
  }
  std::error_code error;
  fs::rename(temporary, out, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw Failure(out.string() + ": cannot replace: " + error.message());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::puts("usage: vortane-respack OUT.pack BMP...\n"
              "Packs bitmaps named by resource id (0x1600.bmp) into a module resource pack.");
    return 0;
  }
  if (argc < 3) {
    std::fputs("usage: vortane-respack OUT.pack BMP...  (at least one bitmap)\n", stderr);
    return 2;
  }
  try {
    std::map<uint32_t, std::vector<uint8_t>> dibs;
    std::map<uint32_t, std::string> sources;
    for (int i = 2; i < argc; ++i) {
      const fs::path file = argv[i];
      const uint32_t id = resource_id(file);
      if (auto [it, fresh] = sources.emplace(id, file.string()); !fresh)
        throw Failure(file.string() + ": resource id " + std::to_string(id) + " is also given by " + it->second);
      dibs.emplace(id, dib_of(file));
    }
    write_atomically(argv[1], build_pack(dibs));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vortane-respack: %s\n", e.what());
    return 1;
  }
  return 0;
}
