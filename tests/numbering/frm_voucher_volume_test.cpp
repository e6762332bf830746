#include "numbering/frm_voucher_volume.h"

#include "numbering/numbering_fixture.h"
#include "numbering/numbering_texts.h"

namespace lumvoucher::testing {
namespace {

namespace texts = numbering::texts;
using numbering::VolumeColumn;

class VolumeTest : public NumberingTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(w_.Load());
    ASSERT_TRUE(w_.SetPeriod("2026.03"));
    ASSERT_TRUE(w_.SetVoucherType(kNoteType));
  }
  // "volume start end count" per row, rows joined by "|".
  std::string Grid() {
    std::string out;
    for (const numbering::VolumeRow& r : w_.State().rows) {
      out += (out.empty() ? "" : "|") + r.volume + " " + r.start + " " + r.end + " " + r.count;
    }
    return out;
  }
  // The volumes of the vouchers numbered first .. last, each label once per run.
  std::string Labels(long first, long last) {
    host::Recordset rs = t_.Data().OpenRecordset(
        "Select intVoucherNO, strVolume From Voucher Where intYear = 2026 And bytPeriod = 3 And "
        "lngVoucherTypeID = 1 And intVoucherNO Between " +
        std::to_string(first) + " And " + std::to_string(last) + " Order By intVoucherNO");
    std::string out;
    std::string label;
    long from = 0;
    long at = 0;
    for (; !rs.Eof(); rs.MoveNext()) {
      const std::string volume = rs["strVolume"].AsText();
      at = static_cast<long>(rs["intVoucherNO"].AsLong());
      if (volume != label) {
        if (!label.empty())
          out += label + ":" + std::to_string(from) + "-" + std::to_string(at - 1) + " ";
        label = volume;
        from = at;
      }
    }
    return out + label + ":" + std::to_string(from) + "-" + std::to_string(at);
  }
  void Row(const std::string& volume, const std::string& start, const std::string& end) {
    ASSERT_TRUE(w_.NewRow());
    const int row = static_cast<int>(w_.State().rows.size()) - 1;
    ASSERT_TRUE(w_.SetCell(row, VolumeColumn::kVolume, volume));
    ASSERT_TRUE(w_.SetCell(row, VolumeColumn::kStart, start));
    ASSERT_TRUE(w_.SetCell(row, VolumeColumn::kEnd, end));
  }
  void ExpectWarning(const char* text) {
    t_.Messages().Expect(text, host::mb::kOk, texts::kTitleWarning);
  }

  numbering::frmVoucherVolume w_{numbering::NumberingBasis::Single()};
};

TEST_F(VolumeTest, TwoVolumesOverAHundredAndTwentyVouchers) {
  for (long n = 1; n <= 120; ++n) Add(n, n);
  ASSERT_TRUE(w_.NewRow());
  EXPECT_EQ(Grid(), "01 000001  ");
  ASSERT_TRUE(w_.SetCell(0, VolumeColumn::kEnd, "50"));
  ASSERT_TRUE(w_.NewRow());
  EXPECT_EQ(Grid(), "01 000001 000050 50|0002 000051  ");
  ASSERT_TRUE(w_.SetCell(1, VolumeColumn::kVolume, "02"));
  ASSERT_TRUE(w_.SetCell(1, VolumeColumn::kEnd, "100"));
  ASSERT_TRUE(w_.Save());
  EXPECT_EQ(Labels(1, 120), "01:1-50 02:51-100 0000:101-120");
  EXPECT_EQ(Grid(), "01 000001 000050 50|02 000051 000100 50");
  EXPECT_EQ(w_.State().unbound, "000101--000120 共20张。");
  EXPECT_FALSE(w_.State().changed);

  // Deleting the last volume takes its vouchers out of any.
  ASSERT_TRUE(w_.DeleteRow(1));
  ASSERT_TRUE(w_.Save());
  EXPECT_EQ(Labels(1, 120), "01:1-50 0000:51-120");
  EXPECT_EQ(w_.State().unbound, "000051--000120 共70张。");
  ASSERT_TRUE(w_.DeleteRow(0));
  ASSERT_TRUE(w_.Save());
  EXPECT_EQ(Labels(1, 120), "0000:1-120");
  EXPECT_EQ(Scalar("Select Count(*) From VoucherVolume"), "0");
}

