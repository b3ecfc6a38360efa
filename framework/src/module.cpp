// The module boundary: the two records a gauge module exports, and nothing else.
#include "vortane/abi_layout.h"
#include "vortane/gauge.h"

#if defined(_WIN32)
#define VORTANE_EXPORT __declspec(dllexport)
#else
#define VORTANE_EXPORT __attribute__((visibility("default")))
#endif

namespace {
// The host may call these whenever it likes; a gauge needs nothing from them.
void VORTANE_CALL module_init() {}
void VORTANE_CALL module_deinit() {}
}  // namespace

extern "C" {

VORTANE_EXPORT vortane::Linkage Linkage = {
    .module_id = vortane::kModuleId,
    .module_init = module_init,
    .module_deinit = module_deinit,
    .flags = 0,
    .priority = 0,
    .module_version = vortane::kModuleVersion,
    .gauges = {&vortane::module_gauge, nullptr},
};

VORTANE_EXPORT vortane::ImportTable ImportTable = {
    .services = {vortane::kImportServicesId, nullptr},
    .end = {0, nullptr},
};

}  // extern "C"
