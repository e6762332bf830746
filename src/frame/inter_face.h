#pragma once

#include <string>

#include "frame/login_state.h"

namespace lumvoucher::frame {

// The component's one public class. The host creates it, calls Init once with its service
// objects, then opens windows or fills and saves vouchers through the members below, which keep
// the host's names and slot order. No exception crosses this class: every member catches at its
// boundary and answers with its failure value.
//
// The members marked "arrives with ..." belong to windows that later subsystems build; they are
// declared here so the slot order stays whole, and are defined by those subsystems. Until then
// they are not part of the library and a host cannot link against them.
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

  // 4.-6., 8. The single-basis voucher window (frmVoucher): a stored voucher (no line to
  // position on, or `lngVoucherDetailID`), its preview flag, a new voucher. In the dual-basis
  // regime they do nothing until the paired window arrives.
  void ShowAOldBill(long VoucherID, bool blnPreView);
  void ShowAOldBill2(long lngVoucherID, long lngVoucherDetailID, bool blnPreViewVoucher);
  bool blnPreViewVoucher() const;
  void blnPreViewVoucher(bool value);
  void ShowANewBill(long CurrentVoucherID);

  // 7., 9., 10. The programmatic road of the single-basis window: WriteForm fills it (the
  // format is in voucher/write_form.h), MustSave marks it, SaveAVoucher saves it as a new
  // voucher (1 saved, 0 failed, 2 nothing to save). `strAccountBase` and `Form` choose the
  // side of the dual-basis window, which answers 0 / false until it arrives.
  void MustSave();
  int SaveAVoucher(bool blnCover, const std::string& strAccountBase);
  bool WriteForm(const std::string& strDetail, const std::string& Form);

  // 3. arrives with automatic vouchers:
  bool blnAutoVoucer(bool blnMark);
  // 14., 20. The voucher list and the error voucher list (lists/): an open one is unloaded and
  // shown afresh, then the main window gets ChildActive. Nothing in the dual-basis regime yet.
  void frmListVoucher_Show(long lngFlag);

  // 15. Replaces the stored host main window.
  void MainForm(host::HostMainWindow* main_window);

  // 16., 17., 19.-23. arrive with the budget query, fund documents, fund bills, the error and
  // combined lists and the settlement detail:
  bool ShowBudgetQuery(const std::string& strCodeID, const std::string& strCodeDesc);
  void ShowCenterRalation(long lngVoucherID);
  void frmListErrVoucher_Show();
  void frmListVoucherUnion_Show(long lngFlag);
  void frmListVoucherCompare_Show(long lngFlag);

  // 18. Stores the multi-base data for the lists and the dual-basis window; always false.
  bool setInitMultiBase(host::HostObject* bvdata);
};

}  // namespace lumvoucher::frame
