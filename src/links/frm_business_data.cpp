#include "links/frm_business_data.h"

#include <map>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/business_documents.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::links {

namespace {

using frame::SqlNumber;
using frame::SqlText;

constexpr const char* kTitle = "业务资料";

// Columns the grid does not show: the document's id and kind, the currency's decimals, the line
// that keeps two lines of one document apart in a union.
bool Hidden(const std::string& name) {
  return name == "ID" || name == "AID" || name == "CurrDec" || name == "RateDec" || name == "DID";
}

// The hospital union names its columns for its fixed order; the grid shows them in Chinese.
std::string Caption(const std::string& name) {
  static const std::map<std::string, std::string> names = {
      {"strDate", "日期"},        {"strReceiptName", "单据类型"},
      {"strReceiptNo", "单据号"}, {"strCurrencyName", "币种"},
      {"dblRate", "汇率"},        {"dblAmount", "金额"}};
  auto found = names.find(name);
  return found == names.end() ? name : found->second;
}

bool EndsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsAmount(const std::string& caption) {
  return EndsWith(caption, "金额") || EndsWith(caption, "税额") || EndsWith(caption, "变动");
}

// ---- The queries, by family ----------------------------------------------------------------

std::string Hospital(const std::string& v) {
  host::Recordset local = frame::Data().OpenRecordset(
      "Select strCurrencyName From Currencys Where blnIsLocal=1 Order By lngCurrencyID");
  const std::string currency = SqlText(local.Empty() ? " " : local["strCurrencyName"].AsText());
  auto part = [&](const char* table, const char* name) {
    const std::string t = table;
    return "SELECT " + t + ".lng" + t + "ID As ID, 0 As AID, " + t + ".strDate As strDate, '" +
           name + "' As strReceiptName, " + t + ".strReceiptNo As strReceiptNo, " + currency +
           " As strCurrencyName, 1.0000 As dblRate, Sum(" + t + "Detail.dblAmount) As dblAmount" +
           " FROM " + t + ", " + t + "Detail WHERE " + t + ".lng" + t + "ID = " + t + "Detail.lng" +
           t + "ID AND " + t + ".lngVoucherID = " + v + " GROUP BY " + t + ".lng" + t + "ID, " + t +
           ".strDate, " + t + ".strReceiptNo";
  };
  return part("HISIncome", "HIS收入单") + " UNION ALL " + part("HISPrePayment", "预交单") +
         " UNION ALL " + part("HISSettlement", "HIS收入结算单") +
         " ORDER BY strDate, strReceiptName, strReceiptNo";
}

std::string Receipts(const std::string& v) {
  return "SELECT Activity.lngActivityID As ID, Activity.lngActivityTypeID As AID, "
         "Activity.strDate As 日期, ReceiptType.strReceiptTypeName As 单据类型, "
         "Activity.strReceiptNO || LPAD(Activity.lngReceiptNO,4,'0') As 单据号, "
         "Currencys.strCurrencyName As 币种, Activity.dblRate As 汇率, "
         "ActivityDetail.dblCurrAmount As 原币金额, ActivityDetail.dblAmount As 本币金额, "
         "Currencys.bytCurrencyDec As CurrDec, Currencys.bytRateDec As RateDec "
         "FROM Activity, ActivityDetail, ReceiptType, Currencys "
         "WHERE Activity.lngActivityID = ActivityDetail.lngActivityID "
         "AND Activity.lngReceiptTypeID = ReceiptType.lngReceiptTypeID "
         "AND Activity.lngCurrencyID = Currencys.lngCurrencyID"
         " AND Activity.lngVoucherID=" +
         v + " AND ActivityDetail.blnIsReceipt<>0 " +
         " ORDER BY Activity.strDate,Activity.strReceiptNO,Activity.lngReceiptNO ";
}

// The inventory lines' columns and tables; `extra_tables` and the conditions follow.
std::string InventorySelect(const std::string& extra_tables) {
  return "SELECT ItemActivity.lngItemActivityID As ID, ItemActivity.lngActivityTypeID As AID, "
         "ItemActivityDetail.lngItemActivityDetailID As DID, ItemActivity.strDate As 日期, "
         "ReceiptType.strReceiptTypeName || Decode(ItemActivity.intDirection,-1,'退货','') As "
         "单据类型, ItemActivity.strReceiptNO || LPAD(ItemActivity.lngReceiptNO,4,'0') As 单据号, "
         "Item.strItemCode || ' ' || Item.strItemName || ' ' || Item.strItemStyle As 物品, "
         "Currencys.strCurrencyName As 币种, ItemActivity.dblRate As 汇率, "
         "ItemActivityDetail.dblCurrNoTaxAmount As 原币不含税金额, "
         "ItemActivityDetail.dblNoTaxAmount As 本币不含税金额, "
         "ItemActivityDetail.dblCurrTaxAmount As 原币税额, ItemActivityDetail.dblTaxAmount As "
         "本币税额, Currencys.bytCurrencyDec As CurrDec, Currencys.bytRateDec As RateDec "
         "FROM ItemActivity, ItemActivityDetail, ReceiptType, Currencys, Item" +
         extra_tables +
         " WHERE ItemActivity.lngItemActivityID = ItemActivityDetail.lngItemActivityID "
         "AND ItemActivity.lngReceiptTypeID = ReceiptType.lngReceiptTypeID "
         "AND ItemActivity.lngCurrencyID = Currencys.lngCurrencyID "
         "AND ItemActivityDetail.lngItemID = Item.lngItemID";
}

std::string InventoryOfVoucher(const std::string& v) {
  return " AND (ItemActivity.lngVoucherID=" + v + " OR ItemActivity.lngVoucherID1=" + v + ")";
}

std::string Inventory(const std::string& v) {
  return InventorySelect("") + InventoryOfVoucher(v) +
         " ORDER BY ItemActivity.strDate,ItemActivity.strReceiptNO,ItemActivity.lngReceiptNO ";
}

// Sales cost: the delivery lines of the voucher not carried by an invoice link to it, and the
// lines linked through invoices; a line linked by two invoices is listed once.
std::string SalesCost(const std::string& v) {
  return InventorySelect("") + InventoryOfVoucher(v) +
         " AND ItemActivity.lngActivityTypeID Not In (31,32) AND Not Exists (Select 1 From "
         "Saletoinvoice s Where s.lngreceiptdetailid = ItemActivityDetail.lngItemActivityDetailID"
         " And s.lngcostvoucherid = " +
         v + ") UNION " + InventorySelect(", Saletoinvoice") +
         " AND Saletoinvoice.lngreceiptdetailid = ItemActivityDetail.lngItemActivityDetailID"
         " AND Saletoinvoice.lngcostvoucherid = " +
         v + "  ORDER BY 日期,单据号 ";
}

struct AssetFamily {
  const char* alter;
  const char* card;
  const char* card_key;
  const char* type_text;
  int kind;
  const char* code;
  const char* name;
  const char* change;  // the column of the accumulated change
  const char* change_caption;
};

std::string AssetChanges(const AssetFamily& f, const std::string& v, bool negate_decrease) {
  const std::string a = f.alter;
  const std::string c = f.card;
  const std::string value =
      negate_decrease ? "Decode(" + a + ".bytAlterType,2,-" + a + ".dblValue," + a + ".dblValue)"
                      : a + ".dblValue";
  return "SELECT " + a + ".lng" + a + "ID As ID, " + std::to_string(f.kind) + " As AID, " + a +
         ".strDate As 日期, '" + f.type_text + "' As 单据类型, " + c + "." + f.code +
         " As 资产编码, " + c + "." + f.name + " As 资产名称, Decode(" + a +
         ".bytAlterType,1,'增加',2,'减少','其它变动') As 变动类型, " + value + " As 原值变动, " +
         a + "." + f.change + " As " + f.change_caption + " FROM " + a + ", " + c + " WHERE " + a +
         "." + f.card_key + " = " + c + "." + f.card_key + " AND " + a + ".lngVoucherID=" + v +
         " ORDER BY " + a + ".strDate ";
}

std::string Repairs(const char* repair, const char* type, const char* card, int kind,
                    const std::string& v) {
  const std::string r = repair;
  const std::string t = type;
  const std::string c = card;
  return "SELECT " + r + ".lng" + r + "ID As ID, " + std::to_string(kind) + " As AID, " + r +
         ".strDate As 日期, " + r + ".strReceiptNo As 单据号, " + c + ".strCardCode As 资产编码, " +
         c + ".strCardName As 资产名称, " + t + ".str" + t + "Name As 费用类型, " + r +
         ".strBeginDate || '至' || " + r + ".strEndDate As 起止日期, " + r +
         ".dblAmount As 金额 FROM " + r + ", " + t + ", " + c + " WHERE " + r + ".lng" + t +
         "ID = " + t + ".lng" + t + "ID AND " + r + ".lng" + c + "ID = " + c + ".lng" + c +
         "ID AND " + r + ".lngVoucherID=" + v + " ORDER BY " + r + ".strDate ";
}

// Loans (26 hub side, 27 borrower side). The kind handed on is the source type: the loan
// module opens a document by its id and needs to know which side asks.
std::string Loans(long source_type, const std::string& v, bool multi, long organization) {
  const std::string link =
      source_type == 26 ? " AND Bankloan.lngHubVoucherID=" : " AND Bankloan.lngDebitVoucherID=";
  const std::string head = "SELECT Bankloan.lngBankloanID As ID, " + std::to_string(source_type) +
                           " As AID, Bankloan.strDate As 日期, ";
  const std::string amounts = "Bankloan.strBillNo As 单据号, Bankloan.dblAmount As 借款金额, ";
  if (multi) {
    return head +
           "Bankloan.strHubOrganization As 中心机构, Bankloan.strLoanOrganization As 借款机构, " +
           amounts +
           "Bankloan.strCenterChecker As 中心审核人, Bankloan.strOrgChecker As 机构审核人 "
           "FROM BankloanEx Bankloan WHERE 1=1" +
           link + v +
           (source_type == 26 ? " AND Bankloan.lnghuborganizationid="
                              : " AND Bankloan.lngLoanorganizationid=") +
           SqlNumber(organization) + " ORDER BY Bankloan.strDate ";
  }
  return head + "h.strOrganizationName As 中心机构, l.strOrganizationName As 借款机构, " + amounts +
         "c.strOperatorName As 中心审核人, o.strOperatorName As 机构审核人 "
         "FROM Bankloan, Organization h, Organization l, Operator c, Operator o "
         "WHERE Bankloan.lngHubOrganizationID = h.lngOrganizationID(+) "
         "AND Bankloan.lngLoanOrganizationID = l.lngOrganizationID(+) "
         "AND Bankloan.lngCenterCheckerID = c.lngOperatorID(+) "
         "AND Bankloan.lngOrgCheckerID = o.lngOperatorID(+)" +
         link + v + " ORDER BY Bankloan.strDate ";
}

// Transfers (28 centre, 29 receiving, 30 paying side).
std::string Transfers(long source_type, const std::string& v, bool multi, long organization) {
  const char* link = source_type == 28   ? " AND CarrayOn.lngMidVoucherID="
                     : source_type == 29 ? " AND CarrayOn.lngInVoucherID="
                                         : " AND CarrayOn.lngOutVoucherID=";
  const char* scope = source_type == 28   ? " AND CarrayOn.lngcenterorganizationid="
                      : source_type == 29 ? " AND CarrayOn.lngInorganizationid="
                                          : " AND CarrayOn.lngoutorganizationid=";
  const std::string head = "SELECT CarrayOn.lngCarrayOnID As ID, " + std::to_string(source_type) +
                           " As AID, CarrayOn.strDate As 日期, ";
  const std::string bill = "CarrayOn.strBillNo As 单据号, CarrayOn.dblAmount As 金额, ";
  if (multi) {
    return head +
           "CarrayOn.strCenterOrganization As 中心机构, CarrayOn.strOutOrganization As "
           "付款方机构, CarrayOn.strInOrganization As 收款方机构, " +
           bill +
           "CarrayOn.strCenterChecker As 中心审核人, CarrayOn.strOutChecker As 付款方机构审核人, "
           "CarrayOn.strInChecker As 收款方机构审核人 FROM CarrayOnEx CarrayOn WHERE 1=1" +
           link + v + scope + SqlNumber(organization) + " ORDER BY CarrayOn.strDate ";
  }
  return head +
         "m.strOrganizationName As 中心机构, po.strOrganizationName As 付款方机构, "
         "ri.strOrganizationName As 收款方机构, " +
         bill +
         "c.strOperatorName As 中心审核人, pc.strOperatorName As 付款方机构审核人, "
         "rc.strOperatorName As 收款方机构审核人 FROM CarrayOn, Organization m, Organization po, "
         "Organization ri, Operator c, Operator pc, Operator rc "
         "WHERE CarrayOn.lngCenterOrganizationID = m.lngOrganizationID(+) "
         "AND CarrayOn.lngOutOrganizationID = po.lngOrganizationID(+) "
         "AND CarrayOn.lngInOrganizationID = ri.lngOrganizationID(+) "
         "AND CarrayOn.lngCenterCheckerID = c.lngOperatorID(+) "
         "AND CarrayOn.lngOutCheckerID = pc.lngOperatorID(+) "
         "AND CarrayOn.lngInCheckerID = rc.lngOperatorID(+)" +
         link + v + " ORDER BY CarrayOn.strDate ";
}

std::string InnerVouchers(const std::string& v) {
  return "SELECT i.lngInnerVoucherID As ID, 38 As AID, i.strDate As 日期, "
         "LPAD(i.intvoucherno, 4, '0') As 单据号, ie.strRemark As 摘要, "
         "account.strAccountCode || ' ' || account.strAccountName As 科目, "
         "Decode(ie.intAccountDirection,1,ie.dblAmount,0) As 借方金额, "
         "Decode(ie.intAccountDirection,-1,ie.dblAmount,0) As 贷方金额, "
         "Decode(ie.intActivityDirection,1,Organization.strOrganizationName,'') As 发送机构, "
         "Decode(ie.intActivityDirection,-1,Organization.strOrganizationName,'') As 接收机构 "
         "FROM InnerVoucher i, Innervoucherdetail ie, Organization, account "
         "WHERE i.lngInnerVoucherID = ie.lngInnerVoucherID "
         "AND ie.lngOrganizationID = Organization.lngOrganizationID "
         "AND ie.lngAccountID = account.lngAccountID AND i.lngvoucherid = " +
         v + " ORDER BY ie.intActivityDirection Desc, ie.lngInnerVoucherDetailID";
}

std::string FormatCell(const host::Value& value, const std::string& caption, int currency_dec,
                       int rate_dec) {
  if (value.IsNull()) return {};
  if (caption == "汇率" && !value.IsText()) {
    return voucher::FormatFixed(value.AsDouble(), rate_dec);
  }
  if (IsAmount(caption) && !value.IsText()) {
    return value.AsDouble() == 0 ? std::string()
                                 : voucher::FormatFixed(value.AsDouble(), currency_dec, true);
  }
  std::string text = value.AsText();
  return text.find_first_not_of(' ') == std::string::npos ? std::string() : text;
}

}  // namespace

