-- Demo vouchers of "青山县人民医院", 2026 period 2: financial and budget vouchers and their
-- pair rows (voucher, line and pair ids 5001.. shared out over both bases, never repeated).
--   记-000001  pair, reviewed 周涛, signed 吴霞, posted 郑伟: January salaries paid
--   收-000001  pair, reviewed and signed: outpatient takings by wire
--   记-000002  financial only (pair row with budget 0): office consumables bought on credit
--   收-000002  pair whose totals differ (financial 10000, budget 6000): health checks, part on credit
--   记-000003  budget only (pair row with financial 0): cash drawn from the zero-balance account
--   记-000004  void pair

INSERT INTO Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, bytPeriod, intNumber, lngTemplateID,
                    lngSourceOrganizationID, lngOperatorID, lngCheckerID, lngPostID, lngTellerID, strManager,
                    strDebitAccountCode, strCreditAccountCode, lngVoucherSourceID, lngSourceVoucherID,
                    blnIsVoid, blnIsError, strError, blnIsPrint, blnIsPrinted, strVolume, strUQStamp) VALUES
  (5001, 1, 1, '2026-02-03', 2026, 2, 1, 1, 5001, 5001, 5002, 5004, 5003, ' ', '2201', '1011', 1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (5003, 2, 1, '2026-02-08', 2026, 2, 2, 2, 5001, 5001, 5002, 0, 5003, ' ', '1002-01', '4101-01', 1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (5005, 1, 2, '2026-02-12', 2026, 2, 1, 1, 5001, 5001, 0, 0, 0, ' ', '5101-02', '2302', 1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (5006, 2, 2, '2026-02-18', 2026, 2, 1, 2, 5001, 5001, 0, 0, 0, ' ', '1002-01/1212', '4101-01', 1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (5009, 1, 4, '2026-02-22', 2026, 2, 1, 1, 5001, 5001, 0, 0, 0, ' ', '5101-01', '1001', 1, 0, 1, 0, ' ', 0, 0, '0000', ' ');

INSERT INTO BudgetVoucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, bytPeriod, intNumber, lngTemplateID,
                          lngSourceOrganizationID, lngOperatorID, lngCheckerID, lngPostID, lngTellerID, strManager,
                          strDebitAccountCode, strCreditAccountCode, lngVoucherSourceID, lngSourceVoucherID,
                          blnIsVoid, blnIsError, strError, blnIsPrint, blnIsPrinted, strVolume, strUQStamp) VALUES
  (5002, 1, 1, '2026-02-03', 2026, 2, 1, 1, 5001, 5001, 5002, 5004, 5003, ' ', '7201-01', '8001-01', 1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (5004, 2, 1, '2026-02-08', 2026, 2, 2, 2, 5001, 5001, 5002, 0, 5003, ' ', '8001-02', '6101-01', 1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (5007, 2, 2, '2026-02-18', 2026, 2, 1, 2, 5001, 5001, 0, 0, 0, ' ', '8001-02', '6101-01', 1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (5008, 1, 3, '2026-02-20', 2026, 2, 0, 1, 5001, 5001, 0, 0, 0, ' ', '8001-02', '8001-01', 1, 0, 0, 0, ' ', 0, 0, '0000', ' '),
  (5010, 1, 4, '2026-02-22', 2026, 2, 1, 1, 5001, 5001, 0, 0, 0, ' ', '7201-01', '8001-02', 1, 0, 1, 0, ' ', 0, 0, '0000', ' ');

INSERT INTO VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, lngAccountID, intDirection, dblAmount,
                          lngCurrencyID, dblRate, dblCurrencyAmount, dblQuantity, dblPrice,
                          lngCustomerID, lngDepartmentID, lngEmployeeID, lngClassID1, lngClassID2,
                          strCheckNumber, strCheckDate, lngPaymentMethodID, strBusinessDate, lngOrganizationID, strSysDate) VALUES
  (5001, 5001, 1, '发放一月工资', 5004,  1, 30000, 1, 1, 30000, 0, 0, 0, 0, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-03'),
  (5002, 5001, 2, '发放一月工资', 5001, -1, 30000, 1, 1, 30000, 0, 0, 0, 0, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-03'),
  (5005, 5003, 1, '收到门诊医疗收入', 3,  1, 85000, 1, 1, 85000, 0, 0, 0, 0, 0, 0, 0, 'DH20260208', '2026-02-08', 3, ' ', 5001, '2026-02-08'),
  (5006, 5003, 2, '收到门诊医疗收入', 5008, -1, 85000, 1, 1, 85000, 0, 0, 0, 4, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-08'),
  (5009, 5005, 1, '购买办公耗材', 5013,  1, 1200, 1, 1, 1200, 0, 0, 0, 1, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-12'),
  (5010, 5005, 2, '购买办公耗材', 5005, -1, 1200, 1, 1, 1200, 0, 0, 6, 0, 0, 0, 0, ' ', ' ', 0, '2026-02-12', 5001, '2026-02-12'),
  (5011, 5006, 1, '团体体检收入', 3,  1, 6000, 1, 1, 6000, 0, 0, 0, 0, 0, 0, 0, 'DH20260218', '2026-02-18', 3, ' ', 5001, '2026-02-18'),
  (5012, 5006, 2, '团体体检收入', 5002,  1, 4000, 1, 1, 4000, 0, 0, 3, 0, 0, 0, 0, ' ', ' ', 0, '2026-02-18', 5001, '2026-02-18'),
  (5013, 5006, 3, '团体体检收入', 5008, -1, 10000, 1, 1, 10000, 0, 0, 0, 5, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-18'),
  (5018, 5009, 1, '购买办公用品', 5012,  1, 500, 1, 1, 500, 0, 0, 0, 2, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-22'),
  (5019, 5009, 2, '购买办公用品', 1, -1, 500, 1, 1, 500, 0, 0, 0, 0, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-22');

INSERT INTO BudgetVoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, lngAccountID, intDirection, dblAmount,
                                lngCurrencyID, dblRate, dblCurrencyAmount, dblQuantity, dblPrice,
                                lngCustomerID, lngDepartmentID, lngEmployeeID, lngClassID1, lngClassID2,
                                strCheckNumber, strCheckDate, lngPaymentMethodID, strBusinessDate, lngOrganizationID, strSysDate) VALUES
  (5003, 5002, 1, '发放一月工资', 6007,  1, 30000, 1, 1, 30000, 0, 0, 0, 1, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-03'),
  (5004, 5002, 2, '发放一月工资', 6011, -1, 30000, 1, 1, 30000, 0, 0, 0, 0, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-03'),
  (5007, 5004, 1, '收到门诊医疗收入', 6012,  1, 85000, 1, 1, 85000, 0, 0, 0, 0, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-08'),
  (5008, 5004, 2, '收到门诊医疗收入', 6003, -1, 85000, 1, 1, 85000, 0, 0, 0, 4, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-08'),
  (5014, 5007, 1, '团体体检收入', 6012,  1, 6000, 1, 1, 6000, 0, 0, 0, 0, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-18'),
  (5015, 5007, 2, '团体体检收入', 6003, -1, 6000, 1, 1, 6000, 0, 0, 0, 5, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-18'),
  (5016, 5008, 1, '零余额账户提取备用金', 6012,  1, 800, 1, 1, 800, 0, 0, 0, 0, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-20'),
  (5017, 5008, 2, '零余额账户提取备用金', 6011, -1, 800, 1, 1, 800, 0, 0, 0, 0, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-20'),
  (5020, 5010, 1, '购买办公用品', 6007,  1, 500, 1, 1, 500, 0, 0, 0, 2, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-22'),
  (5021, 5010, 2, '购买办公用品', 6012, -1, 500, 1, 1, 500, 0, 0, 0, 0, 0, 0, 0, ' ', ' ', 0, ' ', 5001, '2026-02-22');

INSERT INTO BudgetVoucherRelevance (lngVoucherRelevanceID, lngVoucherID, lngBudgetVoucherID, lngSourceOrganizationID, blnIsVoid) VALUES
  (5001, 5001, 5002, 5001, 0),
  (5002, 5003, 5004, 5001, 0),
  (5003, 5005, 0,    5001, 0),
  (5004, 5006, 5007, 5001, 0),
  (5005, 0,    5008, 5001, 0),
  (5006, 5009, 5010, 5001, 1);

INSERT INTO ReceiptMaxNo (lngOrganizationID, intYear, bytPeriod, lngReceiptTypeID, strReceiptNo, lngReceiptNo) VALUES
  (5001, 2026, 2, 41, '1', 4),
  (5001, 2026, 2, 41, '2', 2);

-- Current-account detail of the financial vouchers' receivable and payable lines.
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
WHERE a.lngAccountNatureID IN (3, 4) AND v.blnIsVoid = 0 AND v.lngVoucherID BETWEEN 5000 AND 9999
ORDER BY d.lngVoucherDetailID;
