-- Line splits that feed other ledgers: contract settlement (contracts, projects and their
-- orders, the settlement rows and project invoices) and cost apportionment (cost shares, HIS
-- income shares, income types, sources, schemes). The current-account settlement tables
-- DARAP, DARAPDetail and DARAPSettlement are in 30_frame_services.sql.

-- Contract kinds' options; ContractOptionDir 1 payment ("付款"), 2 receipt ("收款").
CREATE TABLE ContractOption (
  lngContractOptionID INTEGER PRIMARY KEY,
  strContractOptionName TEXT NOT NULL,
  ContractOptionDir   INTEGER NOT NULL DEFAULT 1
);

-- Purchase and sales contracts ("购销合同"); only confirmed (blnConfirm 2), open, non-zero ones
-- are settled.
CREATE TABLE Contract (
  lngContractID       INTEGER PRIMARY KEY,
  strContractCode     TEXT NOT NULL,
  strContractName     TEXT NOT NULL DEFAULT ' ',
  lngContractOptionID INTEGER NOT NULL DEFAULT 0,
  lngCustomerID       INTEGER NOT NULL DEFAULT 0,
  blnConfirm          INTEGER NOT NULL DEFAULT 0,
  blnComplete         INTEGER NOT NULL DEFAULT 0,
  blnZero             INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID   INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX Contract_Code ON Contract (lngOrganizationID, strContractCode);

CREATE TABLE ContractItem (
  lngContractItemID INTEGER PRIMARY KEY,
  lngContractID     INTEGER NOT NULL DEFAULT 0,
  strItemName       TEXT,
  dblTaxAmount      REAL NOT NULL DEFAULT 0
);
CREATE INDEX ContractItem_Contract ON ContractItem (lngContractID);

-- Construction-in-progress projects ("在建工程") and their orders.
CREATE TABLE Project (
  lngProjectID      INTEGER PRIMARY KEY,
  strProjectCode    TEXT NOT NULL,
  strProjectName    TEXT NOT NULL,
  blnIsDetail       INTEGER NOT NULL DEFAULT 1,
  dblBudgetAmount   REAL NOT NULL DEFAULT 0,
  dblInitPayment    REAL NOT NULL DEFAULT 0,
  lngOrganizationID INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX Project_Code ON Project (lngOrganizationID, strProjectCode);

CREATE TABLE ProjectOrder (
  lngOrderID        INTEGER PRIMARY KEY,
  lngProjectID      INTEGER NOT NULL DEFAULT 0,
  strOrderCode      TEXT NOT NULL,
  strOrderName      TEXT NOT NULL DEFAULT ' ',
  lngCustomerID     INTEGER NOT NULL DEFAULT 0,
  intPayReceiveType INTEGER NOT NULL DEFAULT 1,
  dblSumAmount      REAL NOT NULL DEFAULT 0,
  dblInitPayment    REAL NOT NULL DEFAULT 0
);
CREATE INDEX ProjectOrder_Project ON ProjectOrder (lngProjectID);

-- The payers and payees of a settlement row are units of the suite.
CREATE VIEW PayCustomer AS SELECT * FROM Customer;

-- One row per contract settlement row of a voucher line.
CREATE TABLE ContractBalance (
  lngVoucherDetailID INTEGER NOT NULL DEFAULT 0,
  lngProjectID       INTEGER NOT NULL DEFAULT 0,
  lngContractID      INTEGER NOT NULL DEFAULT 0,
  lngCustomerID      INTEGER NOT NULL DEFAULT 0,
  dblPaymentAmount   REAL NOT NULL DEFAULT 0,
  strPayDate         TEXT NOT NULL DEFAULT ' ',
  lngPayCustomerID   INTEGER NOT NULL DEFAULT 0,
  lngPaymentMethodID INTEGER NOT NULL DEFAULT 0,
  strCheckNumber     TEXT,
  strPayMan          TEXT,
  intPayReceiveType  INTEGER NOT NULL DEFAULT 1,
  bytContractType    INTEGER NOT NULL DEFAULT 1,
  intDataSource      INTEGER NOT NULL DEFAULT 0,
  strNote            TEXT
);
CREATE INDEX ContractBalance_Line ON ContractBalance (lngVoucherDetailID);
CREATE INDEX ContractBalance_Contract ON ContractBalance (lngContractID, bytContractType);

-- Invoice amounts received on project orders, per voucher line.
CREATE TABLE ProjectInvoice (
  lngInvoiceDetailID INTEGER PRIMARY KEY,
  lngVoucherDetailID INTEGER NOT NULL DEFAULT 0,
  lngProjectID       INTEGER NOT NULL DEFAULT 0,
  lngOrderID         INTEGER NOT NULL DEFAULT 0,
  strDate            TEXT NOT NULL DEFAULT ' ',
  dblAmount          REAL NOT NULL DEFAULT 0
);
CREATE INDEX ProjectInvoice_Line ON ProjectInvoice (lngVoucherDetailID);
CREATE INDEX ProjectInvoice_Project ON ProjectInvoice (lngProjectID);

-- HIS income types, sources of expense shares, apportionment schemes and their rates (%).
CREATE TABLE hisincometype (
  lnghisincometypeID    INTEGER PRIMARY KEY,
  strhisincometypeCode  TEXT NOT NULL,
  strhisincometypeName  TEXT NOT NULL,
  blnIsDetail           INTEGER NOT NULL DEFAULT 1,
  blnIsInActive         INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE source (
  lngsourceID   INTEGER PRIMARY KEY,
  strsourceName TEXT NOT NULL
);
CREATE TABLE HisCostScale (
  lngHisCostScaleID   INTEGER PRIMARY KEY,
  strHisCostScaleCode TEXT NOT NULL,
  strHisCostScaleName TEXT NOT NULL,
  blnIsInActive       INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID   INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE HisCostScaleDetail (
  lngHiscostscaleID INTEGER NOT NULL DEFAULT 0,
  lngOutlayID       INTEGER NOT NULL DEFAULT 0,
  dblTicketRate     REAL NOT NULL DEFAULT 0,
  dblExcuteRate     REAL NOT NULL DEFAULT 0,
  dblSickRate       REAL NOT NULL DEFAULT 0,
  PRIMARY KEY (lngHiscostscaleID, lngOutlayID)
);

-- Cost shares of an expense or income line; dated like its voucher and void with it.
CREATE TABLE CostApportion (
  lngCostApportionID        INTEGER PRIMARY KEY,
  lngVoucherDetailID        INTEGER NOT NULL DEFAULT 0,
  lngOutlayID               INTEGER NOT NULL DEFAULT 0,
  lngApportionMethodID      INTEGER NOT NULL DEFAULT 0,
  blnLargeCustomerApportion INTEGER NOT NULL DEFAULT 0,
  lngDepartmentID           INTEGER NOT NULL DEFAULT 0,
  lngApportionTypeID        INTEGER NOT NULL DEFAULT 0,
  dblAmount                 REAL NOT NULL DEFAULT 0,
  dblIndirectAmount         REAL NOT NULL DEFAULT 0,
  dblOverheadAmount         REAL NOT NULL DEFAULT 0,
  strDate                   TEXT DEFAULT ' ',
  intYear                   INTEGER NOT NULL DEFAULT 0,
  bytPeriod                 INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID         INTEGER NOT NULL DEFAULT 0,
  blnLargeCustomer          INTEGER NOT NULL DEFAULT 0,
  bytDepartmentSrc          INTEGER NOT NULL DEFAULT 0,
  lngEmployeeID             INTEGER NOT NULL DEFAULT 0,
  intDirection              INTEGER NOT NULL DEFAULT 1,
  lngHabitValue1 INTEGER NOT NULL DEFAULT 0, lngHabitValue2 INTEGER NOT NULL DEFAULT 0,
  lngHabitValue3 INTEGER NOT NULL DEFAULT 0, lngHabitValue4 INTEGER NOT NULL DEFAULT 0,
  lngHabitValue5 INTEGER NOT NULL DEFAULT 0, lngHabitValue6 INTEGER NOT NULL DEFAULT 0,
  lngHabitValue7 INTEGER NOT NULL DEFAULT 0, lngHabitValue8 INTEGER NOT NULL DEFAULT 0,
  lngHabitValue9 INTEGER NOT NULL DEFAULT 0, lngHabitValue10 INTEGER NOT NULL DEFAULT 0,
  lngHabitValue11 INTEGER NOT NULL DEFAULT 0, lngHabitValue12 INTEGER NOT NULL DEFAULT 0,
  lngHabitValue13 INTEGER NOT NULL DEFAULT 0, lngHabitValue14 INTEGER NOT NULL DEFAULT 0,
  lngHabitValue15 INTEGER NOT NULL DEFAULT 0, lngHabitValue16 INTEGER NOT NULL DEFAULT 0,
  bytSource                 INTEGER NOT NULL DEFAULT 0,
  strNote                   TEXT,
  bytDataSource             INTEGER NOT NULL DEFAULT 0,
  dblGrossAmount            REAL NOT NULL DEFAULT 0,
  dblReceiptAmount          REAL NOT NULL DEFAULT 0,
  lngRowNo                  INTEGER NOT NULL DEFAULT 0,
  blnIsVoid                 INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX CostApportion_Line ON CostApportion (lngVoucherDetailID);

-- Hospital income shares of a line over the prescribing, executing and patient departments.
CREATE TABLE HisCostApportion (
  lngHisCostApportionID    INTEGER PRIMARY KEY,
  lngHisDataImportID       INTEGER NOT NULL DEFAULT 0,
  lngOutlayID              INTEGER NOT NULL DEFAULT 0,
  bytSource                INTEGER NOT NULL DEFAULT 0,
  lngPrescribeDepartmentID INTEGER NOT NULL DEFAULT 0,
  dblprescribedep          REAL NOT NULL DEFAULT 0,
  lngExecuteDepartmentID   INTEGER NOT NULL DEFAULT 0,
  dblexecutedep            REAL NOT NULL DEFAULT 0,
  lngSickDepartmentID      INTEGER NOT NULL DEFAULT 0,
  dblSickdep               REAL NOT NULL DEFAULT 0,
  dblAmount                REAL NOT NULL DEFAULT 0,
  strDate                  TEXT DEFAULT ' ',
  intYear                  INTEGER NOT NULL DEFAULT 0,
  bytPeriod                INTEGER NOT NULL DEFAULT 0,
  strImportDate            TEXT DEFAULT ' ',
  lngVoucherDetailID       INTEGER NOT NULL DEFAULT 0,
  lngVoucherID             INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID        INTEGER NOT NULL DEFAULT 0,
  intDirection             INTEGER NOT NULL DEFAULT 1,
  bytdataSource            INTEGER NOT NULL DEFAULT 0,
  strNote                  TEXT,
  lngRowNo                 INTEGER NOT NULL DEFAULT 0,
  blnIsVoid                INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX HisCostApportion_Voucher ON HisCostApportion (lngVoucherID);
CREATE INDEX HisCostApportion_Line ON HisCostApportion (lngVoucherDetailID);
