// One loaded gauge module, checked and ready to drive: its descriptor, its
// elements in draw order with the values their callbacks last returned, its
// clickable areas and its bitmaps.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "vortane/abi.h"
#include "vortane/host/bitmaps.h"

namespace vortane::host {

class ModuleLibrary;

// A module that cannot be loaded; the message starts with the module's name.
struct LoadError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct ElementState {
  Element* element = nullptr;
  // What the callbacks returned at their latest call, per axis (x, y,
  // rotation; a single-callback kind uses the first); nothing before the first.
  std::array<double, 3> values{};
  bool called = false;
  std::unique_ptr<char[]> text;  // strings only: kTextCapacity bytes, the host's
};

inline constexpr size_t kMaxElements = 256;
inline constexpr size_t kMaxMouseAreas = 256;
inline constexpr uint32_t kMaxNeedlePoints = 64;

const char* element_kind_name(ElementKind kind);
// Number of value callbacks of a kind: 0 for a static image, up to 3 for a sprite.
size_t callback_count(ElementKind kind);

class GaugeModule {
 public:
  // Loads and checks the module file; throws LoadError naming the module and the fault.
  static std::unique_ptr<GaugeModule> load(const std::filesystem::path& file);
  ~GaugeModule();
  GaugeModule(const GaugeModule&) = delete;
  GaugeModule& operator=(const GaugeModule&) = delete;

  const std::string& name() const { return name_; }
  GaugeDescriptor& descriptor() { return *descriptor_; }
  ImportTable& imports() { return *imports_; }
  std::span<ElementState> elements() { return elements_; }
  std::span<const ElementState> elements() const { return elements_; }
  // The child areas, in list order (area N of the probe is index N - 1).
  std::span<MouseArea* const> mouse_areas() const { return mouse_areas_; }
  // Null when the module carries no bitmaps.
  const BitmapSource* bitmaps() const { return bitmaps_.get(); }

 private:
  GaugeModule() = default;
  void check(const std::filesystem::path& file);
  void walk_elements();
  void check_element(size_t index, Element* element);
  void check_mouse_areas();
  [[noreturn]] void fail(const std::string& fault) const;

  std::string name_;
  std::unique_ptr<ModuleLibrary> library_;
  std::unique_ptr<BitmapSource> bitmaps_;
  Linkage* linkage_ = nullptr;
  ImportTable* imports_ = nullptr;
  GaugeDescriptor* descriptor_ = nullptr;
  std::vector<ElementState> elements_;
  std::vector<MouseArea*> mouse_areas_;
};

}  // namespace vortane::host
