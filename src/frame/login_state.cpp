#include "frame/login_state.h"

#include <stdexcept>

namespace lumvoucher::frame {

namespace {
constexpr const char* kDualBasisCode = "16";
}

LoginState& Login() {
  static LoginState state;
  return state;
}

bool IsInitialised() {
  return Login().login != nullptr;
}

host::LoginContext& Context() {
  if (!IsInitialised()) throw std::logic_error("InterFace.Init has not been called");
  return *Login().login;
}

host::DataAccess& Data() {
  return Context().Data();
}

long OrganizationId() {
  return Context().CurrentOrganization().id;
}

long OperatorId() {
  return Context().CurrentOperator().id;
}

bool IsDualBasis() {
  return Context().AccountingSystemCode() == kDualBasisCode;
}

host::clsAccount& Chart(const host::VoucherBasis& basis) {
  if (Login().account == nullptr) throw std::logic_error("InterFace.Init has not been called");
  return Login().account->ChartOf(basis);
}

host::VoucherBusinessService& Business(const host::VoucherBasis& basis) {
  if (Login().business_pub == nullptr) {
    throw std::logic_error("InterFace.Init has not been called");
  }
  return Login().business_pub->VoucherBusiness(basis);
}

int Msg(std::string_view text, int flags, std::string_view title) {
  if (Login().base_class == nullptr) throw std::logic_error("InterFace.Init has not been called");
  return Login().base_class->Messages().Show(text, flags, title);
}

}  // namespace lumvoucher::frame
