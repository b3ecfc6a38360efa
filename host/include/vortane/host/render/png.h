// PNG files of rendered pictures (libpng): 8-bit RGBA, straight alpha.
#pragma once

#include <filesystem>

#include "vortane/host/render/image.h"

namespace vortane::host::render {

// Writes through a temporary file beside `file` and renames it into place, so
// a failure never leaves a half-written picture under the final name. Throws
// RenderError saying what failed.
void write_png(const Image& image, const std::filesystem::path& file);

}  // namespace vortane::host::render
