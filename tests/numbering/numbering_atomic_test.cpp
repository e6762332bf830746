#include <gtest/gtest.h>

#include "numbering/frm_voucher_continuity.h"
#include "numbering/frm_voucher_renumber.h"
#include "numbering/frm_voucher_volume.h"
#include "numbering/numbering_fixture.h"
#include "numbering/numbering_texts.h"
#include "support/fault_sweep.h"

namespace lumvoucher::testing {
namespace {

namespace texts = numbering::texts;

// The run's question, answered Yes, then the failure when there is one.
void ExpectRun(TestHost& t, const char* title, const char* question, const std::string& failure) {
  if (question != nullptr) t.Messages().Expect(question, host::mb::kYes, title);
  if (!failure.empty()) t.Messages().Expect(failure, host::mb::kOk, title);
}

// Each case lays out vouchers of two types with volumes, a printed voucher and stamping on (a
// fixed stamp secret, so that every run issues the same statements), then runs its window.
class AtomicCase : public NumberingTest {
 public:
  void TestBody() override {}
  TestHost& Host() { return t_; }
  std::string Dump() { return Touched(); }
  void Lay() {
    StampingOn();
    frame::WriteSettingOf(0, frame::kSectionAccountSet, frame::kStampSecretKey,
                          std::string(64, 'a'));
    for (long n : {1, 3, 4, 7}) Add(n, n, "2026-03-1" + std::to_string(n), kNoteType, n == 4);
    Add(11, 2, "2026-03-05", kCashType);
    Add(12, 5, "2026-03-06", kCashType, true);
    Counter(kNoteType, 7);
    Counter(kCashType, 5);
    Volume("01", 1, 2);
    Volume("02", 3, 9);
  }
};

class RenumberCase : public AtomicCase {
 public:
  void Prepare() {
    Lay();
    ASSERT_TRUE(w_.Load());
    ASSERT_TRUE(w_.SetPeriod(kPeriod));
    w_.SetByDate(true);
  }
  void Expect(const std::string& failure) {
    ExpectRun(t_, texts::kTitleRenumber, texts::kRenumberQuestion, failure);
  }
  bool Go() { return w_.Renumber(); }
  numbering::frmVoucherRenumber w_{numbering::NumberingBasis::Single()};
};

class ContinuityCase : public AtomicCase {
 public:
  void Prepare() {
    Lay();
    ASSERT_TRUE(w_.Load());
    for (int row = 0; row < static_cast<int>(w_.State().rows.size()); ++row) {
      const long id = w_.VoucherID(row);
      w_.SetTicked(row, id == kIdBase + 1 || id == kIdBase + 4);
    }
  }
  void Expect(const std::string& failure) {
    ExpectRun(t_, texts::kContinuityTitle, texts::kContinuityQuestion, failure);
    if (failure.empty()) {
      t_.Messages().Expect(std::string(texts::kContinuityDone) + "000008 - 000009", host::mb::kOk,
                           texts::kContinuityTitle);
    }
  }
  bool Go() { return w_.Run(); }
  numbering::frmVoucherContinuity w_{numbering::NumberingBasis::Single()};
};

class VolumeCase : public AtomicCase {
 public:
  void Prepare() {
    Lay();
    ASSERT_TRUE(w_.Load());
    ASSERT_TRUE(w_.SetPeriod("2026.03"));
    ASSERT_TRUE(w_.SetVoucherType(kNoteType));
    ASSERT_TRUE(w_.DeleteRow(1));
    ASSERT_TRUE(w_.NewRow());
    ASSERT_TRUE(w_.SetCell(1, numbering::VolumeColumn::kEnd, "5"));
  }
  void Expect(const std::string& failure) { ExpectRun(t_, texts::kVolumeTitle, nullptr, failure); }
  bool Go() { return w_.Save(); }
  numbering::frmVoucherVolume w_{numbering::NumberingBasis::Single()};
};

// The dual basis: the void pair 记-4 of the demo set 青山县人民医院 at 9 and a printed budget-only
// voucher, renumbered with stamping on; both voucher tables must be as before.
class DualRenumberCase {
 public:
  TestHost& Host() { return t_; }
  std::string Dump() {
    return t_.Rows(
               "Select lngVoucherID, intVoucherNO, strVolume, strOldReceiptNo, strUQStamp "
               "From VoucherView Order By lngVoucherID") +
           t_.Rows(
               "Select * From ReceiptMaxNo Order By lngOrganizationID, intYear, bytPeriod, "
               "strReceiptNo") +
           t_.Rows("Select lnglogid, strlog From log Order By lnglogid");
  }
  void Prepare() {
    frame::WriteSetting(frame::kSectionAccountSet, "凭证唯一性校验", "True");
    frame::WriteSetting("企业会计信息化", "支持企业会计信息化工作规范", "1");
    frame::WriteSettingOf(0, frame::kSectionAccountSet, frame::kStampSecretKey,
                          std::string(64, 'a'));
    t_.Exec("Update Voucher Set intVoucherNO = 9 Where lngVoucherID = 5009");
    t_.Exec("Update BudgetVoucher Set intVoucherNO = 9 Where lngVoucherID = 5010");
    t_.Exec("Update BudgetVoucher Set blnIsPrinted = 1 Where lngVoucherID = 5008");
    ASSERT_TRUE(w_.Load());
    w_.SetVoucherType(1);
  }
  void Expect(const std::string& failure) {
    ExpectRun(t_, texts::kTitleRenumber, texts::kRenumberQuestion, failure);
  }
  bool Go() { return w_.Renumber(); }

 private:
  TestHost t_{{5001, 5001, "2026-02-15"}, embedded::DemoSets::kAll};
  numbering::frmVoucherRenumber w_{numbering::NumberingBasis::Dual()};
};

TEST(AllOrNothingNumbering, ARenumberingFailingAtAnyStatementChangesNothing) {
  FailAtEveryStatement<RenumberCase>(6, false);
}

TEST(AllOrNothingNumbering, AContinuityRunFailingAtAnyStatementChangesNothing) {
  FailAtEveryStatement<ContinuityCase>(6, false);
}

TEST(AllOrNothingNumbering, AVolumeSaveFailingAtAnyStatementChangesNothing) {
  FailAtEveryStatement<VolumeCase>(6, false);
}

TEST(AllOrNothingNumbering, ADualBasisRenumberingFailingAtAnyStatementChangesNothing) {
  FailAtEveryStatement<DualRenumberCase>(6, false);
}

}  // namespace
}  // namespace lumvoucher::testing
