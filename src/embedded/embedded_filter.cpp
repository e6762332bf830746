#include "embedded/embedded_filter.h"

namespace lumvoucher::embedded {

bool EmbeddedFilter::ShowFilter(long list_id, std::string_view title,
                                host::FilterCondition& current) {
  ++calls_;
  last_list_id_ = list_id;
  last_title_ = std::string(title);
  last_shown_ = current;
  if (!handler_) return false;
  host::FilterCondition choice = current;
  if (!handler_(list_id, title, choice)) return false;
  current = std::move(choice);
  return true;
}

void EmbeddedFilter::SetAnswer(host::FilterCondition answer) {
  handler_ = [answer = std::move(answer)](long, std::string_view, host::FilterCondition& current) {
    current = answer;
    return true;
  };
}

}  // namespace lumvoucher::embedded
