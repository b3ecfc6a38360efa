// What the loaded modules did to the outside world, in order, each tagged with
// the module the host was calling into at the time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vortane::host {

enum class EventType {
  key,                   // trigger_key_event: key_event, value
  gaugesound_play,       // GaugePlaySound: text (path), arg2, number (third argument)
  gaugesound_stop,       // GaugeStopSound
  gaugesound_terminate,  // TerminateSounds
  playsound,             // PlaySoundA: text (name), flags
  library_load,          // LoadLibraryA: text (library name), ok
  library_find,          // GetModuleHandleA: text, ok
  library_free,          // FreeLibrary: text, ok
};

const char* event_type_name(EventType type);

struct Event {
  std::string module;  // the module's file stem; empty when no module was being called
  EventType type = EventType::key;
  uint32_t key_event = 0;
  int32_t number = 0;  // key value, or GaugePlaySound's third argument
  std::string text;
  std::string arg2;
  uint32_t flags = 0;
  bool ok = false;
};

}  // namespace vortane::host
