// panel probe: drives gauge modules from a script, one command a line, and
// prints what they show and do as JSON lines. The tests of the gauges talk to
// the host through it, so its commands and output are a stable interface.
#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cctype>
#include <cerrno>
#include <cmath>
#include <limits>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "json.h"
#include "subcommands.h"
#include "vortane/host/panel_host.h"

namespace panel {
namespace {

namespace fs = std::filesystem;
using vortane::host::LoadedGauge;

constexpr const char* kHelp = R"(usage: panel probe [--modules DIR] SCRIPT

Runs SCRIPT (a file, or - for standard input) against gauge modules loaded
from DIR (default: the build's module directory) and prints JSON lines.
One command a line; blank lines and # comments are ignored. Integers are
decimal or 0x hex; values also take nan, inf and -inf.

  load NAME              load DIR/NAME.so (NAME.gau on Windows) and initialise it (service 4)
  sound absent|present   whether later loads of the sound library succeed
  set TOKEN VALUE        simulator variable, double form (integer form follows)
  setint TOKEN VALUE     simulator variable, integer form (double form follows)
  named NAME VALUE       named variable, as a 32-bit integer
  cycle [N]              N cycles of every live gauge (update, elements, pre-draw, draw)
  tick [N]               N times: token 1 plus 1, then a cycle
  click NAME AREA        the handler of child mouse area AREA (1-based), at its middle
  clickat NAME X Y       the first child area in list order whose box holds (X, Y)
  service NAME ID        the gauge callback with service ID
  init NAME, kill NAME   services 4 and 12; a killed gauge sits out the cycles
  dump NAME              one JSON line: the gauge's elements, named variables, mouse areas
  events                 one JSON line: what happened since the last events; clears the log

A bad line stops the run with 'line N: what is wrong' and exit status 2.
)";

struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::optional<int64_t> parse_integer(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty() || !std::isxdigit(static_cast<unsigned char>(text[0]))) return std::nullopt;
  uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size() || magnitude > (uint64_t{1} << 62))
    return std::nullopt;
  const auto value = static_cast<int64_t>(magnitude);
  return negative ? -value : value;
}

std::optional<double> parse_double(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "nan" || lower == "+nan" || lower == "-nan") return std::numeric_limits<double>::quiet_NaN();
  if (lower == "inf" || lower == "+inf") return std::numeric_limits<double>::infinity();
  if (lower == "-inf") return -std::numeric_limits<double>::infinity();
  if (lower.find('x') != std::string::npos) {
    const auto whole = parse_integer(text);
    if (!whole) return std::nullopt;
    return static_cast<double>(*whole);
  }
  std::string_view digits = text;
  if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  // from_chars takes these spellings too; only the lower-case three above are numbers here.
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

