-- Parallel accounting ("平行记账") of the dual-basis regime: the obligation rules, the templates
-- that derive budget lines from financial ones, and the financial-to-budget account answers.

-- Obligation rules. bytruletype 0: must be accounted in parallel, 1: prohibited.
CREATE TABLE VoucherAccountRule (
  lngVoucherAccountRuleID INTEGER NOT NULL,
  strVoucherAccountRuleCode TEXT DEFAULT ' ',
  strVoucherAccountRuleName TEXT DEFAULT ' ',
  bytruletype             INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (lngVoucherAccountRuleID)
);

-- The accounts of a rule; bytdirection 0 debit, 1 credit. A parent account covers its subtree.
CREATE TABLE VoucherAccountRuleDetail (
  lngVoucherAccountRuleDetailID INTEGER NOT NULL,
  lngVoucherAccountRuleID INTEGER NOT NULL,
  lngAccountID            INTEGER NOT NULL,
  bytdirection            INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (lngVoucherAccountRuleDetailID)
);
CREATE INDEX VoucherAccountRuleDetail_Account ON VoucherAccountRuleDetail (lngAccountID, bytdirection);

-- Templates ("平行记帐规则"). lngDataSourceID 2: learned, anything else: entered by hand.
CREATE TABLE StdVoucherTmp (
  lngStdVoucherTmpID   INTEGER NOT NULL,
  strStdVoucherTmpCode TEXT NOT NULL,
  strStdVoucherTmpName TEXT NOT NULL,
  lngDataSourceID      INTEGER NOT NULL DEFAULT 1,
  lngOrganizationID    INTEGER NOT NULL,
  blnIsInActive        INTEGER NOT NULL DEFAULT 0,
  strBudgetRemark      TEXT DEFAULT ' ',
  PRIMARY KEY (lngStdVoucherTmpID)
);
CREATE INDEX StdVoucherTmp_Code ON StdVoucherTmp (lngOrganizationID, strStdVoucherTmpCode);

-- A template's financial side; intDirection 1 debit, -1 credit (so on the budget side too).
CREATE TABLE StdVoucherFinance (
  lngStdVoucherFinanceID INTEGER NOT NULL,
  lngStdVoucherTmpID     INTEGER NOT NULL,
  lngRowID               INTEGER NOT NULL DEFAULT 0,
  lngAccountID           INTEGER NOT NULL,
  intDirection           INTEGER NOT NULL DEFAULT 1,
  lngOrganizationID      INTEGER NOT NULL,
  PRIMARY KEY (lngStdVoucherFinanceID)
);
CREATE INDEX StdVoucherFinance_Tmp ON StdVoucherFinance (lngStdVoucherTmpID, lngRowID);
CREATE INDEX StdVoucherFinance_Account ON StdVoucherFinance (lngAccountID, intDirection);

-- The budget lines a template produces (lngAccountID -> BudgetAccount).
CREATE TABLE StdVoucherBudget (
  lngStdVoucherBudgetID INTEGER NOT NULL,
  lngStdVoucherTmpID    INTEGER NOT NULL,
  lngRowID              INTEGER NOT NULL DEFAULT 0,
  lngAccountID          INTEGER NOT NULL,
  intDirection          INTEGER NOT NULL DEFAULT 1,
  lngOrganizationID     INTEGER NOT NULL,
  PRIMARY KEY (lngStdVoucherBudgetID)
);
CREATE INDEX StdVoucherBudget_Tmp ON StdVoucherBudget (lngStdVoucherTmpID, lngRowID);

-- Amount rules of a budget line: financial lines on the account (or under it) and direction
-- add (intOption 1) or subtract.
CREATE TABLE stdVoucherBudgetRule (
  lngStdVoucherBudgetRuleID INTEGER NOT NULL,
  lngStdVoucherBudgetID     INTEGER NOT NULL,
  lngAccountID              INTEGER NOT NULL,
  intDirection              INTEGER NOT NULL DEFAULT 1,
  intOption                 INTEGER NOT NULL DEFAULT 1,
  PRIMARY KEY (lngStdVoucherBudgetRuleID)
);
CREATE INDEX stdVoucherBudgetRule_Budget ON stdVoucherBudgetRule (lngStdVoucherBudgetID);

-- Serial counter of learned template codes (the row with strCodeRule = ' ').
CREATE TABLE StdVoucherTmpNum (
  lngStdVoucherTmpNumID INTEGER NOT NULL,
  strDate               TEXT DEFAULT ' ',
  strCodeRule           TEXT DEFAULT ' ',
  lngMaxCodeSerialNo    INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID     INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (lngStdVoucherTmpNumID)
);

-- Financial-to-budget account correspondence per organisation; learning writes direction 3
-- (either side) and zeros for the narrowing items.
CREATE TABLE BudgetAccountAccount (
  lngBudgetAccountAccountID INTEGER NOT NULL,
  lngAccountID              INTEGER NOT NULL,
  intAccountDirect          INTEGER NOT NULL DEFAULT 3,
  lngBudgetAccountID        INTEGER NOT NULL,
  intBudgetAccountDirect    INTEGER NOT NULL DEFAULT 3,
  lngClassID1               INTEGER NOT NULL DEFAULT 0,
  lngClassID2               INTEGER NOT NULL DEFAULT 0,
  lngDepartmentID           INTEGER NOT NULL DEFAULT 0,
  lngCustomerID             INTEGER NOT NULL DEFAULT 0,
  lngEmployeeID             INTEGER NOT NULL DEFAULT 0,
  strRemark                 TEXT DEFAULT ' ',
  lngOrganizationID         INTEGER NOT NULL,
  PRIMARY KEY (lngBudgetAccountAccountID)
);
CREATE INDEX BudgetAccountAccount_Account ON BudgetAccountAccount (lngOrganizationID, lngAccountID);

-- The budget account proposed for a financial account and project (lngClassID2, 0 = any
-- project); intDirection 0 = either side, 1 debit, -1 credit.
CREATE TABLE DoubleVoucherAccountSet (
  lngDoubleVoucherAccountSetID INTEGER NOT NULL,
  lngAccountID       INTEGER NOT NULL,
  lngClassID2        INTEGER NOT NULL DEFAULT 0,
  intDirection       INTEGER NOT NULL DEFAULT 0,
  lngBudgetAccountID INTEGER NOT NULL,
  lngOrganizationID  INTEGER NOT NULL,
  PRIMARY KEY (lngDoubleVoucherAccountSetID)
);
CREATE INDEX DoubleVoucherAccountSet_Account ON DoubleVoucherAccountSet (lngOrganizationID, lngAccountID);

CREATE TABLE IF NOT EXISTS lumvoucher_sequence (
  name TEXT PRIMARY KEY, next_value INTEGER NOT NULL, increment_by INTEGER NOT NULL,
  min_value INTEGER NOT NULL, max_value INTEGER NOT NULL, cycle INTEGER NOT NULL DEFAULT 0);
INSERT INTO lumvoucher_sequence (name, next_value, increment_by, min_value, max_value, cycle) VALUES
  ('STDVOUCHERTMPNUM_SEQ', 10000, 1, 1, 9999999999, 0),
  ('BUDGETACCOUNTACCOUNT_SEQ', 10000, 1, 1, 9999999999, 0);
