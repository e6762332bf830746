// The accountants' road through the desktop on one account-set file: the maker types and saves
// a voucher, finds it in the list; the reviewer and the poster, each on a desktop of his own,
// open it from the list and press their buttons. Non-cash accounts, so no cashier signature is
// due before posting.
#include <unistd.h>

#include <filesystem>

#include "embedded/account_set.h"
#include "ui/desktop_fixture.h"
#include "voucher/save_texts.h"

namespace lumvoucher::ui {
namespace {

class EndToEndTest : public DesktopFixture {
 public:
  void SetUp() override {
    path_ = (std::filesystem::temp_directory_path() /
             ("lumvoucher_e2e_" + std::to_string(::getpid()) + ".db"))
                .string();
    std::filesystem::remove(path_);
    embedded::SqliteDataAccess data(path_);
    embedded::CreateAccountSet(data);
  }
  void TearDown() override {
    DesktopFixture::TearDown();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path_ + suffix);
  }
  // A desktop of its own on the shared file, as another accountant starts one.
  void LogInTo(long operator_id) {
    LogIn(operator_id, 1, embedded::DemoSets::kSingleBasisOnly, path_);
  }

  // A new voucher with 100 typed on the debit of 6401 and 60 on the credit of 2001: answers the
  // credit editor, still open on the 60, or null when the window did not open.
  QLineEdit* TypeVoucherFortyShortOnTheCredit() {
    Trigger(QStringLiteral("填制凭证"));
    if (Voucher() == nullptr) return nullptr;
    for (const char* typed : {"付款", "6401", "100", "", "2001"}) Type(QString::fromUtf8(typed));
    QLineEdit* credit = Voucher()->CurrentEditor();
    if (credit == nullptr) return nullptr;
    credit->clear();
    QTest::keyClicks(credit, QStringLiteral("60"));
    return credit;
  }

  void PressCtrlS() {
    QWidget* target = Voucher()->CurrentEditor();
    if (target == nullptr) target = Voucher()->Grid();
    QTest::keyClick(target, Qt::Key_S, Qt::ControlModifier);
  }

  // Opens the list and, with the keyboard, the voucher on the row whose number is `number`.
  void OpenFromList(const QString& number) {
    Trigger(QStringLiteral("凭证列表"));
    QApplication::processEvents();
    VoucherListView* list = List();
    ASSERT_NE(list, nullptr);
    int column = -1;
    for (int i = 0; i < list->Model()->columnCount(); ++i) {
      const QString header = list->Model()->headerData(i, Qt::Horizontal).toString();
      if (header.startsWith(QStringLiteral("凭证字号"))) column = i;
    }
    ASSERT_GE(column, 0);
    for (int row = 0; row < list->Model()->rowCount(); ++row) {
      if (list->Model()->index(row, column).data().toString() != number) continue;
      list->Grid()->setFocus();
      list->Grid()->setCurrentIndex(list->Model()->index(row, column));
      QTest::keyClick(list->Grid(), Qt::Key_Return);
      return;
    }
    FAIL() << "not in the list: " << ToUtf8(number);
  }

  std::string path_;
};

TEST_F(EndToEndTest, TheMakerSavesTheReviewerReviewsThePosterPosts) {
  LogInTo(2);
  TypeBalancedVoucher();
  {
    testing::BoxAnswerer boxes;
    PressCtrlS();
    EXPECT_EQ(boxes.Text(), QString());
  }
  const long id = S().header.voucher_id;
  ASSERT_NE(id, 0);
  const std::string voucher = std::to_string(id);
  EXPECT_EQ(Scalar("Select intVoucherNO From Voucher Where lngVoucherID = " + voucher), "5");
  EXPECT_EQ(Scalar("Select lngOperatorID From Voucher Where lngVoucherID = " + voucher), "2");

  OpenFromList(QStringLiteral("记 000005"));
  ASSERT_NE(Voucher(), nullptr);
  EXPECT_EQ(S().header.voucher_id, id);
  // The maker cannot review his own voucher.
  EXPECT_FALSE(Voucher()->ReviewButton()->isEnabled());

  LogInTo(3);
  OpenFromList(QStringLiteral("记 000005"));
  ASSERT_NE(Voucher(), nullptr);
  ASSERT_TRUE(Voucher()->ReviewButton()->isEnabled());
  EXPECT_FALSE(Voucher()->PostButton()->isEnabled());
  QTest::mouseClick(Voucher()->ReviewButton(), Qt::LeftButton);
  EXPECT_EQ(Scalar("Select lngCheckerID From Voucher Where lngVoucherID = " + voucher), "3");
  EXPECT_EQ(Voucher()->FooterText(), QStringLiteral("制单：李明 复核：王芳 记账： 出纳："));

  LogInTo(5);
  OpenFromList(QStringLiteral("记 000005"));
  ASSERT_NE(Voucher(), nullptr);
  EXPECT_EQ(Voucher()->PostButton()->text(), QStringLiteral("记    账(&J)"));
  ASSERT_TRUE(Voucher()->PostButton()->isEnabled());
  QTest::mouseClick(Voucher()->PostButton(), Qt::LeftButton);
  EXPECT_EQ(Scalar("Select lngPostID From Voucher Where lngVoucherID = " + voucher), "5");
  EXPECT_EQ(Scalar("Select lngCheckerID From Voucher Where lngVoucherID = " + voucher), "3");
  EXPECT_EQ(Voucher()->PostButton()->text(), QStringLiteral("取消记账(&J)"));
  EXPECT_EQ(Voucher()->FooterText(), QStringLiteral("制单：李明 复核：王芳 记账：刘强 出纳："));
}

TEST_F(EndToEndTest, AnUnbalancedVoucherShowsTheDifferenceAndSavesNothing) {
  LogInTo(2);
  const std::string before = Scalar("Select Count(*) From Voucher");
  QLineEdit* credit = TypeVoucherFortyShortOnTheCredit();
  ASSERT_NE(credit, nullptr);
  {
    // Saved straight from the cell: the 60 is taken, the voucher is 40 short on the credit.
    testing::BoxAnswerer boxes;
    PressCtrlS();
    EXPECT_TRUE(boxes.Text().contains(ToQt(voucher::texts::kUnbalanced))) << ToUtf8(boxes.Text());
  }
  EXPECT_EQ(S().lines.size(), 2u);
  EXPECT_DOUBLE_EQ(S().totals.credit, 60);
  EXPECT_EQ(S().header.voucher_id, 0);
  EXPECT_EQ(Scalar("Select Count(*) From Voucher"), before);
  EXPECT_EQ(Scalar("Select Count(*) From VoucherDetail Where dblAmount = 60"), "0");
}

TEST_F(EndToEndTest, SavingFromTheEmptyAccountOfAProposedLineNamesThatLine) {
  LogInTo(2);
  const std::string before = Scalar("Select Count(*) From Voucher");
  QLineEdit* credit = TypeVoucherFortyShortOnTheCredit();
  ASSERT_NE(credit, nullptr);
  QTest::keyClick(credit, Qt::Key_Return);
  // The third line proposes the missing 40 and waits for its account.
  ASSERT_EQ(S().lines.size(), 3u);
  {
    testing::BoxAnswerer boxes;
    PressCtrlS();
    EXPECT_TRUE(boxes.Text().contains(QStringLiteral("第3条分录非法（无科目），不能存盘！")))
        << ToUtf8(boxes.Text());
  }
  EXPECT_EQ(Scalar("Select Count(*) From Voucher"), before);
}

}  // namespace
}  // namespace lumvoucher::ui
