#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "vortane/gauge.h"
#include "vortane/platform.h"

// The framework refers to the module's own descriptor and exports; a test
// binary stands in for a module that has them.
vortane::GaugeDescriptor vortane::module_gauge{};
extern "C" {
vortane::Linkage Linkage{};
vortane::ImportTable ImportTable{};
}

namespace vortane {
namespace {

struct TextFixture {
  char buffer[kTextCapacity + 16];
  StringElement element{};
  TextFixture() {
    std::memset(buffer, '#', sizeof buffer);
    element.element.kind = ElementKind::string;
    element.text = buffer;
  }
  std::string text() const { return buffer; }
};

TEST(WriteText, LabelNumberLiesFarOutsideTheWords) {
  TextFixture f;
  f.element.source[0].value.number = 0;
  write_label(&f.element.element, "AC%200.0f");
  EXPECT_EQ(f.text(), "AC" + std::string(199, ' ') + "0");

  f.element.source[0].value.number = 1234.5;
  write_label(&f.element.element, "BATTERY%400.0f");
  EXPECT_EQ(f.text().size(), 407u);
  EXPECT_EQ(f.text().substr(0, 8), "BATTERY ");
  EXPECT_EQ(f.text().substr(403), "1234");  // narrowed 1234.5 rounds to even
}

TEST(WriteText, ReadoutsShowTheSinglePrecisionValue) {
  struct Case {
    const char* format;
    double value;
    const char* text;
  } cases[] = {
      {"%05.0f", 12345.6, "12346"},
      {"%05.0f", -50, "-0050"},
      {"%05.0f", 850, "00850"},
      {"%05.0f", 123456.7, "123457"},
      {"%04.0f", 1013.25, "1013"},
      {"%.2f", 29.92, "29.92"},
      {"%.0f", 16777217, "16777216"},
  };
  for (const Case& c : cases) {
    TextFixture f;
    f.element.source[0].value.number = c.value;
    write_text(&f.element.element, c.format, c.value);
    EXPECT_EQ(f.text(), c.text) << c.format << " of " << c.value;
  }
}

TEST(WriteText, NeverWritesPastTheBuffer) {
  TextFixture f;
  write_text(&f.element.element, "%900.0f", 1.0);
  EXPECT_EQ(f.text().size(), kTextCapacity - 1);
  for (size_t i = kTextCapacity; i < sizeof f.buffer; ++i) EXPECT_EQ(f.buffer[i], '#') << "byte " << i;
}

TEST(Wsprintf, FormatsDigitGroupsAndStaysInBounds) {
  char out[12];
  EXPECT_EQ(platform::wsprintfA(out, sizeof out, "1%d%d.%d%d", 1, 1, 3, 0), 6u);
  EXPECT_STREQ(out, "111.30");
  platform::wsprintfA(out, sizeof out, "1%d%d.%d%d", 1, 1, 10, 0);
  EXPECT_STREQ(out, "111.100");
  platform::wsprintfA(out, sizeof out, "%d%%", -42);
  EXPECT_STREQ(out, "-42%");
  EXPECT_EQ(platform::wsprintfA(out, 5, "%d", 123456789), 4u);
  EXPECT_STREQ(out, "1234");
}

}  // namespace
}  // namespace vortane
