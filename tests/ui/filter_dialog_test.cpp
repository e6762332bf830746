// The list's filter dialog: each field's condition run on the demo account set, typed quotes
// and wildcards taken literally.
#include "ui/filter_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

#include "ui/desktop_fixture.h"

namespace lumvoucher::ui {
namespace {

class FilterDialogTest : public DesktopFixture {
 public:
  void SetUp() override {
    LogIn(2);
    // Summaries with what a LIKE pattern and a quoted literal would misread.
    desktop_->Host().Database().Execute(
        "Update VoucherDetail Set strRemark = '预付50%_O''Neil' Where lngVoucherDetailID = 5");
    desktop_->Host().Database().Execute(
        "Update VoucherDetail Set strRemark = '预付500_ONeil' Where lngVoucherDetailID = 7");
  }

  // The vouchers the condition keeps, by id.
  std::string Matching(const FilterFields& fields) {
    const std::optional<std::string> condition = BuildCondition(fields);
    if (!condition) return "refused";
    host::Recordset rs = desktop_->Host().Database().OpenRecordset(
        "Select lngVoucherID From Voucher Where 1 = 1" +
        (condition->empty() ? std::string() : " And (" + *condition + ")") +
        " Order By lngVoucherID");
    std::string ids;
    for (; !rs.Eof(); rs.MoveNext()) ids += (ids.empty() ? "" : " ") + rs[0].AsText();
    return ids;
  }
};

TEST_F(FilterDialogTest, EachFieldKeepsTheVouchersItNames) {
  using S = FilterFields::Status;
  const struct {
    const char* name;
    std::function<void(FilterFields&)> fill;
    const char* vouchers;
  } cases[] = {
      // clang-format off
      {"nothing", [](FilterFields&) {}, "1 2 3 4 5 6 7 8 9"},
      {"period", [](FilterFields& f) { f.year = 2026, f.period = 1; }, ""},
      {"type 记", [](FilterFields& f) { f.voucher_type_id = 1; }, "3 4 6 7 9"},
      {"numbers 2 to 3", [](FilterFields& f) { f.number_from = 2, f.number_to = 3; }, "4 5 6"},
      {"summary with a quote", [](FilterFields& f) { f.summary = "O'Neil"; }, "3"},
      {"summary % literally", [](FilterFields& f) { f.summary = "50%"; }, "3"},
      {"summary _ literally", [](FilterFields& f) { f.summary = "0_O"; }, "4"},
      {"account and its sub-accounts", [](FilterFields& f) { f.account = "6602"; }, "3 6 7 8"},
      {"account as the completion shows it", [](FilterFields& f) { f.account = "1002 银行存款"; }, "1 2 5"},
      {"a code prefix is no parent", [](FilterFields& f) { f.account = "6602-0"; }, ""},
      {"amount range", [](FilterFields& f) { f.amount_from = "5000", f.amount_to = "35000"; }, "2 4 7 9"},
      {"amount not a number", [](FilterFields& f) { f.amount_from = "1e5"; }, "refused"},
      {"maker", [](FilterFields& f) { f.maker_id = 6; }, "4"},
      {"reviewer", [](FilterFields& f) { f.checker_id = 3; }, "1 2"},
      {"poster", [](FilterFields& f) { f.poster_id = 5; }, "1"},
      {"unreviewed", [](FilterFields& f) { f.status = S::kUnreviewed; }, "3 4 5 6 7 8 9"},
      {"reviewed", [](FilterFields& f) { f.status = S::kReviewed; }, "1 2"},
      {"signed", [](FilterFields& f) { f.status = S::kSigned; }, "1"},
      {"posted", [](FilterFields& f) { f.status = S::kPosted; }, "1"},
      {"void", [](FilterFields& f) { f.status = S::kVoid; }, "6"},
      {"error", [](FilterFields& f) { f.status = S::kError; }, "7"},
      {"advanced", [](FilterFields& f) { f.advanced = "Voucher.lngVoucherID In (2, 8)"; }, "2 8"},
      {"two fields together", [](FilterFields& f) { f.voucher_type_id = 1; f.account = "6602"; }, "3 6 7"},
      // clang-format on
  };
  for (const auto& c : cases) {
    FilterFields fields;
    c.fill(fields);
    EXPECT_EQ(Matching(fields), c.vouchers) << c.name;
  }
}

}  // namespace
}  // namespace lumvoucher::ui
