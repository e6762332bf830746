#include "ui/renumber_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include "numbering/numbering_texts.h"
#include "ui/qt_text.h"
#include "ui/run_progress.h"

namespace lumvoucher::ui {

namespace texts = numbering::texts;

RenumberDialog::RenumberDialog(std::unique_ptr<numbering::frmVoucherRenumber> presenter,
                               QWidget* parent)
    : RenumberDialog(*presenter, parent) {
  owned_ = std::move(presenter);
}

RenumberDialog::RenumberDialog(numbering::frmVoucherRenumber& presenter, QWidget* parent)
    : QDialog(parent), presenter_(presenter) {
  setObjectName(ToQt(texts::kRenumberWindowName));
  setWindowTitle(ToQt(texts::kRenumberTitle));
  resize(980, 620);
  const numbering::RenumberState& s = presenter_.State();

  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* form = new QFormLayout;
  organization_ = new QComboBox(this);
  for (const numbering::Choice& c : s.organizations) {
    organization_->addItem(ToQt(c.code + " " + c.name), QVariant::fromValue<qlonglong>(c.id));
  }
  year_ = new QSpinBox(this);
  year_->setRange(1900, 9999);
  // A year or period is checked once typed, not at each digit.
  year_->setKeyboardTracking(false);
  period_ = new QSpinBox(this);
  period_->setRange(0, 99);
  period_->setKeyboardTracking(false);
  type_ = new QComboBox(this);
  for (const numbering::Choice& c : s.types) {
    type_->addItem(ToQt(c.id == -1 ? c.code : c.code + " " + c.name),
                   QVariant::fromValue<qlonglong>(c.id));
  }
  form->addRow(ToQt(texts::kOrganizationCaption), organization_);
  form->addRow(ToQt(texts::kYearCaption), year_);
  form->addRow(ToQt(texts::kPeriodCaption), period_);
  form->addRow(ToQt(texts::kTypeCaption), type_);
  left->addLayout(form);
  if (presenter_.Basis().IsDual()) left->addWidget(new QLabel(ToQt(texts::kDualBasisNote), this));

  auto* scope = new QGroupBox(this);
  auto* scope_layout = new QVBoxLayout(scope);
  whole_ = new QRadioButton(ToQt(texts::kWholePeriod), scope);
  range_mode_ = new QRadioButton(ToQt(texts::kRanges), scope);
  ranges_ = new QTableWidget(0, 3, scope);
  ranges_->setHorizontalHeaderLabels(
      {ToQt(texts::kTypeCaption), QStringLiteral("开始凭证号"), QStringLiteral("结束凭证号")});
  ranges_->verticalHeader()->hide();
  ranges_->horizontalHeader()->setStretchLastSection(true);
  auto* range_buttons = new QHBoxLayout;
  auto* add_range = new QPushButton(QStringLiteral("增加段号"), scope);
  auto* remove_range = new QPushButton(QStringLiteral("删除段号"), scope);
  range_buttons->addWidget(add_range);
  range_buttons->addWidget(remove_range);
  scope_layout->addWidget(whole_);
  scope_layout->addWidget(range_mode_);
  scope_layout->addWidget(ranges_);
  scope_layout->addLayout(range_buttons);
  left->addWidget(scope);
  by_date_ = new QCheckBox(ToQt(texts::kByDate), this);
  left->addWidget(by_date_);

  query_ = new QPushButton(ToQt(texts::kQueryButton), this);
  renumber_ = new QPushButton(ToQt(texts::kRenumberButton), this);
  auto* print = new QPushButton(QStringLiteral("打印(&P)"), this);
  auto* pdf = new QPushButton(QStringLiteral("存为PDF"), this);
  auto* close = new QPushButton(QStringLiteral("关闭(&X)"), this);
  for (QPushButton* b : {query_, renumber_, print, pdf, close}) {
    b->setAutoDefault(false);
    left->addWidget(b);
  }
  left->addStretch(1);
  layout->addLayout(left);

  auto* split = new QSplitter(Qt::Vertical, this);
  report_ = new QPlainTextEdit(split);
  report_->setReadOnly(true);
  report_->setLineWrapMode(QPlainTextEdit::NoWrap);
  report_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  ledger_ = new QTableWidget(0, 3, split);
  ledger_->setHorizontalHeaderLabels(
      {QStringLiteral("凭证字号"), QStringLiteral("状态"), QStringLiteral("说明")});
  ledger_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ledger_->verticalHeader()->hide();
  ledger_->horizontalHeader()->setStretchLastSection(true);
  split->addWidget(report_);
  split->addWidget(ledger_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  layout->addWidget(split, 1);

  connect(organization_, &QComboBox::activated, this, [this](int index) {
    presenter_.SetOrganization(static_cast<long>(organization_->itemData(index).toLongLong()));
    Render();
  });
  connect(year_, &QSpinBox::valueChanged, this, [this](int year) {
    if (rendering_) return;
    presenter_.SetYear(year);
    Render();
  });
  connect(period_, &QSpinBox::valueChanged, this, [this](int period) {
    if (rendering_) return;
    presenter_.SetPeriod(period);
    Render();
  });
  connect(type_, &QComboBox::activated, this, [this](int index) {
    presenter_.SetVoucherType(static_cast<long>(type_->itemData(index).toLongLong()));
  });
  connect(range_mode_, &QRadioButton::toggled, this, [this](bool on) {
    presenter_.SetRangeMode(on);
    Render();
  });
  connect(by_date_, &QCheckBox::toggled, this, [this](bool on) { presenter_.SetByDate(on); });
  connect(add_range, &QPushButton::clicked, this, [this] {
    const int row = ranges_->rowCount();
    ranges_->insertRow(row);
    BuildRangeRow(row);
  });
  connect(remove_range, &QPushButton::clicked, this, [this] {
    const int row = ranges_->currentRow();
    if (row < 0) return;
    presenter_.RemoveRange(row);
    Render();
  });
  connect(ranges_, &QTableWidget::cellChanged, this, [this](int row, int) {
    if (!rendering_) CommitRange(row);
  });
  connect(query_, &QPushButton::clicked, this, [this] { QueryNumbers(); });
  connect(renumber_, &QPushButton::clicked, this, [this] { RenumberNumbers(); });
  connect(print, &QPushButton::clicked, this, [this] {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) PrintReport(printer);
  });
  connect(pdf, &QPushButton::clicked, this, [this] {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("存为PDF"), ToQt(presenter_.State().report_title) + ".pdf",
        QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty()) SavePdf(path);
  });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  Render();
}

