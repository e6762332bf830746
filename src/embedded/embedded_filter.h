#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "host/host_services.h"

namespace lumvoucher::embedded {

// The filter dialog of the embedded host. It has no window of its own: the desktop installs a
// handler that shows its dialog, a test one that plays the user. Without a handler the dialog
// counts as cancelled.
class EmbeddedFilter : public host::clsFilter {
 public:
  // Answers whether the user confirmed; on true `current` holds his choice.
  using Handler =
      std::function<bool(long list_id, std::string_view title, host::FilterCondition& current)>;

  std::string ObjectName() const override { return "clsFilter"; }
  bool ShowFilter(long list_id, std::string_view title, host::FilterCondition& current) override;

  void SetHandler(Handler handler) { handler_ = std::move(handler); }
  // A handler that confirms every opening with `answer`.
  void SetAnswer(host::FilterCondition answer);

  // What the last opening was asked: the list, the title and the condition it was shown.
  int Calls() const { return calls_; }
  long LastListId() const { return last_list_id_; }
  const std::string& LastTitle() const { return last_title_; }
  const host::FilterCondition& LastShown() const { return last_shown_; }

 private:
  Handler handler_;
  int calls_ = 0;
  long last_list_id_ = 0;
  std::string last_title_;
  host::FilterCondition last_shown_;
};

}  // namespace lumvoucher::embedded
