#include "vortane/host/gauge_module.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <utility>

#include "module_library.h"

namespace vortane::host {
namespace {

std::string hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%" PRIX32, value);
  return text;
}

template <typename Record>
Record* as(Element* element) {
  // Every kind record starts with the common part.
  return reinterpret_cast<Record*>(element);
}

size_t record_size(ElementKind kind) {
  switch (kind) {
    case ElementKind::static_image: return sizeof(StaticImageElement);
    case ElementKind::needle: return sizeof(NeedleElement);
    case ElementKind::string: return sizeof(StringElement);
    case ElementKind::slider: return sizeof(SliderElement);
    case ElementKind::icon: return sizeof(IconElement);
    case ElementKind::moving_image: return sizeof(MovingImageElement);
    case ElementKind::sprite: return sizeof(SpriteElement);
  }
  return sizeof(Element);
}

}  // namespace

const char* element_kind_name(ElementKind kind) {
  switch (kind) {
    case ElementKind::static_image: return "static_image";
    case ElementKind::needle: return "needle";
    case ElementKind::string: return "string";
    case ElementKind::slider: return "slider";
    case ElementKind::icon: return "icon";
    case ElementKind::moving_image: return "moving_image";
    case ElementKind::sprite: return "sprite";
  }
  return "unknown";
}

size_t callback_count(ElementKind kind) {
  switch (kind) {
    case ElementKind::static_image: return 0;
    case ElementKind::needle:
    case ElementKind::string:
    case ElementKind::icon: return 1;
    case ElementKind::slider:
    case ElementKind::moving_image: return 2;
    case ElementKind::sprite: return 3;
  }
  return 0;
}

GaugeModule::~GaugeModule() = default;

std::unique_ptr<GaugeModule> GaugeModule::load(const std::filesystem::path& file) {
  std::unique_ptr<GaugeModule> module(new GaugeModule);
  module->name_ = file.stem().string();
  module->check(file);
  return module;
}

void GaugeModule::fail(const std::string& fault) const {
  throw LoadError("module " + name_ + ": " + fault);
}

void GaugeModule::check(const std::filesystem::path& file) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(file, ignored)) fail("no module file " + file.string());
  std::string why;
  library_ = ModuleLibrary::open(file, why);
  if (!library_) fail("cannot be loaded: " + why);
  const ModuleLibrary& lib = *library_;

  linkage_ = static_cast<Linkage*>(lib.symbol("Linkage"));
  if (linkage_ == nullptr) fail("exports no Linkage record");
  if (!lib.holds(linkage_, sizeof(Linkage), Access::read)) fail("Linkage lies outside the module's data");
  imports_ = static_cast<ImportTable*>(lib.symbol("ImportTable"));
  if (imports_ == nullptr) fail("exports no ImportTable record");
  if (!lib.holds(imports_, sizeof(ImportTable), Access::write))
    fail("ImportTable is not writable module data (the host writes its services reference there)");

  // The versions first: nothing else of a record means anything until they match.
  if (linkage_->module_id != kModuleId)
    fail("Linkage module id is " + hex(linkage_->module_id) + ", expected " + hex(kModuleId));
  if (linkage_->module_version != kModuleVersion)
    fail("Linkage module version is " + hex(linkage_->module_version) + ", expected " + hex(kModuleVersion));
  if (linkage_->gauges[0] == nullptr) fail("Linkage lists no gauge");
  if (linkage_->gauges[1] != nullptr) fail("Linkage lists more than one gauge (exactly one descriptor, then null)");

  if (imports_->services.id != kImportServicesId)
    fail("ImportTable's first entry has id " + hex(imports_->services.id) + ", expected " + hex(kImportServicesId));
  if (imports_->end.id != 0 || imports_->end.reference != nullptr)
    fail("ImportTable has no end entry (id 0, null) after the services entry");

  descriptor_ = linkage_->gauges[0];
  if (!lib.holds(descriptor_, sizeof(GaugeDescriptor), Access::write))
    fail("gauge descriptor lies outside the module's writable data");
  const GaugeDescriptor& d = *descriptor_;
  if (d.header_version != kGaugeHeaderVersion)
    fail("gauge header version is " + std::to_string(d.header_version) + ", expected " +
         std::to_string(kGaugeHeaderVersion));
  if (d.name == nullptr) fail("gauge descriptor has no name");
  for (size_t i = 0;; ++i) {
    if (i == 256 || !lib.holds(d.name + i, 1, Access::read)) fail("gauge name is not a text inside the module");
    if (d.name[i] == '\0') break;
  }
  if (d.element_root == nullptr) fail("gauge descriptor has no element root");
  if (!lib.holds(d.element_root, sizeof(Element*), Access::read)) fail("element root lies outside the module");
  if (*d.element_root == nullptr) fail("element root refers to no element");
  if (d.mouse_areas == nullptr) fail("gauge descriptor has no mouse-area list");
  if (d.callback == nullptr) fail("gauge descriptor has no gauge callback");
  if (!lib.holds(reinterpret_cast<const void*>(d.callback), 1, Access::execute))
    fail("gauge callback lies outside the module's code");

  try {
    bitmaps_ = open_module_bitmaps(file);
  } catch (const BitmapError& e) {
    fail(std::string("bitmaps: ") + e.what());
  }

  walk_elements();
  check_mouse_areas();

  for (ElementState& state : elements_) {
    if (state.element->kind != ElementKind::string) continue;
    state.text = std::make_unique<char[]>(kTextCapacity);  // zeroed
    as<StringElement>(state.element)->text = state.text.get();
  }
}

