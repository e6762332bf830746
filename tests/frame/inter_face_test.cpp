#include "frame/inter_face.h"

#include <gtest/gtest.h>

#include "frame/window_registry.h"
#include "links/frm_darap.h"
#include "support/test_host.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

class RecordingFormManager : public host::FormManager {
 public:
  RecordingFormManager(std::vector<std::string>& log, host::HostMainWindow* parent)
      : log_(log), parent_(parent) {}
  void Setup(host::clsBaseClass&, host::LoginContext&, host::HostMainWindow*) override {
    log_.push_back("FormManager.Setup");
  }
  host::HostMainWindow* ParentWindow() override {
    log_.push_back("FormManager.ParentWindow");
    return parent_;
  }

 private:
  std::vector<std::string>& log_;
  host::HostMainWindow* parent_;
};

class RecordingShared : public host::SharedHostObject {
 public:
  RecordingShared(std::vector<std::string>& log, host::SharedHostItems& items)
      : log_(log), items_(items) {}
  ~RecordingShared() override { log_.push_back("Shared.Released"); }
  void Setup(const host::SharedHostItems& items) override {
    log_.push_back("Shared.Setup");
    items_ = items;
  }

 private:
  std::vector<std::string>& log_;
  host::SharedHostItems& items_;
};

// The host's root object, recording what Init creates and releases.
class RecordingBaseClass : public host::clsBaseClass {
 public:
  explicit RecordingBaseClass(host::clsBaseClass& inner) : inner_(inner) {}
  host::LoginContext& Login() override { return inner_.Login(); }
  host::HostMainWindow* MainWindow() override { return inner_.MainWindow(); }
  host::HostObject& GridService() override { return inner_.GridService(); }
  host::HostObject& ListService() override { return inner_.ListService(); }
  host::MessageBox& Messages() override { return inner_.Messages(); }
  host::ModalRunner& Modal() override { return inner_.Modal(); }
  host::PreferenceStore& Preferences() override { return inner_.Preferences(); }
  host::ProfileFiles& Profiles() override { return inner_.Profiles(); }
  std::unique_ptr<host::FormManager> NewFormManager() override {
    log.push_back("NewFormManager");
    return std::make_unique<RecordingFormManager>(log, &parent_window);
  }
  std::unique_ptr<host::SharedHostObject> NewSharedHostObject() override {
    log.push_back("NewSharedHostObject");
    return std::make_unique<RecordingShared>(log, shared_items);
  }
  std::unique_ptr<host::HostObject> NewHostObject(std::string_view kind) override {
    return inner_.NewHostObject(kind);
  }

  std::vector<std::string> log;
  host::SharedHostItems shared_items;
  testing::RecordingMainWindow parent_window;

 private:
  host::clsBaseClass& inner_;
};

