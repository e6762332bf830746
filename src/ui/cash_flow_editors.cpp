#include "ui/cash_flow_editors.h"

#include <QComboBox>
#include <QCompleter>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "cashflow/cash_flow_texts.h"
#include "embedded/embedded_services.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/database_error.h"
#include "ui/qt_text.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::ui {

QStringList ChoiceTexts(const std::vector<cashflow::Choice>& choices) {
  QStringList texts;
  for (const cashflow::Choice& c : choices) texts << ToQt(c.Text());
  return texts;
}

QPushButton* CashItemsButton(QWidget* parent, std::function<void(host::CashItemAction)> maintain) {
  auto* button = new QPushButton(QStringLiteral("项目维护"), parent);
  auto* menu = new QMenu(button);
  for (auto [caption, action] :
       {std::pair{cashflow::texts::kMenuAdd, host::CashItemAction::kAdd},
        std::pair{cashflow::texts::kMenuDelete, host::CashItemAction::kDelete},
        std::pair{cashflow::texts::kMenuModify, host::CashItemAction::kModify}}) {
    QObject::connect(menu->addAction(ToQt(caption)), &QAction::triggered, button,
                     [maintain, action = action] { maintain(action); });
  }
  button->setMenu(menu);
  return button;
}

QString AmountText(double amount) {
  return GroupedAmount(voucher::FormatFixed(amount, frame::Context().AmountDecimals()));
}

namespace {

// Adds, renames or deletes one item; answers whether the items changed.
bool RunCard(host::CashItemAction action, int flow_type, long item_id, host::DataAccess& data,
             host::LoginContext& login, QWidget* parent) {
  const QString title = QStringLiteral("现金流量项目");
  const std::string id = frame::SqlNumber(item_id);
  bool ok = false;
  switch (action) {
    case host::CashItemAction::kAdd: {
      const QString code = QInputDialog::getText(parent, title, QStringLiteral("编码："),
                                                 QLineEdit::Normal, QString(), &ok);
      if (!ok || code.trimmed().isEmpty()) return false;
      const QString name = QInputDialog::getText(parent, title, QStringLiteral("名称："),
                                                 QLineEdit::Normal, QString(), &ok);
      if (!ok || name.trimmed().isEmpty()) return false;
      const std::string c = ToUtf8(code.trimmed());
      // The parent is the item whose code continues into this one with "-".
      const std::size_t dash = c.rfind('-');
      host::Recordset parent_item = data.OpenRecordset(
          "Select lngCashItemID, intLevel From CashItem Where strCashItemCode = " +
          frame::SqlText(dash == std::string::npos ? std::string(" ") : c.substr(0, dash)));
      data.Execute(
          "Insert Into CashItem (lngCashItemID, strCashItemCode, strCashItemName, "
          "lngCashFlowType, lngTradId, lngParentID, intLevel, blnIsDetail) Values (" +
          frame::SqlNumber(login.NextId("CASHITEM")) + ", " + frame::SqlText(c) + ", " +
          frame::SqlText(ToUtf8(name.trimmed())) + ", " + frame::SqlNumber(flow_type) + ", 0, " +
          (parent_item.Empty() ? "0, 1"
                               : parent_item["lngCashItemID"].AsText() + ", " +
                                     std::to_string(parent_item["intLevel"].AsLong() + 1)) +
          ", 1)");
      return true;
    }
    case host::CashItemAction::kModify: {
      host::Recordset item =
          data.OpenRecordset("Select strCashItemName From CashItem Where lngCashItemID = " + id);
      if (item.Empty()) return false;
      const QString name =
          QInputDialog::getText(parent, title, QStringLiteral("名称："), QLineEdit::Normal,
                                ToQt(item["strCashItemName"].AsText()), &ok);
      if (!ok || name.trimmed().isEmpty()) return false;
      data.Execute("Update CashItem Set strCashItemName = " +
                   frame::SqlText(ToUtf8(name.trimmed())) + " Where lngCashItemID = " + id);
      return true;
    }
    case host::CashItemAction::kDelete:
      if (item_id == 0) return false;
      if (!data.OpenRecordset("Select 1 From VoucherCashFlow Where lngCashItemID = " + id)
               .Empty()) {
        QMessageBox::warning(parent, title, QStringLiteral("该现金流量项目已被使用，不能删除！"));
        return false;
      }
      if (QMessageBox::question(parent, title, QStringLiteral("确实要删除该现金流量项目吗？")) !=
          QMessageBox::Yes) {
        return false;
      }
      data.Execute("Delete From CashItem Where lngCashItemID = " + id);
      return true;
  }
  return false;
}

}  // namespace

void InstallCashItemCards(embedded::EmbeddedCWCard& card, host::DataAccess& data,
                          host::LoginContext& login, QWidget* parent) {
  card.SetHandler([&data, &login, parent](host::CashItemAction action, int type, long item) {
    try {
      return RunCard(action, type, item, data, login, parent);
    } catch (const host::DatabaseError& e) {
      QMessageBox::critical(parent, QStringLiteral("现金流量项目"), ToQt(e.what()));
      return false;
    }
  });
}

}  // namespace lumvoucher::ui