void GaugeModule::walk_elements() {
  // Depth first, each element before its children: draw order. In practice
  // every gauge is a single chain, but a list of several children is valid.
  struct Pending {
    Element* element;
    size_t parent;  // index, or SIZE_MAX for the root
  };
  std::vector<Pending> pending{{*descriptor_->element_root, SIZE_MAX}};
  std::set<const Element*> seen;
  while (!pending.empty()) {
    const auto [element, parent] = pending.back();
    pending.pop_back();
    const size_t index = elements_.size();
    if (index == kMaxElements) fail("element chain is longer than " + std::to_string(kMaxElements) + " elements");
    if (seen.count(element) != 0) {
      size_t first = 0;
      while (elements_[first].element != element) ++first;
      fail("element chain has a cycle: element " + std::to_string(parent) + " leads back to element " +
           std::to_string(first));
    }
    if (!library_->holds(element, sizeof(Element), Access::write))
      fail("element " + std::to_string(index) + " lies outside the module's writable data");
    seen.insert(element);
    check_element(index, element);
    elements_.push_back(ElementState{element, {}, false, nullptr});

    if (element->children == nullptr) continue;
    std::vector<Element*> children;
    for (size_t i = 0;; ++i) {
      if (!library_->holds(element->children + i, sizeof(Element*), Access::read))
        fail("children list of element " + std::to_string(index) + " lies outside the module");
      Element* child = element->children[i];
      if (child == nullptr) break;
      if (i == kMaxElements) fail("children list of element " + std::to_string(index) + " has no end");
      children.push_back(child);
    }
    for (auto it = children.rbegin(); it != children.rend(); ++it) pending.push_back({*it, index});
  }
}

