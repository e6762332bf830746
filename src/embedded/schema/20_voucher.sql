-- Voucher tables and the master data a voucher refers to; the budget twins of the voucher
-- tables and the views over both bases. Empty dates in str...Date columns are one blank.
-- Numeric columns are NOT NULL DEFAULT 0 so that 0 means "none" as everywhere in the component.

-- Chart of accounts, shared by all organisations. Codes are a hierarchy where a child continues
-- its parent's code with '-' ("1002", "1002-01"); intDirection 1 debit, -1 credit balance.
-- lngAccountTypeID: 1 asset, 2 liability, 3 common, 4 equity, 5 cost, 6 profit and loss.
-- lngAccountNatureID: 0 ordinary, 1 cash, 2 bank, 3 receivable, 4 payable.
-- blnIsCash: cash or cash equivalent (lines take cash-flow items).
-- blnAll...: the account accepts every item of that kind; 0 = only the rows of AccountItemAssign.
-- blnIsValidate: lines of the account go through the host's field validator.
CREATE TABLE Account (
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
CREATE UNIQUE INDEX Account_Code ON Account (strAccountCode);

-- An organisation's own copy of an account replaces the shared row for that organisation.
-- Same columns in the same order as Account, then lngOrganizationID: the component builds
-- "Select fm.*, org As lngOrganizationID From Account fm ... Union Select * From AccountEx ex".
CREATE TABLE AccountEx (
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
CREATE INDEX AccountEx_Code ON AccountEx (lngOrganizationID, strAccountCode);

-- Items assigned to an account whose blnAll... flag is 0.
-- intItemKind: 1 unit, 2 department, 55 employee, 4 class 1 (统计), 17 class 2 (项目).
CREATE TABLE AccountItemAssign (
  lngAccountID INTEGER NOT NULL,
  intItemKind  INTEGER NOT NULL,
  lngItemID    INTEGER NOT NULL,
  PRIMARY KEY (lngAccountID, intItemKind, lngItemID)
) WITHOUT ROWID;

-- Print/entry templates; lngOrganizationID -1 = shared by all organisations.
CREATE TABLE Template (
  lngTemplateID     INTEGER PRIMARY KEY,
  strTemplateCode   TEXT NOT NULL,
  strTemplateName   TEXT NOT NULL,
  lngReceiptTypeID  INTEGER NOT NULL DEFAULT 41,
  lngOrganizationID INTEGER NOT NULL DEFAULT -1,
  blnIsInActive     INTEGER NOT NULL DEFAULT 0
);

-- Voucher types ("字"), shared by the financial and the budget basis (a pair carries one type).
-- Restriction accounts (0 = none): the debit side must use ...Debit...1 or 2, the credit side
-- ...Credit...1 or 2, some line ...VoucherAccount...1 or 2, no line ...VoucherNoAccount...1 or 2.
-- A restriction on a parent account is meant for its whole subtree.
CREATE TABLE VoucherType (
  lngVoucherTypeID       INTEGER NOT NULL,
  strVoucherTypeCode     TEXT NOT NULL,
  strVoucherTypeName     TEXT NOT NULL,
  lngTemplateID          INTEGER NOT NULL DEFAULT 0,
  intOrder               INTEGER NOT NULL DEFAULT 0,
  blnIsInActive          INTEGER NOT NULL DEFAULT 0,
  lngDebitAccountID1     INTEGER NOT NULL DEFAULT 0,
  lngDebitAccountID2     INTEGER NOT NULL DEFAULT 0,
  lngCreditAccountID1    INTEGER NOT NULL DEFAULT 0,
  lngCreditAccountID2    INTEGER NOT NULL DEFAULT 0,
  lngVoucherAccountID1   INTEGER NOT NULL DEFAULT 0,
  lngVoucherAccountID2   INTEGER NOT NULL DEFAULT 0,
  lngVoucherNoAccountID1 INTEGER NOT NULL DEFAULT 0,
  lngVoucherNoAccountID2 INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (lngVoucherTypeID)
);

-- An organisation's own copy of a voucher type takes precedence over the shared row.
-- Same columns in the same order as VoucherType, then lngOrganizationID.
CREATE TABLE VoucherTypeEx (
  lngVoucherTypeID       INTEGER NOT NULL,
  strVoucherTypeCode     TEXT NOT NULL,
  strVoucherTypeName     TEXT NOT NULL,
  lngTemplateID          INTEGER NOT NULL DEFAULT 0,
  intOrder               INTEGER NOT NULL DEFAULT 0,
  blnIsInActive          INTEGER NOT NULL DEFAULT 0,
  lngDebitAccountID1     INTEGER NOT NULL DEFAULT 0,
  lngDebitAccountID2     INTEGER NOT NULL DEFAULT 0,
  lngCreditAccountID1    INTEGER NOT NULL DEFAULT 0,
  lngCreditAccountID2    INTEGER NOT NULL DEFAULT 0,
  lngVoucherAccountID1   INTEGER NOT NULL DEFAULT 0,
  lngVoucherAccountID2   INTEGER NOT NULL DEFAULT 0,
  lngVoucherNoAccountID1 INTEGER NOT NULL DEFAULT 0,
  lngVoucherNoAccountID2 INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID      INTEGER NOT NULL,
  PRIMARY KEY (lngVoucherTypeID, lngOrganizationID)
);

-- Currencies; lngCurrencyID 1 is the book currency. Decimals for amounts and for rates.
CREATE TABLE Currencys (
  lngCurrencyID   INTEGER PRIMARY KEY,
  strCurrencyCode TEXT NOT NULL,
  strCurrencyName TEXT NOT NULL,
  strCurrencySign TEXT,
  bytCurrencyDec  INTEGER NOT NULL DEFAULT 2,
  bytRateDec      INTEGER NOT NULL DEFAULT 4,
  dblRate         REAL NOT NULL DEFAULT 1,
  blnIsLocal      INTEGER NOT NULL DEFAULT 0,
  blnIsInActive   INTEGER NOT NULL DEFAULT 0
);

-- Units ("单位"): customers and suppliers in one table.
CREATE TABLE Customer (
  lngCustomerID       INTEGER PRIMARY KEY,
  strCustomerCode     TEXT NOT NULL,
  strCustomerName     TEXT NOT NULL,
  strCustomerFullName TEXT,
  intLevel            INTEGER NOT NULL DEFAULT 1,
  blnIsDetail         INTEGER NOT NULL DEFAULT 1,
  blnIsCustomer       INTEGER NOT NULL DEFAULT 1,
  blnIsSupplier       INTEGER NOT NULL DEFAULT 0,
  blnIsInActive       INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX Customer_Code ON Customer (strCustomerCode);

-- Departments; codes are a '-' hierarchy, only leaves (blnIsDetail 1) go on lines.
CREATE TABLE Department (
  lngDepartmentID   INTEGER PRIMARY KEY,
  strDepartmentCode TEXT NOT NULL,
  strDepartmentName TEXT NOT NULL,
  lngParentID       INTEGER NOT NULL DEFAULT 0,
  intLevel          INTEGER NOT NULL DEFAULT 1,
  blnIsDetail       INTEGER NOT NULL DEFAULT 1,
  blnIsInActive     INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX Department_Code ON Department (strDepartmentCode);

-- Employees ("职员"), each in a department.
CREATE TABLE Employee (
  lngEmployeeID   INTEGER PRIMARY KEY,
  strEmployeeCode TEXT NOT NULL,
  strEmployeeName TEXT NOT NULL,
  lngDepartmentID INTEGER NOT NULL DEFAULT 0,
  blnIsInActive   INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX Employee_Code ON Employee (strEmployeeCode);

-- Class items: Class1 statistics ("统计"), Class2 projects ("项目"); '-' hierarchies.
CREATE TABLE Class1 (
  lngClassID    INTEGER PRIMARY KEY,
  strClassCode  TEXT NOT NULL,
  strClassName  TEXT NOT NULL,
  lngParentID   INTEGER NOT NULL DEFAULT 0,
  intLevel      INTEGER NOT NULL DEFAULT 1,
  blnIsDetail   INTEGER NOT NULL DEFAULT 1,
  blnIsInActive INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX Class1_Code ON Class1 (strClassCode);

CREATE TABLE Class2 (
  lngClassID    INTEGER PRIMARY KEY,
  strClassCode  TEXT NOT NULL,
  strClassName  TEXT NOT NULL,
  lngParentID   INTEGER NOT NULL DEFAULT 0,
  intLevel      INTEGER NOT NULL DEFAULT 1,
  blnIsDetail   INTEGER NOT NULL DEFAULT 1,
  blnIsInActive INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX Class2_Code ON Class2 (strClassCode);

-- Payment methods of bank lines.
CREATE TABLE PaymentMethod (
  lngPaymentMethodID   INTEGER PRIMARY KEY,
  strPaymentMethodCode TEXT NOT NULL,
  strPaymentMethodName TEXT NOT NULL,
  blnIsInActive        INTEGER NOT NULL DEFAULT 0
);

-- Voucher header. lngVoucherBaseID is 1 here and 2 in BudgetVoucher, so that the lists can
-- name Voucher.lngVoucherBaseID whether they read the table or VoucherView.
-- lngVoucherSourceID 1 = entered by hand; strVolume '0000' = in no volume.
CREATE TABLE Voucher (
  lngVoucherID            INTEGER PRIMARY KEY,
  lngVoucherTypeID        INTEGER NOT NULL DEFAULT 0,
  intVoucherNO            INTEGER NOT NULL DEFAULT 0,
  strDate                 TEXT DEFAULT ' ',
  intYear                 INTEGER NOT NULL DEFAULT 0,
  bytPeriod               INTEGER NOT NULL DEFAULT 0,
  intNumber               INTEGER NOT NULL DEFAULT 0,
  lngTemplateID           INTEGER NOT NULL DEFAULT 0,
  lngSourceOrganizationID INTEGER NOT NULL DEFAULT 0,
  lngOperatorID           INTEGER NOT NULL DEFAULT 0,
  lngCheckerID            INTEGER NOT NULL DEFAULT 0,
  lngPostID               INTEGER NOT NULL DEFAULT 0,
  lngTellerID             INTEGER NOT NULL DEFAULT 0,
  strManager              TEXT,
  strDebitAccountCode     TEXT,
  strCreditAccountCode    TEXT,
  lngVoucherSourceID      INTEGER NOT NULL DEFAULT 1,
  lngSourceVoucherID      INTEGER NOT NULL DEFAULT 0,
  blnIsVoid               INTEGER NOT NULL DEFAULT 0,
  blnIsError              INTEGER NOT NULL DEFAULT 0,
  strError                TEXT,
  blnIsPrint              INTEGER NOT NULL DEFAULT 0,
  blnIsPrinted            INTEGER NOT NULL DEFAULT 0,
  strVolume               TEXT DEFAULT '0000',
  strOldReceiptNo         TEXT DEFAULT ' ',
  strUQStamp              TEXT DEFAULT ' ',
  lngFyBillRelation       INTEGER NOT NULL DEFAULT 0,
  blnisDiffOver           INTEGER NOT NULL DEFAULT 0,
  lngVoucherBaseID        INTEGER NOT NULL DEFAULT 1
);
-- Numbers are unique per year, period, type and source organisation; a save that loses the
-- race for a number fails on this key.
CREATE UNIQUE INDEX VOUCHER_NOUNIQUE ON Voucher (intYear, bytPeriod, lngVoucherTypeID, intVoucherNO, lngSourceOrganizationID);
-- Period lists and the source-organisation scope.
CREATE INDEX Voucher_Org_Date ON Voucher (lngSourceOrganizationID, strDate);
-- Reversal lookups (who reverses this voucher).
CREATE INDEX Voucher_SourceVoucher ON Voucher (lngSourceVoucherID);
CREATE INDEX Voucher_Operator ON Voucher (lngOperatorID);

-- Voucher lines, ordered by lngRowID; lngCurrencyID must name a Currencys row.
CREATE TABLE VoucherDetail (
  lngVoucherDetailID   INTEGER PRIMARY KEY,
  lngVoucherID         INTEGER NOT NULL,
  lngRowID             INTEGER NOT NULL DEFAULT 0,
  strRemark            TEXT,
  lngAccountID         INTEGER NOT NULL DEFAULT 0,
  intDirection         INTEGER NOT NULL DEFAULT 1,
  dblAmount            REAL NOT NULL DEFAULT 0,
  lngCurrencyID        INTEGER NOT NULL DEFAULT 1,
  dblRate              REAL NOT NULL DEFAULT 1,
  dblCurrencyAmount    REAL NOT NULL DEFAULT 0,
  dblQuantity          REAL NOT NULL DEFAULT 0,
  dblPrice             REAL NOT NULL DEFAULT 0,
  dblCurrPaymentAmount REAL NOT NULL DEFAULT 0,
  lngCustomerID        INTEGER NOT NULL DEFAULT 0,
  lngDepartmentID      INTEGER NOT NULL DEFAULT 0,
  lngEmployeeID        INTEGER NOT NULL DEFAULT 0,
  lngClassID1          INTEGER NOT NULL DEFAULT 0,
  lngClassID2          INTEGER NOT NULL DEFAULT 0,
  lngProjectID         INTEGER NOT NULL DEFAULT 0,
  strFlexibleId        TEXT DEFAULT ' ',
  strCheckNumber       TEXT,
  strCheckDate         TEXT DEFAULT ' ',
  lngPaymentMethodID   INTEGER NOT NULL DEFAULT 0,
  strBusinessDate      TEXT DEFAULT ' ',
  lngOrganizationID    INTEGER NOT NULL DEFAULT 0,
  strCashFlowCode      TEXT,
  strSysDate           TEXT DEFAULT ' '
);
CREATE INDEX VoucherDetail_Voucher ON VoucherDetail (lngVoucherID, lngRowID);
CREATE INDEX VoucherDetail_Account ON VoucherDetail (lngAccountID);

-- Budget vouchers: the same columns as Voucher and VoucherDetail (lines name BudgetAccount).
CREATE TABLE BudgetVoucher (
  lngVoucherID            INTEGER PRIMARY KEY,
  lngVoucherTypeID        INTEGER NOT NULL DEFAULT 0,
  intVoucherNO            INTEGER NOT NULL DEFAULT 0,
  strDate                 TEXT DEFAULT ' ',
  intYear                 INTEGER NOT NULL DEFAULT 0,
  bytPeriod               INTEGER NOT NULL DEFAULT 0,
  intNumber               INTEGER NOT NULL DEFAULT 0,
  lngTemplateID           INTEGER NOT NULL DEFAULT 0,
  lngSourceOrganizationID INTEGER NOT NULL DEFAULT 0,
  lngOperatorID           INTEGER NOT NULL DEFAULT 0,
  lngCheckerID            INTEGER NOT NULL DEFAULT 0,
  lngPostID               INTEGER NOT NULL DEFAULT 0,
  lngTellerID             INTEGER NOT NULL DEFAULT 0,
  strManager              TEXT,
  strDebitAccountCode     TEXT,
  strCreditAccountCode    TEXT,
  lngVoucherSourceID      INTEGER NOT NULL DEFAULT 1,
  lngSourceVoucherID      INTEGER NOT NULL DEFAULT 0,
  blnIsVoid               INTEGER NOT NULL DEFAULT 0,
  blnIsError              INTEGER NOT NULL DEFAULT 0,
  strError                TEXT,
  blnIsPrint              INTEGER NOT NULL DEFAULT 0,
  blnIsPrinted            INTEGER NOT NULL DEFAULT 0,
  strVolume               TEXT DEFAULT '0000',
  strOldReceiptNo         TEXT DEFAULT ' ',
  strUQStamp              TEXT DEFAULT ' ',
  lngFyBillRelation       INTEGER NOT NULL DEFAULT 0,
  blnisDiffOver           INTEGER NOT NULL DEFAULT 0,
  lngVoucherBaseID        INTEGER NOT NULL DEFAULT 2
);
CREATE UNIQUE INDEX BUDGETVOUCHER_NOUNIQUE ON BudgetVoucher (intYear, bytPeriod, lngVoucherTypeID, intVoucherNO, lngSourceOrganizationID);
CREATE INDEX BudgetVoucher_Org_Date ON BudgetVoucher (lngSourceOrganizationID, strDate);
CREATE INDEX BudgetVoucher_SourceVoucher ON BudgetVoucher (lngSourceVoucherID);
CREATE INDEX BudgetVoucher_Operator ON BudgetVoucher (lngOperatorID);

CREATE TABLE BudgetVoucherDetail (
  lngVoucherDetailID   INTEGER PRIMARY KEY,
  lngVoucherID         INTEGER NOT NULL,
  lngRowID             INTEGER NOT NULL DEFAULT 0,
  strRemark            TEXT,
  lngAccountID         INTEGER NOT NULL DEFAULT 0,
  intDirection         INTEGER NOT NULL DEFAULT 1,
  dblAmount            REAL NOT NULL DEFAULT 0,
  lngCurrencyID        INTEGER NOT NULL DEFAULT 1,
  dblRate              REAL NOT NULL DEFAULT 1,
  dblCurrencyAmount    REAL NOT NULL DEFAULT 0,
  dblQuantity          REAL NOT NULL DEFAULT 0,
  dblPrice             REAL NOT NULL DEFAULT 0,
  dblCurrPaymentAmount REAL NOT NULL DEFAULT 0,
  lngCustomerID        INTEGER NOT NULL DEFAULT 0,
  lngDepartmentID      INTEGER NOT NULL DEFAULT 0,
  lngEmployeeID        INTEGER NOT NULL DEFAULT 0,
  lngClassID1          INTEGER NOT NULL DEFAULT 0,
  lngClassID2          INTEGER NOT NULL DEFAULT 0,
  lngProjectID         INTEGER NOT NULL DEFAULT 0,
  strFlexibleId        TEXT DEFAULT ' ',
  strCheckNumber       TEXT,
  strCheckDate         TEXT DEFAULT ' ',
  lngPaymentMethodID   INTEGER NOT NULL DEFAULT 0,
  strBusinessDate      TEXT DEFAULT ' ',
  lngOrganizationID    INTEGER NOT NULL DEFAULT 0,
  strCashFlowCode      TEXT,
  strSysDate           TEXT DEFAULT ' '
);
CREATE INDEX BudgetVoucherDetail_Voucher ON BudgetVoucherDetail (lngVoucherID, lngRowID);
CREATE INDEX BudgetVoucherDetail_Account ON BudgetVoucherDetail (lngAccountID);

-- VoucherView and VoucherDetailView look vouchers and lines up by id alone, so a financial
-- and a budget voucher (or line) never share an id: refuse it at insert.
CREATE TRIGGER Voucher_IdAcrossBases BEFORE INSERT ON Voucher
WHEN EXISTS (SELECT 1 FROM BudgetVoucher WHERE lngVoucherID = NEW.lngVoucherID)
BEGIN SELECT RAISE(ABORT, 'lngVoucherID already used by a budget voucher'); END;
CREATE TRIGGER BudgetVoucher_IdAcrossBases BEFORE INSERT ON BudgetVoucher
WHEN EXISTS (SELECT 1 FROM Voucher WHERE lngVoucherID = NEW.lngVoucherID)
BEGIN SELECT RAISE(ABORT, 'lngVoucherID already used by a financial voucher'); END;
CREATE TRIGGER VoucherDetail_IdAcrossBases BEFORE INSERT ON VoucherDetail
WHEN EXISTS (SELECT 1 FROM BudgetVoucherDetail WHERE lngVoucherDetailID = NEW.lngVoucherDetailID)
BEGIN SELECT RAISE(ABORT, 'lngVoucherDetailID already used by a budget line'); END;
CREATE TRIGGER BudgetVoucherDetail_IdAcrossBases BEFORE INSERT ON BudgetVoucherDetail
WHEN EXISTS (SELECT 1 FROM VoucherDetail WHERE lngVoucherDetailID = NEW.lngVoucherDetailID)
BEGIN SELECT RAISE(ABORT, 'lngVoucherDetailID already used by a financial line'); END;

-- The pair link of the dual basis; 0 on a side = that voucher is absent. A voucher is in at
-- most one pair row: the pair save keeps it so, the partial unique keys guard it.
CREATE TABLE BudgetVoucherRelevance (
  lngVoucherRelevanceID   INTEGER PRIMARY KEY,
  lngVoucherID            INTEGER NOT NULL DEFAULT 0,
  lngBudgetVoucherID      INTEGER NOT NULL DEFAULT 0,
  lngSourceOrganizationID INTEGER NOT NULL DEFAULT 0,
  blnIsVoid               INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX BudgetVoucherRelevance_Voucher ON BudgetVoucherRelevance (lngVoucherID)
WHERE lngVoucherID <> 0;
CREATE UNIQUE INDEX BudgetVoucherRelevance_Budget ON BudgetVoucherRelevance (lngBudgetVoucherID)
WHERE lngBudgetVoucherID <> 0;

-- Vouchers of both bases: 1 financial (Voucher), 2 budget (BudgetVoucher).
CREATE VIEW VoucherView AS
SELECT lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, bytPeriod, intNumber, lngTemplateID, lngSourceOrganizationID, lngOperatorID, lngCheckerID, lngPostID, lngTellerID, strManager, strDebitAccountCode, strCreditAccountCode, lngVoucherSourceID, lngSourceVoucherID, blnIsVoid, blnIsError, strError, blnIsPrint, blnIsPrinted, strVolume, strOldReceiptNo, strUQStamp, lngFyBillRelation, blnisDiffOver, 1 AS lngVoucherBaseID FROM Voucher
UNION ALL
SELECT lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, bytPeriod, intNumber, lngTemplateID, lngSourceOrganizationID, lngOperatorID, lngCheckerID, lngPostID, lngTellerID, strManager, strDebitAccountCode, strCreditAccountCode, lngVoucherSourceID, lngSourceVoucherID, blnIsVoid, blnIsError, strError, blnIsPrint, blnIsPrinted, strVolume, strOldReceiptNo, strUQStamp, lngFyBillRelation, blnisDiffOver, 2 AS lngVoucherBaseID FROM BudgetVoucher;

-- Lines of both bases, with the basis of their voucher.
CREATE VIEW VoucherDetailView AS
SELECT lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, lngAccountID, intDirection, dblAmount, lngCurrencyID, dblRate, dblCurrencyAmount, dblQuantity, dblPrice, dblCurrPaymentAmount, lngCustomerID, lngDepartmentID, lngEmployeeID, lngClassID1, lngClassID2, lngProjectID, strFlexibleId, strCheckNumber, strCheckDate, lngPaymentMethodID, strBusinessDate, lngOrganizationID, strCashFlowCode, strSysDate, 1 AS lngVoucherBaseID FROM VoucherDetail
UNION ALL
SELECT lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, lngAccountID, intDirection, dblAmount, lngCurrencyID, dblRate, dblCurrencyAmount, dblQuantity, dblPrice, dblCurrPaymentAmount, lngCustomerID, lngDepartmentID, lngEmployeeID, lngClassID1, lngClassID2, lngProjectID, strFlexibleId, strCheckNumber, strCheckDate, lngPaymentMethodID, strBusinessDate, lngOrganizationID, strCashFlowCode, strSysDate, 2 AS lngVoucherBaseID FROM BudgetVoucherDetail;

-- The source/reversal columns of the comparing list read the vouchers of both bases here.
CREATE VIEW VoucherCompare AS
SELECT * FROM VoucherView;

-- Voucher types as both bases see them: the types are shared, so one row per type; joining
-- on lngVoucherTypeID alone never doubles a voucher row.
CREATE VIEW VoucherTypeView AS
SELECT * FROM VoucherType;

-- Suite tables that the voucher save and the status operations update or clear.
-- Their owners are other modules of the suite; these hold the columns the component touches.

-- Issued checks (bills) of bank accounts; a line that uses one marks it used.
CREATE TABLE CheckDetail (
  lngCheckDetailID   INTEGER PRIMARY KEY,
  lngAccountID       INTEGER NOT NULL DEFAULT 0,
  lngCurrencyID      INTEGER NOT NULL DEFAULT 0,
  lngPaymentMethodID INTEGER NOT NULL DEFAULT 0,
  strCheckNo         TEXT NOT NULL,
  lngOrganizationID  INTEGER NOT NULL DEFAULT 0,
  blnIsUsed          INTEGER NOT NULL DEFAULT 0,
  strUseDate         TEXT DEFAULT ' ',
  dblCurrAmount      REAL NOT NULL DEFAULT 0,
  lngVoucherDetailID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX CheckDetail_No ON CheckDetail (lngAccountID, strCheckNo);
CREATE INDEX CheckDetail_Line ON CheckDetail (lngVoucherDetailID);

-- Bank bills linked to voucher lines (lngActivityTypeID 41, lngActivityID = the line id).
CREATE TABLE BankBillDetail (
  lngBankBillDetailID INTEGER PRIMARY KEY,
  strBillNo           TEXT,
  dblAmount           REAL NOT NULL DEFAULT 0,
  lngActivityTypeID   INTEGER NOT NULL DEFAULT 0,
  lngActivityID       INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID   INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX BankBillDetail_Activity ON BankBillDetail (lngActivityTypeID, lngActivityID);

-- Fund receipt/payment allocations of voucher lines.
CREATE TABLE MCPRVoucherDetail (
  lngMCPRVoucherDetailID INTEGER PRIMARY KEY,
  lngReceiptTypeID       INTEGER NOT NULL DEFAULT 41,
  lngVoucherDetailID     INTEGER NOT NULL DEFAULT 0,
  dblAmount              REAL NOT NULL DEFAULT 0,
  blnConfirm             INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX MCPRVoucherDetail_Line ON MCPRVoucherDetail (lngVoucherDetailID);

-- Transfers that generate vouchers (voucher source 16).
CREATE TABLE TransVoucher (
  lngTransVoucherID INTEGER PRIMARY KEY,
  strTransVoucherName TEXT,
  lngVoucherID      INTEGER NOT NULL DEFAULT 0,
  lngExecutantID    INTEGER NOT NULL DEFAULT 0,
  strExecuteDate    TEXT DEFAULT ' ',
  lngOrganizationID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX TransVoucher_Voucher ON TransVoucher (lngVoucherID);

-- Business documents of other modules that point at the voucher made from them.
CREATE TABLE Activity (
  lngActivityID INTEGER PRIMARY KEY,
  lngVoucherID  INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX Activity_Voucher ON Activity (lngVoucherID);

CREATE TABLE ItemActivity (
  lngItemActivityID INTEGER PRIMARY KEY,
  lngVoucherID      INTEGER NOT NULL DEFAULT 0,
  lngVoucherID1     INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ItemActivity_Voucher ON ItemActivity (lngVoucherID);
CREATE INDEX ItemActivity_Voucher1 ON ItemActivity (lngVoucherID1);

-- Current-account (receivable/payable) detail, rebuilt from a voucher on every save
-- (strARAPSource '3', lngActivityID = the voucher). The key fills itself on insert.
CREATE TABLE CashQARAPDETAIL1 (
  lngCashQARAPDetail1ID INTEGER PRIMARY KEY,
  strARAPSource        TEXT,
  intDirection         INTEGER NOT NULL DEFAULT 1,
  lngActivityTypeID    INTEGER NOT NULL DEFAULT 0,
  lngReceiptTypeID     INTEGER NOT NULL DEFAULT 0,
  lngActivityID        INTEGER NOT NULL DEFAULT 0,
  lngActivityDetailID  INTEGER NOT NULL DEFAULT 0,
  lngCustomerID        INTEGER NOT NULL DEFAULT 0,
  lngCurrencyID        INTEGER NOT NULL DEFAULT 0,
  lngAccountID         INTEGER NOT NULL DEFAULT 0,
  lngDepartmentID      INTEGER NOT NULL DEFAULT 0,
  lngEmployeeID        INTEGER NOT NULL DEFAULT 0,
  lngClassID1          INTEGER NOT NULL DEFAULT 0,
  lngClassID2          INTEGER NOT NULL DEFAULT 0,
  lngOperatorID        INTEGER NOT NULL DEFAULT 0,
  strReceiptNo         TEXT,
  lngReceiptNo         INTEGER NOT NULL DEFAULT 0,
  strDate              TEXT DEFAULT ' ',
  strReceiptDate       TEXT DEFAULT ' ',
  strDueDate           TEXT DEFAULT ' ',
  dblCurrAmount        REAL NOT NULL DEFAULT 0,
  dblCurrPaymentAmount REAL NOT NULL DEFAULT 0,
  dblAmount            REAL NOT NULL DEFAULT 0,
  dblRate              REAL NOT NULL DEFAULT 0,
  strNote              TEXT,
  strCheckNumber       TEXT,
  lngVoucherID         INTEGER NOT NULL DEFAULT 0,
  lngRowID             INTEGER NOT NULL DEFAULT 0,
  bytStatus            INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID    INTEGER NOT NULL DEFAULT 0,
  strFlexibleID        TEXT DEFAULT ' ',
  lngItemID            INTEGER NOT NULL DEFAULT 0,
  dblFactor            REAL NOT NULL DEFAULT 0,
  bytDigit             INTEGER NOT NULL DEFAULT 0,
  lngTermID            INTEGER NOT NULL DEFAULT 0,
  lngJobID             INTEGER NOT NULL DEFAULT 0,
  lngCustomID0         INTEGER NOT NULL DEFAULT 0,
  lngCustomID1         INTEGER NOT NULL DEFAULT 0,
  lngCustomID2         INTEGER NOT NULL DEFAULT 0,
  lngCustomID3         INTEGER NOT NULL DEFAULT 0,
  lngCustomID4         INTEGER NOT NULL DEFAULT 0,
  lngCustomID5         INTEGER NOT NULL DEFAULT 0,
  dblQuantity          REAL NOT NULL DEFAULT 0,
  dblPaymentQuantity   REAL NOT NULL DEFAULT 0,
  blnIsSpecial         INTEGER NOT NULL DEFAULT 0,
  intReceiptDirection  INTEGER NOT NULL DEFAULT 0,
  strUnitName          TEXT DEFAULT ' '
);
CREATE INDEX CashQARAPDETAIL1_Activity ON CashQARAPDETAIL1 (lngActivityID, strARAPSource);
CREATE INDEX CashQARAPDETAIL1_Customer ON CashQARAPDETAIL1 (lngAccountID, lngCustomerID);