class InterFaceTest : public ::testing::Test {
 protected:
  void InitWith(host::clsBaseClass* base) {
    auto& h = test_host_.Host();
    inter_face_.Init(base, &h.BusinessPub(), &h.Account(), nullptr, nullptr, nullptr, nullptr,
                     &h.TransferPublic(), nullptr, &h.Card(), nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
  }
  TestHost test_host_;
  // Declared before the InterFace so that it outlives what Init created from it.
  RecordingBaseClass base_{test_host_.Host().BaseClass()};
  InterFace inter_face_;
};

TEST_F(InterFaceTest, InitKeepsWhatItIsGivenAndHandsTheSharedObjectItsItems) {
  auto& h = test_host_.Host();
  RecordingBaseClass& base = base_;
  InitWith(&base);
  const LoginState& state = Login();
  EXPECT_EQ(state.base_class, &base);
  EXPECT_EQ(state.business_pub, &h.BusinessPub());
  EXPECT_EQ(state.transfer_public, &h.TransferPublic());
  EXPECT_EQ(state.card_object, h.Card().CardObject());
  // The form manager's answer replaces the host main window.
  EXPECT_EQ(state.main_window, &base.parent_window);
  EXPECT_EQ(base.shared_items.base, &base);
  EXPECT_EQ(base.shared_items.main_window, &base.parent_window);
  EXPECT_EQ(base.shared_items.business_pub, &h.BusinessPub());
  EXPECT_EQ(base.shared_items.account, &h.Account());
  EXPECT_EQ(OrganizationId(), h.Login().CurrentOrganization().id);
  EXPECT_EQ(OperatorId(), h.Login().CurrentOperator().id);
}

TEST_F(InterFaceTest, SecondInitReplacesEverythingAndTerminateReleasesWhatInitCreated) {
  RecordingBaseClass& base = base_;
  inter_face_.InitAMAsset(nullptr);
  InitWith(&base);
  testing::RecordingMainWindow other;
  inter_face_.MainForm(&other);
  EXPECT_EQ(Login().main_window, &other);
  InitWith(&base);
  EXPECT_EQ(Login().main_window, &base.parent_window);
  { InterFace terminated; }
  EXPECT_EQ(Login().shared_object, nullptr);
  EXPECT_EQ(Login().form_manager, nullptr);
  EXPECT_EQ(std::count(base.log.begin(), base.log.end(), "Shared.Released"), 2);
}

TEST_F(InterFaceTest, RegimeFollowsTheAccountingSystemCodeOnEveryCall) {
  auto set_code = [&](const std::string& code) {
    test_host_.Data().Execute("Update Setting Set strSetting = '" + code +
                              "' Where strSection = '帐套属性' And strKey = '会计制度'");
  };
  for (const char* code : {"16", "1", "16"}) {
    set_code(code);
    EXPECT_EQ(IsDualBasis(), code[1] == '6') << code;
  }
}

// Every member of the host's interface, in slot order, is there with the host's signature and
// answers; those whose windows later subsystems build answer false (or no object) and open
// nothing.
TEST_F(InterFaceTest, EveryMemberInSlotOrderAnswers) {
  WindowRegistry::ReleaseAll();
  InitWith(&base_);                                // 1
  inter_face_.InitAMAsset(nullptr);                // 2
  EXPECT_FALSE(inter_face_.blnAutoVoucer(false));  // 3
  EXPECT_FALSE(inter_face_.blnAutoVoucer(true));
  inter_face_.ShowAOldBill(3, false);  // 4
  EXPECT_EQ(inter_face_.Form().State().header.voucher_id, 3);
  inter_face_.ShowAOldBill2(3, 6, false);  // 5
  EXPECT_EQ(inter_face_.Form().State().current_row, 2);
  inter_face_.blnPreViewVoucher(true);  // 6
  EXPECT_TRUE(inter_face_.blnPreViewVoucher());
  inter_face_.blnPreViewVoucher(false);
  inter_face_.ShowANewBill(0);                        // 8
  EXPECT_EQ(inter_face_.SaveAVoucher(false, ""), 2);  // 9
  inter_face_.MustSave();                             // 7
  EXPECT_TRUE(inter_face_.Form().State().must_save);
  EXPECT_FALSE(inter_face_.WriteForm("x", ""));                                 // 10
  EXPECT_EQ(&inter_face_.Form(), &WindowRegistry::Get<voucher::frmVoucher>());  // 11
  ASSERT_NE(inter_face_.FinanceForm(), nullptr);                                // 12
  EXPECT_NE(inter_face_.BudgetForm(), inter_face_.FinanceForm());               // 13
  inter_face_.frmListVoucher_Show(0);                                           // 14
  ASSERT_FALSE(base_.parent_window.children.empty());
  EXPECT_EQ(base_.parent_window.children.front()->WindowName(), "frmListVoucher");
  testing::RecordingMainWindow other;
  inter_face_.MainForm(&other);  // 15
  EXPECT_EQ(Login().main_window, &other);
  inter_face_.ShowCenterRalation(3);  // 17
  embedded::NamedHostObject<host::HostObject> data("MultiBase");
  EXPECT_FALSE(inter_face_.setInitMultiBase(&data));  // 18
  EXPECT_EQ(inter_face_.newMCRPBill(), nullptr);      // 19
  inter_face_.frmListVoucherUnion_Show(0);            // 21
  inter_face_.frmListVoucherCompare_Show(0);          // 22
  test_host_.Modal().Expect("frmDARAP", [](host::ModalWindow& window) {
    const auto& line = dynamic_cast<links::frmDARAP&>(window).State().line;
    EXPECT_EQ(std::to_string(line.account_id) + " " + std::to_string(line.customer_id) + " " +
                  std::to_string(line.line_id) + " " + std::to_string(line.amount),
              "6 1 2 50000.000000");
    return 0;
  });
  inter_face_.frmDaRapDetail_Show(6, 1, 1, 0, 0, 0, 0, " ", 50000, 2, 2, false);  // 23
  EXPECT_TRUE(other.children.empty());
  EXPECT_EQ(other.child_active_calls, 0);
  inter_face_.frmListErrVoucher_Show();  // 20
  ASSERT_EQ(other.children.size(), 1u);
  EXPECT_EQ(other.children.front()->WindowName(), "frmListErrVoucher");
  EXPECT_EQ(other.child_active_calls, 1);
}

TEST(InterFaceBoundary, MembersCalledBeforeInitAnswerTheirFailureValue) {
  Login() = LoginState{};
  InterFace inter_face;
  EXPECT_EQ(inter_face.SaveAVoucher(false, ""), 0);
  EXPECT_FALSE(inter_face.WriteForm("x", ""));
  EXPECT_NO_THROW(inter_face.ShowANewBill(0));
  EXPECT_NO_THROW(inter_face.frmListVoucher_Show(0));
}

}  // namespace
}  // namespace lumvoucher::frame
