#include "lists/dual_basis_links.h"

#include <utility>

#include "frame/login_state.h"
#include "host/cls_business_pub.h"
#include "host/voucher_basis.h"

namespace lumvoucher::lists {

namespace {

PairedWindowHook& PairedWindow() {
  static PairedWindowHook hook;
  return hook;
}

host::VoucherBusinessService*& BudgetService() {
  static host::VoucherBusinessService* service = nullptr;
  return service;
}

}  // namespace

void SetPairedWindowHook(PairedWindowHook hook) {
  PairedWindow() = std::move(hook);
}

bool ShowPairedVoucher(long voucher_id, int basis) {
  const PairedWindowHook& hook = PairedWindow();
  return hook.show_voucher ? hook.show_voucher(voucher_id, basis) : false;
}

bool ShowNewPair() {
  const PairedWindowHook& hook = PairedWindow();
  return hook.show_new ? hook.show_new() : false;
}

void SetBudgetBusinessService(host::VoucherBusinessService* service) {
  BudgetService() = service;
}

host::VoucherBusinessService& BusinessServiceOf(int basis) {
  if (basis != kBudgetBasis) return frame::Login().business_pub->VoucherBusiness();
  if (BudgetService() != nullptr) return *BudgetService();
  return frame::Login().business_pub->VoucherBusiness(host::BudgetBasis());
}

}  // namespace lumvoucher::lists
