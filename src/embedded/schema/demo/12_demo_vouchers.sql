-- Demo vouchers of "星河医疗集团", 2026 period 2 (voucher ids 1..9, line ids 1..20).
-- Maker 李明 (2) unless noted; 收-000001 is reviewed, signed and posted, 付-000001 reviewed,
-- 记-000003 void, 记-000004 an error voucher, 记-000001 of 01-02-05 made in that organisation.

INSERT INTO Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, bytPeriod, intNumber, lngTemplateID,
                     lngSourceOrganizationID, lngOperatorID, lngCheckerID, lngPostID, lngTellerID, strManager,
                     strDebitAccountCode, strCreditAccountCode, lngVoucherSourceID, lngSourceVoucherID,
                     blnIsVoid, blnIsError, strError, blnIsPrint, blnIsPrinted, strVolume, strUQStamp) VALUES
  (1, 2, 1, '2026-02-03', 2026, 2, 2, 2, 1, 2, 3, 5, 4, ' ', '1002-01', '1122',         1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (2, 3, 1, '2026-02-05', 2026, 2, 1, 3, 1, 2, 3, 0, 0, ' ', '1001',    '1002-01',      1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (3, 1, 1, '2026-02-10', 2026, 2, 3, 1, 1, 2, 0, 0, 0, ' ', '6602-02', '1221',         1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (4, 1, 2, '2026-02-12', 2026, 2, 2, 1, 1, 6, 0, 0, 0, ' ', '1403/2221-01', '2202',    1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (5, 2, 2, '2026-02-15', 2026, 2, 1, 2, 1, 2, 0, 0, 0, ' ', '1002-02', '1122',         1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (6, 1, 3, '2026-02-18', 2026, 2, 1, 1, 1, 2, 0, 0, 0, ' ', '6602-01', '1001',         1, 0, 1, 0, ' ', 0, 0, '0000', ' '),
  (7, 1, 4, '2026-02-20', 2026, 2, 1, 1, 1, 2, 0, 0, 0, ' ', '6602-04', '2202',         1, 0, 0, 1, '错误凭证（导入）', 0, 0, '0000', ' '),
  (8, 4, 1, '2026-02-28', 2026, 2, 1, 4, 1, 2, 0, 0, 0, ' ', '6602-03', '2211-01',      1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (9, 1, 1, '2026-02-20', 2026, 2, 5, 1, 4, 2, 0, 0, 0, ' ', '1001',    '6001',         1, 0, 0, 0, ' ', 0, 0, '0000', ' ');

INSERT INTO VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, lngAccountID, intDirection, dblAmount,
                           lngCurrencyID, dblRate, dblCurrencyAmount, dblQuantity, dblPrice,
                           lngCustomerID, lngDepartmentID, lngEmployeeID, lngClassID1, lngClassID2,
                           strCheckNumber, strCheckDate, lngPaymentMethodID, strBusinessDate, lngOrganizationID, strSysDate) VALUES
  -- 收-000001: 华东医药 pays its receivable by wire
  (1,  1, 1, '收到华东医药前欠货款', 3,   1, 50000,  1, 1,   50000, 0,  0,    0, 0, 0, 0, 0, 'DH20260203', '2026-02-03', 3, ' ',          1, '2026-02-03'),
  (2,  1, 2, '收到华东医药前欠货款', 6,  -1, 50000,  1, 1,   50000, 0,  0,    1, 0, 0, 0, 0, ' ',          ' ',          0, '2026-02-03', 1, '2026-02-03'),
  -- 付-000001: petty cash drawn with cash check XJ0001
  (3,  2, 1, '提取备用金',           1,   1, 5000,   1, 1,   5000,  0,  0,    0, 0, 0, 0, 0, ' ',          ' ',          0, ' ',          1, '2026-02-05'),
  (4,  2, 2, '提取备用金',           3,  -1, 5000,   1, 1,   5000,  0,  0,    0, 0, 0, 0, 0, 'XJ0001',     '2026-02-05', 1, ' ',          1, '2026-02-05'),
  -- 记-000001: travel expenses of 张伟 settled against his advance
  (5,  3, 1, '张伟报销北京差旅费',   32,  1, 3200,   1, 1,   3200,  0,  0,    0, 1, 1, 0, 0, ' ',          ' ',          0, ' ',          1, '2026-02-10'),
  (6,  3, 2, '张伟报销北京差旅费',   8,  -1, 3200,   1, 1,   3200,  0,  0,    0, 0, 1, 0, 0, ' ',          ' ',          0, '2026-02-10', 1, '2026-02-10'),
  -- 记-000002 (maker 陈静): raw material bought on credit, 10 吨 at 3500
  (7,  4, 1, '采购医用酒精原料',     9,   1, 35000,  1, 1,   35000, 10, 3500, 0, 0, 0, 0, 0, ' ',          ' ',          0, ' ',          1, '2026-02-12'),
  (8,  4, 2, '采购医用酒精原料进项税', 20, 1, 4550,   1, 1,   4550,  0,  0,    0, 0, 0, 0, 0, ' ',          ' ',          0, ' ',          1, '2026-02-12'),
  (9,  4, 3, '采购医用酒精原料',     15, -1, 39550,  1, 1,   39550, 0,  0,    5, 0, 0, 0, 0, ' ',          ' ',          0, '2026-02-12', 1, '2026-02-12'),
  -- 收-000002: USD 10,000 at 7.1 from 美康国际
  (10, 5, 1, '收到美康国际美元货款', 4,   1, 71000,  2, 7.1, 10000, 0,  0,    0, 0, 0, 0, 0, 'DH20260215', '2026-02-15', 3, ' ',          1, '2026-02-15'),
  (11, 5, 2, '收到美康国际美元货款', 6,  -1, 71000,  1, 1,   71000, 0,  0,    2, 0, 0, 0, 0, ' ',          ' ',          0, '2026-02-15', 1, '2026-02-15'),
  -- 记-000003 (void): office supplies paid in cash
  (12, 6, 1, '购买办公用品',         31,  1, 800,    1, 1,   800,   0,  0,    0, 1, 0, 0, 0, ' ',          ' ',          0, ' ',          1, '2026-02-18'),
  (13, 6, 2, '购买办公用品',         1,  -1, 800,    1, 1,   800,   0,  0,    0, 0, 0, 0, 0, ' ',          ' ',          0, ' ',          1, '2026-02-18'),
  -- 记-000004 (error): network equipment of the HIS project
  (14, 7, 1, '网络设备采购款',       34,  1, 12000,  1, 1,   12000, 0,  0,    0, 0, 0, 3, 4, ' ',          ' ',          0, ' ',          1, '2026-02-20'),
  (15, 7, 2, '网络设备采购款',       15, -1, 12000,  1, 1,   12000, 0,  0,    6, 0, 0, 0, 0, ' ',          ' ',          0, '2026-02-20', 1, '2026-02-20'),
  -- 转-000001: February salaries accrued
  (16, 8, 1, '计提本月管理人员工资', 33,  1, 80000,  1, 1,   80000, 0,  0,    0, 1, 0, 0, 0, ' ',          ' ',          0, ' ',          1, '2026-02-28'),
  (17, 8, 2, '计提本月管理人员工资', 33,  1, 60000,  1, 1,   60000, 0,  0,    0, 2, 0, 0, 0, ' ',          ' ',          0, ' ',          1, '2026-02-28'),
  (18, 8, 3, '计提本月管理人员工资', 17, -1, 140000, 1, 1,   140000, 0, 0,    0, 0, 0, 0, 0, ' ',          ' ',          0, ' ',          1, '2026-02-28'),
  -- 记-000001 of 东城分院门诊部 (4): outpatient cash takings
  (19, 9, 1, '门诊收费收入',         1,   1, 12800,  1, 1,   12800, 0,  0,    0, 0, 0, 0, 0, ' ',          ' ',          0, ' ',          4, '2026-02-20'),
  (20, 9, 2, '门诊收费收入',         27, -1, 12800,  1, 1,   12800, 0,  0,    0, 4, 0, 0, 0, ' ',          ' ',          0, ' ',          4, '2026-02-20');

-- Highest issued numbers per organisation, period and type (document kind 41).
INSERT INTO ReceiptMaxNo (lngOrganizationID, intYear, bytPeriod, lngReceiptTypeID, strReceiptNo, lngReceiptNo) VALUES
  (1, 2026, 2, 41, '1', 4),
  (1, 2026, 2, 41, '2', 2),
  (1, 2026, 2, 41, '3', 1),
  (1, 2026, 2, 41, '4', 1),
  (4, 2026, 2, 41, '1', 1);

-- Current-account detail as a save would have written it: receivable/payable lines of
-- vouchers that are not void and come from sources 1, 2, 13, 14, 16.
INSERT INTO CashQARAPDETAIL1 (strARAPSource, intDirection, lngActivityTypeID, lngReceiptTypeID, lngActivityID, lngActivityDetailID,
                              lngCustomerID, lngCurrencyID, lngAccountID, lngDepartmentID, lngEmployeeID, lngClassID1, lngClassID2,
                              lngOperatorID, strReceiptNo, lngReceiptNo, strDate, strReceiptDate, strDueDate,
                              dblCurrAmount, dblCurrPaymentAmount, dblAmount, dblRate, strNote, strCheckNumber,
                              lngVoucherID, lngRowID, bytStatus, lngOrganizationID, strFlexibleID, strUnitName)
SELECT '3', d.intDirection, 0, 41, v.lngVoucherID, d.lngVoucherDetailID,
       d.lngCustomerID, d.lngCurrencyID, d.lngAccountID, d.lngDepartmentID, d.lngEmployeeID, d.lngClassID1, d.lngClassID2,
       v.lngOperatorID, t.strVoucherTypeCode, v.intVoucherNO, v.strDate, v.strDate, v.strDate,
       d.dblCurrencyAmount * d.intDirection, d.dblCurrPaymentAmount * d.intDirection, d.dblAmount * d.intDirection, d.dblRate,
       d.strRemark, d.strCheckNumber, v.lngVoucherID, d.lngRowID, 2, d.lngOrganizationID, d.strFlexibleId, ' '
FROM Voucher v
JOIN VoucherDetail d ON d.lngVoucherID = v.lngVoucherID
JOIN Account a ON a.lngAccountID = d.lngAccountID
JOIN VoucherType t ON t.lngVoucherTypeID = v.lngVoucherTypeID
WHERE a.lngAccountNatureID IN (3, 4) AND v.blnIsVoid = 0 AND v.lngVoucherSourceID IN (1, 2, 13, 14, 16)
  AND v.lngVoucherID BETWEEN 1 AND 4999
ORDER BY d.lngVoucherDetailID;
