#include "templates/external_voucher.h"

namespace lumvoucher::templates {

const char* Caption(ExternalField field) {
  static constexpr const char* kCaptions[kExternalFieldCount] = {
      "外部凭证号", "日期",     "凭证字",   "附件数", "摘要",     "科目", "借方金额", "贷方金额",
      "币种",       "原币金额", "汇率",     "数量",   "单价",     "单位", "部门",     "职员",
      "统计",       "项目",     "付款方式", "票据号", "来源机构", "机构", "智能核算"};
  return kCaptions[static_cast<int>(field)];
}

bool Required(ExternalField field) {
  return field == ExternalField::kKey || field == ExternalField::kDate ||
         field == ExternalField::kAccount || field == ExternalField::kDebit ||
         field == ExternalField::kCredit;
}

const char* KindName(int kind) {
  static constexpr const char* kNames[kCodeKinds + 1] = {"",         "科目",   "币种",     "单位",
                                                         "部门",     "职员",   "统计",     "项目",
                                                         "付款方式", "凭证字", "来源机构", "机构"};
  return kind >= 1 && kind <= kCodeKinds ? kNames[kind] : "";
}

}  // namespace lumvoucher::templates
