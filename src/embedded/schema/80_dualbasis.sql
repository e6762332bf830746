-- The budget basis of the dual-basis regime ("16"): the budget-accounting chart. Budget
-- vouchers and their lines (BudgetVoucher, BudgetVoucherDetail) and the pair link are in
-- 20_voucher.sql beside their financial twins.

-- Budget-accounting chart, shared by all organisations like Account and with its columns, so
-- that every reader of a chart names the same columns on either basis. lngAccountTypeID:
-- 1 budget revenue, 2 budget expenditure, 3 budget balance (结存、结转结余).
CREATE TABLE BudgetAccount (
  lngAccountID          INTEGER NOT NULL,
  strAccountCode        TEXT NOT NULL,
  strAccountName        TEXT NOT NULL,
  strAccountFullName    TEXT,
  lngParentID           INTEGER NOT NULL DEFAULT 0,
  intLevel              INTEGER NOT NULL DEFAULT 1,
  blnIsDetail           INTEGER NOT NULL DEFAULT 1,
  intDirection          INTEGER NOT NULL DEFAULT 1,
  lngAccountTypeID      INTEGER NOT NULL DEFAULT 0,
  lngAccountNatureID    INTEGER NOT NULL DEFAULT 0,
  blnIsInActive         INTEGER NOT NULL DEFAULT 0,
  blnIsCash             INTEGER NOT NULL DEFAULT 0,
  blnIsQuantity         INTEGER NOT NULL DEFAULT 0,
  strUnit               TEXT DEFAULT ' ',
  blnIsCurrency         INTEGER NOT NULL DEFAULT 0,
  lngCurrencyID         INTEGER NOT NULL DEFAULT 0,
  blnIsCustomer         INTEGER NOT NULL DEFAULT 0,
  blnIsDepartment       INTEGER NOT NULL DEFAULT 0,
  blnIsEmployee         INTEGER NOT NULL DEFAULT 0,
  blnIsClass1           INTEGER NOT NULL DEFAULT 0,
  blnIsClass2           INTEGER NOT NULL DEFAULT 0,
  blnIsOrganization     INTEGER NOT NULL DEFAULT 0,
  blnUseFlexibleCheck   INTEGER NOT NULL DEFAULT 0,
  blnAllCustomer        INTEGER NOT NULL DEFAULT 1,
  blnAllDepartment      INTEGER NOT NULL DEFAULT 1,
  blnAllEmployee        INTEGER NOT NULL DEFAULT 1,
  blnAllClass1          INTEGER NOT NULL DEFAULT 1,
  blnAllClass2          INTEGER NOT NULL DEFAULT 1,
  blnIsValidate         INTEGER NOT NULL DEFAULT 0,
  blnIsReference        INTEGER NOT NULL DEFAULT 0,
  bytmustbudgetvoucher  INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (lngAccountID)
);
CREATE UNIQUE INDEX BudgetAccount_Code ON BudgetAccount (strAccountCode);

-- An organisation's own copy of a budget account replaces the shared row for that
-- organisation: BudgetAccount's columns in order, then lngOrganizationID.
CREATE TABLE BudgetAccountEx (
  lngAccountID          INTEGER NOT NULL,
  strAccountCode        TEXT NOT NULL,
  strAccountName        TEXT NOT NULL,
  strAccountFullName    TEXT,
  lngParentID           INTEGER NOT NULL DEFAULT 0,
  intLevel              INTEGER NOT NULL DEFAULT 1,
  blnIsDetail           INTEGER NOT NULL DEFAULT 1,
  intDirection          INTEGER NOT NULL DEFAULT 1,
  lngAccountTypeID      INTEGER NOT NULL DEFAULT 0,
  lngAccountNatureID    INTEGER NOT NULL DEFAULT 0,
  blnIsInActive         INTEGER NOT NULL DEFAULT 0,
  blnIsCash             INTEGER NOT NULL DEFAULT 0,
  blnIsQuantity         INTEGER NOT NULL DEFAULT 0,
  strUnit               TEXT DEFAULT ' ',
  blnIsCurrency         INTEGER NOT NULL DEFAULT 0,
  lngCurrencyID         INTEGER NOT NULL DEFAULT 0,
  blnIsCustomer         INTEGER NOT NULL DEFAULT 0,
  blnIsDepartment       INTEGER NOT NULL DEFAULT 0,
  blnIsEmployee         INTEGER NOT NULL DEFAULT 0,
  blnIsClass1           INTEGER NOT NULL DEFAULT 0,
  blnIsClass2           INTEGER NOT NULL DEFAULT 0,
  blnIsOrganization     INTEGER NOT NULL DEFAULT 0,
  blnUseFlexibleCheck   INTEGER NOT NULL DEFAULT 0,
  blnAllCustomer        INTEGER NOT NULL DEFAULT 1,
  blnAllDepartment      INTEGER NOT NULL DEFAULT 1,
  blnAllEmployee        INTEGER NOT NULL DEFAULT 1,
  blnAllClass1          INTEGER NOT NULL DEFAULT 1,
  blnAllClass2          INTEGER NOT NULL DEFAULT 1,
  blnIsValidate         INTEGER NOT NULL DEFAULT 0,
  blnIsReference        INTEGER NOT NULL DEFAULT 0,
  bytmustbudgetvoucher  INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID     INTEGER NOT NULL,
  PRIMARY KEY (lngAccountID, lngOrganizationID)
);
-- A look-up by code (every line of a save) finds the organisation's copy without a scan.
CREATE INDEX BudgetAccountEx_Code ON BudgetAccountEx (lngOrganizationID, strAccountCode);
