// The common gauge callback against a fake host, with the real sound library
// stand-in loaded through the platform layer.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vortane/gauge.h"

namespace vortane {
namespace {

std::vector<std::string> host_calls;
int32_t named_storage[4];

void VORTANE_CALL fake_lookup(ModuleVariable* slot) {
  host_calls.push_back("lookup " + std::to_string(slot->token));
  slot->value.number = slot->token * 10.0;
}
void VORTANE_CALL fake_bind(ModuleVariable* slot, const char* name) {
  host_calls.push_back(std::string("bind ") + name);
  slot->binding = &named_storage[host_calls.size() % 4];
}
int32_t VORTANE_CALL fake_key(uint32_t event, int32_t value) {
  host_calls.push_back("key " + std::to_string(event) + " " + std::to_string(value));
  return 1;
}

HostServices fake_host = [] {
  HostServices services{};
  services.lookup_var = fake_lookup;
  services.initialize_var_by_name = fake_bind;
  services.trigger_key_event = fake_key;
  return services;
}();

int resets;
int updates;
int32_t latch;
SoundBinding sound;
ModuleVariable header[] = {token(0), token(364)};
ModuleVariable display_slot;
ModuleVariable rose_slot;
const NamedVariable named[] = {{"display", &display_slot}, {"rose", &rose_slot}};

const GaugeLifecycle life = {
    .sound = &sound,
    .first_draw_latch = &latch,
    .header_variables = header, .header_variable_count = 2,
    .named_variables = named, .named_variable_count = 2,
    .first_draw_reset = [] { ++resets; },
    .update = [] { ++updates; },
};

class Lifecycle : public testing::Test {
 protected:
  void SetUp() override {
    ::ImportTable.services = {kImportServicesId, &fake_host};
    host_calls.clear();
  }
  void TearDown() override {
    // Leave no reference behind for the next test.
    if (sound.holds_reference) run_gauge_service(life, kServiceKill);
    sound = {};
    latch = 0;
    resets = updates = 0;
  }
  static bool sound_library_loaded() { return platform::GetModuleHandleA(kSoundLibraryName) != nullptr; }
};

TEST_F(Lifecycle, ServicesDoTheirWorkInOrder) {
  run_gauge_service(life, kServiceInitialise);
  EXPECT_EQ(host_calls, (std::vector<std::string>{"bind display", "bind rose"}));
  EXPECT_NE(sound.play, nullptr);
  EXPECT_NE(sound.stop, nullptr);
  EXPECT_NE(sound.terminate, nullptr);

  host_calls.clear();
  run_gauge_service(life, kServiceUpdate);
  EXPECT_EQ(host_calls, (std::vector<std::string>{"lookup 0", "lookup 364"}));
  EXPECT_EQ(header[1].value.number, 3640.0);
  EXPECT_EQ(updates, 1);
}

TEST_F(Lifecycle, OtherServiceIdsDoNothing) {
  for (int32_t id : {0, 1, 2, 3, 5, 7, 8, 9, 11, 13, 100, -1, -4, INT32_MIN, INT32_MAX}) {
    run_gauge_service(life, id);
  }
  EXPECT_TRUE(host_calls.empty());
  EXPECT_EQ(sound.library, nullptr);
  EXPECT_EQ(latch, 0);
  EXPECT_EQ(updates, 0);
}

TEST_F(Lifecycle, FirstDrawResetRunsOncePerLoad) {
  run_gauge_service(life, kServiceInitialise);
  run_gauge_service(life, kServicePreDraw);
  run_gauge_service(life, kServicePreDraw);
  run_gauge_service(life, kServiceKill);
  run_gauge_service(life, kServiceInitialise);
  run_gauge_service(life, kServicePreDraw);
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(latch, 1);
}

TEST_F(Lifecycle, KillReleasesOnlyTheReferenceItHolds) {
  // Another holder keeps the library, as a second module of the panel would.
  platform::LibraryHandle other = platform::LoadLibraryA(kSoundLibraryName);
  ASSERT_NE(other, nullptr) << "GaugeSound.so must sit beside the test program";

  for (int round = 0; round < 2; ++round) {
    run_gauge_service(life, kServiceInitialise);
    EXPECT_TRUE(sound.holds_reference);
    run_gauge_service(life, kServiceKill);
    EXPECT_FALSE(sound.holds_reference);
  }
  run_gauge_service(life, kServiceKill);  // a kill without an initialise: nothing held
  EXPECT_TRUE(sound_library_loaded()) << "a kill released a reference it did not take";

  platform::FreeLibrary(other);
  EXPECT_FALSE(sound_library_loaded()) << "a reference was left behind";
}

TEST_F(Lifecycle, KillBeforeAnyUpdateReleasesTheInitialiseReference) {
  run_gauge_service(life, kServiceInitialise);
  ASSERT_TRUE(sound_library_loaded());
  run_gauge_service(life, kServiceKill);
  EXPECT_FALSE(sound_library_loaded());
  EXPECT_NE(sound.library, nullptr) << "the handle stays in the binding";
}

TEST_F(Lifecycle, UpdateThatLoadsTheLibraryHoldsItsReference) {
  run_gauge_service(life, kServiceUpdate);
  EXPECT_TRUE(sound.holds_reference);
  EXPECT_NE(sound.play, nullptr);
  run_gauge_service(life, kServiceKill);
  EXPECT_FALSE(sound_library_loaded());
}

}  // namespace
}  // namespace vortane
