// Malformed modules are refused with a message that names the module and the
// fault, and the host goes on living (exit status 2, no crash).
#include <gtest/gtest.h>

#include <string>

#include "probe_harness.h"

namespace {

using vortane::testing::fixture_module_dir;
using vortane::testing::run_probe;

TEST(HostRefusal, EachMalformedModuleIsRefusedWithItsFault) {
  struct Case {
    const char* module;
    const char* fault;
  };
  const Case cases[] = {
      {"bad_module_id", "Linkage module id is 0x14, expected 0x13"},
      {"bad_module_version", "Linkage module version is 0x700, expected 0x800"},
      {"bad_two_gauges", "Linkage lists more than one gauge"},
      {"bad_header_version", "gauge header version is 700, expected 800"},
      {"bad_chain_cycle", "element chain has a cycle: element 1 leads back to element 0"},
      {"bad_unknown_kind", "element 1 has unknown kind 9"},
      {"bad_missing_resource", "element 1 (sprite): window resource 0x401 is missing from the module's bitmaps"},
      {"bad_missing_export", "exports no ImportTable record"},
      {"bad_no_mouse_end", "mouse-area list is not closed by an end record"},
      {"no_such_module", "no module file"},
  };
  for (const Case& c : cases) {
    const auto run = run_probe(std::string("# refused\nload ") + c.module + "\n", fixture_module_dir());
    EXPECT_EQ(run.status, 2) << c.module;
    const std::string prefix = std::string("line 2: module ") + c.module + ": ";
    EXPECT_EQ(run.errors.rfind(prefix, 0), 0u) << run.errors;
    EXPECT_NE(run.errors.find(c.fault), std::string::npos) << run.errors;
    EXPECT_TRUE(run.lines.empty());
  }
}

TEST(HostRefusal, TheUnbentFixtureLoadsAndRunsSoTheRefusalsAreItsFaults) {
  const auto run = run_probe("load well_formed\ncycle\nclickat well_formed 5 5\ndump well_formed\n",
                             fixture_module_dir());
  EXPECT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.lines.size(), 1u);
  EXPECT_EQ(run.lines[0]["elements"].size(), 2u);
  EXPECT_EQ(run.lines[0]["mouse_areas"].size(), 1u);
}

TEST(HostRefusal, AModuleIsLoadedOnlyOnce) {
  const auto run = run_probe("load well_formed\nload well_formed\n", fixture_module_dir());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors, "line 2: module well_formed: is already loaded\n");
}

}  // namespace
