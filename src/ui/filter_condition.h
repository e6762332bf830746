#pragma once

#include <optional>
#include <string>

namespace lumvoucher::ui {

// The fields of the voucher list's filter dialog, as the user filled them ("" and 0: not used).
struct FilterFields {
  enum class Status { kAny, kUnreviewed, kReviewed, kSigned, kPosted, kVoid, kError };

  std::string date_from;  // yyyy-mm-dd, the list's date range
  std::string date_to;
  int year = 0;  // with `period`: one accounting period
  int period = 0;
  long voucher_type_id = 0;
  std::string voucher_type_code;  // for the description
  long number_from = 0;
  long number_to = 0;
  std::string summary;      // a line's summary contains it, literally (quotes, % and _ included)
  std::string account;      // an account code; its sub-accounts count too
  std::string amount_from;  // decimal text
  std::string amount_to;
  long maker_id = 0;
  long checker_id = 0;
  long poster_id = 0;
  std::string maker_name;  // for the description
  std::string checker_name;
  std::string poster_name;
  Status status = Status::kAny;
  std::string advanced;  // a condition in the database's SQL, for those who want it
};

// The condition over the list's tables (Oracle SQL; the list adds it with " And (...)"), every
// typed value quoted and its LIKE wildcards escaped. A voucher matches when one of its lines
// matches the summary, account and amount fields. Empty when no field is used. Nothing when a
// field holds what is not a number (the dialog says which).
std::optional<std::string> BuildCondition(const FilterFields& fields);

// What the list shows above its rows: "期间 2026-02；摘要含“差旅”；状态 未复核".
std::string DescribeFilter(const FilterFields& fields);

// The decimal text of an amount field, checked: digits with at most one point, optional sign.
bool IsDecimalText(const std::string& text);

}  // namespace lumvoucher::ui