TEST_F(VolumeTest, TheChecksComeInTheirOrderAndNothingIsWritten) {
  struct Case {
    const char* volume;
    const char* start;
    const char* end;
    const char* message;
    int row = 1;
  };
  const Case cases[] = {
      {"", "", "", texts::kVolumeEmpty},
      {"00", "", "", texts::kVolumeZero},
      {"01", "1", "", texts::kVolumeEndEmpty},
      {"01", "", "9", texts::kVolumeStartEmpty},
      {"01", "30", "30", texts::kVolumeEndNotAbove},
      {"01", "31", "30", texts::kVolumeEndNotAbove},
      // The row before holds 02 as well, and its checks come first.
      {"02", "1", "5", texts::kVolumeTwice, 0},
  };
  Row("02", "6", "9");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ASSERT_TRUE(w_.NewRow());
    ASSERT_TRUE(w_.SetCell(1, VolumeColumn::kVolume, c.volume));
    ASSERT_TRUE(w_.SetCell(1, VolumeColumn::kStart, c.start));
    ASSERT_TRUE(w_.SetCell(1, VolumeColumn::kEnd, c.end));
    ExpectWarning(c.message);
    EXPECT_FALSE(w_.Save());
    EXPECT_EQ(w_.State().selected_row, c.row);
    ASSERT_TRUE(w_.DeleteRow(1));
  }
  EXPECT_EQ(Scalar("Select Count(*) From VoucherVolume"), "0");
}

TEST_F(VolumeTest, CellsRefuseWhatNoVolumeCanHold) {
  Row("01", "1", "5");
  const std::string long_label(100, '1');
  for (const std::string& label :
       {std::string("0'1"), long_label, std::string("第一册"), std::string("12345678901")}) {
    ExpectWarning(texts::kVolumeLabelInvalid);
    EXPECT_FALSE(w_.SetCell(0, VolumeColumn::kVolume, label));
  }
  for (const char* number : {"abc", "-1", "1000000", "5'", "1e3"}) {
    ExpectWarning(texts::kVolumeNumberInvalid);
    EXPECT_FALSE(w_.SetCell(0, VolumeColumn::kEnd, number));
  }
  EXPECT_FALSE(w_.SetCell(0, VolumeColumn::kCount, "9"));
  EXPECT_EQ(Grid(), "01 000001 000005 ");
}

TEST_F(VolumeTest, ClosingAsksAboutAChangedTableAndSavesOnYes) {
  for (long n = 1; n <= 3; ++n) Add(n, n);
  Row("01", "1", "2");
  t_.Messages().Expect(texts::kVolumeSaveQuestion, host::mb::kNo, texts::kTitleInformation);
  EXPECT_TRUE(w_.SetVoucherType(kCashType));
  EXPECT_EQ(Scalar("Select Count(*) From VoucherVolume"), "0");
  ASSERT_TRUE(w_.SetVoucherType(kNoteType));
  Row("01", "1", "2");
  EXPECT_EQ(Grid(), "01 000001 000002 2");
  t_.Messages().Expect(texts::kVolumeSaveQuestion, host::mb::kYes, texts::kTitleInformation);
  EXPECT_TRUE(w_.Close());
  EXPECT_TRUE(w_.State().closed);
  EXPECT_EQ(Vouchers(), "1:1:01 2:2:01 3:3:0000");
}

TEST_F(VolumeTest, AFailingSaveOnCloseKeepsTheWindowOpen) {
  Row("", "1", "1");
  t_.Messages().Expect(texts::kVolumeSaveQuestion, host::mb::kYes, texts::kTitleInformation);
  ExpectWarning(texts::kVolumeEmpty);
  EXPECT_FALSE(w_.Close());
  EXPECT_FALSE(w_.State().closed);
}

TEST_F(NumberingTest, AVolumeWindowWithoutChoicesAsksForThem) {
  numbering::frmVoucherVolume window{numbering::NumberingBasis::Single()};
  t_.Messages().Expect(texts::kChooseReference, host::mb::kOk, texts::kTitleInformation);
  EXPECT_FALSE(window.NewRow());
}

}  // namespace
}  // namespace lumvoucher::testing
