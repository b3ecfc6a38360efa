// Just enough JSON writing for one-line reports: strings escaped, doubles
// written so that they read back exactly, non-finite ones as "nan", "inf", "-inf".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace panel {

class JsonLine {
 public:
  JsonLine& begin_object();
  JsonLine& end_object();
  JsonLine& begin_array();
  JsonLine& end_array();
  JsonLine& key(std::string_view name);
  JsonLine& string(std::string_view text);
  JsonLine& number(double value);
  JsonLine& integer(int64_t value);
  JsonLine& boolean(bool value);
  JsonLine& null();
  const std::string& text() const { return out_; }

 private:
  void separate();
  std::string out_;
  bool need_comma_ = false;
};

}  // namespace panel
