#include "json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace panel {

void JsonLine::separate() {
  if (need_comma_) out_ += ',';
  need_comma_ = false;
}

JsonLine& JsonLine::begin_object() {
  separate();
  out_ += '{';
  return *this;
}

JsonLine& JsonLine::end_object() {
  out_ += '}';
  need_comma_ = true;
  return *this;
}

JsonLine& JsonLine::begin_array() {
  separate();
  out_ += '[';
  return *this;
}

JsonLine& JsonLine::end_array() {
  out_ += ']';
  need_comma_ = true;
  return *this;
}

JsonLine& JsonLine::key(std::string_view name) {
  string(name);
  out_ += ':';
  need_comma_ = false;
  return *this;
}

JsonLine& JsonLine::string(std::string_view text) {
  separate();
  out_ += '"';
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out_ += "\\\""; break;
      case '\\': out_ += "\\\\"; break;
      case '\n': out_ += "\\n"; break;
      case '\r': out_ += "\\r"; break;
      case '\t': out_ += "\\t"; break;
      default:
        if (u < 0x20 || u >= 0x7f) {
          // Texts are single bytes of the gauge's character set, not UTF-8:
          // each byte stands for the code point of the same number.
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(u));
          out_ += escape;
        } else {
          out_ += c;
        }
    }
  }
  out_ += '"';
  need_comma_ = true;
  return *this;
}

JsonLine& JsonLine::number(double value) {
  if (std::isnan(value)) return string("nan");
  if (std::isinf(value)) return string(value > 0 ? "inf" : "-inf");
  separate();
  char digits[32];
  // Shortest form that reads back as the same double.
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out_.append(digits, result.ptr);
  need_comma_ = true;
  return *this;
}

JsonLine& JsonLine::integer(int64_t value) {
  separate();
  out_ += std::to_string(value);
  need_comma_ = true;
  return *this;
}

JsonLine& JsonLine::boolean(bool value) {
  separate();
  out_ += value ? "true" : "false";
  need_comma_ = true;
  return *this;
}

JsonLine& JsonLine::null() {
  separate();
  out_ += "null";
  need_comma_ = true;
  return *this;
}

}  // namespace panel
