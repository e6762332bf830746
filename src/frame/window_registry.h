#pragma once

#include <functional>
#include <memory>
#include <typeindex>
#include <unordered_map>

namespace lumvoucher::frame {

// Windows of the component are process-wide singletons: created on first use, reused by every
// later call, released together when the component is unloaded.
class WindowRegistry {
 public:
  template <class Window>
  static Window& Get() {
    auto& windows = Instances();
    auto it = windows.find(typeid(Window));
    if (it == windows.end()) {
      it = windows.emplace(typeid(Window), Holder(new Window(), [](void* p) {
                             delete static_cast<Window*>(p);
                           })).first;
    }
    return *static_cast<Window*>(it->second.get());
  }

  template <class Window>
  static bool Exists() {
    return Instances().count(typeid(Window)) != 0;
  }

  static void ReleaseAll() { Instances().clear(); }

 private:
  using Holder = std::unique_ptr<void, void (*)(void*)>;
  static std::unordered_map<std::type_index, Holder>& Instances() {
    static std::unordered_map<std::type_index, Holder> instances;
    return instances;
  }
};

}  // namespace lumvoucher::frame
