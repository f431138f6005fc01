#pragma once
// The recorder's keyboard hooks: a thread hook for the calling (user-interface) thread and a
// low-level hook for the two Windows keys. They exist exactly while a recording runs; one
// recording at a time in the process.
#include <windows.h>

#include <cstdint>

namespace tarvolin::dialogs {

// Receives each recorded step on the thread that started the recording.
class RecordingSink {
 public:
  virtual ~RecordingSink() = default;
  // `measuredMs` is the time since the previous recorded event (or the start). The sink may
  // stop the recording from here.
  virtual void OnRecordedStep(std::uint32_t measuredMs, std::uint16_t code,
                              std::uint16_t direction) = 0;
};

class MacroRecorder {
 public:
  // Installs both hooks; false, with none installed, when either cannot be. A running
  // recording of another sink is stopped first.
  static bool Start(RecordingSink& sink);
  // Removes both hooks; nothing when no recording runs.
  static void Stop();
  static bool IsRecording();
  static bool IsRecordingFor(const RecordingSink& sink);
};

}  // namespace tarvolin::dialogs
