// panel: the command line of the panel host.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "subcommands.h"

namespace {

struct Subcommand {
  const char* name;
  const char* summary;
  int (*run)(int argc, char** argv);
};

constexpr Subcommand kSubcommands[] = {
    {"probe", "run a scripted scenario against gauge modules and print JSON", panel::probe_main},
    {"render", "draw a panel layout or one gauge to a PNG file", panel::render_main},
};

void usage(std::FILE* out) {
  std::fputs("usage: panel COMMAND [ARGS...]\n\ncommands:\n", out);
  for (const Subcommand& s : kSubcommands) std::fprintf(out, "  %-8s %s\n", s.name, s.summary);
  std::fputs("\n'panel COMMAND --help' describes a command.\n", out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("panel: no command given\n", stderr);
    usage(stderr);
    return 2;
  }
  const std::string_view command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    usage(stdout);
    return 0;
  }
  for (const Subcommand& s : kSubcommands)
    if (command == s.name) return s.run(argc - 1, argv + 1);
  std::fprintf(stderr, "panel: unknown command '%s'\n", argv[1]);
  usage(stderr);
  return 2;
}
