-- Budgets and their execution (read by the budget query and the execution reminders; kept
-- by the budget module of the suite), the daily ledger totals the query compares them with,
-- and the difference items of the dual basis with their allocations on voucher lines.

-- bytBudgetType: 1 debit turnover, 2 credit turnover, 3 debit balance, 4 credit balance,
-- 5 net debit turnover, 6 net credit turnover. btyBudgetPeriod: 1 by month, 2 by quarter.
-- Blnisconstrain: the budget controls absolutely (a voucher that exceeds it is not saved).
CREATE TABLE Budget (
  lngBudgetID       INTEGER PRIMARY KEY,
  strBudgetName     TEXT NOT NULL,
  bytBudgetType     INTEGER NOT NULL DEFAULT 1,
  blnIsOrganization INTEGER NOT NULL DEFAULT 0,
  btyBudgetPeriod   INTEGER NOT NULL DEFAULT 1,
  Blnisconstrain    INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE BudgetTarget (
  lngBudgetTargetID   INTEGER PRIMARY KEY,
  strBudgetTargetCode TEXT NOT NULL,
  strBudgetTargetName TEXT NOT NULL
);

-- One dimension combination of a target; 0 = that dimension is free. lngFieldID is a
-- flexible field (FlexibleFieldDetail); a parent field stands for its detail fields.
CREATE TABLE BudgetTargetDetail (
  lngBudgetTargetDetailID INTEGER PRIMARY KEY,
  lngBudgetTargetID       INTEGER NOT NULL,
  lngAccountID            INTEGER NOT NULL DEFAULT 0,
  lngDepartmentID         INTEGER NOT NULL DEFAULT 0,
  lngCustomerID           INTEGER NOT NULL DEFAULT 0,
  lngClassID1             INTEGER NOT NULL DEFAULT 0,
  lngEmployeeID           INTEGER NOT NULL DEFAULT 0,
  lngClassID2             INTEGER NOT NULL DEFAULT 0,
  lngFieldID              INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX BudgetTargetDetail_Target ON BudgetTargetDetail (lngBudgetTargetID);
CREATE INDEX BudgetTargetDetail_Account ON BudgetTargetDetail (lngAccountID);

-- Budget amounts per period. lngCurrencyID -1 = a budget in the local currency. A transfer
-- between organisations is two rows, bytTransferType 2 (out, negative) at the old organisation
-- and 1 (in, positive) at the new one, with intAdjustCacheNo > 0.
CREATE TABLE BudgetBalance (
  lngBudgetID                INTEGER NOT NULL,
  lngBudgetTargetID          INTEGER NOT NULL,
  lngCurrencyID              INTEGER NOT NULL DEFAULT -1,
  intYear                    INTEGER NOT NULL,
  bytPeriod                  INTEGER NOT NULL,
  lngOrganizationID          INTEGER NOT NULL DEFAULT 0,
  lngSourceOrganizationID    INTEGER NOT NULL DEFAULT 0,
  lngOldSourceOrganizationID INTEGER NOT NULL DEFAULT 0,
  bytTransferType            INTEGER NOT NULL DEFAULT 0,
  intAdjustCacheNo           INTEGER NOT NULL DEFAULT 0,
  blnIsApprove               INTEGER NOT NULL DEFAULT 0,
  dblCurrencyBudget          REAL NOT NULL DEFAULT 0,
  dblBudget                  REAL NOT NULL DEFAULT 0,
  dblQuantityBudget          REAL NOT NULL DEFAULT 0
);
CREATE INDEX BudgetBalance_Target ON BudgetBalance (lngBudgetTargetID, lngBudgetID, intYear);

-- Daily booking totals per account and dimensions: posted and unposted voucher amounts and
-- the amounts of business documents without a voucher (the cashier's and current-account
-- ledgers), each in foreign currency, local currency and quantity.
CREATE TABLE AccountDaily (
  lngAccountID               INTEGER NOT NULL,
  lngCustomerID              INTEGER NOT NULL DEFAULT 0,
  lngDepartmentID            INTEGER NOT NULL DEFAULT 0,
  lngEmployeeID              INTEGER NOT NULL DEFAULT 0,
  lngClassID1                INTEGER NOT NULL DEFAULT 0,
  lngClassID2                INTEGER NOT NULL DEFAULT 0,
  strFlexibleID              TEXT NOT NULL DEFAULT ' ',
  lngCurrencyID              INTEGER NOT NULL DEFAULT 1,
  lngSourceOrganizationID    INTEGER NOT NULL,
  strDate                    TEXT NOT NULL,
  dblDebit                   REAL NOT NULL DEFAULT 0,
  dblCredit                  REAL NOT NULL DEFAULT 0,
  dblCurrencyDebit           REAL NOT NULL DEFAULT 0,
  dblCurrencyCredit          REAL NOT NULL DEFAULT 0,
  dblQuantityDebit           REAL NOT NULL DEFAULT 0,
  dblQuantityCredit          REAL NOT NULL DEFAULT 0,
  dblUnPostDebit             REAL NOT NULL DEFAULT 0,
  dblUnPostCredit            REAL NOT NULL DEFAULT 0,
  dblUnPostCurrencyDebit     REAL NOT NULL DEFAULT 0,
  dblUnPostCurrencyCredit    REAL NOT NULL DEFAULT 0,
  dblUnPostQuantityDebit     REAL NOT NULL DEFAULT 0,
  dblUnPostQuantityCredit    REAL NOT NULL DEFAULT 0,
  dblUnVoucherDebit          REAL NOT NULL DEFAULT 0,
  dblUnVoucherCredit         REAL NOT NULL DEFAULT 0,
  dblUnVoucherCurrencyDebit  REAL NOT NULL DEFAULT 0,
  dblUnVoucherCurrencyCredit REAL NOT NULL DEFAULT 0,
  dblUnVoucherQuantityDebit  REAL NOT NULL DEFAULT 0,
  dblUnVoucherQuantityCredit REAL NOT NULL DEFAULT 0
);
CREATE INDEX AccountDaily_Account ON AccountDaily (lngAccountID, strDate);

-- Difference items of the dual basis, a code tree per difference type; only detail items
-- are assigned.
CREATE TABLE DiffItem (
  lngDiffItemID   INTEGER PRIMARY KEY,
  strDiffItemCode TEXT NOT NULL,
  strDiffItemName TEXT NOT NULL,
  blnIsDetail     INTEGER NOT NULL DEFAULT 1,
  strDiffTypeName TEXT NOT NULL
);
CREATE UNIQUE INDEX DiffItem_Code ON DiffItem (strDiffItemCode);

-- Account conditions narrowing the items a voucher may use: lngConID 1 = the voucher books
-- strAccountCode (top level) on side lngDirID, 2 = it does not. Both tables are read as one set.
CREATE TABLE diffItemRule (
  lngDiffItemID  INTEGER NOT NULL,
  lngConID       INTEGER NOT NULL,
  lngDirID       INTEGER NOT NULL,
  strAccountCode TEXT NOT NULL
);
CREATE TABLE diffItemRule1 (
  lngDiffItemID  INTEGER NOT NULL,
  lngConID       INTEGER NOT NULL,
  lngDirID       INTEGER NOT NULL,
  strAccountCode TEXT NOT NULL
);

-- The allocation of one financial or budget line, at most one per line. Written positionally
-- ("Insert Into VoucherDiffItem values (...)"): keep the column order.
CREATE TABLE VoucherDiffItem (
  lngVoucherDetailID INTEGER NOT NULL,
  lngDiffItemID      INTEGER NOT NULL,
  dblAmount          REAL NOT NULL DEFAULT 0,
  PRIMARY KEY (lngVoucherDetailID)
);

-- Outlay budgets of the hospital budget module, read by the voucher window's execution
-- reminder. A scheme reminds when INTAUTOREMIND = 1 and dblRate (a percentage) > 0; with
-- blnIsPeriod 1 its budgets keep a row per period, with 0 one row per year (bytPeriod 0). A row
-- names an outlay item and a department directly (intCustom / Intcustomdpt -1) or a custom group
-- of them (1: lngOutlayID / lngDepartmentID is the group). dblPayAmount is the execution so far.
CREATE TABLE budgetscheme (
  lngBudgetSchemeID INTEGER PRIMARY KEY,
  blnisinactive     INTEGER NOT NULL DEFAULT 0,
  blnishospital     INTEGER NOT NULL DEFAULT 0,
  INTAUTOREMIND     INTEGER NOT NULL DEFAULT 0,
  dblRate           REAL NOT NULL DEFAULT 0,
  blnIsPeriod       INTEGER NOT NULL DEFAULT 1
);

CREATE TABLE outlaybudget (
  lngOutlayBudgetID   INTEGER PRIMARY KEY,
  lngBudgetSchemeID   INTEGER NOT NULL,
  strOutlayBudgetCode TEXT NOT NULL,
  bytapprove          INTEGER NOT NULL DEFAULT 0,
  intYear             INTEGER NOT NULL,
  lngOrganizationID   INTEGER NOT NULL
);

CREATE TABLE outlaybudgetblance (
  lngOutlayBudgetID INTEGER NOT NULL,
  bytPeriod         INTEGER NOT NULL DEFAULT 0,
  lngOutlayID       INTEGER NOT NULL,
  intCustom         INTEGER NOT NULL DEFAULT -1,
  lngDepartmentID   INTEGER NOT NULL,
  Intcustomdpt      INTEGER NOT NULL DEFAULT -1,
  dblAmount         REAL NOT NULL DEFAULT 0,
  dblPayAmount      REAL NOT NULL DEFAULT 0
);
CREATE INDEX outlaybudgetblance_Budget ON outlaybudgetblance (lngOutlayBudgetID);

CREATE TABLE custombudgetitemitem (
  lngCustomID INTEGER NOT NULL,
  lngOutlayID INTEGER NOT NULL
);

CREATE TABLE custombudgetdptdetail (
  lngCustomID     INTEGER NOT NULL,
  lngDepartmentID INTEGER NOT NULL
);

-- Responsible-department ("归口") schemes: a scheme with rows in budgetdepartment budgets each
-- managed outlay item at the department responsible for it, not at the department that spends.
-- A responsible department of a scheme manages the items in budgetitem for the spending
-- departments in outlaydepartment; spending on such an item by such a department executes the
-- responsible department's budget rows.
CREATE TABLE budgetdepartment (
  lngBudgetDepartmentID INTEGER PRIMARY KEY,
  lngBudgetSchemeID     INTEGER NOT NULL,
  lngDepartmentID       INTEGER NOT NULL
);
CREATE INDEX budgetdepartment_Scheme ON budgetdepartment (lngBudgetSchemeID);

CREATE TABLE budgetitem (
  lngBudgetDepartmentID INTEGER NOT NULL,
  lngOutlayID           INTEGER NOT NULL
);

CREATE TABLE outlaydepartment (
  lngBudgetDepartmentID INTEGER NOT NULL,
  lngDepartmentID       INTEGER NOT NULL
);
