-- Tables of the shared data services beyond the frame's own: the current-account settlement
-- tables whose settled totals the services read, and the sequence of the operation log.

-- One current-account item per booking; blnInit 1 = an opening item entered without a voucher.
CREATE TABLE DARAP (
  lngDARAPID         INTEGER PRIMARY KEY,
  strDate            TEXT NOT NULL DEFAULT ' ',
  lngAccountID       INTEGER NOT NULL DEFAULT 0,
  lngCustomerID      INTEGER NOT NULL DEFAULT 0,
  lngDepartmentID    INTEGER NOT NULL DEFAULT 0,
  lngEmployeeID      INTEGER NOT NULL DEFAULT 0,
  lngClassID1        INTEGER NOT NULL DEFAULT 0,
  lngClassID2        INTEGER NOT NULL DEFAULT 0,
  strFlexibleId      TEXT NOT NULL DEFAULT ' ',
  lngItemID          INTEGER NOT NULL DEFAULT 0,
  lngFieldID01 INTEGER NOT NULL DEFAULT 0, lngFieldID02 INTEGER NOT NULL DEFAULT 0, lngFieldID03 INTEGER NOT NULL DEFAULT 0,
  lngFieldID04 INTEGER NOT NULL DEFAULT 0, lngFieldID05 INTEGER NOT NULL DEFAULT 0, lngFieldID06 INTEGER NOT NULL DEFAULT 0,
  lngFieldID07 INTEGER NOT NULL DEFAULT 0, lngFieldID08 INTEGER NOT NULL DEFAULT 0, lngFieldID09 INTEGER NOT NULL DEFAULT 0,
  lngFieldID10 INTEGER NOT NULL DEFAULT 0, lngFieldID11 INTEGER NOT NULL DEFAULT 0, lngFieldID12 INTEGER NOT NULL DEFAULT 0,
  lngFieldID13 INTEGER NOT NULL DEFAULT 0, lngFieldID14 INTEGER NOT NULL DEFAULT 0, lngFieldID15 INTEGER NOT NULL DEFAULT 0,
  lngFieldID16 INTEGER NOT NULL DEFAULT 0, lngFieldID17 INTEGER NOT NULL DEFAULT 0, lngFieldID18 INTEGER NOT NULL DEFAULT 0,
  lngFieldID19 INTEGER NOT NULL DEFAULT 0, lngFieldID20 INTEGER NOT NULL DEFAULT 0, lngFieldID21 INTEGER NOT NULL DEFAULT 0,
  lngFieldID22 INTEGER NOT NULL DEFAULT 0, lngFieldID23 INTEGER NOT NULL DEFAULT 0, lngFieldID24 INTEGER NOT NULL DEFAULT 0,
  lngFieldID25 INTEGER NOT NULL DEFAULT 0, lngFieldID26 INTEGER NOT NULL DEFAULT 0, lngFieldID27 INTEGER NOT NULL DEFAULT 0,
  lngFieldID28 INTEGER NOT NULL DEFAULT 0, lngFieldID29 INTEGER NOT NULL DEFAULT 0, lngFieldID30 INTEGER NOT NULL DEFAULT 0,
  lngCurrencyID      INTEGER NOT NULL DEFAULT 0,
  intDirection       INTEGER NOT NULL DEFAULT 1,
  lngOrganizationID  INTEGER NOT NULL DEFAULT 0,
  blnInit            INTEGER NOT NULL DEFAULT 0,
  lngVoucherDetailID INTEGER NOT NULL DEFAULT 0,
  lngVoucherID       INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX DARAP_Line ON DARAP (lngVoucherDetailID);
CREATE INDEX DARAP_Account ON DARAP (lngAccountID, lngCustomerID);

-- The amounts of an item; open amount = dblAmount - dblCurrPaymentAmount.
CREATE TABLE DARAPDetail (
  lngDARAPDetailID      INTEGER PRIMARY KEY,
  lngDARAPID            INTEGER NOT NULL DEFAULT 0,
  lngRowID              INTEGER NOT NULL DEFAULT 0,
  strDate               TEXT NOT NULL DEFAULT ' ',
  lngVoucherTypeID      INTEGER NOT NULL DEFAULT 0,
  intVoucherNO          INTEGER NOT NULL DEFAULT 0,
  strRemark             TEXT,
  lngAccountID          INTEGER NOT NULL DEFAULT 0,
  lngCustomerID         INTEGER NOT NULL DEFAULT 0,
  lngDepartmentID       INTEGER NOT NULL DEFAULT 0,
  lngEmployeeID         INTEGER NOT NULL DEFAULT 0,
  lngClassID1           INTEGER NOT NULL DEFAULT 0,
  lngClassID2           INTEGER NOT NULL DEFAULT 0,
  strFlexibleId         TEXT NOT NULL DEFAULT ' ',
  lngItemID             INTEGER NOT NULL DEFAULT 0,
  lngFieldID01 INTEGER NOT NULL DEFAULT 0, lngFieldID02 INTEGER NOT NULL DEFAULT 0, lngFieldID03 INTEGER NOT NULL DEFAULT 0,
  lngFieldID04 INTEGER NOT NULL DEFAULT 0, lngFieldID05 INTEGER NOT NULL DEFAULT 0, lngFieldID06 INTEGER NOT NULL DEFAULT 0,
  lngFieldID07 INTEGER NOT NULL DEFAULT 0, lngFieldID08 INTEGER NOT NULL DEFAULT 0, lngFieldID09 INTEGER NOT NULL DEFAULT 0,
  lngFieldID10 INTEGER NOT NULL DEFAULT 0, lngFieldID11 INTEGER NOT NULL DEFAULT 0, lngFieldID12 INTEGER NOT NULL DEFAULT 0,
  lngFieldID13 INTEGER NOT NULL DEFAULT 0, lngFieldID14 INTEGER NOT NULL DEFAULT 0, lngFieldID15 INTEGER NOT NULL DEFAULT 0,
  lngFieldID16 INTEGER NOT NULL DEFAULT 0, lngFieldID17 INTEGER NOT NULL DEFAULT 0, lngFieldID18 INTEGER NOT NULL DEFAULT 0,
  lngFieldID19 INTEGER NOT NULL DEFAULT 0, lngFieldID20 INTEGER NOT NULL DEFAULT 0, lngFieldID21 INTEGER NOT NULL DEFAULT 0,
  lngFieldID22 INTEGER NOT NULL DEFAULT 0, lngFieldID23 INTEGER NOT NULL DEFAULT 0, lngFieldID24 INTEGER NOT NULL DEFAULT 0,
  lngFieldID25 INTEGER NOT NULL DEFAULT 0, lngFieldID26 INTEGER NOT NULL DEFAULT 0, lngFieldID27 INTEGER NOT NULL DEFAULT 0,
  lngFieldID28 INTEGER NOT NULL DEFAULT 0, lngFieldID29 INTEGER NOT NULL DEFAULT 0, lngFieldID30 INTEGER NOT NULL DEFAULT 0,
  lngCurrencyID         INTEGER NOT NULL DEFAULT 0,
  intDirection          INTEGER NOT NULL DEFAULT 1,
  dblRate               REAL NOT NULL DEFAULT 1,
  dblAmount             REAL NOT NULL DEFAULT 0,
  dblCurrAmount         REAL NOT NULL DEFAULT 0,
  dblCurrPaymentAmount  REAL NOT NULL DEFAULT 0,
  dblCurrPaymentAmount1 REAL NOT NULL DEFAULT 0,
  lngOrganizationID     INTEGER NOT NULL DEFAULT 0,
  strSysDate            TEXT NOT NULL DEFAULT ' '
);
CREATE INDEX DARAPDetail_Item ON DARAPDetail (lngDARAPID);

-- Which item settled which: the settling line's detail and voucher line against the settled ones.
CREATE TABLE DARAPSettlement (
  lngActivityDetailID  INTEGER NOT NULL DEFAULT 0,
  lngRActivityDetailID INTEGER NOT NULL DEFAULT 0,
  dblCurrPaymentAmount REAL NOT NULL DEFAULT 0,
  blnIsAutoCheck       INTEGER NOT NULL DEFAULT 1,
  strDate              TEXT NOT NULL DEFAULT ' ',
  lngOperatorID        INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID    INTEGER NOT NULL DEFAULT 0,
  lngVoucherDetailID   INTEGER NOT NULL DEFAULT 0,
  lngRVoucherDetailID  INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (lngActivityDetailID, lngRActivityDetailID)
);
CREATE INDEX DARAPSettlement_Line ON DARAPSettlement (lngVoucherDetailID);
CREATE INDEX DARAPSettlement_RLine ON DARAPSettlement (lngRVoucherDetailID);

-- log_seq, the key of the operation log, kept where the SQL layer keeps sequences (names in
-- upper case). The table normally exists already on every connection; the guard lets this file
-- also run in a bare sqlite3 shell.
CREATE TABLE IF NOT EXISTS lumvoucher_sequence (
  name TEXT PRIMARY KEY, next_value INTEGER NOT NULL, increment_by INTEGER NOT NULL,
  min_value INTEGER NOT NULL, max_value INTEGER NOT NULL, cycle INTEGER NOT NULL DEFAULT 0);
INSERT INTO lumvoucher_sequence (name, next_value, increment_by, min_value, max_value, cycle)
VALUES ('LOG_SEQ', 1, 1, 1, 9999999999, 0);
