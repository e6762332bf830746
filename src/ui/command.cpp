#include "ui/command.h"

#include <array>
#include <stdexcept>

namespace lumvoucher::ui {

namespace {

using enum Command;
using M = CommandMenu;

// Ctrl+C and Ctrl+V stay with the text fields; copying a whole voucher takes Shift as well.
constexpr std::array kCommands{
    CommandInfo{kFileSave, "FileSave", "保存(&S)", "Ctrl+S", M::kFile, false, true},
    CommandInfo{kFilePrint, "FilePrint", "打印(&P)", "Ctrl+P", M::kFile, false, true},
    CommandInfo{kFilePrintReceipt, "FilePrintReceipt", "打印单据(&R)", "", M::kFile},
    CommandInfo{kFilePrintSetup, "FilePrintSetup", "打印设置(&U)", "", M::kFile},
    CommandInfo{kEditNew, "EditNew", "新增(&N)", "Ctrl+N", M::kEdit, false, true},
    CommandInfo{kEditEdit, "EditEdit", "修改(&E)", "", M::kEdit, false, true},
    CommandInfo{kEditDel, "EditDel", "删除(&D)", "Ctrl+Del", M::kEdit, false, true},
    CommandInfo{kEditCopy, "EditCopy", "复制凭证(&C)", "Ctrl+Shift+C", M::kEdit},
    CommandInfo{kEditPaste, "EditPaste", "粘贴凭证(&V)", "Ctrl+Shift+V", M::kEdit},
    CommandInfo{kEditInsLine, "EditInsLine", "插入分录(&I)", "Ctrl+I", M::kEdit, false, true},
    CommandInfo{kEditDelLine, "EditDelLine", "删除分录(&L)", "Ctrl+D", M::kEdit, false, true},
    CommandInfo{kEditInActive, "EditInActive", "作废(&Z)", "", M::kEdit},
    CommandInfo{kEditShowAll, "EditShowAll", "全部显示(&W)", "", M::kEdit, true},
    CommandInfo{kEditFilter, "EditFilter", "过滤(&F)", "Ctrl+F", M::kEdit, false, true},
    CommandInfo{kEditShowList, "EditShowList", "凭证列表(&T)", "", M::kEdit},
    CommandInfo{kEditColumn, "EditColumn", "栏目设置(&O)", "", M::kEdit},
    CommandInfo{kToolRefresh, "ToolRefresh", "刷新(&R)", "F5", M::kEdit, false, true},
    CommandInfo{kReview, "Review", "复核(&C)", "", M::kVoucher, false, true},
    CommandInfo{kCashierSign, "CashierSign", "出纳签字(&T)", "", M::kVoucher, false, true},
    CommandInfo{kPost, "Post", "记账(&J)", "", M::kVoucher, false, true},
    CommandInfo{kReverse, "Reverse", "冲销(&S)", "", M::kVoucher},
    CommandInfo{kReceiptFirst, "ReceiptPosition", "首张", "", M::kVoucher, false, true},
    CommandInfo{kReceiptPrevious, "ReceiptPosition", "上张", "", M::kVoucher, false, true},
    CommandInfo{kReceiptNext, "ReceiptPosition", "下张", "", M::kVoucher, false, true},
    CommandInfo{kReceiptLast, "ReceiptPosition", "末张", "", M::kVoucher, false, true},
    CommandInfo{kReceiptList, "ReceiptList", "单据列表", "", M::kVoucher},
    CommandInfo{kEditArrange, "MainControlEditArrange", "凭证整理", "", M::kVoucher},
    CommandInfo{kEditNewTemplate, "MainControlEditNewTemplate", "生成常用凭证", "", M::kVoucher},
    CommandInfo{kEditLoadTemplate, "MainControlEditLoadTemplate", "调用常用凭证", "", M::kVoucher},
    CommandInfo{kEditVoucherVolume, "MainControlEditVoucherVolume", "凭证分册(&G)", "",
                M::kVoucher},
    CommandInfo{kEditInterface, "MainControlEditInterface", "外部数据记账接口(&V)", "",
                M::kVoucher},
    CommandInfo{kEditInsertVoucher, "MainControlEditInsertVoucher", "插入凭证", "", M::kVoucher},
    CommandInfo{kEditBatchPrint, "MainControlEditBatchPrint", "批量打印", "", M::kVoucher},
    CommandInfo{kEditAutoStudy, "MainControlEditAutoStudy", "自动学习", "", M::kVoucher},
    CommandInfo{kEditDoubleRule, "MainControlEditDoubleRule", "平行记账规则", "", M::kVoucher},
    CommandInfo{kEditRuleProduce, "MainControlEditRuleProduce", "规则生成", "", M::kVoucher},
    CommandInfo{kEditAlert, "MainControlEditAlert", "信息提示", "", M::kOptions, true},
    CommandInfo{kEditSound, "MainControlEditSound", "声音提示", "", M::kOptions, true},
    CommandInfo{kEditQuick, "MainControlEditQuick", "快速录入", "", M::kOptions, true},
    CommandInfo{kEditCashLine, "MainControlEditCashLine", "金额线", "", M::kOptions, true},
    // The main control raises no command for "Deficit"; the desktop offers one like the others.
    CommandInfo{kEditDeficit, "MainControlEditDeficit", "赤字提示", "", M::kOptions, true},
    // The caption says what choosing it does; the window answers it (VoucherView::Caption).
    CommandInfo{kEditBudgetAlarm, "MainControlEditBudgetAlarm", "关闭预算报警(&A)", "",
                M::kOptions},
    CommandInfo{kListReportAccountSummary, "ListReportMenu", "科目汇总表(&A)", "", M::kReport},
    CommandInfo{kListReportVoucherSummary, "ListReportMenu", "凭证汇总表(&V)", "", M::kReport},
};

}  // namespace

std::span<const CommandInfo> AllCommands() {
  return kCommands;
}

const CommandInfo& Info(Command command) {
  for (const CommandInfo& info : kCommands) {
    if (info.command == command) return info;
  }
  throw std::logic_error("command without an entry in the command table");
}

}  // namespace lumvoucher::ui
