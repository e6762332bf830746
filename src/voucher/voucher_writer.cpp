#include "voucher/voucher_writer.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <string_view>

#include "cashflow/mdl_cash_flow.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "frame/uniqueness_stamp.h"
#include "frame/voucher_conflict.h"
#include "frame/voucher_lookup.h"
#include "frame/voucher_removal.h"
#include "host/cls_account.h"
#include "host/cls_base_class.h"
#include "host/cls_business_pub.h"
#include "host/read_scope.h"
#include "links/split_writer.h"
#include "voucher/cost_collection.h"

namespace lumvoucher::voucher {

namespace {

using frame::SqlNumber;
using frame::SqlText;

std::string N(long value) {
  return std::to_string(value);
}

std::string B(bool value) {
  return value ? "1" : "0";
}

// An empty date column holds one blank.
std::string_view DateOrBlank(const std::string& date) {
  return frame::StringOut(date, " ").empty() ? std::string_view(" ") : std::string_view(date);
}

std::string Today() {
  auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  return frame::DateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

long NumberOf(const VoucherHeader& h) {
  return host::clsBaseClass::TextToLong(h.number);
}

// The one stored amount of a line and its side: whichever cell is not zero.
struct Stored {
  double amount;
  int direction;
};
Stored StoredAmount(const VoucherLine& line) {
  if (line.debit != 0) return {line.debit, kDebit};
  if (line.credit != 0) return {line.credit, kCredit};
  return {0, line.direction == kCredit ? kCredit : kDebit};
}

// Lines without a currency are in the book currency.
struct LocalCurrency {
  std::optional<long> id;
  long Get() {
    if (!id) {
      host::Recordset rs = host::OpenRemembered(
          frame::Data(),
          "Select lngCurrencyID From Currencys Where blnIsLocal=1 Order By lngCurrencyID");
      id = rs.Empty() ? 1L : static_cast<long>(rs["lngCurrencyID"].AsLong());
    }
    return *id;
  }
};

// "code1/code2" of the accounts on one side, each code once, in line order.
std::string SideCodes(const std::vector<VoucherLine>& lines, int side,
                      const host::VoucherBasis& basis) {
  std::string out;
  std::vector<std::string> seen;
  for (const VoucherLine& line : lines) {
    if (StoredAmount(line).direction != side) continue;
    std::string code =
        frame::StringOut(line.account_text.substr(0, line.account_text.find(' ')), " ");
    if (code.empty() && line.account_id != 0) code = frame::AccountCode(line.account_id, basis);
    bool known = false;
    for (const std::string& s : seen) known = known || s == code;
    if (known || code.empty()) continue;
    seen.push_back(code);
    out += (out.empty() ? "" : "/") + code;
  }
  return out;
}

void AppendNumber(std::string& out, long value) {
  char digits[24];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, end);
}

// A statement's columns in the order it writes them, their values written as they come: the
// names and values of an INSERT, or the assignments of an UPDATE. A line's INSERT runs to some
// 600 characters; pieced together from a string per value it cost a save more than its run.
class Columns {
 public:
  enum class For { kInsert, kUpdate };
  // Room for the widest of them (some 25 columns) without growing.
  explicit Columns(For use) : insert_(use == For::kInsert) {
    if (insert_) names_.reserve(448);
    values_.reserve(insert_ ? 320 : 768);
  }

  void Whole(std::string_view name, long value) { AppendNumber(Next(name), value); }
  void Flag(std::string_view name, bool value) { Next(name) += value ? '1' : '0'; }
  void Number(std::string_view name, double value) { Next(name) += SqlNumber(value); }
  void Text(std::string_view name, std::string_view value) {
    frame::AppendSqlText(Next(name), value);
  }

  // ",name1,name2" and ",value1,value2" of an INSERT.
  const std::string& Names() const { return names_; }
  const std::string& Values() const { return values_; }
  // "name1=value1,name2=value2" of an UPDATE.
  const std::string& Sets() const { return values_; }

 private:
  // Where the next value goes, its name written.
  std::string& Next(std::string_view name) {
    if (insert_) {
      names_ += ',';
      names_ += name;
      values_ += ',';
    } else {
      if (!values_.empty()) values_ += ',';
      values_ += name;
      values_ += '=';
    }
    return values_;
  }