RenumberDialog::~RenumberDialog() = default;

void RenumberDialog::BuildRangeRow(int row) {
  auto* combo = new QComboBox(ranges_);
  for (const numbering::Choice& c : presenter_.State().types) {
    if (c.id != -1) combo->addItem(ToQt(c.code), QVariant::fromValue<qlonglong>(c.id));
  }
  ranges_->setCellWidget(row, 0, combo);
  connect(combo, &QComboBox::activated, this, [this, combo] {
    for (int r = 0; r < ranges_->rowCount(); ++r) {
      if (ranges_->cellWidget(r, 0) == combo) CommitRange(r);
    }
  });
  const QSignalBlocker block(ranges_);
  for (int column : {1, 2}) {
    if (ranges_->item(row, column) == nullptr) ranges_->setItem(row, column, new QTableWidgetItem);
  }
}

void RenumberDialog::CommitRange(int row) {
  auto* combo = qobject_cast<QComboBox*>(ranges_->cellWidget(row, 0));
  QTableWidgetItem* start = ranges_->item(row, 1);
  QTableWidgetItem* end = ranges_->item(row, 2);
  if (combo == nullptr || start == nullptr || end == nullptr || start->text().isEmpty() ||
      end->text().isEmpty()) {
    return;
  }
  const int stored = static_cast<int>(presenter_.State().range_rows.size());
  presenter_.SetRange(std::min(row, stored), static_cast<long>(combo->currentData().toLongLong()),
                      ToUtf8(start->text()), ToUtf8(end->text()));
  Render();
}

void RenumberDialog::Render() {
  rendering_ = true;
  const numbering::RenumberState& s = presenter_.State();
  organization_->setCurrentIndex(
      organization_->findData(QVariant::fromValue<qlonglong>(s.organization_id)));
  year_->setValue(s.year);
  period_->setValue(s.period);
  type_->setCurrentIndex(type_->findData(QVariant::fromValue<qlonglong>(s.voucher_type_id)));
  whole_->setChecked(!s.ranges);
  range_mode_->setChecked(s.ranges);
  ranges_->setEnabled(s.ranges);
  by_date_->setChecked(s.by_date);
  // Stored ranges, then a row being typed that is not complete yet.
  const int typing = std::max(ranges_->rowCount() - static_cast<int>(s.range_rows.size()), 0);
  ranges_->setRowCount(static_cast<int>(s.range_rows.size()) + std::min(typing, 1));
  for (int row = 0; row < ranges_->rowCount(); ++row) {
    if (ranges_->cellWidget(row, 0) == nullptr) BuildRangeRow(row);
    if (row >= static_cast<int>(s.range_rows.size())) continue;
    const numbering::NumberRange& r = s.range_rows[static_cast<std::size_t>(row)];
    auto* combo = qobject_cast<QComboBox*>(ranges_->cellWidget(row, 0));
    combo->setCurrentIndex(combo->findData(QVariant::fromValue<qlonglong>(r.voucher_type_id)));
    ranges_->item(row, 1)->setText(QString::number(r.start));
    ranges_->item(row, 2)->setText(QString::number(r.end));
  }
  QString text;
  for (const std::string& line : s.report) text += ToQt(line) + QLatin1Char('\n');
  if (report_->toPlainText() != text) report_->setPlainText(text);
  rendering_ = false;
}

void RenumberDialog::RenderLedger() {
  const std::vector<numbering::LedgerLine> lines = presenter_.Explain();
  ledger_->setRowCount(static_cast<int>(lines.size()));
  for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
    const numbering::LedgerLine& l = lines[static_cast<std::size_t>(row)];
    ledger_->setItem(row, 0,
                     new QTableWidgetItem(ToQt(l.type_code) + QStringLiteral("-") +
                                          QString::number(l.number).rightJustified(6, '0')));
    ledger_->setItem(row, 1, new QTableWidgetItem(ToQt(l.status)));
    ledger_->setItem(row, 2, new QTableWidgetItem(ToQt(l.text)));
  }
  ledger_->resizeColumnToContents(0);
}

void RenumberDialog::QueryNumbers() {
  if (!presenter_.Query()) return;
  Render();
  RenderLedger();
}

void RenumberDialog::RenumberNumbers() {
  {
    RunProgress<numbering::frmVoucherRenumber> progress(this, ToQt(texts::kTitleRenumber),
                                                        presenter_);
    presenter_.Renumber();
  }
  Render();
  RenderLedger();
}

void RenumberDialog::PrintReport(QPrinter& printer) const {
  QTextDocument document;
  document.setDefaultFont(report_->font());
  QString body =
      ToQt(presenter_.State().report_title) + QStringLiteral("\n\n") + report_->toPlainText();
  document.setPlainText(body);
  document.print(&printer);
}

bool RenumberDialog::SavePdf(const QString& path) const {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  PrintReport(printer);
  return QFile::exists(path);
}

}  // namespace lumvoucher::ui
