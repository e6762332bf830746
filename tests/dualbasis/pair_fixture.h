#pragma once

#include <gtest/gtest.h>

#include <string>

#include "dualbasis/frm_voucher_new.h"
#include "frame/window_registry.h"
#include "support/test_host.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::testing {

inline embedded::LoginRequest HospitalLogin(long operator_id) {
  return {5001, operator_id, "2026-02-15"};
}

// The pair window of "青山县人民医院" (maker 孙丽 unless a test logs in someone else).
class PairTest : public ::testing::Test {
 protected:
  explicit PairTest(long operator_id = 5001)
      : t_(HospitalLogin(operator_id), embedded::DemoSets::kAll) {
    // InterFace's pair window is a process-wide singleton: each test starts with a new one.
    frame::WindowRegistry::ReleaseAll();
  }

  dualbasis::VoucherEditor& F() { return pair_.WindFinance(); }
  dualbasis::VoucherEditor& B() { return pair_.WindBudget(); }

  // A two-line voucher: debit `debit` / credit `credit`, each `amount`, on a new grid.
  static void Enter(dualbasis::VoucherEditor& e, const char* debit, const char* credit,
                    const char* amount, const char* credit_amount = nullptr) {
    int row = e.AddLine();
    ASSERT_TRUE(e.SetCell(row, voucher::LineField::kRemark, "核对"));
    ASSERT_TRUE(e.SetCell(row, voucher::LineField::kAccount, debit));
    ASSERT_TRUE(e.SetCell(row, voucher::LineField::kDebit, amount));
    row = e.AddLine();
    ASSERT_TRUE(e.SetCell(row, voucher::LineField::kRemark, "核对"));
    ASSERT_TRUE(e.SetCell(row, voucher::LineField::kAccount, credit));
    ASSERT_TRUE(
        e.SetCell(row, voucher::LineField::kCredit, credit_amount ? credit_amount : amount));
  }
  void NewPair() { ASSERT_TRUE(pair_.ShowNewPair()); }

  // The pair rows written after the demo's, each "F<type>-<no> <total> <checker>/B..." with
  // "-" for an absent side.
  std::string NewPairs() {
    host::Recordset rs = t_.Data().OpenRecordset(
        "Select lngVoucherID, lngBudgetVoucherID, blnIsVoid From BudgetVoucherRelevance Where "
        "lngVoucherRelevanceID > 5006 Order By lngVoucherRelevanceID");
    std::string out;
    for (; !rs.Eof(); rs.MoveNext()) {
      out += (out.empty() ? "" : "|") + Side(rs[0].AsLong()) + "/" + Side(rs[1].AsLong()) +
             (rs[2].AsBool() ? " void" : "");
    }
    return out;
  }
  std::string Side(long id) {
    if (id == 0) return "-";
    return t_.Scalar(
        "Select t.strVoucherTypeCode || '-' || v.intVoucherNO || ' ' || (Select Sum(dblAmount) "
        "From VoucherDetailView d Where d.lngVoucherID = v.lngVoucherID And d.intDirection = 1) "
        "|| ' ' || v.lngCheckerID From VoucherView v, VoucherType t Where v.lngVoucherTypeID = "
        "t.lngVoucherTypeID And v.lngVoucherID = " +
        std::to_string(id));
  }
  // The pair invariants, as the number of rows breaking each: a voucher in two pair rows, a
  // complete pair whose headers disagree, a third voucher holding a pair's number.
  std::string BrokenInvariants() {
    return t_.Scalar(
               "Select Count(*) From (Select lngVoucherID From BudgetVoucherRelevance Where "
               "lngVoucherID <> 0 Group By lngVoucherID Having Count(*) > 1 Union All Select "
               "lngBudgetVoucherID From BudgetVoucherRelevance Where lngBudgetVoucherID <> 0 "
               "Group By lngBudgetVoucherID Having Count(*) > 1)") +
           " " +
           t_.Scalar(
               "Select Count(*) From BudgetVoucherRelevance r, VoucherView f, VoucherView b "
               "Where f.lngVoucherID = r.lngVoucherID And b.lngVoucherID = r.lngBudgetVoucherID "
               "And (f.lngVoucherTypeID <> b.lngVoucherTypeID Or f.intVoucherNO <> "
               "b.intVoucherNO Or f.bytPeriod <> b.bytPeriod Or f.lngCheckerID <> b.lngCheckerID "
               "Or f.lngOperatorID <> b.lngOperatorID Or f.lngPostID <> b.lngPostID)") +
           " " +
           t_.Scalar(
               "Select Count(*) From BudgetVoucherRelevance r, VoucherView p, VoucherView a "
               "Where p.lngVoucherID In (r.lngVoucherID, r.lngBudgetVoucherID) And "
               "a.lngVoucherID Not In (r.lngVoucherID, r.lngBudgetVoucherID) And "
               "a.lngVoucherTypeID = p.lngVoucherTypeID And a.intVoucherNO = p.intVoucherNO And "
               "a.intYear = p.intYear And a.bytPeriod = p.bytPeriod And "
               "a.lngSourceOrganizationID = p.lngSourceOrganizationID");
  }
  // Both editors as entered, to compare before and after a failed command.
  std::string Editors() {
    std::string out;
    for (dualbasis::VoucherEditor* e : {&F(), &B()}) {
      const voucher::VoucherState& s = e->State();
      out += s.header.type_code + s.header.number + " id " + std::to_string(s.header.voucher_id) +
             " c" + std::to_string(s.header.checker_id) + (s.must_save ? " changed:" : ":");
      for (const voucher::VoucherLine& l : s.lines) {
        out += " " + l.account_text + " " + voucher::FormatFixed(l.Amount(), 2);
      }
      out += "\n";
    }
    return out;
  }
  std::string Stored() {
    return t_.Scalar(
               "Select Count(*) || ' ' || Sum(lngCheckerID) || ' ' || Sum(lngVoucherID) From "
               "VoucherView") +
           " " +
           t_.Scalar(
               "Select Count(*) || ' ' || Sum(lngVoucherID + 3 * lngBudgetVoucherID) From "
               "BudgetVoucherRelevance") +
           " " + t_.Scalar("Select Count(*) || ' ' || Sum(dblAmount) From VoucherDetailView");
  }

  TestHost t_;
  dualbasis::FrmVoucherNew window_;
  dualbasis::clsVoucherNew& pair_ = window_.Controller();
};

// The fixture outside a test, for the loops that need a fresh account set per run.
class PairTestHarness : public PairTest {
 public:
  explicit PairTestHarness(long operator_id = 5001) : PairTest(operator_id) {}
  void TestBody() override {}
  // A new pair entered on both sides.
  void Prepare() {
    NewPair();
    Enter(F(), "5901", "2201", "100");
    Enter(B(), "7901", "8001-03", "100");
  }
  // For FailAtEveryStatement: the pair save, both vouchers, the pair row and both editors.
  TestHost& Host() { return t_; }
  void Expect(const std::string& failure) {
    if (!failure.empty()) t_.Messages().AnswerAll(host::mb::kOk);
  }
  bool Go() { return pair_.SaveBill(true, false); }
  std::string Dump() { return Stored() + Editors(); }
  using PairTest::BrokenInvariants;
  using PairTest::Editors;
  using PairTest::Enter;
  using PairTest::NewPairs;
  using PairTest::pair_;
  using PairTest::Side;
  using PairTest::Stored;
  using PairTest::t_;
};

}  // namespace lumvoucher::testing
