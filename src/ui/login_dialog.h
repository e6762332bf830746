#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "embedded/embedded_login_context.h"
#include "host/data_access.h"

class QComboBox;
class QDateEdit;

namespace lumvoucher::ui {

// One organisation or operator offered at login.
struct LoginChoice {
  long id = 0;
  std::string code;
  std::string name;
  std::string roles{};  // operators: "制单", "复核、记账", "管理员"; empty for none
};

// The organisations of the account set, by code, and its active operators with the roles their
// rights give them (管理员; 制单 when they may make a voucher type; 复核, 出纳, 记账 from the
// review, cashier-signature and posting rights), so a newcomer knows whom to choose.
std::vector<LoginChoice> LoginOrganizations(host::DataAccess& data);
std::vector<LoginChoice> LoginOperators(host::DataAccess& data);

// Asks who logs in: organisation, operator and login date, proposed from `proposal` (an id that
// is not in the lists leaves the first entry chosen). Reads the lists when constructed; throws
// host::DatabaseError when the account set cannot be read.
class LoginDialog : public QDialog {
  Q_OBJECT

 public:
  LoginDialog(host::DataAccess& data, const embedded::LoginRequest& proposal,
              QWidget* parent = nullptr);

  embedded::LoginRequest Request() const;

  QComboBox* Organizations() const { return organizations_; }
  QComboBox* Operators() const { return operators_; }
  QDateEdit* LoginDate() const { return date_; }

 private:
  QComboBox* organizations_ = nullptr;
  QComboBox* operators_ = nullptr;
  QDateEdit* date_ = nullptr;
};

}  // namespace lumvoucher::ui
