#include "templates/external_import.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <unordered_set>
#include <vector>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/calendar_date.h"
#include "host/database_error.h"
#include "host/decimal_text.h"
#include "templates/csv_reader.h"
#include "templates/external_checker.h"
#include "templates/external_posting.h"
#include "templates/external_store.h"
#include "templates/templates_texts.h"

namespace lumvoucher::templates {

namespace {

using F = ExternalField;

std::string Trim(const std::string& text) {
  const std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return std::string();
  return text.substr(b, text.find_last_not_of(" \t") - b + 1);
}

class Importer {
 public:
  Importer(const std::string& path, const CsvLayout& layout, const ImportOptions& options)
      : path_(path),
        file_(std::filesystem::path(path).filename().string()),
        layout_(layout),
        options_(options) {}

  ImportTotals Run();

 private:
  void Issue(long line, const std::string& text) {
    if (options_.issue) options_.issue({file_, line, text});
  }
  bool MapColumns(const CsvRecord& header);
  // The record as a line; `bad` tells whether a field was refused (reported already).
  ExternalLine Parse(const CsvRecord& record, bool& bad);
  void Flush();
  void Handle(std::vector<ExternalLine>& lines);

  std::string path_;
  std::string file_;
  const CsvLayout& layout_;
  const ImportOptions& options_;
  ImportTotals totals_;
  int index_[kExternalFieldCount];
  std::size_t columns_ = 0;
  std::optional<ExternalChecker> checker_;
  std::vector<ExternalLine> group_;
  bool group_bad_ = false;
  std::unordered_set<std::string> seen_;
};

bool Importer::MapColumns(const CsvRecord& header) {
  columns_ = header.fields.size();
  bool complete = true;
  for (int f = 0; f < kExternalFieldCount; ++f) {
    index_[f] = -1;
    for (std::size_t c = 0; c < header.fields.size(); ++c) {
      if (Trim(header.fields[c]) == layout_.columns[f]) {
        index_[f] = static_cast<int>(c);
        break;
      }
    }
    if (index_[f] < 0 && Required(static_cast<F>(f))) {
      Issue(header.line, frame::FormatText(texts::kMissingColumn, {layout_.columns[f]}));
      complete = false;
    }
  }
  return complete;
}

ExternalLine Importer::Parse(const CsvRecord& record, bool& bad) {
  auto text = [&](F f) {
    const int i = index_[static_cast<int>(f)];
    return i < 0 ? std::string() : Trim(record.fields[static_cast<std::size_t>(i)]);
  };
  bad = false;
  auto number = [&](F f) {
    const std::string t = text(f);
    if (t.empty()) return 0.0;
    std::optional<double> value = host::ParseDecimal(t);
    if (!value) {
      Issue(record.line,
            frame::FormatText(texts::kBadNumber, {layout_.columns[static_cast<int>(f)], t}));
      bad = true;
    }
    return value.value_or(0);
  };
  ExternalLine l;
  l.standard = layout_.standard;
  l.key = text(F::kKey);
  l.source_file = file_;
  l.source_line = record.line;
  if (l.key.empty()) {
    Issue(record.line, frame::FormatText(texts::kFieldEmpty, {layout_.columns[0]}));
    bad = true;
  }
  const std::string date = text(F::kDate);
  l.date = host::CalendarDate(date);
  if (l.date.empty()) {
    Issue(record.line, frame::FormatText(texts::kBadDate, {date}));
    bad = true;
  }
  l.remark = text(F::kRemark);
  static constexpr F kCodeFields[kCodeKinds + 1] = {F::kKey,
                                                    F::kAccount,
                                                    F::kCurrency,
                                                    F::kCustomer,
                                                    F::kDepartment,
                                                    F::kEmployee,
                                                    F::kClass1,
                                                    F::kClass2,
                                                    F::kPaymentMethod,
                                                    F::kVoucherType,
                                                    F::kSourceOrganization,
                                                    F::kOrganization};
  for (int kind = kKindAccount; kind <= kCodeKinds; ++kind) l.codes[kind] = text(kCodeFields[kind]);
  l.flexible = text(F::kFlexible);
  l.check_number = text(F::kCheckNumber);
  const std::string attachments = text(F::kAttachments);
  if (!attachments.empty()) {
    std::optional<std::int64_t> n = host::ParseWhole(attachments, 0, 32767);
    if (!n) {
      Issue(record.line,
            frame::FormatText(texts::kBadNumber,
                              {layout_.columns[static_cast<int>(F::kAttachments)], attachments}));
      bad = true;
    }
    l.attachments = static_cast<int>(n.value_or(0));
  }
  const double debit = number(F::kDebit);
  const double credit = number(F::kCredit);
  l.currency_amount = number(F::kCurrencyAmount);
  l.rate = number(F::kRate);
  l.quantity = number(F::kQuantity);
  l.price = number(F::kPrice);
  if (debit != 0 && credit != 0) {
    Issue(record.line, texts::kNoAmount);
    bad = true;
  }
  l.direction = credit != 0 ? -1 : 1;
  l.amount = credit != 0 ? credit : debit;
  return l;
}

void Importer::Handle(std::vector<ExternalLine>& lines) {
  const ExternalLine& head = lines.front();
  const Staged staged = StagedState(head.standard, head.key);
  if (staged == Staged::kPosted) {
    ++totals_.skipped;
    return;
  }
  const bool replace = staged == Staged::kUnposted;
  if (!checker_) checker_.emplace();
  if (!checker_->Check(lines)) {
    for (const ExternalLine& l : lines) {
      if (!l.error.empty()) Issue(l.source_line, l.error);
    }
    ++totals_.refused;
    if (!options_.check_only) {
      // Staged with their errors, for the posting window to show and repair.
      host::TransactionGuard guard(frame::Data());
      Stage(lines, replace);
      guard.Commit();
    }
    return;
  }
  if (options_.check_only) {
    ++totals_.posted;
    return;
  }
  host::TransactionGuard guard(frame::Data());
  Stage(lines, replace);
  if (options_.post) {
    PostOutcome outcome = PostExternalVoucher(*checker_, lines, options_.date);
    if (outcome.result == 1) {
      ++totals_.posted;
    } else {
      for (ExternalLine& l : lines) l.error = texts::kSaveRefused;
      SaveErrors(lines);
      Issue(head.source_line, texts::kSaveRefused);
      ++totals_.refused;
    }
  }
  guard.Commit();
}

void Importer::Flush() {
  if (group_.empty()) return;
  ++totals_.vouchers;
  int n = 0;
  for (ExternalLine& l : group_) l.line_no = ++n;
  if (group_bad_) {
    ++totals_.refused;
  } else {
    try {
      Handle(group_);
    } catch (const host::DatabaseError& e) {
      Issue(group_.front().source_line, e.what());
      ++totals_.refused;
    }
  }
  group_.clear();
  group_bad_ = false;
}

ImportTotals Importer::Run() {
  std::ifstream in(path_, std::ios::binary);
  if (!in) {
    Issue(0, frame::FormatText(texts::kFileUnreadable, {path_}));
    totals_.file_error = true;
    return totals_;
  }
  std::error_code size_error;
  const std::uint64_t size = std::filesystem::file_size(path_, size_error);
  CsvReader reader(in, layout_.gbk);
  CsvRecord record;
  if (!reader.Next(record)) return totals_;
  if (!record.error.empty()) {
    Issue(record.line, record.error);
    totals_.file_error = true;
    return totals_;
  }
  if (!MapColumns(record)) {
    totals_.file_error = true;
    return totals_;
  }
  while (reader.Next(record)) {
    ++totals_.records;
    if (!record.error.empty() || record.fields.size() != columns_) {
      Issue(record.line,
            record.error.empty()
                ? frame::FormatText(texts::kColumnCount, {std::to_string(record.fields.size()),
                                                          std::to_string(columns_)})
                : record.error);
      // A line that cannot be read belongs to no voucher it could be told from.
      ++totals_.refused;
      continue;
    }
    bool bad = false;
    ExternalLine line = Parse(record, bad);
    if (!group_.empty() && line.key != group_.front().key) {
      Flush();
      if (options_.progress) options_.progress(reader.Position(), size_error ? 0 : size);
    }
    if (group_.empty() && !line.key.empty() && !seen_.insert(line.key).second) {
      Issue(record.line, frame::FormatText(texts::kKeyMixed, {line.key}));
      bad = true;
    }
    if (bad) group_bad_ = true;
    group_.push_back(std::move(line));
  }
  Flush();
  if (options_.progress) options_.progress(reader.Position(), size_error ? 0 : size);
  return totals_;
}

}  // namespace

ImportTotals ImportFile(const std::string& path, const CsvLayout& layout,
                        const ImportOptions& options) {
  Importer importer(path, layout, options);
  return importer.Run();
}

}  // namespace lumvoucher::templates
