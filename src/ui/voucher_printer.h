#pragma once

#include <string>
#include <vector>

#include "lists/voucher_list.h"
#include "voucher/frm_voucher.h"

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace lumvoucher::ui {

// A voucher as it is printed: header, lines, totals (the total in capital numerals) and the
// four names at the foot.
struct PrintedVoucher {
  std::string organization;
  std::string title;  // "记账凭证" when empty
  voucher::VoucherHeader header;
  std::vector<voucher::VoucherLine> lines;
  voucher::Totals totals;
};

PrintedVoucher PrintableVoucher(const voucher::VoucherState& state);
// Reads a stored voucher of `basis`; nothing when it does not exist. Throws
// host::DatabaseError.
std::optional<PrintedVoucher> PrintableVoucher(
    long voucher_id, const host::VoucherBasis& basis = host::FinancialBasis());

// Paints vouchers in the customary layout, `per_page` of them on a page (1 to 3); a voucher with
// more lines than its part of the page continues in the next part ("（续）"), its totals last.
void PaintVouchers(QPagedPaintDevice& device, const std::vector<PrintedVoucher>& vouchers,
                   int per_page);
// Paints a list as a table of its visible columns, repeating the heading on every page.
void PaintList(QPagedPaintDevice& device, const lists::ListState& list);

// Writes the vouchers (or the list) as a PDF file; false when the file cannot be written.
bool VouchersToPdf(const std::vector<PrintedVoucher>& vouchers, int per_page,
                   const std::string& path);
bool ListToPdf(const lists::ListState& list, const std::string& path);

// Print preview first, then the printer: the user prints (or saves a PDF) from the preview.
void PreviewVouchers(QWidget* parent, const std::vector<PrintedVoucher>& vouchers, int per_page);
void PreviewList(QWidget* parent, const lists::ListState& list);

}  // namespace lumvoucher::ui
