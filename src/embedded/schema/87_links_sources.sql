-- The business documents of other modules that vouchers are generated from, as the source
-- document view (业务资料) reads them. The owning modules keep many more columns; these are the
-- ones the view shows and links by. lngVoucherSourceID of the voucher says which family holds
-- its documents.

-- Receipts (sources 5-8): one header per document, its lines; blnIsReceipt marks the lines the
-- document itself books.
ALTER TABLE Activity ADD COLUMN lngActivityTypeID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE Activity ADD COLUMN lngReceiptTypeID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE Activity ADD COLUMN strDate TEXT NOT NULL DEFAULT ' ';
ALTER TABLE Activity ADD COLUMN strReceiptNO TEXT NOT NULL DEFAULT ' ';
ALTER TABLE Activity ADD COLUMN lngReceiptNO INTEGER NOT NULL DEFAULT 0;
ALTER TABLE Activity ADD COLUMN lngCurrencyID INTEGER NOT NULL DEFAULT 1;
ALTER TABLE Activity ADD COLUMN dblRate REAL NOT NULL DEFAULT 1;

CREATE TABLE ActivityDetail (
  lngActivityDetailID INTEGER PRIMARY KEY,
  lngActivityID       INTEGER NOT NULL DEFAULT 0,
  blnIsReceipt        INTEGER NOT NULL DEFAULT 1,
  dblCurrAmount       REAL NOT NULL DEFAULT 0,
  dblAmount           REAL NOT NULL DEFAULT 0
);
CREATE INDEX ActivityDetail_Activity ON ActivityDetail (lngActivityID);

CREATE TABLE ReceiptType (
  lngReceiptTypeID   INTEGER PRIMARY KEY,
  strReceiptTypeName TEXT NOT NULL
);

-- Inventory (sources 9-11): intDirection -1 is returned goods; lngVoucherID1 a second voucher
-- made from the same document.
ALTER TABLE ItemActivity ADD COLUMN lngActivityTypeID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE ItemActivity ADD COLUMN lngReceiptTypeID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE ItemActivity ADD COLUMN strDate TEXT NOT NULL DEFAULT ' ';
ALTER TABLE ItemActivity ADD COLUMN strReceiptNO TEXT NOT NULL DEFAULT ' ';
ALTER TABLE ItemActivity ADD COLUMN lngReceiptNO INTEGER NOT NULL DEFAULT 0;
ALTER TABLE ItemActivity ADD COLUMN lngCurrencyID INTEGER NOT NULL DEFAULT 1;
ALTER TABLE ItemActivity ADD COLUMN dblRate REAL NOT NULL DEFAULT 1;
ALTER TABLE ItemActivity ADD COLUMN intDirection INTEGER NOT NULL DEFAULT 1;

CREATE TABLE ItemActivityDetail (
  lngItemActivityDetailID INTEGER PRIMARY KEY,
  lngItemActivityID       INTEGER NOT NULL DEFAULT 0,
  lngItemID               INTEGER NOT NULL DEFAULT 0,
  dblCurrNoTaxAmount      REAL NOT NULL DEFAULT 0,
  dblNoTaxAmount          REAL NOT NULL DEFAULT 0,
  dblCurrTaxAmount        REAL NOT NULL DEFAULT 0,
  dblTaxAmount            REAL NOT NULL DEFAULT 0
);
CREATE INDEX ItemActivityDetail_Activity ON ItemActivityDetail (lngItemActivityID);

-- Inventory goods carry a style (规格) beside code and name.
ALTER TABLE FlexibleItem ADD COLUMN strItemStyle TEXT NOT NULL DEFAULT ' ';
DROP VIEW Item;
CREATE VIEW Item AS SELECT lngItemID, strItemCode, strItemName, strItemStyle FROM FlexibleItem;

