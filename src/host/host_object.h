#pragma once

#include <string>

namespace lumvoucher::host {

// Base of the host's library objects that the component only stores and hands on (the three
// host services, the card object, the multi-base data, the two further host objects). Later
// subsystems give the ones they call their own operations.
class HostObject {
 public:
  virtual ~HostObject() = default;
  virtual std::string ObjectName() const = 0;
};

}  // namespace lumvoucher::host
