-- Memo book (备查簿): the memo items of the host's master data, the items each memo account
-- takes, the system-defined items, and the registration columns of RVoucherDetail beyond the
-- ones the voucher save touches (50_voucher_save.sql).
CREATE TABLE Reference (
  lngReferenceID   INTEGER PRIMARY KEY,
  strReferenceCode TEXT NOT NULL,
  strReferenceName TEXT NOT NULL,
  bytFuncType      INTEGER NOT NULL DEFAULT 1,
  lngParentID      INTEGER NOT NULL DEFAULT 0,
  blnIsDetail      INTEGER NOT NULL DEFAULT 1,
  blnIsInActive    INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE ReferenceAccount (
  lngAccountID   INTEGER NOT NULL,
  lngReferenceID INTEGER NOT NULL,
  PRIMARY KEY (lngAccountID, lngReferenceID)
) WITHOUT ROWID;

CREATE TABLE sysreference (
  lngreferenceid INTEGER PRIMARY KEY
);

ALTER TABLE RVoucherDetail ADD COLUMN lngRowID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN lngReferenceID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN intYear INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN bytPeriod INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN strDate TEXT DEFAULT ' ';
ALTER TABLE RVoucherDetail ADD COLUMN lngAccountID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN lngCurrencyID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN lngCustomerID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN lngDepartmentID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN lngEmployeeID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN lngClassID1 INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN lngClassID2 INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN strFlexibleID TEXT DEFAULT ' ';
ALTER TABLE RVoucherDetail ADD COLUMN intDirection INTEGER NOT NULL DEFAULT 1;
ALTER TABLE RVoucherDetail ADD COLUMN intVoucherNo INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN lngVoucherTypeId INTEGER NOT NULL DEFAULT 0;
ALTER TABLE RVoucherDetail ADD COLUMN lngOperatorID INTEGER NOT NULL DEFAULT 0;

-- The accounts of both charts, by id (the two charts never share one): the memo book of a
-- dual-basis set registers lines of either basis, read through VoucherDetailView.
CREATE VIEW AccountView AS
SELECT lngAccountID, strAccountCode, strAccountName, blnIsReference FROM Account
UNION ALL
SELECT lngAccountID, strAccountCode, strAccountName, blnIsReference FROM BudgetAccount;
