#include "frame/settings.h"

#include <gtest/gtest.h>

#include "frame/frame_texts.h"
#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

TEST(Settings, ReadTheCurrentOrganisationsValueOrTheDefault) {
  testing::TestHost host;
  EXPECT_EQ(ReadSetting(kSectionAccountSet, "没有这个选项"), "");
  EXPECT_EQ(SettingValue(0, kSectionAccountSet, "凭证修改存盘提示", "False"), "True");
  EXPECT_EQ(SettingValue(0, kSectionAccountSet, "没有这个选项", "缺省"), "缺省");
  host.Exec(
      "Update Setting Set strSetting = '1999-09-09' Where lngOrganizationID = 1 And strKey = "
      "'启用日期'");
  EXPECT_EQ(ReadSetting(kSectionAccountSet, "启用日期"), "1999-09-09");

  WriteSetting("科目设置", "现金科目", "3");
  WriteSetting("科目设置", "未知科目", "987654");
  const AccountSetting account = ReadAccountSetting("科目设置", "现金科目");
  const AccountSetting unknown = ReadAccountSetting("科目设置", "未知科目");
  EXPECT_EQ(std::to_string(account.id) + " " + account.text, "3 1002-01 工商银行（人民币）");
  EXPECT_EQ(std::to_string(unknown.id) + " " + unknown.text, "987654 ");
}

TEST(Settings, WritingKeepsOneRowAndQuotedKeysCannotWidenTheQuery) {
  testing::TestHost host;
  WriteSetting("总账", "它's", "一");
  WriteSetting("总账", "它's", "它's \"x\"");
  EXPECT_EQ(ReadSetting("总账", "它's"), "它's \"x\"");
  EXPECT_EQ(host.Rows("Select strSetting From Setting Where strKey = '它''s'"), "它's \"x\"\n");
  // Were the key pasted unquoted, this would match every row of the section.
  EXPECT_EQ(ReadSetting(kSectionAccountSet, "x' or '1'='1"), "");
}

}  // namespace
}  // namespace lumvoucher::frame
