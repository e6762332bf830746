#include "frame/number_insertion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "frame/frame_texts.h"
#include "frame/settings.h"
#include "frame/uniqueness_stamp.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

// Period 2026/3, type 1 (记), organisation 1 holds no demo vouchers: each test lays out its own.
constexpr int kYear = 2026;
constexpr int kPeriod = 3;
constexpr long kType = 1;
constexpr long kOrg = 1;

// A period of its own laid out by SQL, and readers of what an insertion left.
class Ledger {
 public:
  void Add(const char* table, long id, int no) {
    host_.Data().Execute(std::string("Insert Into ") + table +
                         " (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
                         "bytPeriod, lngSourceOrganizationID, lngOperatorID) Values (" +
                         std::to_string(id) + ",1," + std::to_string(no) + ",'2026-03-1" +
                         std::to_string(no % 10) + "',2026,3,1,2)");
  }
  void AddCounter(long highest) {
    host_.Data().Execute(
        "Insert Into ReceiptMaxNo (lngOrganizationID, intYear, bytPeriod, lngReceiptTypeID, "
        "strReceiptNo, lngReceiptNo) Values (1, 2026, 3, 41, '1', " +
        std::to_string(highest) + ")");
  }
  void AddVolume(const char* label, int start, int end) {
    host_.Data().Execute(
        "Insert Into VoucherVolume (intYear, bytPeriod, lngVoucherTypeID, strVolume, intNoStart, "
        "intNoEnd, lngOrganizationID) Values (2026, 3, 1, '" +
        std::string(label) + "', " + std::to_string(start) + ", " + std::to_string(end) + ", 1)");
  }
  void StampingOn() { WriteSetting("企业会计信息化", "支持企业会计信息化工作规范", "1"); }

  // "V1 V2 B3 ..." in number order; a stamped voucher whose stamp matches adds "*".
  std::string Numbers() {
    host::Recordset rs = host_.Data().OpenRecordset(
        "Select lngVoucherBaseID, lngVoucherID, intVoucherNO, strDate, strUQStamp From "
        "VoucherView Where intYear = 2026 And bytPeriod = 3 And lngVoucherTypeID = 1 And "
        "lngSourceOrganizationID = 1 Order By intVoucherNO, lngVoucherBaseID");
    std::string dump;
    for (; !rs.Eof(); rs.MoveNext()) {
      if (!dump.empty()) dump += " ";
      dump += rs["lngVoucherBaseID"].AsLong() == 1 ? "V" : "B";
      dump += rs["intVoucherNO"].AsText();
      const std::string stamp = rs["strUQStamp"].AsText();
      if (stamp != " " && UQStampMatches(stamp, kOrg, rs["strDate"].AsText(), kType,
                                         static_cast<long>(rs["intVoucherNO"].AsLong()))) {
        dump += "*";
      }
    }
    return dump;
  }
  std::string Volumes() {
    host::Recordset rs = host_.Data().OpenRecordset(
        "Select strVolume, intNoStart, intNoEnd From VoucherVolume Where intYear = 2026 And "
        "bytPeriod = 3 Order By strVolume");
    std::string dump;
    for (; !rs.Eof(); rs.MoveNext()) {
      if (!dump.empty()) dump += " ";
      dump += rs["strVolume"].AsText() + ":" + rs["intNoStart"].AsText() + "-" +
              rs["intNoEnd"].AsText();
    }
    return dump;
  }
  std::string Counter() {
    return host_.Scalar(
        "Select lngReceiptNo From ReceiptMaxNo Where lngOrganizationID = 1 And intYear = 2026 And "
        "bytPeriod = 3 And lngReceiptTypeID = 41 And strReceiptNo = '1'");
  }

  TestHost host_;
};

class NumberInsertionTest : public ::testing::Test, public Ledger {};

// Shifted, counter followed (always without a second bound), volumes adjusted, the volume and
// the highest number before.
std::string Outcome(const NumberInsertion& r) {
  return std::string(r.shifted ? "S" : "-") + (r.counter_followed ? "C" : "-") +
         (r.volumes_adjusted ? "V" : "-") + " " + r.volume + " " + std::to_string(r.highest_before);
}

