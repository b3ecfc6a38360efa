#include "vortane/host/render/png.h"

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace vortane::host::render {

void write_png(const Image& image, const std::filesystem::path& file) {
  std::vector<uint8_t> straight(image.rgba.size());
  for (int32_t y = 0; y < image.height; ++y)
    for (int32_t x = 0; x < image.width; ++x) {
      const Rgba p = image.pixel(x, y);
      uint8_t* o = &straight[(static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 4];
      o[0] = p.r;
      o[1] = p.g;
      o[2] = p.b;
      o[3] = p.a;
    }

  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  const auto stride = static_cast<png_int_32>(image.width * 4);
  if (image.width == 0 || image.height == 0) throw RenderError("cannot write an empty picture to " + file.string());
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, straight.data(), stride, nullptr))
    throw RenderError("cannot encode " + file.string() + " as PNG: " + png.message);
  std::vector<uint8_t> bytes(size);
  if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, straight.data(), stride, nullptr))
    throw RenderError("cannot encode " + file.string() + " as PNG: " + png.message);
  bytes.resize(size);

  const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  std::string temp = (dir / ("." + file.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(temp.data());
  if (fd < 0) throw RenderError("cannot write " + file.string() + ": " + std::strerror(errno));
  const char* p = reinterpret_cast<const char*>(bytes.data());
  size_t left = bytes.size();
  int error = 0;
  while (left > 0 && error == 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) error = n < 0 ? errno : EIO;
    else {
      p += n;
      left -= static_cast<size_t>(n);
    }
  }
  // mkstemp makes the file private; a picture is for everyone to read.
  if (error == 0 && fchmod(fd, 0644) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temp.c_str(), file.c_str()) != 0) error = errno;
  if (error != 0) {
    std::remove(temp.c_str());
    throw RenderError("cannot write " + file.string() + ": " + std::strerror(error));
  }
}

}  // namespace vortane::host::render
