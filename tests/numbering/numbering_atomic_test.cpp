#include <gtest/gtest.h>

#include "numbering/frm_voucher_continuity.h"
#include "numbering/frm_voucher_renumber.h"
#include "numbering/frm_voucher_volume.h"
#include "numbering/numbering_fixture.h"
#include "numbering/numbering_texts.h"

namespace lumvoucher::testing {
namespace {

namespace texts = numbering::texts;

bool IsQuery(const std::string& sql) {
  return sql.size() > 6 && (sql.compare(0, 6, "SELECT") == 0 || sql.compare(0, 6, "Select") == 0 ||
                            sql.compare(0, 6, "select") == 0);
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
  static constexpr const char* kTitle = texts::kTitleRenumber;
  static constexpr const char* kQuestion = texts::kRenumberQuestion;
  void Prepare() {
    Lay();
    ASSERT_TRUE(w_.Load());
    ASSERT_TRUE(w_.SetPeriod(kPeriod));
    w_.SetByDate(true);
  }
  bool Go() { return w_.Renumber(); }
  numbering::frmVoucherRenumber w_{numbering::NumberingBasis::Single()};
};

class ContinuityCase : public AtomicCase {
 public:
  static constexpr const char* kTitle = texts::kContinuityTitle;
  static constexpr const char* kQuestion = texts::kContinuityQuestion;
  void Prepare() {
    Lay();
    ASSERT_TRUE(w_.Load());
    for (int row = 0; row < static_cast<int>(w_.State().rows.size()); ++row) {
      const long id = w_.VoucherID(row);
      w_.SetTicked(row, id == kIdBase + 1 || id == kIdBase + 4);
    }
  }
  bool Go() {
    Host().Messages().Expect(std::string(texts::kContinuityDone) + "000008 - 000009", host::mb::kOk,
                             kTitle);
    return w_.Run();
  }
  numbering::frmVoucherContinuity w_{numbering::NumberingBasis::Single()};
};

class VolumeCase : public AtomicCase {
 public:
  static constexpr const char* kTitle = texts::kVolumeTitle;
  static constexpr const char* kQuestion = nullptr;
  void Prepare() {
    Lay();
    ASSERT_TRUE(w_.Load());
    ASSERT_TRUE(w_.SetPeriod("2026.03"));
    ASSERT_TRUE(w_.SetVoucherType(kNoteType));
    ASSERT_TRUE(w_.DeleteRow(1));
    ASSERT_TRUE(w_.NewRow());
    ASSERT_TRUE(w_.SetCell(1, numbering::VolumeColumn::kEnd, "5"));
  }
  bool Go() { return w_.Save(); }
  numbering::frmVoucherVolume w_{numbering::NumberingBasis::Single()};
};

// The dual basis: the void pair 记-4 of the demo set 青山县人民医院 at 9 and a printed budget-only
// voucher, renumbered with stamping on; both voucher tables must be as before.
class DualRenumberCase {
 public:
  static constexpr const char* kTitle = texts::kTitleRenumber;
  static constexpr const char* kQuestion = texts::kRenumberQuestion;
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
  bool Go() { return w_.Renumber(); }

 private:
  TestHost t_{{5001, 5001, "2026-02-15"}, embedded::DemoSets::kAll};
  numbering::frmVoucherRenumber w_{numbering::NumberingBasis::Dual()};
};

// The run succeeds once, recording its statements; then each statement up to its last write
// fails in turn, on a fresh account set each time, and the database must be as before.
template <class Case>
void FailAtEveryStatement() {
  std::vector<std::string> recorded;
  std::string after;
  {
    Case c;
    c.Prepare();
    const std::string before = c.Dump();
    if (Case::kQuestion != nullptr) {
      c.Host().Messages().Expect(Case::kQuestion, host::mb::kYes, Case::kTitle);
    }
    c.Host().Data().Record(true);
    c.Host().Data().ResetCount();
    ASSERT_TRUE(c.Go());
    c.Host().Data().Record(false);
    recorded = c.Host().Data().Recorded();
    after = c.Dump();
    ASSERT_NE(after, before);
  }
  std::size_t writes = recorded.size();
  while (writes > 0 && IsQuery(recorded[writes - 1])) --writes;
  ASSERT_GE(writes, 6u);
  for (std::size_t n = 1; n <= writes; ++n) {
    SCOPED_TRACE("failing statement " + std::to_string(n) + ": " + recorded[n - 1]);
    Case c;
    c.Prepare();
    const std::string before = c.Dump();
    if (Case::kQuestion != nullptr) {
      c.Host().Messages().Expect(Case::kQuestion, host::mb::kYes, Case::kTitle);
    }
    std::string failing = recorded[n - 1];
    if (failing.rfind("Insert Into log", 0) == 0) failing = WithTimeOfThisSecond(failing);
    c.Host().Messages().Expect(
        "injected failure at statement " + std::to_string(n) + ": " + failing, host::mb::kOk,
        Case::kTitle);
    c.Host().Data().FailAtStatement(static_cast<int>(n));
    EXPECT_FALSE(c.Go());
    c.Host().Data().NeverFail();
    EXPECT_EQ(c.Dump(), before);
    c.Host().Messages().Clear();
  }
}

TEST(AllOrNothingNumbering, ARenumberingFailingAtAnyStatementChangesNothing) {
  FailAtEveryStatement<RenumberCase>();
}

TEST(AllOrNothingNumbering, AContinuityRunFailingAtAnyStatementChangesNothing) {
  FailAtEveryStatement<ContinuityCase>();
}

TEST(AllOrNothingNumbering, AVolumeSaveFailingAtAnyStatementChangesNothing) {
  FailAtEveryStatement<VolumeCase>();
}

TEST(AllOrNothingNumbering, ADualBasisRenumberingFailingAtAnyStatementChangesNothing) {
  FailAtEveryStatement<DualRenumberCase>();
}

}  // namespace
}  // namespace lumvoucher::testing