-- Sales invoices: a delivery line reaches the sales-cost voucher through its invoice.
CREATE TABLE Saletoinvoice (
  lngSaleToInvoiceID INTEGER PRIMARY KEY,
  lngInvoiceID       INTEGER NOT NULL DEFAULT 0,
  lngreceiptdetailid INTEGER NOT NULL DEFAULT 0,
  lngcostvoucherid   INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX Saletoinvoice_Cost ON Saletoinvoice (lngcostvoucherid);

-- Hospital income (source 1): income, prepayments and income settlements.
CREATE TABLE HISIncome (
  lngHISIncomeID INTEGER PRIMARY KEY,
  strDate        TEXT NOT NULL DEFAULT ' ',
  strReceiptNo   TEXT NOT NULL DEFAULT ' ',
  lngVoucherID   INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE HISIncomeDetail (
  lngHISIncomeDetailID INTEGER PRIMARY KEY,
  lngHISIncomeID       INTEGER NOT NULL DEFAULT 0,
  dblAmount            REAL NOT NULL DEFAULT 0
);
CREATE TABLE HISPrePayment (
  lngHISPrePaymentID INTEGER PRIMARY KEY,
  strDate            TEXT NOT NULL DEFAULT ' ',
  strReceiptNo       TEXT NOT NULL DEFAULT ' ',
  lngVoucherID       INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE HISPrePaymentDetail (
  lngHISPrePaymentDetailID INTEGER PRIMARY KEY,
  lngHISPrePaymentID       INTEGER NOT NULL DEFAULT 0,
  dblAmount                REAL NOT NULL DEFAULT 0
);
CREATE TABLE HISSettlement (
  lngHISSettlementID INTEGER PRIMARY KEY,
  strDate            TEXT NOT NULL DEFAULT ' ',
  strReceiptNo       TEXT NOT NULL DEFAULT ' ',
  lngVoucherID       INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE HISSettlementDetail (
  lngHISSettlementDetailID INTEGER PRIMARY KEY,
  lngHISSettlementID       INTEGER NOT NULL DEFAULT 0,
  dblAmount                REAL NOT NULL DEFAULT 0
);

-- Asset changes (sources 14, 32, 33, 36): bytAlterType 1 increase, 2 decrease, else other.
CREATE TABLE AmAsset (
  lngAmAssetID  INTEGER PRIMARY KEY,
  strAssetCode  TEXT NOT NULL,
  strAssetName  TEXT NOT NULL
);
CREATE TABLE AmAssetAlter (
  lngAmAssetAlterID INTEGER PRIMARY KEY,
  lngAmAssetID      INTEGER NOT NULL DEFAULT 0,
  lngVoucherID      INTEGER NOT NULL DEFAULT 0,
  strDate           TEXT NOT NULL DEFAULT ' ',
  bytAlterType      INTEGER NOT NULL DEFAULT 1,
  dblValue          REAL NOT NULL DEFAULT 0,
  dblDepreciation   REAL NOT NULL DEFAULT 0
);
CREATE TABLE ImmaterialCard (
  lngImmaterialCardID INTEGER PRIMARY KEY,
  strCardCode         TEXT NOT NULL,
  strCardName         TEXT NOT NULL
);
CREATE TABLE ImmaterialAlter (
  lngImmaterialAlterID INTEGER PRIMARY KEY,
  lngImmaterialCardID  INTEGER NOT NULL DEFAULT 0,
  lngVoucherID         INTEGER NOT NULL DEFAULT 0,
  strDate              TEXT NOT NULL DEFAULT ' ',
  bytAlterType         INTEGER NOT NULL DEFAULT 1,
  dblValue             REAL NOT NULL DEFAULT 0,
  dblAmortize          REAL NOT NULL DEFAULT 0
);
CREATE TABLE ConsumptionCard (
  lngConsumptionCardID INTEGER PRIMARY KEY,
  strCardCode          TEXT NOT NULL,
  strCardName          TEXT NOT NULL
);
CREATE TABLE ConsumptionAlter (
  lngConsumptionAlterID INTEGER PRIMARY KEY,
  lngConsumptionCardID  INTEGER NOT NULL DEFAULT 0,
  lngVoucherID          INTEGER NOT NULL DEFAULT 0,
  strDate               TEXT NOT NULL DEFAULT ' ',
  bytAlterType          INTEGER NOT NULL DEFAULT 1,
  dblValue              REAL NOT NULL DEFAULT 0,
  dblAmortize           REAL NOT NULL DEFAULT 0
);
CREATE TABLE DeferedCard (
  lngDeferedCardID INTEGER PRIMARY KEY,
  strCardCode      TEXT NOT NULL,
  strCardName      TEXT NOT NULL
);
CREATE TABLE DeferedAlter (
  lngDeferedAlterID INTEGER PRIMARY KEY,
  lngDeferedCardID  INTEGER NOT NULL DEFAULT 0,
  lngVoucherID      INTEGER NOT NULL DEFAULT 0,
  strDate           TEXT NOT NULL DEFAULT ' ',
  bytAlterType      INTEGER NOT NULL DEFAULT 1,
  dblValue          REAL NOT NULL DEFAULT 0,
  dblAmortize       REAL NOT NULL DEFAULT 0
);

-- Repairs of fixed assets (24) and intangible assets (35).
CREATE TABLE FixedCard (
  lngFixedCardID INTEGER PRIMARY KEY,
  strCardCode    TEXT NOT NULL,
  strCardName    TEXT NOT NULL
);
CREATE TABLE FixedRepairType (
  lngFixedRepairTypeID   INTEGER PRIMARY KEY,
  strFixedRepairTypeName TEXT NOT NULL
);
CREATE TABLE FixedRepair (
  lngFixedRepairID     INTEGER PRIMARY KEY,
  lngFixedCardID       INTEGER NOT NULL DEFAULT 0,
  lngFixedRepairTypeID INTEGER NOT NULL DEFAULT 0,
  lngVoucherID         INTEGER NOT NULL DEFAULT 0,
  strDate              TEXT NOT NULL DEFAULT ' ',
  strReceiptNo         TEXT NOT NULL DEFAULT ' ',
  strBeginDate         TEXT NOT NULL DEFAULT ' ',
  strEndDate           TEXT NOT NULL DEFAULT ' ',
  dblAmount            REAL NOT NULL DEFAULT 0
);
CREATE TABLE ImmaterialRepairType (
  lngImmaterialRepairTypeID   INTEGER PRIMARY KEY,
  strImmaterialRepairTypeName TEXT NOT NULL
);
CREATE TABLE ImmaterialRepair (
  lngImmaterialRepairID     INTEGER PRIMARY KEY,
  lngImmaterialCardID       INTEGER NOT NULL DEFAULT 0,
  lngImmaterialRepairTypeID INTEGER NOT NULL DEFAULT 0,
  lngVoucherID              INTEGER NOT NULL DEFAULT 0,
  strDate                   TEXT NOT NULL DEFAULT ' ',
  strReceiptNo              TEXT NOT NULL DEFAULT ' ',
  strBeginDate              TEXT NOT NULL DEFAULT ' ',
  strEndDate                TEXT NOT NULL DEFAULT ' ',
  dblAmount                 REAL NOT NULL DEFAULT 0
);

-- Loans between organisations through the hub (26 hub side, 27 borrower side) and transfers
-- (28 centre, 29 receiving, 30 paying side). The Ex tables of a multi-base deployment carry the
-- organisations' and reviewers' names as text instead of ids of this base.
CREATE TABLE Bankloan (
  lngBankloanID         INTEGER PRIMARY KEY,
  strDate               TEXT NOT NULL DEFAULT ' ',
  strBillNo             TEXT NOT NULL DEFAULT ' ',
  lngHubOrganizationID  INTEGER NOT NULL DEFAULT 0,
  lngLoanOrganizationID INTEGER NOT NULL DEFAULT 0,
  lngHubVoucherID       INTEGER NOT NULL DEFAULT 0,
  lngDebitVoucherID     INTEGER NOT NULL DEFAULT 0,
  dblAmount             REAL NOT NULL DEFAULT 0,
  lngCenterCheckerID    INTEGER NOT NULL DEFAULT 0,
  lngOrgCheckerID       INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE BankloanEx (
  lngBankloanID          INTEGER PRIMARY KEY,
  strDate                TEXT NOT NULL DEFAULT ' ',
  strBillNo              TEXT NOT NULL DEFAULT ' ',
  lngHubOrganizationID   INTEGER NOT NULL DEFAULT 0,
  lngLoanOrganizationID  INTEGER NOT NULL DEFAULT 0,
  strHubOrganization     TEXT NOT NULL DEFAULT ' ',
  strLoanOrganization    TEXT NOT NULL DEFAULT ' ',
  lngHubVoucherID        INTEGER NOT NULL DEFAULT 0,
  lngDebitVoucherID      INTEGER NOT NULL DEFAULT 0,
  dblAmount              REAL NOT NULL DEFAULT 0,
  strCenterChecker       TEXT NOT NULL DEFAULT ' ',
  strOrgChecker          TEXT NOT NULL DEFAULT ' '
);
CREATE TABLE CarrayOn (
  lngCarrayOnID           INTEGER PRIMARY KEY,
  strDate                 TEXT NOT NULL DEFAULT ' ',
  strBillNo               TEXT NOT NULL DEFAULT ' ',
  lngCenterOrganizationID INTEGER NOT NULL DEFAULT 0,
  lngInOrganizationID     INTEGER NOT NULL DEFAULT 0,
  lngOutOrganizationID    INTEGER NOT NULL DEFAULT 0,
  lngMidVoucherID         INTEGER NOT NULL DEFAULT 0,
  lngInVoucherID          INTEGER NOT NULL DEFAULT 0,
  lngOutVoucherID         INTEGER NOT NULL DEFAULT 0,
  dblAmount               REAL NOT NULL DEFAULT 0,
  lngCenterCheckerID      INTEGER NOT NULL DEFAULT 0,
  lngOutCheckerID         INTEGER NOT NULL DEFAULT 0,
  lngInCheckerID          INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE CarrayOnEx (
  lngCarrayOnID           INTEGER PRIMARY KEY,
  strDate                 TEXT NOT NULL DEFAULT ' ',
  strBillNo               TEXT NOT NULL DEFAULT ' ',
  lngCenterOrganizationID INTEGER NOT NULL DEFAULT 0,
  lngInOrganizationID     INTEGER NOT NULL DEFAULT 0,
  lngOutOrganizationID    INTEGER NOT NULL DEFAULT 0,
  strCenterOrganization   TEXT NOT NULL DEFAULT ' ',
  strInOrganization       TEXT NOT NULL DEFAULT ' ',
  strOutOrganization      TEXT NOT NULL DEFAULT ' ',
  lngMidVoucherID         INTEGER NOT NULL DEFAULT 0,
  lngInVoucherID          INTEGER NOT NULL DEFAULT 0,
  lngOutVoucherID         INTEGER NOT NULL DEFAULT 0,
  dblAmount               REAL NOT NULL DEFAULT 0,
  strCenterChecker        TEXT NOT NULL DEFAULT ' ',
  strOutChecker           TEXT NOT NULL DEFAULT ' ',
  strInChecker            TEXT NOT NULL DEFAULT ' '
);

-- Internal vouchers (38): the voucher made from one, its number, and per side the account,
-- the line's debit or credit (intAccountDirection) and whether the side sends (1) or receives.
ALTER TABLE innervoucher ADD COLUMN lngVoucherID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE innervoucher ADD COLUMN intVoucherNo INTEGER NOT NULL DEFAULT 0;
ALTER TABLE innervoucherdetail ADD COLUMN lngAccountID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE innervoucherdetail ADD COLUMN strRemark TEXT;
ALTER TABLE innervoucherdetail ADD COLUMN intAccountDirection INTEGER NOT NULL DEFAULT 1;
ALTER TABLE innervoucherdetail ADD COLUMN intActivityDirection INTEGER NOT NULL DEFAULT 1;