void GaugeModule::check_element(size_t index, Element* element) {
  const uint32_t raw_kind = static_cast<uint32_t>(element->kind);
  if (raw_kind >= kElementKindCount)
    fail("element " + std::to_string(index) + " has unknown kind " + std::to_string(raw_kind));
  const ElementKind kind = element->kind;
  const std::string where = "element " + std::to_string(index) + " (" + element_kind_name(kind) + ")";
  if (!library_->holds(element, record_size(kind), Access::write))
    fail(where + " lies outside the module's writable data");

  auto need_bitmap = [&](uint32_t id, const char* role) {
    const std::string what = where + ": " + role + " resource " + hex(id);
    if (!bitmaps_) fail(what + " is missing: the module file carries no bitmaps");
    const auto dib = bitmaps_->dib(id);
    if (!dib) fail(what + " is missing from the module's bitmaps");
    try {
      read_dib_info(*dib);
    } catch (const BitmapError& e) {
      fail(what + " is not a usable bitmap: " + e.what());
    }
  };
  auto need_callback = [&](ElementCallback callback, const char* role) {
    if (callback == nullptr) fail(where + " has no " + role);
    if (!library_->holds(reinterpret_cast<const void*>(callback), 1, Access::execute))
      fail(where + ": " + role + " lies outside the module's code");
  };

  switch (kind) {
    case ElementKind::static_image:
      need_bitmap(element->resource_id, "bitmap");
      break;
    case ElementKind::needle: {
      auto* needle = as<NeedleElement>(element);
      need_bitmap(element->resource_id, "needle bitmap");
      if (needle->point_count < 2 || needle->point_count > kMaxNeedlePoints)
        fail(where + " has " + std::to_string(needle->point_count) + " calibration points (2 to " +
             std::to_string(kMaxNeedlePoints) + ")");
      if (!library_->holds(needle->table, needle->point_count * sizeof(NonlinearityPoint), Access::read))
        fail(where + ": calibration table lies outside the module's data");
      for (uint32_t i = 0; i < needle->point_count; ++i) {
        const double value = needle->table[i].value;
        if (std::isnan(value) || (i > 0 && value < needle->table[i - 1].value))
          fail(where + ": calibration values are not in increasing order (point " + std::to_string(i) + ")");
      }
      need_callback(needle->callback, "callback");
      break;
    }
    case ElementKind::string: {
      auto* string = as<StringElement>(element);
      if (std::memchr(string->font_name, '\0', sizeof string->font_name) == nullptr)
        fail(where + ": font name is not terminated within its 32 characters");
      need_callback(string->callback, "callback");
      break;
    }
    case ElementKind::slider: {
      auto* slider = as<SliderElement>(element);
      need_bitmap(element->resource_id, "bitmap");
      need_callback(slider->x_callback, "x callback");
      need_callback(slider->y_callback, "y callback");
      break;
    }
    case ElementKind::icon: {
      auto* icon = as<IconElement>(element);
      if (icon->image_count == 0) fail(where + " has no images");
      need_bitmap(element->resource_id, "first image");
      need_callback(icon->callback, "callback");
      break;
    }
    case ElementKind::moving_image: {
      auto* moving = as<MovingImageElement>(element);
      need_bitmap(element->resource_id, "picture");
      need_bitmap(element->resource_id + 1, "window");
      need_callback(moving->x_callback, "x callback");
      need_callback(moving->y_callback, "y callback");
      break;
    }
    case ElementKind::sprite: {
      auto* sprite = as<SpriteElement>(element);
      need_bitmap(element->resource_id, "picture");
      need_bitmap(element->resource_id + 1, "window");
      need_callback(sprite->x_callback, "x callback");
      need_callback(sprite->y_callback, "y callback");
      need_callback(sprite->rotation_callback, "rotation callback");
      break;
    }
  }
}

void GaugeModule::check_mouse_areas() {
  MouseArea* list = descriptor_->mouse_areas;
  for (size_t i = 0; i < kMaxMouseAreas; ++i) {
    MouseArea* area = list + i;
    const std::string where = "mouse-area record " + std::to_string(i);
    if (!library_->holds(area, sizeof(MouseArea), Access::read))
      fail(where + " lies outside the module's data (is the list closed by an end record?)");
    if (i == 0) {
      if (area->kind != kMouseParent) fail("mouse-area list does not start with a parent record");
      continue;
    }
    switch (area->kind) {
      case kMouseChild:
        if (area->handler == nullptr) fail(where + " (child) has no handler");
        if (!library_->holds(reinterpret_cast<const void*>(area->handler), 1, Access::execute))
          fail(where + " (child): handler lies outside the module's code");
        mouse_areas_.push_back(area);
        break;
      case kMouseEnd:
        return;
      case kMouseParent:
        fail(where + " is a second parent record");
      default:
        fail("mouse-area list is not closed by an end record (record " + std::to_string(i) + " has kind " +
             std::to_string(area->kind) + ")");
    }
  }
  fail("mouse-area list has no end record within " + std::to_string(kMaxMouseAreas) + " records");
}

}  // namespace vortane::host
