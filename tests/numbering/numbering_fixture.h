#pragma once

#include <gtest/gtest.h>

#include <string>

#include "frame/frame_texts.h"
#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/uniqueness_stamp.h"
#include "host/cls_business_pub.h"
#include "host/data_access.h"
#include "host/message_box.h"
#include "support/test_host.h"

namespace lumvoucher::testing {

// Vouchers of 2026 period 3 (no demo voucher lives there) of organisation 1, laid out by each
// test, with dumps of what the numbering windows change.
class NumberingTest : public ::testing::Test {
 protected:
  static constexpr int kPeriod = 3;
  static constexpr long kNoteType = 1;  // 记
  static constexpr long kCashType = 2;  // 收

  void Exec(const std::string& sql) { t_.Data().Execute(sql); }
  std::string Scalar(const std::string& sql) { return t_.Scalar(sql); }

  // Voucher ids of the tests count from kIdBase + 1, above the demo vouchers.
  static constexpr long kIdBase = 100;
  static std::string Id(long id) { return std::to_string(kIdBase + id); }

  // A voucher of period `period` made by 李明 (2); `id` counts from 1 (see Id).
  void Add(long id, long number, const std::string& date = "2026-03-10", long type = kNoteType,
           bool printed = false, const std::string& former = " ", int period = kPeriod,
           long organization = 1) {
    Exec(
        "Insert Into Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
        "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, blnIsPrinted, "
        "strOldReceiptNo) Values (" +
        Id(id) + ", " + std::to_string(type) + ", " + std::to_string(number) + ", '" + date +
        "', 2026, " + std::to_string(period) + ", 1, " + std::to_string(organization) + ", 2, " +
        (printed ? "1" : "0") + ", '" + former + "')");
    Exec(
        "Insert Into VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, "
        "lngAccountID, intDirection, dblAmount, lngOrganizationID) Values (" +
        Id(id) + ", " + Id(id) + ", 1, '办公费', 31, 1, 100, 1)");
  }
  void Counter(long type, long highest, int period = kPeriod) {
    Exec(
        "Insert Into ReceiptMaxNo (lngOrganizationID, intYear, bytPeriod, lngReceiptTypeID, "
        "strReceiptNo, lngReceiptNo) Values (1, 2026, " +
        std::to_string(period) + ", 41, '" + std::to_string(type) + "', " +
        std::to_string(highest) + ")");
  }
  void Volume(const std::string& label, long start, long end, long type = kNoteType) {
    Exec(
        "Insert Into VoucherVolume (intYear, bytPeriod, lngVoucherTypeID, strVolume, intNoStart, "
        "intNoEnd, lngOrganizationID) Values (2026, 3, " +
        std::to_string(type) + ", '" + label + "', " + std::to_string(start) + ", " +
        std::to_string(end) + ", 1)");
  }
  // Both switches the account set has had for the stamp, so the test holds whichever the login
  // context reads.
  void StampingOn() {
    frame::WriteSetting(frame::kSectionAccountSet, "凭证唯一性校验", "True");
    frame::WriteSetting("企业会计信息化", "支持企业会计信息化工作规范", "1");
  }

  // "id:number:volume[:former]" of period 3 in id order (ids as Add takes them); "*" after a
  // stamp that verifies.
  std::string Vouchers(long type = kNoteType) {
    host::Recordset rs = t_.Data().OpenRecordset(
        "Select lngVoucherID, intVoucherNO, strVolume, strOldReceiptNo, strDate, strUQStamp, "
        "lngSourceOrganizationID From Voucher Where intYear = 2026 And bytPeriod = 3 And "
        "lngVoucherTypeID = " +
        std::to_string(type) + " Order By lngVoucherID");
    std::string out;
    for (; !rs.Eof(); rs.MoveNext()) {
      out += (out.empty() ? "" : " ") + std::to_string(rs["lngVoucherID"].AsLong() - kIdBase) +
             ":" + rs["intVoucherNO"].AsText() + ":" + rs["strVolume"].AsText();
      const std::string former = rs["strOldReceiptNo"].AsText();
      if (former != " ") out += ":" + former;
      if (Verified(rs, type)) out += "*";
    }
    return out;
  }
  static bool Verified(const host::Recordset& rs, long type) {
    const std::string stamp = rs["strUQStamp"].AsText();
    return stamp != " " &&
           frame::UQStampMatches(stamp, static_cast<long>(rs["lngSourceOrganizationID"].AsLong()),
                                 rs["strDate"].AsText(), type,
                                 static_cast<long>(rs["intVoucherNO"].AsLong()));
  }
  std::string Receipt(long type) {
    return Scalar(
        "Select lngReceiptNo From ReceiptMaxNo Where lngOrganizationID = 1 And intYear = 2026 "
        "And bytPeriod = 3 And lngReceiptTypeID = 41 And strReceiptNo = '" +
        std::to_string(type) + "'");
  }
  std::string LogTexts() { return t_.Rows("Select strlog From log Order By lnglogid"); }

  // What must hold after any renumbering or continuity run: no negative number anywhere, no
  // number twice, the next new voucher of each type takes the number after the highest, and,
  // while stamping is on, every stamp of period 3 verifies.
  void ExpectInvariants(bool stamped) {
    EXPECT_EQ(Scalar("Select Count(*) From Voucher Where intVoucherNO < 0"), "0");
    EXPECT_EQ(Scalar("Select Count(*) From (Select intYear, bytPeriod, lngVoucherTypeID, "
                     "intVoucherNO, lngSourceOrganizationID From Voucher Group By intYear, "
                     "bytPeriod, lngVoucherTypeID, intVoucherNO, lngSourceOrganizationID Having "
                     "Count(*) > 1)"),
              "0");
    for (long type : {kNoteType, kCashType}) {
      const std::string highest = Scalar(
          "Select nvl(Max(intVoucherNO), 0) From Voucher Where intYear = 2026 And bytPeriod = 3 "
          "And lngSourceOrganizationID = 1 And lngVoucherTypeID = " +
          std::to_string(type));
      EXPECT_EQ(frame::Login().business_pub->VoucherNumber(2026, 3, type, "", "", 0, 9999),
                std::to_string(std::stol(highest) + 1));
    }
    if (!stamped) return;
    host::Recordset rs = t_.Data().OpenRecordset(
        "Select lngVoucherID, intVoucherNO, strDate, strUQStamp, lngSourceOrganizationID, "
        "lngVoucherTypeID From Voucher Where intYear = 2026 And bytPeriod = 3");
    for (; !rs.Eof(); rs.MoveNext()) {
      EXPECT_TRUE(Verified(rs, static_cast<long>(rs["lngVoucherTypeID"].AsLong())))
          << "voucher " << rs["lngVoucherID"].AsText();
    }
  }

  // Everything a run may touch, to compare before and after a failed one.
  std::string Touched() {
    return t_.Rows(
               "Select lngVoucherID, intVoucherNO, strVolume, strOldReceiptNo, strUQStamp From "
               "Voucher Order By lngVoucherID") +
           t_.Rows(
               "Select * From VoucherVolume Order By intYear, bytPeriod, lngVoucherTypeID, "
               "strVolume") +
           t_.Rows(
               "Select * From ReceiptMaxNo Order By lngOrganizationID, intYear, bytPeriod, "
               "strReceiptNo") +
           t_.Rows("Select lnglogid, strlog From log Order By lnglogid") +
           t_.Rows(
               "Select lngOrganizationID, strSetting From Setting Where strKey = '凭证唯一性密钥'");
  }

  TestHost t_;
};

}  // namespace lumvoucher::testing
