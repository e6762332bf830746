#pragma once

#include <memory>
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
// window drive the paired window (dualbasis/frm_voucher_new.h) instead. The members marked "not
// there yet" belong to windows later subsystems build; until then they answer as for a window that
// is not there: false (or no object), nothing opened, no message.
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

  // 3. Has the voucher window's automatic-voucher object fill the current voucher; not there
  // yet: false, the window unchanged.
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

  // 11. The single-basis voucher window object.
  voucher::frmVoucher& Form();
  // 12., 13. The dual-basis financial and budget voucher windows (the pair window's editors).
  host::ChildWindow* FinanceForm();
  host::ChildWindow* BudgetForm();

  // 14. The voucher list: an open one is unloaded and shown afresh, then the main window gets
  // ChildActive. Dual basis: the list of pairs (frmListVoucherUnion), without the search.
  void frmListVoucher_Show(long lngFlag);

  // 15. Replaces the stored host main window.
  void MainForm(host::HostMainWindow* main_window);

  // 16. The budget balance query (frmBudget) for a code and its description: the code chooses
  // the budget target of that code. False when it could not be loaded.
  bool ShowBudgetQuery(const std::string& strCodeID, const std::string& strCodeDesc);
  // 17. Fund document matching for a voucher (0: all); nothing opens when the host has no fund
  // system.
  void ShowCenterRalation(long lngVoucherID);

  // 18. Stores the multi-base data for the lists and the dual-basis window; always false.
  bool setInitMultiBase(host::HostObject* bvdata);

  // 19. A new fund receipt/payment bill, owned by the caller; not there yet: null.
  std::unique_ptr<host::HostObject> newMCRPBill();

  // 20. The error voucher list, shown as the voucher list is. Dual basis: the error vouchers of
  // both bases (frmListErrVoucherCompare).
  void frmListErrVoucher_Show();

  // 21., 22. The combined lists of financial and budget vouchers, shown as the voucher list is;
  // they exist only in the dual-basis regime and do nothing in the single-basis one.
  void frmListVoucherUnion_Show(long lngFlag);
  void frmListVoucherCompare_Show(long lngFlag);

  // 23. The current-account settlement detail (frmDARAP) of a line being entered, given its
  // account, currency, auxiliary items, flexible key, amount, row, line and side unchanged. The
  // confirmed split stays with the window (WindowRegistry::Get<links::frmDARAP>().Split()).
  void frmDaRapDetail_Show(long AccountID, long CurrencyID, long CustomerID, long DepartmentID,
                           long EmployeeID, long Class1ID, long Class2ID,
                           const std::string& strFlexibleId, double ModblAmount, long lngRowID,
                           long lngVDetailID, bool blnDirtion);
};

}  // namespace lumvoucher::frame
