// The subcommands of `panel`, each a name, a one-line summary and an entry point.
#pragma once

#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <vector>

namespace vortane::host {
class PanelHost;
}

namespace panel {

// argv[0] is the subcommand's name; returns the exit status.
int probe_main(int argc, char** argv);
int render_main(int argc, char** argv);

// More commands for a probe run. The probe hands every script line to the
// extension first, so an extension can add commands or take over some.
class ProbeExtension {
 public:
  using Command = std::function<void(const std::vector<std::string>& words)>;
  virtual ~ProbeExtension() = default;
  // Lines for the probe's help, after its own.
  virtual const char* help() const { return ""; }
  // Before the script's first line and after its last; `command` runs a line
  // as if the script held it. A throw stops the run (exit status 1).
  virtual void begin(const Command&) {}
  virtual void end(const Command&) {}
  // True when the extension ran the line; throws std::exception for a bad one.
  virtual bool run(vortane::host::PanelHost& host, const std::vector<std::string>& words) = 0;
};

// The picture commands (render, lighting, layout); null when this build of
// the host draws nothing.
std::unique_ptr<ProbeExtension> make_picture_commands();

// Runs a script through the probe: JSON lines on standard output, "line N:
// what is wrong" on standard error and exit status 2 for a bad line. An empty
// module_dir means the build's module directory.
int run_probe_script(std::istream& in, const std::filesystem::path& module_dir, ProbeExtension* extension);

}  // namespace panel
