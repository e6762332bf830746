-- Standard vouchers (样板凭证): the skeleton of a voucher without amounts, per organisation.
-- The budget basis keeps the same two tables under the prefix "Budget" (BudgetStdVoucher,
-- BudgetStdVoucherDetail), for the paired window.
CREATE TABLE StdVoucher (
  lngVoucherID      INTEGER PRIMARY KEY,
  lngVoucherTypeID  INTEGER NOT NULL DEFAULT 0,
  strVoucherNo      TEXT NOT NULL,
  strVoucherName    TEXT NOT NULL,
  lngTemplateID     INTEGER NOT NULL DEFAULT 0,
  intNumber         INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID INTEGER NOT NULL DEFAULT 0
);
-- The save dialog asks before it replaces a number; the key keeps two desktops from both
-- adding one.
CREATE UNIQUE INDEX StdVoucher_No ON StdVoucher (lngOrganizationID, strVoucherNo);

CREATE TABLE StdVoucherDetail (
  lngVoucherDetailID INTEGER PRIMARY KEY,
  lngVoucherID       INTEGER NOT NULL DEFAULT 0,
  lngRowID           INTEGER NOT NULL DEFAULT 0,
  strRemark          TEXT DEFAULT ' ',
  lngAccountID       INTEGER NOT NULL DEFAULT 0,
  intDirection       INTEGER NOT NULL DEFAULT 1,
  lngCurrencyID      INTEGER NOT NULL DEFAULT 1,
  lngClassID1        INTEGER NOT NULL DEFAULT 0,
  lngClassID2        INTEGER NOT NULL DEFAULT 0,
  lngCustomerID      INTEGER NOT NULL DEFAULT 0,
  lngDepartmentID    INTEGER NOT NULL DEFAULT 0,
  lngEmployeeID      INTEGER NOT NULL DEFAULT 0,
  lngPaymentMethodID INTEGER NOT NULL DEFAULT 0,
  strCheckNumber     TEXT DEFAULT ' ',
  strFlexibleId      TEXT DEFAULT ' ',
  lngFunctionalID    INTEGER NOT NULL DEFAULT 0,
  lngGovernmentECOID INTEGER NOT NULL DEFAULT 0,
  lngDepartmentECOID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX StdVoucherDetail_Voucher ON StdVoucherDetail (lngVoucherID, lngRowID);

CREATE TABLE BudgetStdVoucher (
  lngVoucherID      INTEGER PRIMARY KEY,
  lngVoucherTypeID  INTEGER NOT NULL DEFAULT 0,
  strVoucherNo      TEXT NOT NULL,
  strVoucherName    TEXT NOT NULL,
  lngTemplateID     INTEGER NOT NULL DEFAULT 0,
  intNumber         INTEGER NOT NULL DEFAULT 0,
  lngOrganizationID INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX BudgetStdVoucher_No ON BudgetStdVoucher (lngOrganizationID, strVoucherNo);

CREATE TABLE BudgetStdVoucherDetail (
  lngVoucherDetailID INTEGER PRIMARY KEY,
  lngVoucherID       INTEGER NOT NULL DEFAULT 0,
  lngRowID           INTEGER NOT NULL DEFAULT 0,
  strRemark          TEXT DEFAULT ' ',
  lngAccountID       INTEGER NOT NULL DEFAULT 0,
  intDirection       INTEGER NOT NULL DEFAULT 1,
  lngCurrencyID      INTEGER NOT NULL DEFAULT 1,
  lngClassID1        INTEGER NOT NULL DEFAULT 0,
  lngClassID2        INTEGER NOT NULL DEFAULT 0,
  lngCustomerID      INTEGER NOT NULL DEFAULT 0,
  lngDepartmentID    INTEGER NOT NULL DEFAULT 0,
  lngEmployeeID      INTEGER NOT NULL DEFAULT 0,
  lngPaymentMethodID INTEGER NOT NULL DEFAULT 0,
  strCheckNumber     TEXT DEFAULT ' ',
  strFlexibleId      TEXT DEFAULT ' ',
  lngFunctionalID    INTEGER NOT NULL DEFAULT 0,
  lngGovernmentECOID INTEGER NOT NULL DEFAULT 0,
  lngDepartmentECOID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX BudgetStdVoucherDetail_Voucher ON BudgetStdVoucherDetail (lngVoucherID, lngRowID);

-- External vouchers waiting to be posted (外部数据记账), one row per line, filled from the
-- interface standards' CSV files. A line is keyed by the importing organisation, the standard,
-- the external voucher key and its place in that voucher, so a file imported twice stages
-- nothing twice. Codes are the external system's; the posting resolves them. Posted lines
-- keep the voucher they became (lngVoucherID, strVoucherNo "记-000005").
CREATE TABLE ExternalVoucher (
  lngExternalVoucherID INTEGER PRIMARY KEY,
  lngOrganizationID    INTEGER NOT NULL DEFAULT 0,
  strStandard          TEXT NOT NULL,
  strExternalKey       TEXT NOT NULL,
  intLineNO            INTEGER NOT NULL DEFAULT 0,
  strSourceFile        TEXT,
  lngSourceLine        INTEGER NOT NULL DEFAULT 0,
  strDate              TEXT,
  strVoucherTypeCode   TEXT,
  intNumber            INTEGER NOT NULL DEFAULT 0,
  strRemark            TEXT,
  strAccountCode       TEXT,
  strCurrencyCode      TEXT,
  strCustomerCode      TEXT,
  strDepartmentCode    TEXT,
  strEmployeeCode      TEXT,
  strClass1Code        TEXT,
  strClass2Code        TEXT,
  strPaymentMethodCode TEXT,
  strSourceOrgCode     TEXT,
  strOrganizationCode  TEXT,
  strFlexibleCode      TEXT,
  strCheckNumber       TEXT,
  intDirection         INTEGER NOT NULL DEFAULT 1,
  dblAmount            REAL NOT NULL DEFAULT 0,
  dblCurrencyAmount    REAL NOT NULL DEFAULT 0,
  dblRate              REAL NOT NULL DEFAULT 0,
  dblQuantity          REAL NOT NULL DEFAULT 0,
  dblPrice             REAL NOT NULL DEFAULT 0,
  blnIsPosted          INTEGER NOT NULL DEFAULT 0,
  lngVoucherID         INTEGER NOT NULL DEFAULT 0,
  strVoucherNo         TEXT,
  blnIsRepaired        INTEGER NOT NULL DEFAULT 0,
  strError             TEXT
);
CREATE UNIQUE INDEX ExternalVoucher_Key
  ON ExternalVoucher (lngOrganizationID, strStandard, strExternalKey, intLineNO);

-- Per-operator column lists (the external posting's view 1287): a list of an operator and
-- organisation, its fields numbered, captioned, sized and chosen. Lists of everyone keep
-- operator and organisation 0, so the list name stays unique among them.
ALTER TABLE ViewField ADD COLUMN lngViewFieldNO INTEGER NOT NULL DEFAULT 0;
ALTER TABLE ViewField ADD COLUMN bytSort INTEGER NOT NULL DEFAULT 0;
ALTER TABLE ViewField ADD COLUMN intSize INTEGER NOT NULL DEFAULT 0;
ALTER TABLE ViewField ADD COLUMN lngDisplayWidth INTEGER NOT NULL DEFAULT 0;
ALTER TABLE ViewField ADD COLUMN blnIsChoosed INTEGER NOT NULL DEFAULT 1;
ALTER TABLE List ADD COLUMN lngOperatorID INTEGER NOT NULL DEFAULT 0;
ALTER TABLE List ADD COLUMN lngOrganizationID INTEGER NOT NULL DEFAULT 0;
DROP INDEX List_Name;
CREATE UNIQUE INDEX List_Name ON List (strListName, lngOperatorID, lngOrganizationID);
CREATE INDEX List_View ON List (lngViewID, lngOperatorID, lngOrganizationID);
ALTER TABLE ListField ADD COLUMN lngListFieldNO INTEGER NOT NULL DEFAULT 0;
ALTER TABLE ListField ADD COLUMN strListFieldDesc TEXT;
ALTER TABLE ListField ADD COLUMN bytSort INTEGER NOT NULL DEFAULT 0;
ALTER TABLE ListField ADD COLUMN intSize INTEGER NOT NULL DEFAULT 0;
ALTER TABLE ListField ADD COLUMN lngDisplayWidth INTEGER NOT NULL DEFAULT 0;
ALTER TABLE ListField ADD COLUMN blnIsChoosed INTEGER NOT NULL DEFAULT 0;

-- The thirty flexible segments under the names the external interface looks codes up in.
CREATE VIEW FlexibleField01 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 1;
CREATE VIEW FlexibleField02 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 2;
CREATE VIEW FlexibleField03 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 3;
CREATE VIEW FlexibleField04 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 4;
CREATE VIEW FlexibleField05 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 5;
CREATE VIEW FlexibleField06 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 6;
CREATE VIEW FlexibleField07 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 7;
CREATE VIEW FlexibleField08 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 8;
CREATE VIEW FlexibleField09 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 9;
CREATE VIEW FlexibleField10 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 10;
CREATE VIEW FlexibleField11 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 11;
CREATE VIEW FlexibleField12 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 12;
CREATE VIEW FlexibleField13 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 13;
CREATE VIEW FlexibleField14 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 14;
CREATE VIEW FlexibleField15 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 15;
CREATE VIEW FlexibleField16 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 16;
CREATE VIEW FlexibleField17 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 17;
CREATE VIEW FlexibleField18 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 18;
CREATE VIEW FlexibleField19 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 19;
CREATE VIEW FlexibleField20 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 20;
CREATE VIEW FlexibleField21 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 21;
CREATE VIEW FlexibleField22 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 22;
CREATE VIEW FlexibleField23 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 23;
CREATE VIEW FlexibleField24 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 24;
CREATE VIEW FlexibleField25 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 25;
CREATE VIEW FlexibleField26 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 26;
CREATE VIEW FlexibleField27 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 27;
CREATE VIEW FlexibleField28 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 28;
CREATE VIEW FlexibleField29 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 29;
CREATE VIEW FlexibleField30 AS SELECT lngFieldID, strFieldCode, strFieldName FROM FlexibleFieldDetail WHERE intFieldNO = 30;

-- The columns of the external posting window; strFieldName names the staged line's field shown.
INSERT INTO ViewField (lngViewFieldID, lngViewID, strViewFieldDesc, strFieldName, lngViewFieldNO,
                       bytSort, intSize, lngDisplayWidth, blnIsChoosed) VALUES
  (128701, 1287, '外部凭证号', 'strExternalKey', 1, 0, 0, 1100, 1),
  (128702, 1287, '日期', 'strDate', 2, 0, 0, 1500, 1),
  (128703, 1287, '凭证字', 'strVoucherTypeCode', 3, 0, 0, 700, 1),
  (128704, 1287, '摘要', 'strRemark', 4, 0, 0, 2200, 1),
  (128705, 1287, '科目', 'strAccountCode', 5, 0, 0, 1200, 1),
  (128706, 1287, '借方金额', 'dblDebit', 6, 0, 0, 1300, 1),
  (128707, 1287, '贷方金额', 'dblCredit', 7, 0, 0, 1300, 1),
  (128708, 1287, '币种', 'strCurrencyCode', 8, 0, 0, 700, 0),
  (128709, 1287, '原币金额', 'dblCurrencyAmount', 9, 0, 0, 1300, 0),
  (128710, 1287, '汇率', 'dblRate', 10, 0, 0, 900, 0),
  (128711, 1287, '数量', 'dblQuantity', 11, 0, 0, 900, 0),
  (128712, 1287, '单价', 'dblPrice', 12, 0, 0, 900, 0),
  (128713, 1287, '单位', 'strCustomerCode', 13, 0, 0, 900, 1),
  (128714, 1287, '部门', 'strDepartmentCode', 14, 0, 0, 900, 1),
  (128715, 1287, '职员', 'strEmployeeCode', 15, 0, 0, 900, 1),
  (128716, 1287, '统计', 'strClass1Code', 16, 0, 0, 900, 0),
  (128717, 1287, '项目', 'strClass2Code', 17, 0, 0, 900, 0),
  (128718, 1287, '付款方式', 'strPaymentMethodCode', 18, 0, 0, 900, 0),
  (128719, 1287, '票据号', 'strCheckNumber', 19, 0, 0, 1000, 0),
  (128720, 1287, '来源机构', 'strSourceOrgCode', 20, 0, 0, 900, 1),
  (128721, 1287, '机构', 'strOrganizationCode', 21, 0, 0, 900, 0),
  (128722, 1287, '智能核算', 'strFlexibleCode', 22, 0, 0, 1200, 0),
  (128723, 1287, '附件数', 'intNumber', 23, 0, 0, 700, 0),
  (128724, 1287, '凭证号', 'strVoucherNo', 24, 0, 0, 1100, 1),
  (128725, 1287, '来源文件', 'strSourceFile', 25, 0, 0, 1600, 0),
  (128726, 1287, '行号', 'lngSourceLine', 26, 0, 0, 700, 0);
