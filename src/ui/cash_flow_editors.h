#pragma once

#include <QStringList>
#include <QStyledItemDelegate>
#include <functional>
#include <vector>

#include "cashflow/cash_flow_items.h"
#include "host/login_context.h"
#include "ui/choice_delegate.h"

class QPushButton;
class QWidget;

namespace lumvoucher::embedded {
class EmbeddedCWCard;
}

namespace lumvoucher::ui {

// "code name" of each choice, for a chooser.
QStringList ChoiceTexts(const std::vector<cashflow::Choice>& choices);

// The "项目维护" button of both dialogs: its menu (新增, 删除, 修改) runs `maintain`.
QPushButton* CashItemsButton(QWidget* parent, std::function<void(host::CashItemAction)> maintain);

// An amount as the grids show it: the account set's decimals, grouped by thousands.
QString AmountText(double amount);

// The cash-flow item cards of the desktop: add (code and name asked), modify (name asked) and
// delete (asked, refused for an item in use) over the account set's CashItem table.
void InstallCashItemCards(embedded::EmbeddedCWCard& card, host::DataAccess& data,
                          host::LoginContext& login, QWidget* parent);

}  // namespace lumvoucher::ui
