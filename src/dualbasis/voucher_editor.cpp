#include "dualbasis/voucher_editor.h"

#include "dualbasis/cls_voucher_new.h"
#include "dualbasis/dual_texts.h"
#include "dualbasis/pair_relevance.h"
#include "frame/voucher_conflict.h"

namespace lumvoucher::dualbasis {

std::string VoucherEditor::WindowName() const {
  return Basis().IsBudget() ? "frmVoucherBudget" : "frmVoucherFinance";
}

bool VoucherEditor::HasLines() const {
  for (const voucher::VoucherLine& line : State().lines) {
    if (!line.IsBlank()) return true;
  }
  return false;
}

void VoucherEditor::FollowHeader(const voucher::VoucherHeader& other) {
  voucher::VoucherHeader& h = MutableState().header;
  h.type_id = other.type_id;
  h.type_code = other.type_code;
  h.number = other.number;
}

void VoucherEditor::ForgetStored() {
  voucher::VoucherState& state = MutableState();
  state.header.voucher_id = 0;
  for (voucher::VoucherLine& line : state.lines) line.line_id = 0;
  state.must_save = true;
}

void VoucherEditor::PutLines(std::vector<voucher::VoucherLine> lines) {
  voucher::VoucherState& state = MutableState();
  state.lines = std::move(lines);
  state.current_row = state.lines.empty() ? 0 : 1;
  state.must_save = true;
  Recompute();
}

long VoucherEditor::PairPartnerId() const {
  return pair_.CurrentId(!Basis().IsBudget());
}

bool VoucherEditor::ConfirmParallelRules() {
  return pair_.ConfirmObligations(Basis().IsBudget());
}

void VoucherEditor::ShowWindow() {
  pair_.ShowWindow();
}

bool VoucherEditor::OnScreen() const {
  return pair_.OnScreen();
}

void VoucherEditor::WrittenInTransaction(long voucher_id) {
  const bool budget = Basis().IsBudget();
  const long F = budget ? pair_.CurrentId(false) : voucher_id;
  const long B = budget ? voucher_id : pair_.CurrentId(true);
  if (!SaveBudgetVoucherRelevance(F, B, pair_.ChkBoxBlankoutValue())) {
    // Rolls the whole save back; the message is the pair's.
    throw frame::VoucherConflict(texts::kPairRefused);
  }
}

}  // namespace lumvoucher::dualbasis
