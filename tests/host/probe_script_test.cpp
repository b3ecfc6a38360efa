// The probe's script language: what it accepts, and that a bad line stops the
// run at that line with exit status 2 and nothing more done.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "probe_harness.h"

namespace {

using vortane::testing::fixture_module_dir;
using vortane::testing::run_probe;

TEST(ProbeScript, BadLinesStopTheRunWithTheirLineNumber) {
  struct Case {
    const char* line;
    const char* message;
  };
  const Case cases[] = {
      {"fly mechanics", "unknown command 'fly'"},
      {"set 9", "'set' takes 2 argument(s), 1 given"},
      {"set 9 1 2", "'set' takes 2 argument(s), 3 given"},
      {"set x 1", "bad token 'x'"},
      {"set -1 1", "bad token '-1'"},
      {"set 0x100000000 1", "bad token '0x100000000'"},
      {"set 9 1.5x", "bad value '1.5x'"},
      {"set 9 infinity", "bad value 'infinity'"},
      {"setint 9 1.5", "bad value '1.5'"},
      {"setint 9 0x100000000", "bad value '0x100000000'"},
      {"named shared 2147483648x", "bad value '2147483648x'"},
      {"cycle -1", "bad count '-1'"},
      {"cycle 1 2", "'cycle' takes 0 to 1 argument(s), 2 given"},
      {"dump nobody", "no module 'nobody' is loaded"},
      {"click mechanics 0", "module mechanics has no mouse area '0' (it has 3, numbered from 1)"},
      {"click mechanics 4", "module mechanics has no mouse area '4'"},
      {"clickat mechanics 1", "'clickat' takes 3 argument(s), 2 given"},
      {"service mechanics six", "bad service id 'six'"},
      {"sound off", "sound takes 'absent' or 'present', not 'off'"},
      {"load ../mechanics", "bad module name '../mechanics'"},
      {"events now", "'events' takes 0 argument(s), 1 given"},
  };
  for (const Case& c : cases) {
    // The bad line is line 4; the dump after it must not run.
    const auto run = run_probe(std::string("load mechanics\n\n   # comment\n") + c.line + "\ndump mechanics\n",
                               fixture_module_dir());
    EXPECT_EQ(run.status, 2) << c.line;
    EXPECT_EQ(run.errors.rfind(std::string("line 4: ") + c.message, 0), 0u) << c.line << " -> " << run.errors;
    EXPECT_TRUE(run.lines.empty()) << c.line;
  }
}

TEST(ProbeScript, AcceptsHexSignsSpacingAndTrailingComments) {
  const auto run = run_probe(
      "  load   mechanics  # the fixture\n"
      "set 0x9 -0x10\n"
      "setint 16 -2147483648\n"
      "named shared 0xFFFFFFFF\n"
      "service mechanics 0x7FFFFFFF\n"
      "cycle 0\n"
      "cycle\n"
      "dump mechanics\n",
      fixture_module_dir());
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.lines.size(), 1u);
  EXPECT_EQ(vortane::testing::element(run.lines[0], 4)["y"], -16);
  EXPECT_EQ(vortane::testing::element(run.lines[0], 5)["value"], -2147483648LL);
  EXPECT_EQ(run.lines[0]["named"]["shared"], -1);
}

TEST(ProbeScript, CommandLineUsage) {
  struct Case {
    const char* arguments;
    int status;
    const char* output;  // expected at the start of stdout (status 0) or stderr
  };
  const Case cases[] = {
      {"--help", 0, "usage: panel COMMAND"},
      {"probe --help", 0, "usage: panel probe [--modules DIR] SCRIPT"},
      {"", 2, "panel: no command given"},
      {"fly", 2, "panel: unknown command 'fly'"},
      {"probe", 2, "panel probe: no SCRIPT given"},
      {"probe --modules", 2, "panel probe: --modules needs a directory"},
      {"probe --frobnicate -", 2, "panel probe: unknown option '--frobnicate'"},
      {"probe /nonexistent/script", 2, "panel probe: cannot read script '/nonexistent/script'"},
  };
  for (const Case& c : cases) {
    const std::string command = std::string(VORTANE_PANEL_FOR_TESTS) + " " + c.arguments + " </dev/null 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    const int status = pclose(pipe);
    EXPECT_EQ(WEXITSTATUS(status), c.status) << c.arguments;
    EXPECT_EQ(output.rfind(c.output, 0), 0u) << c.arguments << " -> " << output;
  }
}

}  // namespace
