#include "vortane/host/variables.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace vortane::host {
namespace {

// Packed integer frequencies: the navigation radios and the ADF.
constexpr std::array<uint32_t, 4> kIntegerTypedTokens = {16, 18, 24, 27};

}  // namespace

int32_t wrap_to_int32(double value) {
  if (std::isnan(value)) return 0;
  int64_t whole;
  if (value >= 9223372036854775807.0)
    whole = INT64_MAX;
  else if (value <= -9223372036854775808.0)
    whole = INT64_MIN;
  else
    whole = static_cast<int64_t>(value);
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole)));
}

bool SimVariables::integer_typed(uint32_t token) {
  return std::find(kIntegerTypedTokens.begin(), kIntegerTypedTokens.end(), token) != kIntegerTypedTokens.end();
}

void SimVariables::set(uint32_t token, double value) {
  if (token == 0) return;
  values_[token] = Value{value, wrap_to_int32(value)};
}

void SimVariables::set_integer(uint32_t token, int32_t value) {
  if (token == 0) return;
  values_[token] = Value{static_cast<double>(value), value};
}

double SimVariables::number(uint32_t token) const {
  const auto it = values_.find(token);
  return it == values_.end() ? 0.0 : it->second.number;
}

int32_t SimVariables::integer(uint32_t token) const {
  const auto it = values_.find(token);
  return it == values_.end() ? 0 : it->second.integer;
}

void SimVariables::refresh(ModuleVariable& slot) const {
  std::memset(&slot.value, 0, sizeof slot.value);
  if (slot.token == 0) return;
  if (integer_typed(slot.token))
    slot.value.integer = integer(slot.token);
  else
    slot.value.number = number(slot.token);
}

int32_t* NamedVariables::storage(const std::string& name) {
  auto& slot = storage_[name];
  if (!slot) slot = std::make_unique<int32_t>(0);
  return slot.get();
}

std::optional<int32_t> NamedVariables::value(const std::string& name) const {
  const auto it = storage_.find(name);
  if (it == storage_.end()) return std::nullopt;
  return *it->second;
}

}  // namespace vortane::host
