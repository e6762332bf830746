#include "frame/settings.h"

#include <gtest/gtest.h>

#include "frame/frame_texts.h"
#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

class SettingsTest : public ::testing::Test {
 protected:
  TestHost host_;
};

TEST_F(SettingsTest, MissingSettingReadsEmpty) {
  EXPECT_EQ(ReadSetting(kSectionAccountSet, "没有这个选项"), "");
  const AccountSetting account = ReadAccountSetting("科目设置", "没有这个选项");
  EXPECT_EQ(account.id, 0);
  EXPECT_EQ(account.text, "");
}

TEST_F(SettingsTest, TextFormReadsTheCurrentOrganisationsValue) {
  EXPECT_EQ(ReadSetting(kSectionAccountSet, "启用日期"), "2026-01-01");
  host_.Data().Execute(
      "Update Setting Set strSetting = '1999-09-09' Where lngOrganizationID = 1 And strKey = "
      "'启用日期'");
  EXPECT_EQ(ReadSetting(kSectionAccountSet, "启用日期"), "1999-09-09");
}

TEST_F(SettingsTest, AccountFormAnswersIdAndTrimmedCodeAndName) {
  WriteSetting("科目设置", "现金科目", "3");
  const AccountSetting account = ReadAccountSetting("科目设置", "现金科目");
  EXPECT_EQ(account.id, 3);
  EXPECT_EQ(account.text, "1002-01 工商银行（人民币）");

  WriteSetting("科目设置", "未知科目", "987654");
  const AccountSetting unknown = ReadAccountSetting("科目设置", "未知科目");
  EXPECT_EQ(unknown.id, 987654);
  EXPECT_EQ(unknown.text, "");
}

TEST_F(SettingsTest, HostReaderFallsBackToTheDefaultAndTakesZeroAsTheCurrentOrganisation) {
  EXPECT_EQ(SettingValue(0, kSectionAccountSet, "凭证修改存盘提示", "False"), "True");
  EXPECT_EQ(SettingValue(1, kSectionAccountSet, "凭证修改存盘提示", "False"), "True");
  EXPECT_EQ(SettingValue(0, kSectionAccountSet, "没有这个选项", "缺省"), "缺省");
}

TEST_F(SettingsTest, WritingTwiceKeepsOneRowWithTheLastValue) {
  WriteSetting("总账", "测试", "一");
  WriteSetting("总账", "测试", "二");
  EXPECT_EQ(ReadSetting("总账", "测试"), "二");
  EXPECT_EQ(host_.Scalar("Select count(*) From Setting Where strKey = '测试'"), "1");
}

TEST_F(SettingsTest, QuotesInKeysAndValuesReachTheDatabaseIntact) {
  const std::string value = "它's \"x\"";
  WriteSetting("总账", "它's", value);
  EXPECT_EQ(ReadSetting("总账", "它's"), value);
  EXPECT_EQ(host_.Scalar("Select strSetting From Setting Where strSection = '总账' And strKey = "
                         "'它''s'"),
            value);
}

TEST_F(SettingsTest, AQuotedKeyCannotWidenTheQuery) {
  // Were the key pasted unquoted, this would match every row of the section.
  EXPECT_EQ(ReadSetting(kSectionAccountSet, "x' or '1'='1"), "");
  WriteSetting("总账", "x' or '1'='1", "注入");
  EXPECT_EQ(host_.Scalar("Select count(*) From Setting Where strSetting = '注入'"), "1");
  EXPECT_EQ(ReadSetting(kSectionAccountSet, "启用日期"), "2026-01-01");
}

}  // namespace
}  // namespace lumvoucher::frame
