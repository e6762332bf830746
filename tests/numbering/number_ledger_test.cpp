#include "numbering/number_ledger.h"

#include <algorithm>

#include "frame/operation_log.h"
#include "frame/text_functions.h"
#include "lists/frm_batch_voucher.h"
#include "lists/frm_list_voucher.h"
#include "numbering/numbering_fixture.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::testing {
namespace {

using numbering::LedgerEvent;
using numbering::NumberMove;

const numbering::NumberScope kScope{1, 2026, 3, 1};

std::vector<NumberMove> Sorted(std::vector<NumberMove> moves) {
  std::sort(moves.begin(), moves.end(),
            [](const NumberMove& a, const NumberMove& b) { return a.from < b.from; });
  return moves;
}

TEST(NumberLedger, MovesWriteAsRunsAndReadBack) {
  const std::vector<NumberMove> moves = {{9, 5}, {5, 3},   {6, 4},  {2, 0},
                                         {3, 0}, {12, 14}, {13, 16}};
  const std::vector<std::string> texts =
      numbering::LedgerTexts(numbering::kLedgerRenumber, kScope, "记", moves);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], "编号整理 2026年03期 记 #o1y2026p3t1 2-3>x,5-6>3,9>5,12>14,13>16");
  const std::optional<numbering::LedgerEntry> entry = numbering::ParseLedgerText(texts[0]);
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->caption, numbering::kLedgerRenumber);
  EXPECT_EQ(entry->scope.voucher_type_id, 1);
  EXPECT_EQ(entry->scope.period, 3);
  EXPECT_EQ(entry->moves, Sorted(moves));
}

TEST(NumberLedger, ALongRunSplitsIntoRowsThatEachReadBack) {
  std::vector<NumberMove> moves;
  for (long n = 1; n <= 600; ++n) moves.push_back({n * 3, n});
  const std::vector<std::string> texts =
      numbering::LedgerTexts(numbering::kLedgerContinuity, kScope, "记", moves);
  ASSERT_GT(texts.size(), 3u);
  std::vector<NumberMove> back;
  for (const std::string& text : texts) {
    EXPECT_LE(frame::StrLen(text), numbering::kLedgerRowWidth);
    const auto entry = numbering::ParseLedgerText(text);
    ASSERT_TRUE(entry.has_value()) << text;
    back.insert(back.end(), entry->moves.begin(), entry->moves.end());
  }
  EXPECT_EQ(back, moves);
  EXPECT_TRUE(numbering::LedgerTexts(numbering::kLedgerRenumber, kScope, "记", {}).empty());
}

TEST(NumberLedger, OtherLogTextsAreNoEntries) {
  for (const char* text : {
           "新增凭证第2期 记-000005",
           "编号整理 2026年03期 记 #o1y2026p3t1 5>",
           "编号整理 2026年03期 记 #o1y2026p3t1 9-5>1",
           "编号整理 2026年03期 记 #o1y2026p3 5>3",
           "编号整理 2026年03期 记 #o1y2026p3t1x 5>3",
           "编号整理 2026年03期 记 #o1y2026p3t1 5>3,,6>4",
           "导入凭证 2026年03期 记 #o1y2026p3t1 5>3",
           "编号整理 2026年03期 记 #o1y2026p3t1 0>3",
       }) {
    EXPECT_FALSE(numbering::ParseLedgerText(text).has_value()) << text;
  }
}

// Events of one scope, oldest first, each its own log row unless `run` says otherwise.
LedgerEvent Event(long run, const char* caption, long from, long to, std::string target = "") {
  return {run, caption,          "2026-03-20 10:00:0" + std::to_string(run), "李明", from,
          to,  std::move(target)};
}

