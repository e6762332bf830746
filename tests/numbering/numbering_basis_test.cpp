#include "numbering/numbering_basis.h"

#include "numbering/frm_voucher_renumber.h"
#include "numbering/numbering_fixture.h"
#include "numbering/numbering_texts.h"
#include "numbering/voucher_moves.h"

namespace lumvoucher::testing {
namespace {

// A basis that pairs one financial voucher with a budget voucher, as the dual-basis one will:
// the seam must move the partner with its voucher.
class PairedBasis : public numbering::NumberingBasis {
 public:
  PairedBasis(long voucher_id, long budget_id) : voucher_id_(voucher_id), budget_id_(budget_id) {}
  std::optional<numbering::VoucherRef> Partner(const numbering::NumberCandidate& c) const override {
    if (c.voucher_id != voucher_id_) return std::nullopt;
    return numbering::VoucherRef{"BudgetVoucher", budget_id_, "2026-03-12"};
  }
  std::vector<std::string> SignFlips() const override {
    std::vector<std::string> flips = NumberingBasis::SignFlips();
    flips.push_back("update budgetvoucher set intvoucherno=-intvoucherno where intvoucherno<0");
    return flips;
  }

 private:
  long voucher_id_;
  long budget_id_;
};

TEST_F(NumberingTest, APairsBudgetVoucherTakesItsPartnersNumberVolumeAndStamp) {
  StampingOn();
  Add(1, 2);
  Add(2, 5);
  Exec(
      "Insert Into BudgetVoucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
      "bytPeriod, lngSourceOrganizationID, lngOperatorID) Values (" +
      Id(3) + ", 1, 5, '2026-03-12', 2026, 3, 1, 2)");
  Counter(kNoteType, 5);
  Volume("01", 1, 1);
  Volume("02", 2, 9);
  const PairedBasis basis(kIdBase + 2, kIdBase + 3);
  numbering::frmVoucherRenumber window(basis);
  ASSERT_TRUE(window.Load());
  ASSERT_TRUE(window.SetPeriod(kPeriod));
  t_.Messages().Expect(numbering::texts::kRenumberQuestion, host::mb::kYes,
                       numbering::texts::kTitleRenumber);
  ASSERT_TRUE(window.Renumber());
  EXPECT_EQ(Vouchers(), "1:1:01* 2:2:02*");
  host::Recordset budget = t_.Data().OpenRecordset(
      "Select intVoucherNO, strVolume, strDate, strUQStamp, lngSourceOrganizationID From "
      "BudgetVoucher Where lngVoucherID = " +
      Id(3));
  EXPECT_EQ(budget["intVoucherNO"].AsText() + ":" + budget["strVolume"].AsText(), "2:02");
  EXPECT_TRUE(Verified(budget, kNoteType));
}

TEST(FormerNumbers, AppendTrimmedAndCutToTheColumn) {
  EXPECT_EQ(numbering::AppendFormerNumber(" ", 4, 4), "0004");
  EXPECT_EQ(numbering::AppendFormerNumber("0004 ", 3, 4), "0004 0003");
  EXPECT_EQ(numbering::AppendFormerNumber("000004", 12, 6), "000004 000012");
  const std::string full(numbering::kFormerNumbersWidth - 2, '1');
  EXPECT_EQ(numbering::AppendFormerNumber(full, 7, 4), full + " 0");
}

}  // namespace
}  // namespace lumvoucher::testing
