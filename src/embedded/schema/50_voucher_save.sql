-- Rows tied to voucher lines that a save deletes, keeps or rewrites. Their owners are the
-- line-level subsystems (cash flow, memo book, contract settlement, cost apportionment); a
-- subsystem that creates its table first keeps its own definition (IF NOT EXISTS).

-- Cash-flow split of a cash line, one row per (line, item, other id, range, counterpart).
CREATE TABLE IF NOT EXISTS VoucherCashFlow (
  lngVoucherDetailID INTEGER NOT NULL DEFAULT 0,
  lngCashItemID      INTEGER NOT NULL DEFAULT 0,
  lngOtherID         INTEGER NOT NULL DEFAULT 0,
  dblAmount          REAL NOT NULL DEFAULT 0,
  blnIsNotComputer   INTEGER NOT NULL DEFAULT 0,
  lngRangeType       INTEGER NOT NULL DEFAULT 2,
  lngCustomerID      INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS VoucherCashFlow_Line ON VoucherCashFlow (lngVoucherDetailID);

-- Memo-book registrations of voucher lines.
CREATE TABLE IF NOT EXISTS RVoucherDetail (
  lngRVoucherDetailID INTEGER PRIMARY KEY,
  lngVoucherDetailID  INTEGER NOT NULL DEFAULT 0,
  lngVoucherID        INTEGER NOT NULL DEFAULT 0,
  strRemark           TEXT,
  dblAmount           REAL NOT NULL DEFAULT 0,
  lngOrganizationID   INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS RVoucherDetail_Line ON RVoucherDetail (lngVoucherDetailID);

-- Income and expense items of the cost apportionment (intDirection 1 income, -1 expense).
CREATE TABLE IF NOT EXISTS Outlay (
  lngOutlayID   INTEGER PRIMARY KEY,
  strOutlayCode TEXT NOT NULL,
  strOutlayName TEXT NOT NULL,
  intDirection  INTEGER NOT NULL DEFAULT -1,
  blnIsDetail   INTEGER NOT NULL DEFAULT 1,
  blnIsInActive INTEGER NOT NULL DEFAULT 0
);

-- The income and expense items that belong to each cost account: the accounts costs are
-- collected on (the voucher window's "income/expense accounts").
CREATE TABLE IF NOT EXISTS AccOutSet (
  lngAccountID INTEGER NOT NULL DEFAULT 0,
  lngOutlayID  INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS AccOutSet_Account ON AccOutSet (lngAccountID);

-- ProjectInvoice, CostApportion and HisCostApportion: 85_links_settlement.sql.