fs::path own_file() {
#if defined(_WIN32)
  wchar_t self[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return {};
  return fs::path(self);
#else
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return {};
  self[length] = '\0';
  return fs::path(self);
#endif
}

// The module file of NAME: the platform's own kind first, the other kind if
// only that one is there (it then fails to load with the loader's reason).
fs::path module_file(const fs::path& dir, const std::string& name) {
#if defined(_WIN32)
  const char* kinds[] = {".gau", ".so"};
#else
  const char* kinds[] = {".so", ".gau"};
#endif
  std::error_code ignored;
  for (const char* kind : kinds)
    if (fs::exists(dir / (name + kind), ignored)) return dir / (name + kind);
  return dir / (name + kinds[0]);
}

fs::path default_module_dir() {
  const fs::path self = own_file();
  if (!self.empty()) {
    const fs::path beside = self.parent_path().parent_path() / "modules";
    std::error_code ignored;
    if (fs::is_directory(beside, ignored)) return beside;
  }
  return VORTANE_MODULE_DIR;
}

class Probe {
 public:
  Probe(fs::path module_dir, ProbeExtension* extension)
      : module_dir_(std::move(module_dir)), extension_(extension) {}
  void run(const std::vector<std::string>& words);

 private:
  using Args = std::span<const std::string>;
  struct Command {
    const char* name;
    size_t min_args;
    size_t max_args;
    void (Probe::*run)(Args);
    const char* usage;
  };
  static const Command kCommands[];

  void load(Args a);
  void sound(Args a);
  void set(Args a);
  void setint(Args a);
  void named(Args a);
  void cycle(Args a);
  void tick(Args a);
  void click(Args a);
  void clickat(Args a);
  void service(Args a);
  void init(Args a) { host_.initialise(gauge(a[0])); }
  void kill(Args a) { host_.kill(gauge(a[0])); }
  void dump(Args a);
  void events(Args a);

  LoadedGauge& gauge(const std::string& name);
  static uint32_t token(const std::string& text);
  static int32_t int32(const std::string& text, const char* what);
  static double number(const std::string& text);
  static uint64_t count(Args a);
  static void print(const JsonLine& line);

  fs::path module_dir_;
  ProbeExtension* extension_;
  vortane::host::PanelHost host_;
};

const Probe::Command Probe::kCommands[] = {
    {"load", 1, 1, &Probe::load, "load NAME"},
    {"sound", 1, 1, &Probe::sound, "sound absent|present"},
    {"set", 2, 2, &Probe::set, "set TOKEN VALUE"},
    {"setint", 2, 2, &Probe::setint, "setint TOKEN VALUE"},
    {"named", 2, 2, &Probe::named, "named NAME VALUE"},
    {"cycle", 0, 1, &Probe::cycle, "cycle [N]"},
    {"tick", 0, 1, &Probe::tick, "tick [N]"},
    {"click", 2, 2, &Probe::click, "click NAME AREA"},
    {"clickat", 3, 3, &Probe::clickat, "clickat NAME X Y"},
    {"service", 2, 2, &Probe::service, "service NAME ID"},
    {"init", 1, 1, &Probe::init, "init NAME"},
    {"kill", 1, 1, &Probe::kill, "kill NAME"},
    {"dump", 1, 1, &Probe::dump, "dump NAME"},
    {"events", 0, 0, &Probe::events, "events"},
};

void Probe::run(const std::vector<std::string>& words) {
  if (extension_ != nullptr && extension_->run(host_, words)) return;
  for (const Command& command : kCommands) {
    if (words[0] != command.name) continue;
    const size_t given = words.size() - 1;
    if (given < command.min_args || given > command.max_args)
      throw ScriptError("'" + words[0] + "' takes " +
                        (command.min_args == command.max_args ? std::to_string(command.min_args)
                                                              : std::to_string(command.min_args) + " to " +
                                                                    std::to_string(command.max_args)) +
                        " argument(s), " + std::to_string(given) + " given (usage: " + command.usage + ")");
    (this->*command.run)(Args(words).subspan(1));
    return;
  }
  throw ScriptError("unknown command '" + words[0] + "' (see panel probe --help)");
}

LoadedGauge& Probe::gauge(const std::string& name) {
  if (LoadedGauge* g = host_.find(name)) return *g;
  throw ScriptError("no module '" + name + "' is loaded");
}

uint32_t Probe::token(const std::string& text) {
  const auto value = parse_integer(text);
  if (!value || *value < 0 || *value > 0xFFFFFFFF) throw ScriptError("bad token '" + text + "' (0 to 0xFFFFFFFF)");
  return static_cast<uint32_t>(*value);
}

// A 32-bit value: signed, or unsigned up to 0xFFFFFFFF, which is kept as its bits.
int32_t Probe::int32(const std::string& text, const char* what) {
  const auto value = parse_integer(text);
  if (!value || *value < INT32_MIN || *value > int64_t{UINT32_MAX})
    throw ScriptError(std::string("bad ") + what + " '" + text + "' (a 32-bit integer)");
  return static_cast<int32_t>(static_cast<uint32_t>(*value));
}

double Probe::number(const std::string& text) {
  const auto value = parse_double(text);
  if (!value) throw ScriptError("bad value '" + text + "' (a number, nan, inf or -inf)");
  return *value;
}

uint64_t Probe::count(Args a) {
  if (a.empty()) return 1;
  const auto value = parse_integer(a[0]);
  if (!value || *value < 0 || *value > 100000000) throw ScriptError("bad count '" + a[0] + "'");
  return static_cast<uint64_t>(*value);
}

void Probe::print(const JsonLine& line) {
  std::fwrite(line.text().data(), 1, line.text().size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void Probe::load(Args a) {
  const std::string& name = a[0];
  if (name.empty() || name.find_first_of("/\\") != std::string::npos || name == "." || name == "..")
    throw ScriptError("bad module name '" + name + "'");
  try {
    LoadedGauge& loaded = host_.load(module_file(module_dir_, name));
    host_.initialise(loaded);
  } catch (const vortane::host::LoadError& e) {
    throw ScriptError(e.what());
  }
}

void Probe::sound(Args a) {
  if (a[0] == "absent")
    host_.set_sound_available(false);
  else if (a[0] == "present")
    host_.set_sound_available(true);
  else
    throw ScriptError("sound takes 'absent' or 'present', not '" + a[0] + "'");
}

void Probe::set(Args a) { host_.variables().set(token(a[0]), number(a[1])); }
void Probe::setint(Args a) { host_.variables().set_integer(token(a[0]), int32(a[1], "value")); }
void Probe::named(Args a) { host_.named().write(a[0], int32(a[1], "value")); }

void Probe::cycle(Args a) {
  for (uint64_t i = count(a); i > 0; --i) host_.cycle();
}

void Probe::tick(Args a) {
  for (uint64_t i = count(a); i > 0; --i) {
    auto& variables = host_.variables();
    variables.set(1, variables.number(1) + 1);
    host_.cycle();
  }
}

void Probe::click(Args a) {
  LoadedGauge& g = gauge(a[0]);
  const auto area = parse_integer(a[1]);
  const size_t areas = g.module->mouse_areas().size();
  if (!area || *area < 1 || static_cast<uint64_t>(*area) > areas)
    throw ScriptError("module " + a[0] + " has no mouse area '" + a[1] + "' (it has " + std::to_string(areas) +
                      ", numbered from 1)");
  host_.click_area(g, static_cast<size_t>(*area));
}

void Probe::clickat(Args a) {
  LoadedGauge& g = gauge(a[0]);
  host_.click_at(g, int32(a[1], "x"), int32(a[2], "y"));
}

void Probe::service(Args a) { host_.service(gauge(a[0]), int32(a[1], "service id")); }

void Probe::dump(Args a) {
  using vortane::ElementKind;
  LoadedGauge& g = gauge(a[0]);
  auto& module = *g.module;
  JsonLine j;
  j.begin_object().key("module").string(module.name()).key("gauge").string(module.descriptor().name);
  j.key("named").begin_object();
  for (const std::string& name : g.named) j.key(name).integer(host_.named().value(name).value_or(0));
  j.end_object();
  j.key("elements").begin_array();
  size_t index = 0;
  for (const auto& state : module.elements()) {
    const vortane::Element& e = *state.element;
    j.begin_object().key("index").integer(static_cast<int64_t>(index++));
    j.key("kind").string(vortane::host::element_kind_name(e.kind));
    j.key("resource").integer(e.resource_id);
    j.key("position").begin_array().integer(e.position.x).integer(e.position.y).end_array();
    j.key("flags").integer(e.flags);
    j.key("lit").boolean((e.flags & vortane::kFlagLit) != 0);
    j.key("hidden").boolean((e.flags & vortane::kFlagHidden) != 0);
    auto value = [&](const char* name, size_t axis) {
      j.key(name);
      if (state.called)
        j.number(state.values[axis]);
      else
        j.null();
    };
    switch (e.kind) {
      case ElementKind::static_image:
        break;
      case ElementKind::needle:
      case ElementKind::icon:
        value("value", 0);
        break;
      case ElementKind::string:
        value("value", 0);
        j.key("text").string(std::string_view(state.text.get(), strnlen(state.text.get(), vortane::kTextCapacity)));
        break;
      case ElementKind::slider:
      case ElementKind::moving_image:
        value("x", 0);
        value("y", 1);
        break;
      case ElementKind::sprite:
        value("x", 0);
        value("y", 1);
        value("rotation", 2);
        break;
    }
    j.end_object();
  }
  j.end_array();
  j.key("mouse_areas").begin_array();
  index = 1;
  for (const vortane::MouseArea* area : module.mouse_areas()) {
    j.begin_object().key("index").integer(static_cast<int64_t>(index++));
    j.key("box").begin_array();
    j.integer(area->box.x).integer(area->box.y).integer(area->box.width).integer(area->box.height);
    j.end_array();
    j.key("cursor").integer(area->cursor).key("flags").integer(area->event_flags).end_object();
  }
  j.end_array().end_object();
  print(j);
}

void Probe::events(Args) {
  using vortane::host::EventType;
  JsonLine j;
  j.begin_object().key("events").begin_array();
  for (const auto& event : host_.take_events()) {
    j.begin_object().key("module");
    if (event.module.empty())
      j.null();
    else
      j.string(event.module);
    j.key("type").string(vortane::host::event_type_name(event.type));
    switch (event.type) {
      case EventType::key:
        j.key("event").integer(event.key_event).key("value").integer(event.number);
        break;
      case EventType::gaugesound_play:
        j.key("path").string(event.text).key("arg2").string(event.arg2).key("arg3").integer(event.number);
        break;
      case EventType::gaugesound_stop:
      case EventType::gaugesound_terminate:
        break;
      case EventType::playsound:
        j.key("name").string(event.text).key("flags").integer(event.flags);
        break;
      case EventType::library_load:
      case EventType::library_find:
      case EventType::library_free:
        j.key("name").string(event.text).key("ok").boolean(event.ok);
        break;
    }
    j.end_object();
  }
  j.end_array().end_object();
  print(j);
}

std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line.substr(0, line.find('#')));
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

}  // namespace

int probe_main(int argc, char** argv) {
#if defined(_WIN32)
  // Lines end in \n on every platform, so that outputs compare byte for byte.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  std::optional<fs::path> module_dir;
  std::optional<std::string> script;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      if (const auto pictures = make_picture_commands()) std::fputs(pictures->help(), stdout);
      return 0;
    }
    if (arg == "--modules") {
      if (i + 1 == argc) {
        std::fputs("panel probe: --modules needs a directory\n", stderr);
        return 2;
      }
      module_dir = argv[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "panel probe: unknown option '%s' (see panel probe --help)\n", argv[i]);
      return 2;
    } else if (script) {
      std::fputs("panel probe: give one SCRIPT (see panel probe --help)\n", stderr);
      return 2;
    } else {
      script = argv[i];
    }
  }
  if (!script) {
    std::fputs("panel probe: no SCRIPT given; name a file, or - for standard input (see panel probe --help)\n",
               stderr);
    return 2;
  }

  std::ifstream file;
  if (*script != "-") {
    file.open(*script);
    if (!file) {
      std::fprintf(stderr, "panel probe: cannot read script '%s': %s\n", script->c_str(), std::strerror(errno));
      return 2;
    }
  }
  std::istream& in = *script == "-" ? std::cin : file;
  const auto pictures = make_picture_commands();
  return run_probe_script(in, module_dir.value_or(fs::path()), pictures.get());
}

int run_probe_script(std::istream& in, const fs::path& module_dir, ProbeExtension* extension) {
  Probe probe(module_dir.empty() ? default_module_dir() : module_dir, extension);
  const ProbeExtension::Command command = [&probe](const std::vector<std::string>& words) { probe.run(words); };
  auto whole_run = [&](void (ProbeExtension::*step)(const ProbeExtension::Command&)) {
    try {
      if (extension != nullptr) (extension->*step)(command);
      return true;
    } catch (const std::exception& e) {
      std::fflush(stdout);
      std::fprintf(stderr, "%s\n", e.what());
      return false;
    }
  };
  if (!whole_run(&ProbeExtension::begin)) return 1;
  std::string line;
  for (uint64_t number = 1; std::getline(in, line); ++number) {
    const std::vector<std::string> words = split(line);
    if (words.empty()) continue;
    try {
      probe.run(words);
    } catch (const std::exception& e) {
      std::fflush(stdout);
      std::fprintf(stderr, "line %" PRIu64 ": %s\n", number, e.what());
      return 2;
    }
  }
  return whole_run(&ProbeExtension::end) ? 0 : 1;
}

}  // namespace panel
