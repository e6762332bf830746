// The voucher window on the desktop of the maker 李明: what a stored voucher shows.
#include "ui/voucher_view.h"

#include <QCompleter>

#include "ui/desktop_fixture.h"
#include "ui/voucher_entry_panel.h"

namespace lumvoucher::ui {
namespace {

using voucher::HeaderField;
using voucher::LineField;

class VoucherViewTest : public DesktopFixture {
 public:
  void SetUp() override { LogIn(2); }
  std::string PanelCaptions() {
    QStringList shown;
    for (const auto& field : Voucher()->EntryPanel()->Fields()) shown << field.caption;
    return ToUtf8(shown.join("|"));
  }
};

TEST_F(VoucherViewTest, AStoredVoucherShowsItsHeaderLinesTotalsCaptionsAndEntryPanel) {
  VoucherView& view = Open(1);
  EXPECT_EQ(view.HeaderText(HeaderField::kTemplate), QStringLiteral("收款凭证"));
  VoucherGridModel& grid = *view.Model();
  EXPECT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(grid.headerData(ColumnOf(LineField::kCredit), Qt::Horizontal).toString(),
            QStringLiteral("贷方金额"));
  const struct {
    int row;
    LineField field;
    const char* text;
  } cells[] = {
      {1, LineField::kAccount, "1002-01 工商银行（人民币）"},
      {1, LineField::kDebit, "50,000.00"},
      {1, LineField::kCredit, ""},
      {1, LineField::kCurrency, ""},  // the book currency is not repeated
      {2, LineField::kCredit, "50,000.00"},
      {2, LineField::kUnit, "001 华东医药有限公司"},
      {3, LineField::kRemark, "合计：伍万元整"},
      {3, LineField::kCredit, "50,000.00"},
  };
  for (const auto& c : cells) EXPECT_EQ(Cell(c.row, c.field), QString::fromUtf8(c.text));
  EXPECT_EQ(grid.index(0, ColumnOf(LineField::kDebit)).data(Qt::TextAlignmentRole).toInt(),
            int(Qt::AlignRight | Qt::AlignVCenter));
  EXPECT_EQ(view.FooterText(), QStringLiteral("制单：李明 复核：王芳 记账：刘强 出纳：赵敏"));
  EXPECT_EQ(view.Caption(Command::kReview) + view.Caption(Command::kPost) +
                view.Caption(Command::kCashierSign),
            "取消复核(&C)取消记账(&J)取消签字(&T)");
  EXPECT_TRUE(view.InfoText().contains(QStringLiteral("03 电汇"))) << ToUtf8(view.InfoText());
  EXPECT_EQ(view.MarksText(), QString());
  EXPECT_EQ(PanelCaptions(), "金额|付款方式|票 据 号|票据日期");

  Open(5);
  EXPECT_EQ(PanelCaptions(), "币    种|汇    率|原币金额|本币金额|付款方式|票 据 号|票据日期");
  EXPECT_EQ(Cell(1, LineField::kCurrencyAmount), QStringLiteral("10,000.00"));
  Open(4);
  EXPECT_EQ(PanelCaptions(), "数量|单价|金额");
  EXPECT_EQ(Voucher()->EntryPanel()->Editor(LineField::kQuantity)->text(),
            QStringLiteral("10.0000"));
  Voucher()->Grid()->setCurrentIndex(Voucher()->Model()->index(2, 0));
  EXPECT_EQ(S().current_row, 3);
  EXPECT_EQ(PanelCaptions(), "金额|单位|对 账 号|业务日期");

  desktop_->Host().Database().Execute(
      "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
      "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, lngSourceVoucherID, "
      "lngVoucherSourceID) Values (50, 1, 9, '2026-02-20', 2026, 2, 1, 1, 2, 1, 1)");
  EXPECT_EQ(Open(1).MarksText(), QStringLiteral("已冲销"));
}

}  // namespace
}  // namespace lumvoucher::ui
