-- Cash flow: the statement's items, the per-account assignment flags and the internal
-- transactions whose two sides cross-check their splits. VoucherCashFlow itself is created with
-- the other line-bound tables in 50_voucher_save.sql.

-- Cash-flow statement items, a coded tree ("01", "01-01"). lngCashFlowType 1 inflow (流入),
-- 2 outflow (流出), 3 net (净值); only leaves (blnIsDetail 1) take amounts; lngTradId 0 marks
-- the items of this account set's own statement (others belong to another trade's format).
CREATE TABLE CashItem (
  lngCashItemID   INTEGER PRIMARY KEY,
  strCashItemCode TEXT NOT NULL,
  strCashItemName TEXT NOT NULL,
  lngCashFlowType INTEGER NOT NULL DEFAULT 1,
  lngTradId       INTEGER NOT NULL DEFAULT 0,
  lngParentID     INTEGER NOT NULL DEFAULT 0,
  intLevel        INTEGER NOT NULL DEFAULT 1,
  blnIsDetail     INTEGER NOT NULL DEFAULT 1
);
CREATE UNIQUE INDEX CashItem_Code ON CashItem (strCashItemCode);

-- Per organisation and account: blnInOutAssign, the split must hold inflow and outflow items of
-- equal totals; blnNotMustAssign, an incomplete split may be waived. No row: neither.
CREATE TABLE CashFlowAccSetting (
  lngOrganizationID INTEGER NOT NULL,
  lngAccountID      INTEGER NOT NULL,
  blnInOutAssign    INTEGER NOT NULL DEFAULT 0,
  blnNotMustAssign  INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (lngOrganizationID, lngAccountID)
) WITHOUT ROWID;

-- Internal transactions between organisations of the set. Each side is a detail row, linked to
-- the voucher lines that book it; intDirection is the side's direction of the activity (1 the
-- side receives, -1 it pays), so a side's counterpart rows are those of the opposite direction.
-- blnInnerAccount 1 marks a row booked on an internal (clearing) account: only those rows'
-- cash-flow splits are compared between the two sides.
CREATE TABLE innervoucher (
  lngInnerVoucherID  INTEGER PRIMARY KEY,
  strInnerVoucherNo  TEXT NOT NULL,
  strDate            TEXT DEFAULT ' ',
  strRemark          TEXT,
  lngOrganizationID  INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE innervoucherdetail (
  lngInnerVoucherDetailID INTEGER PRIMARY KEY,
  lngInnerVoucherID       INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID       INTEGER NOT NULL DEFAULT 0,
  intDirection            INTEGER NOT NULL DEFAULT 1,
  dblAmount               REAL NOT NULL DEFAULT 0,
  blnInnerAccount         INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX innervoucherdetail_Voucher ON innervoucherdetail (lngInnerVoucherID);

CREATE TABLE innervoucherdetailLink (
  lngInnerVoucherDetailID INTEGER NOT NULL,
  lngVoucherDetailID      INTEGER NOT NULL,
  PRIMARY KEY (lngInnerVoucherDetailID, lngVoucherDetailID)
) WITHOUT ROWID;
CREATE INDEX innervoucherdetailLink_Line ON innervoucherdetailLink (lngVoucherDetailID);
