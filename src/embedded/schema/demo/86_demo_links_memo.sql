-- Memo book: three memo accounts, items of each classification (1 功能, 2 经济, 3 其他), the
-- items each account takes, one system item, and the registration of line 5 (差旅费 3200).
UPDATE Account SET blnIsReference = 1 WHERE lngAccountID IN (31, 32, 34);

INSERT INTO Reference (lngReferenceID, strReferenceCode, strReferenceName, bytFuncType, lngParentID, blnIsDetail, blnIsInActive) VALUES
  (1,  '210',     '卫生健康支出',   1, 0, 0, 0),
  (2,  '21002',   '公立医院',       1, 1, 1, 0),
  (3,  '21004',   '公共卫生',       1, 1, 1, 0),
  (4,  '302',     '商品和服务支出', 2, 0, 0, 0),
  (5,  '30201',   '办公费',         2, 4, 1, 0),
  (6,  '30211',   '差旅费',         2, 4, 1, 0),
  (7,  '30227',   '委托业务费',     2, 4, 1, 0),
  (8,  '901',     '科研课题',       3, 0, 1, 0),
  (9,  '902',     '停用课题',       3, 0, 1, 1),
  (10, '30299',   '系统预置项目',   2, 4, 1, 0);

INSERT INTO sysreference (lngreferenceid) VALUES (10);

-- 办公费 takes one item (the batch window shows it); 差旅费 and 专项支出 take several, 专项支出
-- none of type 2 (its lookup offers them all).
INSERT INTO ReferenceAccount (lngAccountID, lngReferenceID) VALUES
  (31, 5),
  (32, 2), (32, 6),
  (34, 2), (34, 3), (34, 8);

INSERT INTO RVoucherDetail (lngRVoucherDetailID, lngVoucherDetailID, lngVoucherID, dblAmount, lngOrganizationID, lngRowID, lngReferenceID,
                            intYear, bytPeriod, strDate, lngAccountID, lngCurrencyID, lngCustomerID, lngDepartmentID, lngEmployeeID,
                            lngClassID1, lngClassID2, strFlexibleID, intDirection, intVoucherNo, lngVoucherTypeId, lngOperatorID)
SELECT r.id, d.lngVoucherDetailID, d.lngVoucherID, r.amount, d.lngOrganizationID, r.rowid_, r.ref,
       v.intYear, v.bytPeriod, v.strDate, d.lngAccountID, d.lngCurrencyID, d.lngCustomerID, d.lngDepartmentID, d.lngEmployeeID,
       d.lngClassID1, d.lngClassID2, d.strFlexibleId, d.intDirection, v.intVoucherNO, v.lngVoucherTypeID, 2
FROM (SELECT 1001 AS id, 1 AS rowid_, 2 AS ref, 3200 AS amount UNION ALL SELECT 1002, 2, 6, 3200) r,
     VoucherDetail d, Voucher v
WHERE d.lngVoucherDetailID = 5 AND v.lngVoucherID = d.lngVoucherID;

INSERT INTO IdSequence (strTableName, lngNextID) VALUES ('RVOUCHERDETAIL', 10000);
