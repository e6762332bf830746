-- Standard vouchers and external data posting on the demo account set.
INSERT INTO RightItem (lngRightID, strRightName) VALUES (508, '外部数据记账接口');
-- The makers may post external data.
INSERT INTO OperatorRight (lngOperatorID, lngRightID, lngOrganizationID)
SELECT r.op, 508, g.lngOrganizationID FROM (SELECT 2 AS op UNION ALL SELECT 6) r, Organization g
WHERE g.lngOrganizationID BETWEEN 1 AND 4999;

-- Two standard vouchers of the group's head office.
INSERT INTO StdVoucher (lngVoucherID, lngVoucherTypeID, strVoucherNo, strVoucherName, lngTemplateID, intNumber, lngOrganizationID) VALUES
  (1, 1, '01', '报销差旅费', 1, 1, 1),
  (2, 4, '02', '计提工资', 4, 0, 1);
INSERT INTO StdVoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, lngAccountID, intDirection, lngCurrencyID, lngDepartmentID, lngEmployeeID, strCheckNumber, strFlexibleId) VALUES
  (1, 1, 1, '报销差旅费', 32, 1, 1, 1, 1, ' ', ' '),
  (2, 1, 2, '报销差旅费', 1, -1, 1, 0, 0, ' ', ' '),
  (3, 2, 1, '计提工资', 33, 1, 1, 1, 0, ' ', ' '),
  (4, 2, 2, '计提工资', 17, -1, 1, 0, 0, ' ', ' ');

-- Keys above the demo rows, and above the lists of the voucher lists.
INSERT INTO IdSequence (strTableName, lngNextID) VALUES
  ('STDVOUCHER', 10000), ('STDVOUCHERDETAIL', 10000), ('EXTERNALVOUCHER', 10000),
  ('FLEXIBLECHECK', 10000);
INSERT OR REPLACE INTO IdSequence (strTableName, lngNextID)
SELECT 'LIST', max(10000, ifnull(max(lngListID), 0) + 1) FROM List;
INSERT OR REPLACE INTO IdSequence (strTableName, lngNextID)
SELECT 'LISTFIELD', max(10000, ifnull(max(lngListFieldID), 0) + 1) FROM ListField;
