// Reading a module's bitmaps: DIB decoding, the resource pack, the ELF
// section that carries it, and the tool that writes packs.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "probe_harness.h"
#include "vortane/host/bitmaps.h"

namespace {

namespace fs = std::filesystem;
using namespace vortane::host;
using Bytes = std::vector<uint8_t>;

void put(Bytes& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

struct DibShape {
  int32_t width, height;  // height < 0: top-down
  uint16_t bits = 8;
  uint32_t compression = 0;
  uint32_t palette_entries = 2;
  std::vector<uint32_t> palette = {0x000000, 0x0000FF};  // as stored: 0x00RRGGBB read as B, G, R
  Bytes rows;                                            // as stored, padding included
};

Bytes dib(const DibShape& s) {
  Bytes out;
  put(out, 40, 4);
  put(out, static_cast<uint32_t>(s.width), 4);
  put(out, static_cast<uint32_t>(s.height), 4);
  put(out, 1, 2);
  put(out, s.bits, 2);
  put(out, s.compression, 4);
  put(out, static_cast<uint32_t>(s.rows.size()), 4);
  put(out, 0, 4);
  put(out, 0, 4);
  put(out, s.palette_entries, 4);
  put(out, 0, 4);
  for (uint32_t colour : s.palette) put(out, colour, 4);
  out.insert(out.end(), s.rows.begin(), s.rows.end());
  return out;
}

std::vector<uint32_t> rgb_pixels(const RgbaImage& image) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < image.rgba.size(); i += 4) {
    EXPECT_EQ(image.rgba[i + 3], 255);
    out.push_back(uint32_t{image.rgba[i]} << 16 | uint32_t{image.rgba[i + 1]} << 8 | image.rgba[i + 2]);
  }
  return out;
}

TEST(Dib, DecodesPaletteAndTrueColourRowsInEitherOrder) {
  const uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, black = 0;
  struct Case {
    const char* name;
    DibShape shape;
    std::vector<uint32_t> expected;  // RGB, top row first
  };
  const Case cases[] = {
      // 3 wide: each row padded to 4 bytes. Stored bottom row first.
      {"8-bit bottom-up", {3, 2, 8, 0, 2, {0, 0xFF0000}, {0, 0, 1, 0xEE, 1, 0, 0, 0xEE}}, {red, black, black, black, black, red}},
      {"8-bit top-down", {3, -2, 8, 0, 2, {0, 0xFF0000}, {0, 0, 1, 0xEE, 1, 0, 0, 0xEE}}, {black, black, red, red, black, black}},
      // 24-bit rows are blue, green, red triples, padded to 8 bytes here.
      {"24-bit bottom-up", {2, 2, 24, 0, 0, {}, {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0}},
       {black, green, blue, red}},
  };
  for (const Case& c : cases) {
    const RgbaImage image = decode_dib(dib(c.shape));
    EXPECT_EQ(image.width, c.shape.width) << c.name;
    EXPECT_EQ(image.height, std::abs(c.shape.height)) << c.name;
    EXPECT_EQ(rgb_pixels(image), c.expected) << c.name;
  }
}

TEST(Dib, RefusesWhatItCannotDrawWithAReason) {
  struct Case {
    const char* name;
    Bytes bytes;
    const char* reason;
  };
  const Bytes good_rows = {0, 0, 0, 0};
  const Case cases[] = {
      {"short header", Bytes(20, 0), "shorter than its 40-byte header"},
      {"4 bits", dib({2, 2, 4, 0, 2, {0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}}), "4 bits per pixel"},
      {"compressed", dib({2, 2, 8, 1, 2, {0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}}), "compressed"},
      {"no width", dib({0, 2, 8, 0, 2, {0, 0}, {}}), "out of range"},
      {"no height", dib({2, 0, 8, 0, 2, {0, 0}, {}}), "out of range"},
      {"huge", dib({1 << 30, 1, 8, 0, 2, {0, 0}, {}}), "out of range"},
      {"rows cut short", dib({4, 4, 8, 0, 2, {0, 0}, good_rows}), "needs 64 bytes, has 52"},
      {"palette too large", dib({1, 1, 8, 0, 300, {}, good_rows}), "palette has 300 entries"},
      {"palette missing", dib({1, 1, 8, 0, 0, {}, good_rows}), "bytes, has"},  // 0 means 256 entries
      {"pixel beyond palette", dib({1, 1, 8, 0, 2, {0, 0}, {5, 0, 0, 0}}), "uses colour 5 of a 2-colour palette"},
  };
  for (const Case& c : cases) {
    try {
      decode_dib(c.bytes);
      ADD_FAILURE() << c.name << " was decoded";
    } catch (const BitmapError& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << c.name << ": " << e.what();
    }
  }
}

