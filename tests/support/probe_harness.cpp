#include "probe_harness.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

extern char** environ;

namespace vortane::testing {
namespace {

namespace fs = std::filesystem;

std::string read_all(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string current_test_name() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info == nullptr ? "no-test" : std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name)
    if (c == '/' || c == ' ') c = '_';
  return name;
}

void save_script(std::string_view script) {
  const char* dir = std::getenv("VORTANE_SAVE_PROBE_SCRIPTS");
  if (dir == nullptr || *dir == '\0') return;
  static std::map<std::string, int> counts;
  const std::string name = current_test_name();
  const fs::path file = fs::path(dir) / (name + "-" + std::to_string(++counts[name]) + ".probe");
  fs::create_directories(dir);
  std::ofstream(file, std::ios::binary) << script;
}

// A scratch directory for one run's script and output files.
struct Scratch {
  fs::path dir;
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "vortane-probe-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch directory");
    dir = pattern;
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
};

}  // namespace

fs::path gauge_module_dir() { return VORTANE_MODULE_DIR; }
fs::path fixture_module_dir() { return VORTANE_FIXTURE_DIR; }

ProbeRun run_probe(std::string_view script, const fs::path& module_dir) {
  save_script(script);
  Scratch scratch;
  const fs::path in = scratch.dir / "script", out = scratch.dir / "stdout", err = scratch.dir / "stderr";
  std::ofstream(in, std::ios::binary) << script;

  // Files, not pipes: the probe can write as much as it likes without a
  // reader keeping pace.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::string program = VORTANE_PANEL_EXECUTABLE, modules = module_dir.string();
  std::string probe = "probe", option = "--modules", from_stdin = "-";
  char* argv[] = {program.data(), probe.data(), option.data(), modules.data(), from_stdin.data(), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot run " + program);

  int wait_status = 0;
  while (waitpid(pid, &wait_status, 0) < 0)
    if (errno != EINTR) throw std::runtime_error("lost the probe process");
  ProbeRun run;
  run.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
  run.errors = read_all(err);
  std::istringstream lines(read_all(out));
  for (std::string line; std::getline(lines, line);) {
    auto value = nlohmann::json::parse(line, nullptr, /*allow_exceptions=*/false);
    if (value.is_discarded()) {
      ADD_FAILURE() << "probe printed a line that is not JSON: " << line;
      continue;
    }
    run.lines.push_back(std::move(value));
  }
  return run;
}

const nlohmann::json& element(const nlohmann::json& dump, size_t index) {
  const auto& elements = dump.at("elements");
  if (index >= elements.size()) throw std::out_of_range("the dump has no element " + std::to_string(index));
  return elements.at(index);
}

}  // namespace vortane::testing
