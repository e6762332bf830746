-- Frame tables: settings, module status, logs, list conditions, flexible items,
-- organisations, operators, accounting years and periods, number counters, volumes.
-- Empty dates in str...Date columns are one blank, as the component writes them.

-- Options per organisation; strSetting is text (also read as a long id).
-- lngSettingID fills itself: the component inserts rows without it.
CREATE TABLE Setting (
  lngSettingID      INTEGER PRIMARY KEY,
  lngModuleID       INTEGER NOT NULL DEFAULT 0,
  strSection        TEXT NOT NULL,
  strKey            TEXT NOT NULL,
  strSetting        TEXT,
  strTypeName       TEXT,
  lngOrganizationID INTEGER NOT NULL DEFAULT 0
);
-- One value per organisation, section and key: the readers take the first row.
CREATE UNIQUE INDEX Setting_Key ON Setting (lngOrganizationID, strSection, strKey);

-- Status of each module of the suite per organisation:
-- bytStatus 0 not started, 1 running at intYear/bytPeriod, 2 stopped at intYearStop/bytPeriodStop.
CREATE TABLE MODULE (
  lngOrganizationID INTEGER NOT NULL,
  lngModuleID       INTEGER NOT NULL,
  strModuleName     TEXT,
  bytStatus         INTEGER NOT NULL DEFAULT 0,
  intYear           INTEGER NOT NULL DEFAULT 0,
  bytPeriod         INTEGER NOT NULL DEFAULT 0,
  intYearStop       INTEGER NOT NULL DEFAULT 0,
  bytPeriodStop     INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (lngOrganizationID, lngModuleID)
) WITHOUT ROWID;

-- Operation log; lnglogid comes from the sequence log_seq of the SQL layer.
CREATE TABLE log (
  lnglogid          INTEGER PRIMARY KEY,
  lngoperatorid     INTEGER NOT NULL DEFAULT 0,
  strlog            TEXT,
  strlogdate        TEXT,
  strlogintime      TEXT,
  strlogouttime     TEXT,
  strmachinename    TEXT,
  lngOrganizationID INTEGER NOT NULL DEFAULT 0
);

-- Date conditions handed to list windows; rows carry no key of their own.
CREATE TABLE ListCond (
  lngListID      INTEGER NOT NULL DEFAULT 0,
  lngViewFieldID INTEGER NOT NULL DEFAULT 0,
  strPath        TEXT,
  strDateOP      TEXT,
  dtmDate1       TEXT,
  dtmDate2       TEXT
);
CREATE INDEX ListCond_List ON ListCond (lngListID);

-- Flexible ("智能核算") items: a goods item (物品) plus thirty free segments (自定段01..30).
-- Titles: lngFlexibleTitleID 0 is the goods item, 1..30 the segments.
CREATE TABLE FlexibleTitle (
  lngFlexibleTitleID INTEGER PRIMARY KEY,
  strFieldName       TEXT NOT NULL,
  strTitle           TEXT NOT NULL,
  blnIsInActive      INTEGER NOT NULL DEFAULT 0
);

-- Goods items (物品) that a flexible id may name.
CREATE TABLE FlexibleItem (
  lngItemID     INTEGER PRIMARY KEY,
  strItemCode   TEXT NOT NULL,
  strItemName   TEXT NOT NULL,
  intLevel      INTEGER NOT NULL DEFAULT 1,
  blnIsDetail   INTEGER NOT NULL DEFAULT 1,
  blnIsInActive INTEGER NOT NULL DEFAULT 0
);

-- The goods items under the name the suite's flexible-id functions read (flexId2codeorname):
-- the same rows as FlexibleItem, so that an item is entered once.
CREATE VIEW Item AS SELECT lngItemID, strItemCode, strItemName FROM FlexibleItem;

