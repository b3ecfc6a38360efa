// The simulator variables (numbered tokens) and the named variables of one panel.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "vortane/abi.h"

namespace vortane::host {

// Every token has a double form and an integer form, both 0 until set.
// Setting one form sets the other to match, so a token always reads sensibly
// whichever form a module asks for:
//   set(t, d)          the integer form becomes d converted as every
//                      double-to-integer conversion of the system is (NaN 0,
//                      truncated, clamped to 64 bits, low 32 bits kept);
//   set_integer(t, i)  the double form becomes i exactly.
// Token 0 names no variable: writes to it are ignored and it reads 0.
class SimVariables {
 public:
  void set(uint32_t token, double value);
  void set_integer(uint32_t token, int32_t value);
  double number(uint32_t token) const;
  int32_t integer(uint32_t token) const;

  // Tokens the simulator delivers in integer form (packed frequencies).
  static bool integer_typed(uint32_t token);

  // What lookup_var does, and what the host does to an element's own source
  // variables before its callbacks: the slot's value becomes the token's
  // current value, as a double or, for integer-typed tokens, as an integer in
  // the low four bytes with the rest zero.
  void refresh(ModuleVariable& slot) const;

 private:
  struct Value {
    double number = 0;
    int32_t integer = 0;
  };
  std::unordered_map<uint32_t, Value> values_;
};

int32_t wrap_to_int32(double value);

// Named integer variables of one panel. Storage is created on first use and
// never moves, so a binding handed to a module stays valid for the life of the
// panel; two modules bound to one name share it.
class NamedVariables {
 public:
  int32_t* storage(const std::string& name);
  std::optional<int32_t> value(const std::string& name) const;
  void write(const std::string& name, int32_t value) { *storage(name) = value; }

 private:
  std::map<std::string, std::unique_ptr<int32_t>> storage_;
};

}  // namespace vortane::host
