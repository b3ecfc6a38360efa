// The subcommands of `panel`, each a name, a one-line summary and an entry point.
#pragma once

namespace panel {

// argv[0] is the subcommand's name; returns the exit status.
int probe_main(int argc, char** argv);

}  // namespace panel