TEST(NumberInsertion, ShiftsLaterNumbersOfBothBasesCounterAndVolumes) {
  struct Insert {
    int number;
    int second_bound;
    const char* before;  // a statement run first ("" none)
  };
  const struct {
    const char* name;
    int vouchers, budget;  // numbers 1..n of each basis; -5 the shared layout
    long counter;          // 0: no counter row
    std::vector<std::tuple<const char*, int, int>> volumes;
    bool stamping;
    std::vector<Insert> inserts;
    const char* expected;  // outcomes, then numbers, counter and volumes
  } cases[] = {
      // clang-format off
      {"both bases", 7, 7, 0, {}, false, {{5, 0, ""}}, "SC- 0000 7|V1 B1 V2 B2 V3 B3 V4 B4 V6 B6 V7 B7 V8 B8||"},
      {"shared across the bases", -5, -5, 0, {}, false, {{3, 0, ""}}, "SC- 0000 5|V1 V2 B4 V5 B6||"},
      {"re-stamped when stamping is on", 7, 7, 0, {}, true, {{5, 0, ""}},
       "SC- 0000 7|V1 B1 V2 B2 V3 B3 V4 B4 V6* B6* V7* B7* V8* B8*||"},
      {"stamps left alone when off", 3, 0, 0, {}, false, {{2, 0, ""}}, "SC- 0000 3|V1 V3 V4||"},
      {"free number beyond the last", 3, 0, 3, {{"01", 1, 10}}, false, {{4, 0, ""}}, "--- 0000 3|V1 V2 V3|3|01:1-10"},
      {"counter reaches the second bound", 7, 0, 7, {}, false, {{5, 8, ""}}, "SC- 0000 7|V1 V2 V3 V4 V6 V7 V8|8|"},
      // Highest is then 8; a counter that already claims more is left as it is.
      {"counter below the bound or above the highest", 7, 0, 7, {}, false,
       {{5, 9, ""}, {2, 0, "Update ReceiptMaxNo Set lngReceiptNo = 12 Where bytPeriod = 3"}},
       "S-- 0000 7 SC- 0000 8|V1 V3 V4 V5 V7 V8 V9|12|"},
      {"the volume holding the number grows", 7, 0, 0, {{"01", 1, 4}, {"02", 5, 7}}, false,
       {{3, 0, ""}, {6, 0, ""}}, "SCV 01 7 SCV 02 8|V1 V2 V4 V5 V7 V8 V9||01:1-5 02:6-9"},
      {"a gap or beyond the volumes", 9, 0, 0, {{"01", 1, 3}, {"02", 6, 8}}, false,
       {{4, 0, ""}, {10, 0, ""}}, "SCV 0000 9 SC- 0000 10|V1 V2 V3 V5 V6 V7 V8 V9 V11||01:1-3 02:7-9"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Ledger l;
    if (c.stamping) l.StampingOn();
    // The shared layout: V1 V2 B3 V4 B5.
    for (int no = 1; no <= std::abs(c.vouchers); ++no) {
      if (c.vouchers > 0 || no == 1 || no == 2 || no == 4) l.Add("Voucher", 100 + no, no);
    }
    for (int no = 1; no <= std::abs(c.budget); ++no) {
      if (c.budget > 0 || no == 3 || no == 5) l.Add("BudgetVoucher", 200 + no, no);
    }
    if (c.counter != 0) l.AddCounter(c.counter);
    for (const auto& [label, start, end] : c.volumes) l.AddVolume(label, start, end);
    std::string out;
    for (const Insert& insert : c.inserts) {
      if (*insert.before != '\0') l.host_.Data().Execute(insert.before);
      out +=
          (out.empty() ? "" : " ") + Outcome(InsertVoucherNumber(insert.number, insert.second_bound,
                                                                 kYear, kPeriod, kType, kOrg));
    }
    EXPECT_EQ(out + "|" + l.Numbers() + "|" + l.Counter() + "|" + l.Volumes(), c.expected);
  }
}

TEST_F(NumberInsertionTest, AFailureInsideTheCallersTransactionUndoesTheWholeShift) {
  StampingOn();
  for (int no = 1; no <= 4; ++no) {
    Add("Voucher", 100 + no, no);
    Add("BudgetVoucher", 200 + no, no);
  }
  AddCounter(4);
  const std::string before = Numbers();
  // 1 highest number, 2 volume end, 3-4 shift Voucher, 5 the first budget statement.
  host_.Data().FailAtStatement(5);
  {
    host::TransactionGuard transaction(host_.Data());
    EXPECT_THROW(InsertVoucherNumber(2, 0, kYear, kPeriod, kType, kOrg), host::DatabaseError);
  }
  host_.Data().NeverFail();
  EXPECT_EQ(Numbers(), before);
  EXPECT_EQ(Counter(), "4");
}

}  // namespace
}  // namespace lumvoucher::frame
