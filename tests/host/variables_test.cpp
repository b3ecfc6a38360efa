// Simulator variables: the two forms of a token and how a slot is filled.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "vortane/host/variables.h"

namespace {

using namespace vortane::host;

TEST(SimVariables, DoubleToIntegerFormIsDefinedForEveryDouble) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double value;
    int32_t expected;
  };
  const Case cases[] = {
      {0.0, 0},           {-0.0, 0},           {1.9, 1},
      {-1.9, -1},         {2147483647.0, 2147483647},
      {2147483648.0, INT32_MIN},                 // low 32 bits
      {4294967296.0 + 5, 5},                     {-4294967296.0 - 5, -5},
      {1e300, -1},        {-1e300, 0},         {inf, -1},
      {-inf, 0},          {std::nan(""), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(wrap_to_int32(c.value), c.expected) << c.value;
}

TEST(SimVariables, EachFormFollowsTheOtherAndTokenZeroStaysZero) {
  SimVariables v;
  v.set(7, 1234.75);
  EXPECT_EQ(v.number(7), 1234.75);
  EXPECT_EQ(v.integer(7), 1234);
  v.set_integer(7, -3);
  EXPECT_EQ(v.number(7), -3.0);
  EXPECT_EQ(v.integer(7), -3);
  v.set(0, 5);
  v.set_integer(0, 5);
  EXPECT_EQ(v.number(0), 0.0);
  EXPECT_EQ(v.integer(0), 0);
  EXPECT_EQ(v.number(99), 0.0);
}

TEST(SimVariables, RefreshWritesTheFormTheTokenDelivers) {
  SimVariables v;
  v.set(80, 30.5);
  v.set_integer(24, 0x11390);
  for (uint32_t token : {16u, 18u, 24u, 27u}) EXPECT_TRUE(SimVariables::integer_typed(token)) << token;
  EXPECT_FALSE(SimVariables::integer_typed(80));

  vortane::ModuleVariable slot{};
  std::memset(&slot.value, 0xAB, sizeof slot.value);
  slot.token = 24;
  v.refresh(slot);
  EXPECT_EQ(slot.value.integer, 0x11390);
  uint32_t high = 0xFFFFFFFF;
  std::memcpy(&high, reinterpret_cast<const char*>(&slot.value) + 4, 4);
  EXPECT_EQ(high, 0u);  // the rest of the slot is cleared

  slot.token = 80;
  v.refresh(slot);
  EXPECT_EQ(slot.value.number, 30.5);

  slot.token = 0;
  slot.value.number = 9;
  v.refresh(slot);
  EXPECT_EQ(slot.value.number, 0.0);
}

TEST(NamedVariables, StorageIsCreatedOnFirstUseAndNeverMoves) {
  NamedVariables named;
  EXPECT_FALSE(named.value("display"));
  int32_t* display = named.storage("display");
  EXPECT_EQ(*display, 0);
  for (int i = 0; i < 100; ++i) named.storage("name" + std::to_string(i));
  EXPECT_EQ(named.storage("display"), display);
  named.write("display", 7);
  EXPECT_EQ(*display, 7);
  EXPECT_EQ(named.value("display"), 7);
}

}  // namespace