  bool insert_;
  std::string names_;
  std::string values_;
};

// What a line's current-account item is matched on besides account and side: the currency (none
// is the book's), the auxiliary items and the flexible key.
std::string ItemKey(long currency, long unit, long department, long employee, long class1,
                    long class2, const std::string& flexible, LocalCurrency& local) {
  return N(currency != 0 ? currency : local.Get()) + "|" + N(unit) + "|" + N(department) + "|" +
         N(employee) + "|" + N(class1) + "|" + N(class2) + "|" + frame::StringOut(flexible, " ");
}
std::string ItemKey(host::Recordset& line, LocalCurrency& local) {
  auto id = [&line](const char* column) { return static_cast<long>(line[column].AsLong()); };
  return ItemKey(id("lngCurrencyID"), id("lngCustomerID"), id("lngDepartmentID"),
                 id("lngEmployeeID"), id("lngClassID1"), id("lngClassID2"),
                 line["strFlexibleId"].AsText(), local);
}
std::string ItemKey(const VoucherLine& line, LocalCurrency& local) {
  return ItemKey(line.currency_id, line.unit_id, line.department_id, line.employee_id,
                 line.class1_id, line.class2_id, line.flexible_id, local);
}

// The line columns in the order the save writes them.
Columns ValuesOf(const VoucherLine& line, int row, LocalCurrency& local,
                 const std::string& sys_date, Columns::For use) {
  Stored s = StoredAmount(line);
  long currency = line.currency_id;
  double rate = line.rate;
  double currency_amount = line.currency_amount;
  if (currency == 0) {
    currency = local.Get();
    rate = 1;
    currency_amount = s.amount;
  }
  std::string flexible = frame::StringOut(line.flexible_id, " ").empty() ? " " : line.flexible_id;
  Columns c(use);
  c.Text("strRemark", line.remark);
  c.Number("dblAmount", s.amount);
  c.Number("dblRate", rate);
  c.Number("dblQuantity", line.quantity);
  c.Number("dblPrice", line.price);
  c.Number("dblCurrencyAmount", currency_amount);
  c.Whole("lngAccountID", line.account_id);
  c.Whole("lngCurrencyID", currency);
  c.Whole("lngCustomerID", line.unit_id);
  c.Whole("lngDepartmentID", line.department_id);
  c.Whole("lngEmployeeID", line.employee_id);
  c.Whole("lngClassID1", line.class1_id);
  c.Whole("lngClassID2", line.class2_id);
  c.Whole("intDirection", s.direction);
  c.Text("strCheckNumber", line.check_number);
  c.Text("strCheckDate", DateOrBlank(line.check_date));
  c.Text("strBusinessDate", DateOrBlank(line.business_date));
  c.Whole("lngPaymentMethodID", line.payment_method_id);
  c.Whole("lngOrganizationID", line.organization_id);
  c.Text("strFlexibleId", flexible);
  c.Whole("lngRowID", row);
  c.Text("strCashFlowCode", line.cash_flow_code);
  c.Text("strSysDate", sys_date);
  return c;
}

Columns HeaderValues(const VoucherHeader& h, const std::vector<VoucherLine>& lines,
                     const host::VoucherBasis& basis, Columns::For use) {
  std::string volume = frame::StringOut(h.volume, " ").empty() ? "0000" : h.volume;
  Columns c(use);
  c.Whole("intYear", h.year);
  c.Whole("bytPeriod", h.period);
  c.Text("strDate", h.date);
  c.Whole("lngTemplateID", h.template_id);
  c.Whole("intNumber", host::clsBaseClass::TextToLong(h.attachments));
  c.Whole("lngVoucherTypeID", h.type_id);
  c.Whole("intVoucherNO", NumberOf(h));
  c.Whole("lngOperatorID", h.maker_id);
  c.Whole("lngCheckerID", h.checker_id);
  c.Whole("lngPostID", h.poster_id);
  c.Whole("lngTellerID", h.teller_id);
  c.Text("strManager", h.manager);
  c.Text("strDebitAccountCode", SideCodes(lines, kDebit, basis));
  c.Text("strCreditAccountCode", SideCodes(lines, kCredit, basis));
  c.Whole("lngVoucherSourceID", h.source_id);
  c.Flag("blnIsPrint", h.print_mark);
  c.Flag("blnIsVoid", h.void_mark);
  c.Whole("lngSourceVoucherID", h.source_voucher_id);
  c.Flag("blnIsError", h.error_mark);
  c.Text("strError", h.error_text);
  c.Whole("lngSourceOrganizationID", h.source_organization_id);
  c.Text("strVolume", volume);
  return c;
}

std::string InsertSql(std::string_view table, const char* key_column, long key, const char* parent,
                      long parent_id, const Columns& columns) {
  std::string sql;
  sql.reserve(table.size() + columns.Names().size() + columns.Values().size() + 128);
  sql += "INSERT INTO ";
  sql += table;
  sql += " (";
  sql += key_column;
  if (parent != nullptr) {
    sql += ',';
    sql += parent;
  }
  sql += columns.Names();
  sql += ") VALUES (";
  AppendNumber(sql, key);
  if (parent != nullptr) {
    sql += ',';
    AppendNumber(sql, parent_id);
  }
  sql += columns.Values();
  sql += ')';
  return sql;
}

std::string UpdateSql(const std::string& table, const char* key_column, long key,
                      const Columns& columns) {
  return "UPDATE " + table + " SET " + columns.Sets() + " WHERE " + key_column + "=" + N(key);
}

// The writes whose count nobody reads may wait for the next statement that needs an answer
// (DataAccess::ExecuteDeferred); `now` when a failure must not surface inside the next step.
void Write(const std::string& sql, bool now = false) {
  host::DataAccess& data = frame::Data();
  if (now) {
    data.Execute(sql);
  } else {
    data.ExecuteDeferred(sql);
  }
}

void MarkCheckUsed(const VoucherHeader& h, const VoucherLine& line, long line_id, long currency,
                   bool now) {
  if (frame::StringOut(line.check_number, " ").empty()) return;
  Write("UPDATE CheckDetail SET blnIsUsed=1,strUseDate='" + h.date + "',dblCurrAmount=" +
            SqlNumber(StoredAmount(line).amount) + ",lngVoucherDetailID= " + N(line_id) +
            " WHERE lngAccountID=" + N(line.account_id) + " AND lngCurrencyID=" + N(currency) +
            " AND lngPaymentMethodID=" + N(line.payment_method_id) + " AND strCheckNo=" +
            SqlText(line.check_number) + " And lngOrganizationID = " + N(frame::OrganizationId()),
        now);
}

// A stored voucher that holds the number a program writes its voucher with is overwritten when
// nobody has worked on it yet and it came from the same source. A number held by a voucher of
// the other basis is not overwritten.
void CoverStoredVoucher(const VoucherHeader& h, const host::VoucherBasis& basis) {
  const long number = NumberOf(h);
  long stored = frame::Login().account->VoucherByNumber(
      host::kReceiptTypeVoucher, h.year, h.period, h.type_id, number, h.source_organization_id);
  if (stored == 0) return;
  host::DataAccess& data = frame::Data();
  host::Recordset rs = data.OpenRecordset(
      std::string("SELECT lngCheckerID,lngTellerID,lngPostID,blnIsVoid,lngVoucherSourceID FROM ") +
      basis.voucher_table + " WHERE lngVoucherID=" + N(stored));
  if (rs.Empty()) throw CoverRefused(basis.IsBudget() ? "财务凭证" : "预算凭证");
  if (rs["lngPostID"].AsLong() != 0) throw CoverRefused("已记账");
  if (rs["lngCheckerID"].AsLong() != 0) throw CoverRefused("已复核");
  if (rs["lngTellerID"].AsLong() != 0) throw CoverRefused("已出纳签字");
  if (rs["blnIsVoid"].AsBool()) throw CoverRefused("已作废");
  if (rs["lngVoucherSourceID"].AsLong() != h.source_id) throw CoverRefused("来源不同");
  frame::DeleteStoredVoucher(data, stored, basis);
}

// Whether a line is on a receivable or payable account of the shared chart, the only lines the
// current-account detail takes. The chart is remembered under the account set's change stamp, so
// most saves (no such line) skip the detail's insert, a join the server plans and runs each time.
bool AnyCurrentAccountLine(const std::vector<VoucherLine>& lines) {
  const host::Recordset current = host::OpenRemembered(
      frame::Data(), "Select lngAccountID From Account Where lngAccountNatureID In (3,4)");
  for (const host::Recordset::Row& row : current.Rows()) {
    const long account = static_cast<long>(row[0].AsLong());
    for (const VoucherLine& line : lines) {
      if (line.account_id == account) return true;
    }
  }
  return false;
}

void RebuildCurrentAccountDetail(long id, bool stored_before,
                                 const std::vector<VoucherLine>& lines) {
  if (stored_before) {
    Write("Delete From CashQARAPDETAIL1 Where strARAPSource='3' And lngActivityID = " + N(id));
  }
  if (!AnyCurrentAccountLine(lines)) return;
  // The text is some 2 000 characters: appended to once, not copied through temporaries.
  static constexpr std::string_view kInsert =
      "Insert Into CashQARAPDETAIL1(strARAPSource,intDirection,lngActivityTypeID,lngReceiptTypeID,"
      "lngActivityID,lngActivityDetailID,lngCustomerID,lngCurrencyID,lngAccountID,lngDepartmentID,"
      "lngEmployeeID,lngClassID1,lngClassID2,lngOperatorID,strReceiptNo,lngReceiptNo,strDate,"
      "strReceiptDate,strDueDate,dblCurrAmount,dblCurrPaymentAmount,dblAmount,dblRate,strNote,"
      "strCheckNumber,lngVoucherID,lngRowID,bytStatus,lngOrganizationID,strFlexibleID,lngItemID,"
      "dblFactor,bytDigit,lngTermID,lngJobID,lngCustomID0,lngCustomID1,lngCustomID2,lngCustomID3,"
      "lngCustomID4,lngCustomID5,dblQuantity,dblPaymentQuantity,blnIsSpecial,intReceiptDirection,"
      "strUnitName) SELECT '3',VoucherDetail.intDirection,0,41,Voucher.lngVoucherID,"
      "VoucherDetail.lngVoucherDetailID,VoucherDetail.lngCustomerID,VoucherDetail.lngCurrencyID,"
      "VoucherDetail.lngAccountID,VoucherDetail.lngDepartmentID,VoucherDetail.lngEmployeeID,"
      "VoucherDetail.lngClassID1,VoucherDetail.lngClassID2,Voucher.lngOperatorID,"
      "VoucherType.strVoucherTypeCode,Voucher.intVoucherNO,Voucher.strDate,Voucher.strDate,"
      "Voucher.strDate,VoucherDetail.dblCurrencyAmount*VoucherDetail.intDirection,"
      "VoucherDetail.dblCurrPaymentAmount*VoucherDetail.intDirection,"
      "VoucherDetail.dblAmount*VoucherDetail.intDirection,VoucherDetail.dblRate,"
      "VoucherDetail.strRemark,VoucherDetail.strCheckNumber,Voucher.lngVoucherID,"
      "VoucherDetail.lngRowID,2,VoucherDetail.lngOrganizationID,VoucherDetail.strFlexibleID,0,0,0,"
      "0,0,0,0,0,0,0,0,0,0,0,0,' ' FROM Voucher,VoucherDetail,VoucherType,Account WHERE "
      "Voucher.lngVoucherID=VoucherDetail.lngVoucherID AND "
      "Voucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID AND "
      "VoucherDetail.lngAccountID=Account.lngAccountID AND Account.lngAccountNatureID In (3,4) AND "
      "Voucher.blnIsVoid=0 AND Voucher.lngVoucherSourceID IN (1,2,13,14,16) AND "
      "Voucher.lngVoucherID=";
  std::string sql;
  sql.reserve(kInsert.size() + 24);
  sql += kInsert;
  AppendNumber(sql, id);
  Write(sql);
}

void FollowCostApportion(const VoucherHeader& h, long id) {
  Write("update costapportion set strDate = '" + h.date + "',intYear = " + N(h.year) +
        ",bytPeriod = " + N(h.period) +
        " where costApportion.lngVoucherDetailID in (select "
        "voucherdetail.lngvoucherdetailid from voucherdetail where "
        "voucherdetail.lngvoucherid = " +
        N(id) + ")");
  Write("update HisCostApportion set strImportDate = '" + h.date + "',intyear = " + N(h.year) +
        ",bytperiod = " + N(h.period) + " where hiscostapportion.lngVoucherID = " + N(id));
  Write(" Update CostApportion Set CostApportion.blnIsVoid = " + B(h.void_mark) +
        " Where CostApportion.lngVoucherDetailID In  (select lngVoucherDetailID From "
        "VoucherDetail  Where lngVoucherID = " +
        N(id) + ")");
  Write(" Update HisCostApportion Set HisCostApportion.blnIsVoid = " + B(h.void_mark) +
        " Where HisCostApportion.lngVoucherID = " + N(id));
}

// The settlement, contract and cost splits the line holds go in with the voucher.
// `rebook`: the line's item, settled by other lines, is rebooked with what the line now is.
void WriteHeldSplits(const VoucherHeader& h, long id, const VoucherLine& line, long line_id,
                     bool rebook) {
  const links::SplitVoucher voucher{id, h.date, h.year, h.period, h.type_id, NumberOf(h)};
  if (rebook && !line.splits.settlement) {
    links::LineSplits splits = line.splits;
    splits.settlement.emplace();
    links::WriteLineSplits(voucher, line_id, splits);
  } else if (!line.splits.Empty()) {
    links::WriteLineSplits(voucher, line_id, line.splits);
  }
}

}  // namespace

std::string TypeAndNumber(const std::string& type_code, const std::string& number) {
  return type_code + "-" + number;
}

std::string MarksOnlySql(const VoucherHeader& h, const host::VoucherBasis& basis) {
  return std::string("UPDATE ") + basis.voucher_table + " SET blnisprint=" + B(h.print_mark) +
         ",blnIsError = " + B(h.error_mark) + ",strError = " + SqlText(h.error_text) +
         " where lngVoucherID=" + N(h.voucher_id);
}

WriteResult WriteVoucher(const WriteRequest& request) {
  host::DataAccess& data = frame::Data();
  host::LoginContext& login = frame::Context();
  const VoucherHeader& h = request.header;
  const host::VoucherBasis& basis = *request.basis;
  const std::string table = basis.voucher_table;
  const std::string detail = basis.detail_table;
  const bool financial = !basis.IsBudget();
  WriteResult result;
  LocalCurrency local;
  const std::string sys_date = Today();
  const Columns header_values = HeaderValues(
      h, request.lines, basis, h.voucher_id == 0 ? Columns::For::kInsert : Columns::For::kUpdate);

  // Stored lines by id with their stored side and check number.
  struct OldLine {
    int direction;
    std::string check;
    long account_id;
    double amount;
    std::string item_key;
  };
  std::map<long, OldLine> old_lines;
  std::set<long> rebooked;
  bool moved_date = false;
  long id = h.voucher_id;
  if (id == 0) {
    if (request.cover) CoverStoredVoucher(h, basis);
    // Budget vouchers draw from the same counter, so that no id names a voucher of each basis.
    id = login.NextId("VOUCHER");
    Write(InsertSql(table, "lngVoucherID", id, nullptr, 0, header_values));
  } else {
    host::Recordset old =
        data.OpenRecordset("SELECT * FROM " + table + " where lngVoucherID=" + N(id));
    // Another desktop deleted the voucher since it was shown: nothing of it may be written.
    if (old.Empty()) throw frame::VoucherConflict();
    moved_date = financial && old["strDate"].AsText() != h.date;
    {
      host::Recordset type =
          data.OpenRecordset("Select strVoucherTypeCode From VoucherType Where lngVoucherTypeID=" +
                             N(static_cast<long>(old["lngVoucherTypeID"].AsLong())));
      result.old_type_and_number =
          TypeAndNumber(type.Empty() ? std::string() : type["strVoucherTypeCode"].AsText(),
                        frame::VoucherNoText(old["intVoucherNO"].AsLong()));
      result.old_period = static_cast<int>(old["bytPeriod"].AsLong());
    }
    host::Recordset lines =
        data.OpenRecordset("SELECT * FROM " + detail + "  WHERE lngVoucherID=" + N(id));
    for (; !lines.Eof(); lines.MoveNext()) {
      old_lines[static_cast<long>(lines["lngVoucherDetailID"].AsLong())] = {
          static_cast<int>(lines["intDirection"].AsLong()), lines["strCheckNumber"].AsText(),
          static_cast<long>(lines["lngAccountID"].AsLong()), lines["dblAmount"].AsDouble(),
          ItemKey(lines, local)};
    }
    std::map<long, const VoucherLine*> kept;
    for (const VoucherLine& line : request.lines) {
      if (line.line_id != 0 && old_lines.count(line.line_id) != 0) kept[line.line_id] = &line;
    }
    for (const auto& [line_id, old_line] : old_lines) {
      auto k = kept.find(line_id);
      if (k == kept.end()) {
        frame::ReleaseGoneLines(data, frame::LineSet::Line(line_id));
        Write("DELETE FROM " + detail + " WHERE lngVoucherDetailID=" + N(line_id));
        continue;
      }
      if (!financial) continue;
      const Stored now = StoredAmount(*k->second);
      const bool amount_changed = std::fabs(now.amount - old_line.amount) > 1e-9;
      const bool moved =
          now.direction != old_line.direction || k->second->account_id != old_line.account_id;
      const bool key_changed = moved || ItemKey(*k->second, local) != old_line.item_key;
      if (amount_changed || key_changed) {
        const links::LineSplits& held = k->second->splits;
        // What the line settled is released, but the settlements other lines made of its item
        // stand: that item stays and follows the line (unless it would leave what they settled).
        const bool rebook =
            links::KeepSettledItem(line_id, key_changed, now.amount) && !held.settlement;
        if (rebook) rebooked.insert(line_id);
        // Other auxiliary items only unsettle the line; its contract and cost rows stay.
        const bool items_only = !amount_changed && !moved;
        frame::ReleaseChangedLineSplits(
            data, line_id, amount_changed,
            {held.settlement.has_value() || rebook, held.contract.has_value() || items_only,
             held.cost.has_value()});
      }
      if (now.direction != old_line.direction) {
        Write("UPDATE VoucherCashFlow SET dblAmount=-dblAmount WHERE lngVoucherDetailID=" +
              N(line_id));
      }
      if (k->second->clear_cost_collection) {
        for (const std::string& sql : ClearCostCollectionSql(line_id)) Write(sql);
      }
      // A kept line that changed its bill gives the old one back before taking the new one.
      if (frame::StringOut(old_line.check, " ") != frame::StringOut(k->second->check_number, " ")) {
        Write(frame::FreeChecksSql(frame::LineSet::Line(line_id)));
      }
    }
    frame::ReleaseVoucherLinks(data, id, h.source_id == 16 ? h.source_voucher_id : 0, basis);
    frame::ExecuteOnVoucher(data, UpdateSql(table, "lngVoucherID", id, header_values));
  }

  int row = 0;
  for (const VoucherLine& line : request.lines) {
    ++row;
    long line_id = line.line_id;
    const bool stored = line_id != 0 && old_lines.count(line_id) != 0;
    const Columns values = ValuesOf(line, row, local, sys_date,
                                    stored ? Columns::For::kUpdate : Columns::For::kInsert);
    // A settlement's write reports its failures as its own: nothing deferred may fail in it.
    const bool settles = financial && (line.splits.settlement || rebooked.count(line_id) != 0);
    if (stored) {
      frame::ExecuteOnVoucher(data, UpdateSql(detail, "lngVoucherDetailID", line_id, values),
                              frame::kVoucherChanged);
    } else {
      line_id = login.NextId("VOUCHERDETAIL");
      Write(InsertSql(detail, "lngVoucherDetailID", line_id, "lngVoucherID", id, values), settles);
    }
    if (financial) {
      MarkCheckUsed(h, line, line_id, line.currency_id != 0 ? line.currency_id : local.Get(),
                    settles);
      WriteHeldSplits(h, id, line, line_id, rebooked.count(line_id) != 0);
    }
    result.line_ids.push_back(line_id);
  }

  frame::Login().business_pub->VoucherNumberUsed(h.year, h.period, host::kReceiptTypeVoucher,
                                                 h.type_id, NumberOf(h), -1);
  if (financial) {
    // A kept line whose account stopped being a cash account keeps no cash-flow split.
    if (!old_lines.empty() && !result.line_ids.empty()) {
      cashflow::PurgeCashFlowRows(result.line_ids.front());
    }
    // A new voucher's id and line ids are fresh: only its own held splits can name them.
    const bool stored_before = h.voucher_id != 0;
    bool holds_splits = false;
    for (const VoucherLine& line : request.lines)
      holds_splits = holds_splits || !line.splits.Empty();
    RebuildCurrentAccountDetail(id, stored_before, request.lines);
    // After the lines: the settlements they now hold are the ones the date must keep.
    if (moved_date) links::KeepSettlementsDated(id, h.date);
    if (stored_before || holds_splits) FollowCostApportion(h, id);
  }
  frame::RefreshUQStamps("v.lngVoucherID = " + N(id));
  result.voucher_id = id;
  return result;
}

}  // namespace lumvoucher::voucher