std::string frmBusinessData::QueryFor(long source_type, long voucher_id, bool multi_base,
                                      long multi_base_organization) {
  const std::string v = SqlNumber(voucher_id);
  switch (source_type) {
    case 1:
      return Hospital(v);
    case 5:
    case 6:
    case 7:
    case 8:
      return Receipts(v);
    case 9:
    case 10:
      return Inventory(v);
    case 11:
      return SalesCost(v);
    case 14:
      return AssetChanges({"AmAssetAlter", "AmAsset", "lngAmAssetID", "固定资产", 100,
                           "strAssetCode", "strAssetName", "dblDepreciation", "累计折旧变动"},
                          v, true);
    case 24:
      return Repairs("FixedRepair", "FixedRepairType", "FixedCard", 101, v);
    case 26:
    case 27:
      return Loans(source_type, v, multi_base, multi_base_organization);
    case 28:
    case 29:
    case 30:
      return Transfers(source_type, v, multi_base, multi_base_organization);
    case 32:
      return AssetChanges({"ImmaterialAlter", "ImmaterialCard", "lngImmaterialCardID", "无形资产",
                           103, "strCardCode", "strCardName", "dblAmortize", "累计摊销变动"},
                          v, false);
    case 33:
      return AssetChanges(
          {"ConsumptionAlter", "ConsumptionCard", "lngConsumptionCardID", "低值易耗品", 102,
           "strCardCode", "strCardName", "dblAmortize", "累计摊销变动"},
          v, false);
    case 35:
      return Repairs("ImmaterialRepair", "ImmaterialRepairType", "ImmaterialCard", 10003, v);
    case 36:
      return AssetChanges({"DeferedAlter", "DeferedCard", "lngDeferedCardID", "待摊费用", 104,
                           "strCardCode", "strCardName", "dblAmortize", "累计摊销变动"},
                          v, false);
    case 38:
      return InnerVouchers(v);
    default:
      return {};
  }
}

