// How tests talk to the panel host: run the real `panel probe` on a script and
// get back its exit status, its error text and its output lines as JSON.
//
// When VORTANE_SAVE_PROBE_SCRIPTS names a directory, every script is also
// saved there as <test-name>-<n>.probe, so that another platform's build can
// replay the same scenarios.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace vortane::testing {

struct ProbeRun {
  int status = -1;                   // exit status; 128 + signal when killed by one
  std::string errors;                // standard error
  std::vector<nlohmann::json> lines; // standard output, one JSON value a line
};

// The build's gauge modules, and the host's fixture modules.
std::filesystem::path gauge_module_dir();
std::filesystem::path fixture_module_dir();

ProbeRun run_probe(std::string_view script, const std::filesystem::path& module_dir = gauge_module_dir());

// The element of a dump line at chain index `index`.
const nlohmann::json& element(const nlohmann::json& dump, size_t index);

}  // namespace vortane::testing
