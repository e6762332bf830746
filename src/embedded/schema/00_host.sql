-- Tables of the embedded host itself: ids, operator rights, per-user preferences.

-- Id service: the next key to hand out, per upper-case table name ("VOUCHER", "VOUCHERDETAIL").
-- A table without a row starts at 1, so every table that holds seeded rows needs one.
CREATE TABLE IdSequence (
  strTableName TEXT PRIMARY KEY,
  lngNextID    INTEGER NOT NULL
);

-- Catalogue of right numbers, so an administrator screen and the README can name them.
CREATE TABLE RightItem (
  lngRightID   INTEGER PRIMARY KEY,
  strRightName TEXT NOT NULL
);

-- Function rights per operator and organisation (204 review, 206 post, 1725 cashier ...).
-- An operator with Operator.blnIsAdmin = 1 holds every right without rows here.
CREATE TABLE OperatorRight (
  lngOperatorID     INTEGER NOT NULL,
  lngRightID        INTEGER NOT NULL,
  lngOrganizationID INTEGER NOT NULL,
  PRIMARY KEY (lngOperatorID, lngRightID, lngOrganizationID)
) WITHOUT ROWID;

-- Voucher types an operator may make and query; no row at all for an operator means all types.
CREATE TABLE OperatorVoucherType (
  lngOperatorID    INTEGER NOT NULL,
  lngVoucherTypeID INTEGER NOT NULL,
  blnMake          INTEGER NOT NULL DEFAULT 1,
  blnQuery         INTEGER NOT NULL DEFAULT 1,
  PRIMARY KEY (lngOperatorID, lngVoucherTypeID)
) WITHOUT ROWID;

-- Item rights, used only for the dimensions switched on in Setting section '权限控制';
-- a row means the operator may use the item in that organisation.
CREATE TABLE OperatorAccount (
  lngOperatorID     INTEGER NOT NULL,
  lngAccountID      INTEGER NOT NULL,
  lngOrganizationID INTEGER NOT NULL,
  PRIMARY KEY (lngOperatorID, lngOrganizationID, lngAccountID)
) WITHOUT ROWID;

CREATE TABLE OperatorCustomer (
  lngOperatorID     INTEGER NOT NULL,
  lngCustomerID     INTEGER NOT NULL,
  lngOrganizationID INTEGER NOT NULL,
  PRIMARY KEY (lngOperatorID, lngOrganizationID, lngCustomerID)
) WITHOUT ROWID;

CREATE TABLE OperatorDepartment (
  lngOperatorID     INTEGER NOT NULL,
  lngDepartmentID   INTEGER NOT NULL,
  lngOrganizationID INTEGER NOT NULL,
  PRIMARY KEY (lngOperatorID, lngOrganizationID, lngDepartmentID)
) WITHOUT ROWID;

CREATE TABLE OperatorEmployee (
  lngOperatorID     INTEGER NOT NULL,
  lngEmployeeID     INTEGER NOT NULL,
  lngOrganizationID INTEGER NOT NULL,
  PRIMARY KEY (lngOperatorID, lngOrganizationID, lngEmployeeID)
) WITHOUT ROWID;

CREATE TABLE OperatorClass1 (
  lngOperatorID     INTEGER NOT NULL,
  lngClassID        INTEGER NOT NULL,
  lngOrganizationID INTEGER NOT NULL,
  PRIMARY KEY (lngOperatorID, lngOrganizationID, lngClassID)
) WITHOUT ROWID;

CREATE TABLE OperatorClass2 (
  lngOperatorID     INTEGER NOT NULL,
  lngClassID        INTEGER NOT NULL,
  lngOrganizationID INTEGER NOT NULL,
  PRIMARY KEY (lngOperatorID, lngOrganizationID, lngClassID)
) WITHOUT ROWID;

-- Organisations an operator may work in (login, source-organisation pickers, item rights).
CREATE TABLE OperatorOrganization (
  lngOperatorID     INTEGER NOT NULL,
  lngOrganizationID INTEGER NOT NULL,
  PRIMARY KEY (lngOperatorID, lngOrganizationID)
) WITHOUT ROWID;

-- Per-user window preferences (section = operator id followed by the document kind, e.g. '241').
CREATE TABLE UserPreference (
  lngOperatorID INTEGER NOT NULL,
  strSection    TEXT NOT NULL,
  strKey        TEXT NOT NULL,
  strValue      TEXT,
  PRIMARY KEY (lngOperatorID, strSection, strKey)
) WITHOUT ROWID;