bool frmBusinessData::Load(long voucher_id) {
  state_ = BusinessDataState{};
  state_.voucher_id = voucher_id;
  host::Recordset voucher = frame::Data().OpenRecordset(
      "Select lngVoucherSourceID From Voucher Where lngVoucherID=" + SqlNumber(voucher_id));
  if (voucher.Empty()) return true;
  state_.source_type = static_cast<long>(voucher["lngVoucherSourceID"].AsLong());
  // The loans and transfers of a multi-base deployment are kept per organisation code there.
  bool multi = false;
  long organization = 0;
  if (auto* base = dynamic_cast<host::MultiBaseData*>(frame::Login().multi_base_data)) {
    multi = base->IsMultiBase();
    if (multi) {
      organization = base->OrganizationIdByCode(frame::Context().CurrentOrganization().code);
    }
  }
  const std::string sql = QueryFor(state_.source_type, voucher_id, multi, organization);
  if (sql.empty()) return true;
  host::Recordset rs = frame::Data().OpenRecordset(sql);
  std::vector<std::size_t> shown;
  for (std::size_t i = 0; i < rs.FieldCount(); ++i) {
    if (Hidden(rs.FieldName(i))) continue;
    shown.push_back(i);
    state_.columns.push_back(Caption(rs.FieldName(i)));
  }
  for (; !rs.Eof(); rs.MoveNext()) {
    BusinessDocument row;
    row.id = rs["ID"].AsText();
    row.kind = static_cast<long>(rs["AID"].AsLong());
    const int amount_dec = rs.HasField("CurrDec") ? static_cast<int>(rs["CurrDec"].AsLong()) : 2;
    const int rate_dec = rs.HasField("RateDec") ? static_cast<int>(rs["RateDec"].AsLong()) : 4;
    for (std::size_t i = 0; i < shown.size(); ++i) {
      row.cells.push_back(FormatCell(rs[shown[i]], state_.columns[i], amount_dec, rate_dec));
    }
    state_.rows.push_back(std::move(row));
  }
  if (!state_.rows.empty()) state_.selected = 0;
  return true;
}

bool frmBusinessData::ShowMe(long voucher_id) {
  try {
    Load(voucher_id);
  } catch (const host::DatabaseError& e) {
    frame::Msg(std::string("打开业务资料失败!") + e.what(), host::mb::kCritical, kTitle);
    return false;
  }
  frame::Login().base_class->Modal().RunModal(*this);
  return true;
}

bool frmBusinessData::OpenDocument() {
  if (state_.selected < 0 || state_.selected >= static_cast<int>(state_.rows.size())) {
    return false;
  }
  host::BusinessDocuments* modules = frame::Login().base_class->BusinessDocumentsObject();
  if (modules == nullptr) return false;
  const BusinessDocument& row = state_.rows[static_cast<std::size_t>(state_.selected)];
  modules->ShowDocument(row.kind, row.id);
  return true;
}

}  // namespace lumvoucher::links
