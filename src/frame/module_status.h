#pragma once

namespace lumvoucher::frame {

// Status of a module of the suite for the current organisation (table MODULE).
enum class ModuleState : int {
  kNotStarted = -1,  // bytStatus 0
  kNoRow = 0,
  kRunning = 1,   // any status but 0 and 2: year and period are where it started
  kStopped = -2,  // bytStatus 2: year and period are where it stopped
};

struct ModuleStatus {
  ModuleState state = ModuleState::kNoRow;
  int year = 0;
  int period = 0;
  // The service's integer answer: -1, 0, 1 or -2.
  int Code() const { return static_cast<int>(state); }
};

ModuleStatus GetModuleStatus(long module_id);

}  // namespace lumvoucher::frame