Bytes pack(const std::vector<std::array<uint32_t, 3>>& entries, const Bytes& data) {
  Bytes out = {'V', 'R', 'E', 'S', 'P', 'K', '1', 0};
  put(out, static_cast<uint32_t>(entries.size()), 4);
  put(out, 0, 4);
  for (const auto& [id, offset, size] : entries) {
    put(out, id, 4);
    put(out, offset, 4);
    put(out, size, 4);
    put(out, 0, 4);
  }
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

TEST(ResourcePack, FindsEntriesByIdAndRefusesMalformedPacks) {
  const PackBitmaps good(pack({{0x100, 48, 2}, {0x1600, 50, 3}}, {1, 2, 3, 4, 5}));
  EXPECT_EQ(good.ids(), (std::vector<uint32_t>{0x100, 0x1600}));
  ASSERT_TRUE(good.dib(0x1600));
  EXPECT_EQ(Bytes(good.dib(0x1600)->begin(), good.dib(0x1600)->end()), (Bytes{3, 4, 5}));
  EXPECT_FALSE(good.dib(0x101));

  struct Case {
    const char* name;
    Bytes bytes;
    const char* reason;
  };
  Bytes bad_magic = pack({}, {});
  bad_magic[0] = 'X';
  Bytes count_beyond_length = pack({}, {});
  count_beyond_length[11] = 0x10;
  const Case cases[] = {
      {"bad magic", bad_magic, "no VRESPK1 header"},
      {"empty", {}, "no VRESPK1 header"},
      {"count beyond length", count_beyond_length, "entries but is only"},
      {"entry outside", pack({{0x100, 32, 100}}, {1, 2}), "lies outside the pack"},
      {"offset overflow", pack({{0x100, 0xFFFFFFF0, 0x20}}, {}), "lies outside the pack"},
      {"unsorted", pack({{0x200, 48, 1}, {0x100, 48, 1}}, {1}), "not sorted by unique id"},
      {"duplicate", pack({{0x100, 48, 1}, {0x100, 48, 1}}, {1}), "not sorted by unique id"},
  };
  for (const Case& c : cases) {
    try {
      PackBitmaps parsed(c.bytes);
      ADD_FAILURE() << c.name << " was accepted";
    } catch (const BitmapError& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << c.name << ": " << e.what();
    }
  }
}

// A minimal ELF file of either class: the null section, the section names,
// and one section holding `payload`.
Bytes elf(bool wide, const std::string& section, const Bytes& payload) {
  const std::string names = std::string("\0.shstrtab\0", 11) + section + '\0';
  const size_t header = wide ? 64 : 52, entry = wide ? 64 : 40;
  const size_t names_at = header, payload_at = names_at + names.size(), table_at = payload_at + payload.size();
  Bytes out = {0x7f, 'E', 'L', 'F', static_cast<uint8_t>(wide ? 2 : 1), 1, 1};
  out.resize(16, 0);
  put(out, 3, 2);                   // ET_DYN
  put(out, wide ? 62 : 3, 2);       // machine
  put(out, 1, 4);
  put(out, 0, wide ? 8 : 4);        // entry
  put(out, 0, wide ? 8 : 4);        // program headers
  put(out, static_cast<uint32_t>(table_at), wide ? 8 : 4);
  put(out, 0, 4);
  put(out, static_cast<uint32_t>(header), 2);
  put(out, 0, 2);
  put(out, 0, 2);
  put(out, static_cast<uint32_t>(entry), 2);
  put(out, 3, 2);  // sections
  put(out, 1, 2);  // names
  out.insert(out.end(), names.begin(), names.end());
  out.insert(out.end(), payload.begin(), payload.end());
  auto section_header = [&](uint32_t name, uint32_t type, size_t offset, size_t size) {
    const int word = wide ? 8 : 4;
    put(out, name, 4);
    put(out, type, 4);
    put(out, 0, word);  // flags
    put(out, 0, word);  // address
    put(out, static_cast<uint32_t>(offset), word);
    put(out, static_cast<uint32_t>(size), word);
    put(out, 0, 4);
    put(out, 0, 4);
    put(out, 1, word);
    put(out, 0, word);
  };
  section_header(0, 0, 0, 0);
  section_header(1, 3, names_at, names.size());
  section_header(11, 1, payload_at, payload.size());
  return out;
}

TEST(ElfSection, ReadsTheNamedSectionFromBothClasses) {
  const Bytes payload = {9, 8, 7, 6, 5};
  for (const bool wide : {false, true}) {
    const Bytes file = elf(wide, ".vortane_resources", payload);
    EXPECT_EQ(read_elf_section(file, ".vortane_resources"), payload) << wide;
    EXPECT_FALSE(read_elf_section(file, ".vortane_resource")) << wide;
    EXPECT_FALSE(read_elf_section(file, ".shstrtab.x")) << wide;
  }
}

TEST(ElfSection, CutOrCorruptFilesGiveErrorsNotCrashes) {
  EXPECT_THROW(read_elf_section(Bytes{'M', 'Z', 0, 0}, ".x"), BitmapError);
  const Bytes file = elf(true, ".vortane_resources", Bytes(32, 1));
  // Every cut: the reader answers or refuses, and never reads past the end
  // (the sanitizer build checks that).
  for (size_t length = 0; length < file.size(); ++length) {
    const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    try {
      read_elf_section(cut, ".vortane_resources");
    } catch (const BitmapError&) {
    }
  }
  Bytes big_offset = file;
  big_offset[0x28 + 7] = 0x7f;  // section table far beyond the file
  EXPECT_THROW(read_elf_section(big_offset, ".vortane_resources"), BitmapError);
}

TEST(ModuleBitmaps, AreReadOutOfTheModuleFileItself) {
  const auto bitmaps = open_module_bitmaps(vortane::testing::fixture_module_dir() / "well_formed.so");
  ASSERT_NE(bitmaps, nullptr);
  EXPECT_EQ(bitmaps->ids(), (std::vector<uint32_t>{0x100, 0x200, 0x300, 0x400, 0x500, 0x501, 0x600, 0x601}));
  const RgbaImage face = decode_dib(*bitmaps->dib(0x100));
  EXPECT_EQ(face.width, 40);
  EXPECT_EQ(face.height, 40);
  // The fixture bitmaps are black with a red top-left pixel.
  const auto pixels = rgb_pixels(face);
  EXPECT_EQ(pixels.front(), 0xFF0000u);
  EXPECT_EQ(pixels.back(), 0u);
}

// --- vortane-respack --------------------------------------------------------

struct ScratchDir {
  fs::path path = fs::temp_directory_path() / ("respack-test-" + std::to_string(::getpid()));
  ScratchDir() { fs::create_directories(path); }
  ~ScratchDir() { fs::remove_all(path); }
};

int respack(const std::string& arguments) {
  const std::string command = std::string(VORTANE_RESPACK) + " " + arguments + " 2>/dev/null";
  return WEXITSTATUS(std::system(command.c_str()));
}

Bytes read_file(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& file, const Bytes& bytes) {
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

TEST(Respack, PacksBitmapFilesByTheIdInTheirNames) {
  ScratchDir scratch;
  const fs::path bitmaps = VORTANE_FIXTURE_BITMAPS;
  const fs::path out = scratch.path / "out.pack";
  ASSERT_EQ(respack(out.string() + " " + (bitmaps / "0x601.bmp").string() + " " + (bitmaps / "0x200.bmp").string()), 0);
  const PackBitmaps parsed(read_file(out));
  EXPECT_EQ(parsed.ids(), (std::vector<uint32_t>{0x200, 0x601}));
  // Stored as the resource would be: the file without its 14-byte header.
  const Bytes file = read_file(bitmaps / "0x200.bmp");
  const auto stored = parsed.dib(0x200);
  ASSERT_TRUE(stored);
  EXPECT_EQ(Bytes(stored->begin(), stored->end()), Bytes(file.begin() + 14, file.end()));
}

TEST(Respack, RefusesBadInputAndLeavesTheOldPackAlone) {
  ScratchDir scratch;
  const fs::path bitmaps = VORTANE_FIXTURE_BITMAPS;
  const Bytes good = read_file(bitmaps / "0x100.bmp");
  Bytes four_bit = good;
  four_bit[14 + 14] = 4;
  Bytes compressed = good;
  compressed[14 + 16] = 1;
  Bytes truncated(good.begin(), good.begin() + 100);
  write_file(scratch.path / "0x10.bmp", four_bit);
  write_file(scratch.path / "0x11.bmp", compressed);
  write_file(scratch.path / "0x12.bmp", truncated);
  write_file(scratch.path / "picture.bmp", good);
  write_file(scratch.path / "0x100.bmp", good);

  const fs::path out = scratch.path / "out.pack";
  write_file(out, {1, 2, 3});
  const std::string cases[] = {
      "0x10.bmp", "0x11.bmp", "0x12.bmp", "picture.bmp", "missing.bmp", "0x100.bmp 0x100.bmp",
  };
  for (const std::string& inputs : cases) {
    std::string arguments = out.string();
    for (size_t start = 0; start < inputs.size();) {
      const size_t end = std::min(inputs.find(' ', start), inputs.size());
      arguments += " " + (scratch.path / inputs.substr(start, end - start)).string();
      start = end + 1;
    }
    EXPECT_EQ(respack(arguments), 1) << inputs;
    EXPECT_EQ(read_file(out), (Bytes{1, 2, 3})) << inputs;
  }
  EXPECT_EQ(respack(out.string()), 2);  // no bitmaps at all
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(scratch.path)) ++files;
  EXPECT_EQ(files, 6u);  // no temporary file left behind
}

}  // namespace
