// `panel render` and the probe's picture commands in a build of the host
// without its renderer (FreeType or libpng not found).
#include <cstdio>

#include "subcommands.h"

namespace panel {

std::unique_ptr<ProbeExtension> make_picture_commands() { return nullptr; }

int render_main(int, char**) {
  std::fputs("panel render: this build of the host draws nothing (FreeType and libpng were not found when it "
             "was built)\n",
             stderr);
  return 2;
}

}  // namespace panel