TEST(NumberLedger, TheLastEventOfANumberExplainsIt) {
  const std::vector<LedgerEvent> events = {
      Event(1, "新增凭证", 0, 1), Event(2, "新增凭证", 0, 2),
      Event(3, "新增凭证", 0, 3), Event(4, "删除凭证", 2, 0),
      Event(5, "编号整理", 3, 2), Event(6, "修改凭证", 1, 0, "收-000001"),
      Event(7, "新增凭证", 0, 4), Event(8, "凭证连号处理", 4, 6),
  };
  std::string out;
  for (const numbering::LedgerLine& l : numbering::ExplainNumbers(
           events, "记", 1, 6, {{2, false}, {5, true}, {6, false}}, {{5, "作废了"}})) {
    out += std::to_string(l.number) + " " + l.status + " " + l.text + "\n";
  }
  EXPECT_EQ(out,
            "1 缺号 修改凭证：改为 收-000001（2026-03-20 10:00:06 李明）\n"
            "2 移入 编号整理：由 记-000003 移来（2026-03-20 10:00:05 李明）\n"
            "3 缺号 编号整理：移至 记-000002（2026-03-20 10:00:05 李明）\n"
            "4 缺号 凭证连号处理：移至 记-000006（2026-03-20 10:00:08 李明）\n"
            "5 作废 作废了\n"
            "6 移入 凭证连号处理：由 记-000004 移来（2026-03-20 10:00:08 李明）\n");
}

TEST_F(NumberingTest, TheSavesEntriesCountForTheirPeriodYearAndOrganisation) {
  for (const auto& [text, date, organization] :
       std::vector<std::tuple<const char*, const char*, long>>{
           {"新增凭证第3期 记-000005", "2026-03-15", 1},
           {"修改凭证第3期 记-000009(原凭证字号为记-000003)", "2026-03-16", 1},
           {"修改凭证第3期 收-000001(原凭证字号为记-000004)", "2026-03-17", 1},
           {"新增凭证第3期 记-000006", "2025-03-15", 1},
           {"新增凭证第3期 记-000007", "2026-03-15", 4},
           {"新增凭证第2期 记-000008", "2026-03-15", 1},
           {"新增凭证第3期 收-000002", "2026-03-15", 1},
       }) {
    frame::WriteLog({2, text, date, "09:00:00", "09:00:00", "pc", organization});
  }
  std::string out;
  for (const LedgerEvent& e : numbering::ReadLedger(kScope, "记")) {
    out += e.caption + " " + std::to_string(e.from) + ">" + std::to_string(e.to) + " " + e.target +
           " " + e.when + " " + e.operator_name + "\n";
  }
  EXPECT_EQ(out,
            "新增凭证 0>5  2026-03-15 09:00:00 李明\n"
            "修改凭证 3>9  2026-03-16 09:00:00 李明\n"
            "修改凭证 4>0 收-000001 2026-03-17 09:00:00 李明\n");
}

TEST_F(NumberingTest, DeletingFromTheVoucherWindowRecordsTheFreedNumber) {
  voucher::frmVoucher window;
  ASSERT_TRUE(window.ShowAOldBill(3));
  t_.Messages().Expect("真的要删除全部分录吗？", host::mb::kYes, "提示信息");
  ASSERT_TRUE(window.DeleteVoucher());
  EXPECT_EQ(LogTexts(), "删除凭证 2026年02期 记 #o1y2026p2t1 1>x\n");
}

TEST_F(NumberingTest, ABatchDeleteRecordsEachTypeAndARefusedOneNothing) {
  lists::frmListVoucher list;
  ASSERT_TRUE(list.ShowMe());
  auto run = [&](std::initializer_list<long> ids, bool ok) {
    lists::frmBatchVoucher dialog(lists::BatchOperation::kDelete,
                                  lists::frmBatchVoucher::SourceOf(list));
    ASSERT_TRUE(dialog.Load());
    // Reviewed under the open dialog: the service refuses it and the run rolls back.
    if (!ok) Exec("Update Voucher Set lngCheckerID = 3 Where lngVoucherID = 7");
    for (int row = 0; row < static_cast<int>(dialog.State().rows.size()); ++row) {
      dialog.SetTicked(row, std::find(ids.begin(), ids.end(), dialog.VoucherID(row)) != ids.end());
    }
    t_.Messages().Expect("您确实要删除所选的凭证吗？", host::mb::kYes, "多张凭证删除");
    t_.Messages().Expect(
        ok ? "多张凭证删除成功，本次共删除了2张凭证！" : "该张凭证已复核,不能删除！", host::mb::kOk,
        "多张凭证删除");
    EXPECT_EQ(dialog.Run(), ok);
  };
  run({3, 7}, false);
  EXPECT_EQ(LogTexts(), "");
  run({5, 8}, true);
  EXPECT_EQ(LogTexts(),
            "删除凭证 2026年02期 收 #o1y2026p2t2 2>x\n"
            "删除凭证 2026年02期 转 #o1y2026p2t4 1>x\n");
}

}  // namespace
}  // namespace lumvoucher::testing