-- Segment values; intFieldNO says which of the thirty segments, codes are a '-' hierarchy.
CREATE TABLE FlexibleFieldDetail (
  lngFieldID    INTEGER PRIMARY KEY,
  intFieldNO    INTEGER NOT NULL DEFAULT 1,
  strFieldCode  TEXT NOT NULL,
  strFieldName  TEXT NOT NULL,
  intLevel      INTEGER NOT NULL DEFAULT 1,
  blnIsDetail   INTEGER NOT NULL DEFAULT 1,
  blnIsInActive INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX FlexibleFieldDetail_Code ON FlexibleFieldDetail (strFieldCode);

-- The (item, field) pair behind a flexible id written on lines (strFlexibleId); ' ' = none.
CREATE TABLE FlexibleCheck (
  strFlexibleID TEXT PRIMARY KEY,
  lngItemID     INTEGER NOT NULL DEFAULT 0,
  lngFieldID    INTEGER NOT NULL DEFAULT 0
);

-- Whether an organisation uses the goods item and the segments, with defaults.
CREATE TABLE FlexibleUseField (
  lngOrganizationID INTEGER PRIMARY KEY,
  blnItemUse        INTEGER NOT NULL DEFAULT 0,
  blnFieldUse       INTEGER NOT NULL DEFAULT 0,
  lngDefaultItemID  INTEGER NOT NULL DEFAULT 0,
  lngDefaultID      INTEGER NOT NULL DEFAULT 0
);

-- Whether an account uses them, per organisation; one flag per segment.
CREATE TABLE FlexibleAccountUseField (
  lngOrganizationID INTEGER NOT NULL,
  lngAccountID      INTEGER NOT NULL,
  blnItemUse        INTEGER NOT NULL DEFAULT 0,
  blnFieldUse       INTEGER NOT NULL DEFAULT 0,
  lngDefaultItemID  INTEGER NOT NULL DEFAULT 0,
  lngDefaultID      INTEGER NOT NULL DEFAULT 0,
  blnFieldUse01 INTEGER NOT NULL DEFAULT 0, blnFieldUse02 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse03 INTEGER NOT NULL DEFAULT 0, blnFieldUse04 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse05 INTEGER NOT NULL DEFAULT 0, blnFieldUse06 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse07 INTEGER NOT NULL DEFAULT 0, blnFieldUse08 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse09 INTEGER NOT NULL DEFAULT 0, blnFieldUse10 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse11 INTEGER NOT NULL DEFAULT 0, blnFieldUse12 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse13 INTEGER NOT NULL DEFAULT 0, blnFieldUse14 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse15 INTEGER NOT NULL DEFAULT 0, blnFieldUse16 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse17 INTEGER NOT NULL DEFAULT 0, blnFieldUse18 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse19 INTEGER NOT NULL DEFAULT 0, blnFieldUse20 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse21 INTEGER NOT NULL DEFAULT 0, blnFieldUse22 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse23 INTEGER NOT NULL DEFAULT 0, blnFieldUse24 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse25 INTEGER NOT NULL DEFAULT 0, blnFieldUse26 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse27 INTEGER NOT NULL DEFAULT 0, blnFieldUse28 INTEGER NOT NULL DEFAULT 0,
  blnFieldUse29 INTEGER NOT NULL DEFAULT 0, blnFieldUse30 INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (lngOrganizationID, lngAccountID)
) WITHOUT ROWID;

-- Organisations: codes are a hierarchy where a child continues its parent's code with '-'
-- ("01", "01-02", "01-02-05"); the subtree queries rely on that.
-- blnIsAccountSet 0 marks an organisation that does not belong to the account set.
CREATE TABLE Organization (
  lngOrganizationID       INTEGER PRIMARY KEY,
  strOrganizationCode     TEXT NOT NULL,
  strOrganizationName     TEXT NOT NULL,
  strOrganizationFullName TEXT,
  lngParentID             INTEGER NOT NULL DEFAULT 0,
  intLevel                INTEGER NOT NULL DEFAULT 1,
  blnIsDetail             INTEGER NOT NULL DEFAULT 1,
  strStartDate            TEXT DEFAULT ' ',
  blnIsAccountSet         INTEGER NOT NULL DEFAULT 1,
  blnIsInActive           INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX Organization_Code ON Organization (strOrganizationCode);

-- Operator groups: the "same group" scope of the voucher list and of review rights.
CREATE TABLE OperatorGroup (
  lngOperatorGroupID   INTEGER PRIMARY KEY,
  strOperatorGroupCode TEXT NOT NULL,
  strOperatorGroupName TEXT NOT NULL
);

-- Operators; blnIsAdmin holds every right, strPassword may be empty.
CREATE TABLE Operator (
  lngOperatorID      INTEGER PRIMARY KEY,
  strOperatorCode    TEXT NOT NULL,
  strOperatorName    TEXT NOT NULL,
  strPassword        TEXT DEFAULT '',
  blnIsAdmin         INTEGER NOT NULL DEFAULT 0,
  lngOperatorGroupID INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID  INTEGER NOT NULL DEFAULT 0,
  blnIsInActive      INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX Operator_Code ON Operator (strOperatorCode);

-- Accounting years of the account set; its start and end bound every voucher date.
CREATE TABLE AccountYear (
  intYear      INTEGER PRIMARY KEY,
  strStartDate TEXT NOT NULL,
  strEndDate   TEXT NOT NULL,
  bytPeriodNO  INTEGER NOT NULL DEFAULT 12,
  blnIsClosed  INTEGER NOT NULL DEFAULT 0
);

-- Periods per organisation; blnIsClosed 1 = the general ledger closed this period.
CREATE TABLE AccountPeriod (
  lngOrganizationID INTEGER NOT NULL,
  intYear           INTEGER NOT NULL,
  bytPeriod         INTEGER NOT NULL,
  strStartDate      TEXT NOT NULL,
  strEndDate        TEXT NOT NULL,
  blnIsClosed       INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (lngOrganizationID, intYear, bytPeriod)
) WITHOUT ROWID;
-- Finding the period of a date.
CREATE INDEX AccountPeriod_Date ON AccountPeriod (lngOrganizationID, strStartDate);

-- Highest number issued per organisation, period and document kind
-- (kind 41 = voucher, strReceiptNo = the voucher type id as text).
CREATE TABLE ReceiptMaxNo (
  lngOrganizationID INTEGER NOT NULL,
  intYear           INTEGER NOT NULL,
  bytPeriod         INTEGER NOT NULL,
  lngReceiptTypeID  INTEGER NOT NULL,
  strReceiptNo      TEXT NOT NULL,
  lngReceiptNo      INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (lngOrganizationID, intYear, bytPeriod, lngReceiptTypeID, strReceiptNo)
) WITHOUT ROWID;

-- Volumes (binding) of vouchers; the component inserts rows without a key.
CREATE TABLE VoucherVolume (
  lngVoucherVolumeID INTEGER PRIMARY KEY,
  intYear            INTEGER NOT NULL,
  bytPeriod          INTEGER NOT NULL,
  lngVoucherTypeID   INTEGER NOT NULL,
  strVolume          TEXT NOT NULL,
  intNoStart         INTEGER NOT NULL DEFAULT 0,
  intNoEnd           INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID  INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX VoucherVolume_Period ON VoucherVolume (intYear, bytPeriod, lngVoucherTypeID, lngOrganizationID);
