// The common gauge life through the real host and module files: the sound
// library binding, the services, and what a panel of two modules sees.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "probe_harness.h"

namespace vortane::testing {
namespace {

using nlohmann::json;

// One event in a line: "compass library_load GaugeSound ok".
std::string describe(const json& event) {
  std::string text = event["module"].get<std::string>() + " " + event["type"].get<std::string>();
  if (event.contains("name")) text += " " + event["name"].get<std::string>();
  if (event.contains("path")) text += " " + event["path"].get<std::string>();
  if (event.contains("ok")) text += event["ok"].get<bool>() ? " ok" : " failed";
  return text;
}

// The events of each `events` line of the script.
std::vector<std::vector<std::string>> events_of(const std::string& script) {
  ProbeRun run = run_probe(script);
  EXPECT_EQ(run.status, 0) << run.errors;
  std::vector<std::vector<std::string>> batches;
  for (const json& line : run.lines) {
    if (!line.contains("events")) continue;
    batches.emplace_back();
    for (const json& event : line["events"]) batches.back().push_back(describe(event));
  }
  return batches;
}

using Events = std::vector<std::string>;

TEST(Lifecycle, KillBeforeAnyUpdateTerminatesAndReleasesOnce) {
  const auto batches = events_of("load compass\nevents\nkill compass\nevents\n");
  ASSERT_EQ(batches.size(), 2u);
  EXPECT_EQ(batches[0], (Events{"compass library_load GaugeSound ok"}));
  EXPECT_EQ(batches[1], (Events{"compass library_find GaugeSound ok", "compass gaugesound_terminate",
                                "compass library_free GaugeSound ok"}));
}

TEST(Lifecycle, UpdateFindsTheLibraryWithoutTakingAReference) {
  const auto batches = events_of("load compass\nevents\ncycle\nevents\n");
  ASSERT_EQ(batches.size(), 2u);
  EXPECT_EQ(batches[1], (Events{"compass library_find GaugeSound ok"}));
}

// A gauge killed, initialised and killed again, beside another module that
// uses the library: no kill may release a reference its module did not take,
// or the library is unloaded under the other module.
TEST(Lifecycle, KillInitialiseKillLeavesTheOtherModulesLibraryLoaded) {
  const auto batches = events_of(
      "load compass\nload standbyatt\ncycle\nevents\n"
      "kill compass\ninit compass\nkill compass\nkill compass\nevents\n"
      "cycle\nevents\n");
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_EQ(batches[1], (Events{
                            "compass library_find GaugeSound ok",
                            "compass gaugesound_terminate",
                            "compass library_free GaugeSound ok",
                            "compass library_load GaugeSound ok",  // initialise after a kill takes a new reference
                            "compass library_find GaugeSound ok",
                            "compass gaugesound_terminate",
                            "compass library_free GaugeSound ok",
                            "compass library_find GaugeSound ok",  // a kill with nothing held releases nothing
                            "compass gaugesound_terminate",
                        }));
  // The library is still loaded for standbyatt (compass is killed and does
  // not take part in the cycle).
  EXPECT_EQ(batches[2], (Events{"standbyatt library_find GaugeSound ok"}));
}

TEST(Lifecycle, AbsentLibraryIsSilentUntilItArrives) {
  const auto batches = events_of(
      "sound absent\nload compass\ncycle\nevents\nkill compass\nevents\n"
      "init compass\nsound present\ncycle\nevents\nkill compass\nevents\n");
  ASSERT_EQ(batches.size(), 4u);
  EXPECT_EQ(batches[0], (Events{"compass library_load GaugeSound failed", "compass library_find GaugeSound failed",
                                "compass library_load GaugeSound failed"}));
  // Without the library a kill has nothing to terminate and nothing to release.
  EXPECT_EQ(batches[1], (Events{"compass library_find GaugeSound failed", "compass library_load GaugeSound failed"}));
  // Present again: the next update loads it and keeps the reference it took.
  EXPECT_EQ(batches[2], (Events{"compass library_load GaugeSound failed", "compass library_find GaugeSound failed",
                                "compass library_load GaugeSound ok"}));
  EXPECT_EQ(batches[3], (Events{"compass library_find GaugeSound ok", "compass gaugesound_terminate",
                                "compass library_free GaugeSound ok"}));
}

TEST(Lifecycle, OtherServiceIdsAreIgnored) {
  std::string script = "load standbyatt\nset 80 30\ncycle\nevents\ndump standbyatt\n";
  for (const char* id : {"0", "1", "2", "3", "5", "7", "8", "9", "11", "13", "100", "-1", "-6", "0x7fffffff"}) {
    script += std::string("service standbyatt ") + id + "\n";
  }
  script += "events\ndump standbyatt\n";
  ProbeRun run = run_probe(script);
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.lines.size(), 4u);
  EXPECT_EQ(run.lines[2]["events"], json::array()) << "an ignored service made a call";
  EXPECT_EQ(run.lines[3], run.lines[1]) << "an ignored service changed the gauge";
}

}  // namespace
}  // namespace vortane::testing
