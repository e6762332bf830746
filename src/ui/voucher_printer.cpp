#include "ui/voucher_printer.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

#include "frame/login_state.h"
#include "lists/grid_cells.h"
#include "ui/qt_text.h"
#include "voucher/line_arithmetic.h"
#include "voucher/voucher_loader.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::ui {

namespace {

// Millimetres on the device.
struct Scale {
  double per_mm;
  int operator()(double mm) const { return static_cast<int>(mm * per_mm); }
};

QString Amount(double value) {
  if (value == 0) return {};
  return ToQt(voucher::FormatFixed(value, frame::Context().AmountDecimals(), true));
}

QFont Font(double points, bool bold = false) {
  QFont font;
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

// One part of a page: a voucher, or the continuation of one.
void PaintVoucherPart(QPainter& p, const QRect& area, const Scale& mm, const PrintedVoucher& v,
                      std::size_t first_line, std::size_t line_count, bool last_part) {
  const voucher::VoucherHeader& h = v.header;
  int y = area.top();
  p.setFont(Font(18, true));
  const QString title = ToQt(v.title.empty() ? voucher::texts::kCaption : v.title) +
                        (first_line > 0 ? QStringLiteral("（续）") : QString());
  const QRect title_box(area.left(), y, area.width(), mm(10));
  p.drawText(title_box, Qt::AlignCenter, title);
  const int title_width = p.fontMetrics().horizontalAdvance(title);
  const int underline = title_box.bottom() - mm(0.5);
  p.drawLine(area.center().x() - title_width / 2, underline, area.center().x() + title_width / 2,
             underline);
  p.drawLine(area.center().x() - title_width / 2, underline + mm(0.8),
             area.center().x() + title_width / 2, underline + mm(0.8));
  y += mm(12);

  p.setFont(Font(9.5));
  const QRect header(area.left(), y, area.width(), mm(6));
  p.drawText(header, Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("核算单位：") + ToQt(v.organization));
  p.drawText(header, Qt::AlignCenter, QStringLiteral("日期：") + ToQt(h.date));
  p.drawText(header, Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("凭证字号：") + ToQt(h.type_code) + QLatin1Char('-') + ToQt(h.number) +
                 QStringLiteral("    附单据 ") + ToQt(h.attachments) + QStringLiteral(" 张"));
  y += mm(7);

  // Columns: summary, account, debit, credit.
  const int widths[] = {area.width() * 28 / 100, area.width() * 40 / 100, area.width() * 16 / 100,
                        0};
  const int row_height = mm(7.5);
  int x[5] = {area.left(), 0, 0, 0, area.right()};
  for (int i = 0; i < 3; ++i) x[i + 1] = x[i] + widths[i];
  auto cell = [&](int column, int row_top, const QString& text, int align) {
    p.drawText(QRect(x[column] + mm(1.5), row_top, x[column + 1] - x[column] - mm(3), row_height),
               align | Qt::AlignVCenter, text);
  };
  const int table_top = y;
  p.setFont(Font(10, true));
  const QString headings[] = {QStringLiteral("摘    要"), QStringLiteral("会计科目"),
                              QStringLiteral("借方金额"), QStringLiteral("贷方金额")};
  for (int c = 0; c < 4; ++c) cell(c, y, headings[c], Qt::AlignHCenter);
  y += row_height;
  p.setFont(Font(9.5));
  for (std::size_t i = first_line; i < first_line + line_count; ++i) {
    const voucher::VoucherLine& line = v.lines[i];
    cell(0, y, ToQt(line.remark), Qt::AlignLeft);
    cell(1, y, ToQt(line.account_text), Qt::AlignLeft);
    cell(2, y, Amount(line.debit), Qt::AlignRight);
    cell(3, y, Amount(line.credit), Qt::AlignRight);
    y += row_height;
  }
  if (last_part) {
    p.setFont(Font(9.5, true));
    p.drawText(QRect(x[0] + mm(1.5), y, x[2] - x[0] - mm(3), row_height),
               Qt::AlignLeft | Qt::AlignVCenter,
               ToQt(voucher::texts::kTotalsLabel) + ToQt(v.totals.words));
    cell(2, y, Amount(v.totals.debit), Qt::AlignRight);
    cell(3, y, Amount(v.totals.credit), Qt::AlignRight);
    y += row_height;
  }
  // The ruling: every row, every column (the totals row spans the summary and the account).
  p.setPen(QPen(Qt::black, mm(0.25)));
  for (int line_y = table_top; line_y <= y; line_y += row_height) {
    p.drawLine(x[0], line_y, x[4], line_y);
  }
  const int body_bottom = last_part ? y - row_height : y;
  for (int c = 0; c < 5; ++c) p.drawLine(x[c], table_top, x[c], c == 1 ? body_bottom : y);
  p.setPen(QPen(Qt::black, mm(0.6)));
  p.drawRect(QRect(x[0], table_top, x[4] - x[0], y - table_top));

  p.setFont(Font(9.5));
  p.drawText(QRect(area.left(), y + mm(1.5), area.width(), mm(6)), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("记账：") + ToQt(h.poster_name) + QStringLiteral("        复核：") +
                 ToQt(h.checker_name) + QStringLiteral("        出纳：") + ToQt(h.teller_name) +
                 QStringLiteral("        制单：") + ToQt(h.maker_name));
}

}  // namespace

PrintedVoucher PrintableVoucher(const voucher::VoucherState& state) {
  PrintedVoucher v;
  v.organization = frame::Context().CurrentOrganization().name;
  v.header = state.header;
  for (const voucher::VoucherLine& line : state.lines) {
    if (!line.IsBlank()) v.lines.push_back(line);
  }
  v.totals = voucher::ComputeTotals(v.lines, frame::Context().AmountDecimals());
  return v;
}

std::optional<PrintedVoucher> PrintableVoucher(long voucher_id, const host::VoucherBasis& basis) {
  std::optional<voucher::LoadedVoucher> loaded = voucher::LoadVoucher(voucher_id, basis);
  if (!loaded) return std::nullopt;
  voucher::VoucherState state;
  state.header = std::move(loaded->header);
  state.lines = std::move(loaded->lines);
  return PrintableVoucher(state);
}

void PaintVouchers(QPagedPaintDevice& device, const std::vector<PrintedVoucher>& vouchers,
                   int per_page) {
  per_page = std::clamp(per_page, 1, 3);
  QPainter p(&device);
  const Scale mm{device.logicalDpiX() / 25.4};
  const QRect page(0, 0, device.width(), device.height());
  const int part_height = page.height() / per_page;
  // Title, header, column headings, the totals row and the names take about 40 mm.
  const int rows = std::max(1, (part_height - mm(42)) / mm(7.5));
  int part = 0;
  for (const PrintedVoucher& v : vouchers) {
    std::size_t first = 0;
    do {
      if (part == per_page) {
        device.newPage();
        part = 0;
      }
      const std::size_t count = std::min<std::size_t>(rows, v.lines.size() - first);
      const bool last = first + count >= v.lines.size();
      const QRect area(page.left(), page.top() + part * part_height + mm(4), page.width(),
                       part_height - mm(8));
      PaintVoucherPart(p, area, mm, v, first, count, last);
      first += count;
      ++part;
    } while (first < v.lines.size());
  }
}

void PaintList(QPagedPaintDevice& device, const lists::ListState& list) {
  QPainter p(&device);
  const Scale mm{device.logicalDpiX() / 25.4};
  std::vector<std::size_t> columns;
  for (std::size_t c = 0; c < list.columns.size(); ++c) {
    if (list.columns[c].visible) columns.push_back(c);
  }
  if (columns.empty()) return;
  const int width = device.width() / static_cast<int>(columns.size());
  const int row_height = mm(6);
  auto heading = [&](int& y) {
    p.setFont(Font(14, true));
    p.drawText(QRect(0, y, device.width(), mm(9)), Qt::AlignCenter, ToQt(list.title));
    y += mm(10);
    p.setFont(Font(8, true));
    for (std::size_t i = 0; i < columns.size(); ++i) {
      p.drawText(QRect(static_cast<int>(i) * width + mm(1), y, width - mm(2), row_height),
                 Qt::AlignLeft | Qt::AlignVCenter, ToQt(list.columns[columns[i]].caption));
    }
    y += row_height;
    p.drawLine(0, y, device.width(), y);
    p.setFont(Font(8));
  };
  int y = 0;
  heading(y);
  for (const host::Recordset::Row& row : list.rows) {
    if (y + row_height > device.height()) {
      device.newPage();
      y = 0;
      heading(y);
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
      p.drawText(QRect(static_cast<int>(i) * width + mm(1), y, width - mm(2), row_height),
                 Qt::AlignLeft | Qt::AlignVCenter, ToQt(lists::CellTextOf(row.at(columns[i]))));
    }
    y += row_height;
  }
}

namespace {

template <class Paint>
bool ToPdf(const std::string& path, QPageLayout::Orientation orientation, Paint paint) {
  QPdfWriter writer(ToQt(path));
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageOrientation(orientation);
  writer.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
  writer.setResolution(300);
  writer.setTitle(QStringLiteral("记账凭证"));
  paint(writer);
  return true;
}

}  // namespace

bool VouchersToPdf(const std::vector<PrintedVoucher>& vouchers, int per_page,
                   const std::string& path) {
  return ToPdf(path, QPageLayout::Portrait,
               [&](QPagedPaintDevice& device) { PaintVouchers(device, vouchers, per_page); });
}

bool ListToPdf(const lists::ListState& list, const std::string& path) {
  return ToPdf(path, QPageLayout::Landscape,
               [&](QPagedPaintDevice& device) { PaintList(device, list); });
}

void PreviewVouchers(QWidget* parent, const std::vector<PrintedVoucher>& vouchers, int per_page) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(QStringLiteral("打印预览 - 记账凭证"));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&](QPrinter* target) { PaintVouchers(*target, vouchers, per_page); });
  preview.exec();
}

void PreviewList(QWidget* parent, const lists::ListState& list) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(QStringLiteral("打印预览 - ") + ToQt(list.title));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&](QPrinter* target) { PaintList(*target, list); });
  preview.exec();
}

}  // namespace lumvoucher::ui
