#include <gtest/gtest.h>

#include "dualbasis/pair_fixture.h"
#include "host/message_box.h"
#include "lists/dual_basis_links.h"
#include "lists/voucher_list.h"
#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

TEST_F(PairTest, InterFaceDrivesThePairWindowInRegime16) {
  frame::InterFace& c = t_.Component();
  dualbasis::clsVoucherNew& window =
      frame::WindowRegistry::Get<dualbasis::FrmVoucherNew>().Controller();
  EXPECT_EQ(c.FinanceForm(), &window.WindFinance());
  EXPECT_EQ(c.BudgetForm()->WindowName(), "frmVoucherBudget");
  EXPECT_FALSE(c.setInitMultiBase(nullptr));

  c.ShowAOldBill(5007, false);  // a budget id opens its pair in the budget position
  EXPECT_EQ(window.WindBudget().GetLngNowID(), 5007);
  EXPECT_EQ(window.WindFinance().GetLngNowID(), 5006);
  c.ShowAOldBill(424242, false);  // in neither base: nothing
  EXPECT_EQ(window.WindBudget().GetLngNowID(), 5007);
  // The combined lists reach the same window through the hook Init installs.
  EXPECT_TRUE(lists::ShowPairedVoucher(5006, lists::kFinancialBasis));
  EXPECT_EQ(window.WindBudget().GetLngNowID(), 5007);
  EXPECT_EQ(window.WindFinance().GetLngNowID(), 5006);
  t_.Messages().Expect("传入的财记凭证ID[424242]在关联表中未找到!", host::mb::kOk, "凭证编辑");
  EXPECT_FALSE(lists::ShowPairedVoucher(424242, lists::kFinancialBasis));
  t_.Data().Execute("Delete From BudgetVoucherRelevance Where lngBudgetVoucherID = 5008");
  t_.Messages().Expect("传入的预记凭证ID[5008]在关联表中未找到!", host::mb::kOk, "凭证编辑");
  c.ShowAOldBill2(5008, 0, false);

  c.ShowANewBill(0);
  EXPECT_EQ(c.SaveAVoucher(false, "1"), 2);  // not marked: nothing to save
  EXPECT_EQ(c.SaveAVoucher(false, "3"), 0);
  EXPECT_FALSE(c.WriteForm(TwoLineDetail("x", 9), "0"));
  EXPECT_EQ(t_.Scalar("Select Count(*) From VoucherView Where lngSourceOrganizationID = 5001"),
            "10");

  // The list openers give the lists of this regime: the live vouchers of both bases and the
  // maker's error vouchers of both bases.
  t_.Exec(
      "Begin Update Voucher Set blnIsError = 1 Where lngVoucherID = 5005; Update "
      "BudgetVoucher Set blnIsError = 1 Where lngVoucherID = 5007; End;");
  c.frmListVoucher_Show(0);
  c.frmListErrVoucher_Show();
  std::string shown;
  for (host::ChildWindow* child : t_.MainWindow().children) {
    if (const auto* list = dynamic_cast<const lists::VoucherList*>(child))
      shown += child->WindowName() + ":" + std::to_string(list->VoucherIDs().size()) + " ";
  }
  EXPECT_EQ(shown, "frmListErrVoucherCompare:2 frmListVoucherNew:8 ");
}

// A program fills and saves each side through InterFace; the budget voucher joins the
// financial one's pair row. The detail names the hospital's accounts and organisation.
TEST_F(PairTest, ProgramsSaveEitherSideAndThePairRowFollows) {
  frame::InterFace& c = t_.Component();
  ASSERT_TRUE(c.WriteForm(TwoLineDetail("预算", 7, "5014", "5004", "5001"), "1"));
  c.MustSave();
  EXPECT_EQ(c.SaveAVoucher(false, "1"), 1);
  EXPECT_EQ(NewPairs(), "记-7 100 0/-");
  ASSERT_TRUE(c.WriteForm(TwoLineDetail("预算", 7, "6009", "6013", "5001"), "2"));
  c.MustSave();
  EXPECT_EQ(c.SaveAVoucher(false, "2"), 1);
  EXPECT_EQ(NewPairs(), "记-7 100 0/记-7 100 0");
}

// Two desktops save pairs with the same number: the second save meets the first one's number
// inside its transaction, across both bases, and takes the duplicate path.
TEST(PairRace, SecondPairWithTheSameNumberTakesTheDuplicatePath) {
  const TempAccountSetFile file("pair");
  ScriptedMessageBox box1, box2;
  ScriptedModalRunner modal1, modal2;
  RecordingMainWindow main1, main2;
  embedded::EmbeddedHost first(file.Path(), HospitalLogin(5001), {&box1, &modal1, &main1});
  embedded::EmbeddedHost second(file.Path(), HospitalLogin(5001), {&box2, &modal2, &main2});
  first.Database().Execute(
      "Update Setting Set strSetting = 'False' Where strKey = '凭证号重复自动取号'");
  frame::InterFace component;
  dualbasis::FrmVoucherNew w1, w2;
  auto enter = [](dualbasis::clsVoucherNew& p) {
    ASSERT_TRUE(p.ShowNewPair());
    PairTestHarness::Enter(p.WindFinance(), "5901", "2201", "100");
    PairTestHarness::Enter(p.WindBudget(), "7901", "8001-03", "100");
  };
  first.InitInterFace(component);
  enter(w1.Controller());
  second.InitInterFace(component);
  enter(w2.Controller());
  bool first_saved = false;
  w2.SetWaitHandler([&](const std::string& text) {
    if (text.empty() || first_saved) return;
    first_saved = true;
    first.InitInterFace(component);
    EXPECT_TRUE(w1.Controller().SaveBill());
    second.InitInterFace(component);
  });
  box2.Expect("凭证号重复。", host::mb::kOk, "保存凭证");
  EXPECT_FALSE(w2.Controller().SaveBill());
  EXPECT_TRUE(first_saved);
  EXPECT_EQ(w2.Controller().WindFinance().GetLngNowID(), 0);
  host::Recordset rs = second.Database().OpenRecordset(
      "Select Count(*) From VoucherView Where intVoucherNO = 5 And lngVoucherTypeID = 1 And "
      "lngSourceOrganizationID = 5001");
  EXPECT_EQ(rs[std::size_t{0}].AsLong(), 2);
}

}  // namespace
}  // namespace lumvoucher::testing
