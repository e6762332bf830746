#pragma once

#include <string>

#include "frame/login_state.h"

namespace lumvoucher::voucher {
class frmVoucher;
}

namespace lumvoucher::frame {

// The component's one public class. The host creates it, calls Init once with its service
// objects, then opens windows or fills and saves vouchers through the members below, which keep
// the host's names and slot order. No exception crosses this class: every member catches at its
// boundary and answers with its failure value.
//
// In the dual-basis regime (accounting-system code "16") the members that open or drive a voucher
// window do nothing until the paired window arrives. The members marked "arrives with ..."
// belong to windows later subsystems build: declared ones are defined by those subsystems, and
// until then a host cannot link against them.
class InterFace {
 public:
  InterFace() = default;
  InterFace(const InterFace&) = delete;
  InterFace& operator=(const InterFace&) = delete;
  // In the role of Class_Terminate: releases what Init created.
  ~InterFace();

  // 1. Stores the sixteen host objects and derives the login items (see inter_face.cpp for the
  // order). A second Init replaces everything the first one stored.
  void Init(host::clsBaseClass* clsBaseClass, host::clsBusinessPub* clsBusinessPub,
            host::clsAccount* clsAccount, host::clsFilter* clsFilter,
            host::clsReportBook* clsReportBook, host::clsCardInFix* clsCardInFix,
            host::clsPublicForm* clsPublicForm, host::clsTransferPublic* clsTransferPublic,
            host::clsFlowModule* clsFlowModule, host::clsCard* clsCard, host::clsCWCard* clsCWCard,
            host::clsTemplate* clsTemplate, host::clsFixedAsset* clsFixedAsset,
            host::clsConsumption* clsConsumption, host::clsImmaterialAsset* clsImmaterialAsset,
            host::clsDefered* clsDefered);
  // 2.
  void InitAMAsset(host::clsAmAsset* clsAmAsset);

  // 3. arrives with automatic vouchers.
  bool blnAutoVoucer(bool blnMark);

  // 4.-6. The single-basis voucher window (frmVoucher) on a stored voucher, with no line to
  // position on or on `lngVoucherDetailID`, and its preview flag.
  void ShowAOldBill(long VoucherID, bool blnPreView);
  void ShowAOldBill2(long lngVoucherID, long lngVoucherDetailID, bool blnPreViewVoucher);
  bool blnPreViewVoucher() const;
  void blnPreViewVoucher(bool value);

  // 7.-10. A new voucher and the programmatic road: WriteForm fills the window (the format is
  // in voucher/write_form.h), MustSave marks it, SaveAVoucher saves it as a new voucher
  // (1 saved, 0 failed, 2 nothing to save). `strAccountBase` and `Form` choose the side of the
  // dual-basis window.
  void MustSave();
  void ShowANewBill(long CurrentVoucherID);
  int SaveAVoucher(bool blnCover, const std::string& strAccountBase);
  bool WriteForm(const std::string& strDetail, const std::string& Form);

  // 11. The single-basis voucher window object. 12., 13. (FinanceForm, BudgetForm) arrive
  // with the dual-basis window.
  voucher::frmVoucher& Form();

  // 14. The voucher list: an open one is unloaded and shown afresh, then the main window gets
  // ChildActive.
  void frmListVoucher_Show(long lngFlag);

  // 15. Replaces the stored host main window.
  void MainForm(host::HostMainWindow* main_window);

  // 16., 17. arrive with the budget query and fund document matching.
  bool ShowBudgetQuery(const std::string& strCodeID, const std::string& strCodeDesc);
  void ShowCenterRalation(long lngVoucherID);

  // 18. Stores the multi-base data for the lists and the dual-basis window; always false.
  bool setInitMultiBase(host::HostObject* bvdata);

  // 19. (newMCRPBill) arrives with the fund receipts and payments.

  // 20. The error voucher list, shown as the voucher list is.
  void frmListErrVoucher_Show();

  // 21., 22. The combined lists exist only in the dual-basis regime; in the single-basis regime
  // they do nothing.
  void frmListVoucherUnion_Show(long lngFlag);
  void frmListVoucherCompare_Show(long lngFlag);

  // 23. (frmDaRapDetail_Show) arrives with the settlement detail window.
};

}  // namespace lumvoucher::frame
