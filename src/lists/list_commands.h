#pragma once

#include "lists/frm_batch_voucher.h"
#include "lists/voucher_list.h"

namespace lumvoucher::lists {

// The lists' status commands: the batch dialog in its seven modes (run modally through the
// host), and on the selected voucher cashier signature, posting or cancelling it, void,
// reversal, memo registration and the cash-flow window of the selected line. Each calls the host's
// voucher business service, which enforces the whole rule again, and states refusals under the
// command's title.
//
// The volumes and the continuity check open their windows (numbering/numbering_windows.h).
// The hook answers true when vouchers changed (the list then reloads). Actions it does not
// carry out (printing, columns, the reports, external data, the memo registration window) go
// on to the hook that was installed before, if any.
VoucherList::CommandHook ListCommands(VoucherList::CommandHook next = {});

// Puts ListCommands in front of the list's current hook.
void InstallListCommands(VoucherList& list);

// The batch dialog of `mode` over the vouchers `list` shows, run modally; answers the number of
// vouchers its run changed (0 when cancelled, stopped or nothing was loaded).
int RunBatchDialog(const VoucherList& list, BatchOperation mode);

// Cashier signature (or its cancel), posting (or its cancel) and void of a voucher of either
// basis and, in one transaction, of the other voucher of its dual-basis pair; false when nothing
// changed. The pair has cash or bank lines when either voucher has.
bool SignVoucher(long voucher_id);
bool PostVoucher(long voucher_id);
bool VoidVoucher(long voucher_id);

// The single-voucher commands on the list's selected voucher; false when nothing changed.
bool SignSelected(const VoucherList& list);
bool PostSelected(const VoucherList& list);
bool VoidSelected(const VoucherList& list);
bool ReverseSelected(const VoucherList& list);
// Whether memo registration may be opened for the selected voucher (states the refusal).
bool MayRegisterMemo(const VoucherList& list);
// Asks, then clears the memo registration of the selected voucher (the error list's command).
bool ClearMemoSelected(const VoucherList& list);

}  // namespace lumvoucher::lists
