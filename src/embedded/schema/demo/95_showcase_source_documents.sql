-- Vouchers other modules generated in January (period 1, ids 4101..4110, lines 4101..4120),
-- one per family of source documents, with the documents behind them (ids from 4101). In the
-- desktop's demo (DemoSets::kShowcase) and the business data tests, not in the sets the other
-- tests count vouchers of.
INSERT INTO Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, bytPeriod, intNumber, lngTemplateID,
                     lngSourceOrganizationID, lngOperatorID, lngCheckerID, lngPostID, lngTellerID, strManager,
                     strDebitAccountCode, strCreditAccountCode, lngVoucherSourceID, lngSourceVoucherID,
                     blnIsVoid, blnIsError, strError, blnIsPrint, blnIsPrinted, strVolume, strUQStamp)
SELECT v.id, 1, v.no, v.d, 2026, 1, 0, 1, 1, 2, 0, 0, 0, ' ', v.dr, v.cr, v.src, 0, 0, 0, ' ', 0, 0, '0000', ' '
FROM (SELECT 4101 AS id, 101 AS no, '2026-01-25' AS d, '6401' AS dr, '1405' AS cr, 11 AS src
      UNION ALL SELECT 4102, 102, '2026-01-08', '1403', '2202', 9
      UNION ALL SELECT 4103, 103, '2026-01-10', '1002-01', '1122', 5
      UNION ALL SELECT 4104, 104, '2026-01-12', '1601', '1002-01', 14
      UNION ALL SELECT 4105, 105, '2026-01-15', '6602', '1002-01', 24
      UNION ALL SELECT 4106, 106, '2026-01-31', '1122', '6001', 1
      UNION ALL SELECT 4107, 107, '2026-01-18', '1002-01', '2001', 27
      UNION ALL SELECT 4108, 108, '2026-01-20', '1002-01', '3001', 29
      UNION ALL SELECT 4109, 109, '2026-01-22', '3001', '1002-01', 38
      UNION ALL SELECT 4110, 110, '2026-01-28', '6602-01', '1403', 33) v;

INSERT INTO VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, lngAccountID, intDirection, dblAmount,
                           lngCurrencyID, dblRate, dblCurrencyAmount, lngOrganizationID, strSysDate)
SELECT l.id, l.v, l.r, l.remark, l.acc, l.dir, l.amount, 1, 1, l.amount, 1, '2026-01-31'
FROM (SELECT 4101 AS id, 4101 AS v, 1 AS r, '结转销售成本' AS remark, 29 AS acc, 1 AS dir, 8600 AS amount
      UNION ALL SELECT 4102, 4101, 2, '结转销售成本',   10,  -1, 8600
      UNION ALL SELECT 4103, 4102, 1, '采购入库',       9,    1, 12000
      UNION ALL SELECT 4104, 4102, 2, '采购入库',       15,  -1, 12000
      UNION ALL SELECT 4105, 4103, 1, '收到货款',       3,    1, 20000
      UNION ALL SELECT 4106, 4103, 2, '收到货款',       6,   -1, 20000
      UNION ALL SELECT 4107, 4104, 1, '购入CT机',       11,   1, 180000
      UNION ALL SELECT 4108, 4104, 2, '购入CT机',       3,   -1, 180000
      UNION ALL SELECT 4109, 4105, 1, '救护车大修',     30,   1, 6500
      UNION ALL SELECT 4110, 4105, 2, '救护车大修',     3,   -1, 6500
      UNION ALL SELECT 4111, 4106, 1, '一月门诊收入',   6,    1, 43000
      UNION ALL SELECT 4112, 4106, 2, '一月门诊收入',   27,  -1, 43000
      UNION ALL SELECT 4113, 4107, 1, '向集团借款',     3,    1, 100000
      UNION ALL SELECT 4114, 4107, 2, '向集团借款',     14,  -1, 100000
      UNION ALL SELECT 4115, 4108, 1, '东城分院划入',   3,    1, 30000
      UNION ALL SELECT 4116, 4108, 2, '东城分院划入',   22,  -1, 30000
      UNION ALL SELECT 4117, 4109, 1, '内部往来结算',   22,   1, 5000
      UNION ALL SELECT 4118, 4109, 2, '内部往来结算',   3,   -1, 5000
      UNION ALL SELECT 4119, 4110, 1, '领用低值易耗品', 31,   1, 900
      UNION ALL SELECT 4120, 4110, 2, '领用低值易耗品', 9,   -1, 900) l;

INSERT INTO ReceiptType (lngReceiptTypeID, strReceiptTypeName) VALUES
  (1, '采购入库单'), (2, '销售出库单'), (3, '收款单'), (4, '领用单');

INSERT INTO FlexibleItem (lngItemID, strItemCode, strItemName, strItemStyle) VALUES
  (4101, 'YP001', '医用酒精', '500ml'),
  (4102, 'YP002', '一次性注射器', '5ml'),
  (4103, 'HC001', '医用口罩', '独立包装');

-- 4102 (source 9): a purchase in and a goods return to the supplier.
-- 4101 (source 11): a delivery linked directly, one linked through two invoices, and a delivery
-- of a document type (31) the sales cost does not list by itself.
INSERT INTO ItemActivity (lngItemActivityID, lngVoucherID, lngVoucherID1, lngActivityTypeID, lngReceiptTypeID, strDate,
                          strReceiptNO, lngReceiptNO, lngCurrencyID, dblRate, intDirection) VALUES
  (4101, 4102, 0,    1,  1, '2026-01-08', 'CG', 12, 1, 1, 1),
  (4102, 4102, 0,    1,  1, '2026-01-08', 'CG', 13, 1, 1, -1),
  (4103, 0,    4101, 2,  2, '2026-01-20', 'XS', 7,  1, 1, 1),
  (4104, 0,    0,    2,  2, '2026-01-22', 'XS', 8,  1, 1, 1),
  (4105, 4101, 0,    31, 2, '2026-01-23', 'XS', 9,  1, 1, 1);

INSERT INTO ItemActivityDetail (lngItemActivityDetailID, lngItemActivityID, lngItemID, dblCurrNoTaxAmount, dblNoTaxAmount,
                                dblCurrTaxAmount, dblTaxAmount) VALUES
  (4101, 4101, 4101, 12000, 12000, 1560, 1560),
  (4102, 4102, 4102, -800,  -800,  -104, -104),
  (4103, 4103, 4101, 5000,  5000,  0,    0),
  (4104, 4104, 4103, 3600,  3600,  0,    0),
  (4105, 4105, 4102, 700,   700,   0,    0);

INSERT INTO Saletoinvoice (lngSaleToInvoiceID, lngInvoiceID, lngreceiptdetailid, lngcostvoucherid) VALUES
  (4101, 1, 4104, 4101), (4102, 2, 4104, 4101);

-- 4103 (source 5): a receipt of two lines, one of them booked by another document.
INSERT INTO Activity (lngActivityID, lngVoucherID, lngActivityTypeID, lngReceiptTypeID, strDate, strReceiptNO, lngReceiptNO,
                      lngCurrencyID, dblRate) VALUES
  (4101, 4103, 5, 3, '2026-01-10', 'SK', 3, 1, 1);
INSERT INTO ActivityDetail (lngActivityDetailID, lngActivityID, blnIsReceipt, dblCurrAmount, dblAmount) VALUES
  (4101, 4101, 1, 20000, 20000), (4102, 4101, 0, 20000, 20000);

-- 4104 (source 14): an increase and the decrease of the replaced machine.
INSERT INTO AmAsset (lngAmAssetID, strAssetCode, strAssetName) VALUES
  (4101, 'GZ-0101', 'CT机'), (4102, 'GZ-0057', '旧X光机');
INSERT INTO AmAssetAlter (lngAmAssetAlterID, lngAmAssetID, lngVoucherID, strDate, bytAlterType, dblValue, dblDepreciation) VALUES
  (4101, 4101, 4104, '2026-01-12', 1, 180000, 0),
  (4102, 4102, 4104, '2026-01-11', 2, 45000, 41000);

-- 4105 (source 24).
INSERT INTO FixedCard (lngFixedCardID, strCardCode, strCardName) VALUES (4101, 'GZ-0033', '救护车');
INSERT INTO FixedRepairType (lngFixedRepairTypeID, strFixedRepairTypeName) VALUES (1, '大修理费');
INSERT INTO FixedRepair (lngFixedRepairID, lngFixedCardID, lngFixedRepairTypeID, lngVoucherID, strDate, strReceiptNo,
                         strBeginDate, strEndDate, dblAmount) VALUES
  (4101, 4101, 1, 4105, '2026-01-15', 'WX0001', '2026-01-05', '2026-01-14', 6500);

-- 4106 (source 1).
INSERT INTO HISIncome (lngHISIncomeID, strDate, strReceiptNo, lngVoucherID) VALUES (4101, '2026-01-31', 'MZ202601', 4106);
INSERT INTO HISIncomeDetail (lngHISIncomeDetailID, lngHISIncomeID, dblAmount) VALUES (4101, 4101, 30000), (4102, 4101, 8000);
INSERT INTO HISPrePayment (lngHISPrePaymentID, strDate, strReceiptNo, lngVoucherID) VALUES (4101, '2026-01-31', 'YJ202601', 4106);
INSERT INTO HISPrePaymentDetail (lngHISPrePaymentDetailID, lngHISPrePaymentID, dblAmount) VALUES (4101, 4101, 5000);

-- 4107 (source 27): 东城分院 borrows through the group; 4108 (source 29): a transfer in.
INSERT INTO Bankloan (lngBankloanID, strDate, strBillNo, lngHubOrganizationID, lngLoanOrganizationID, lngHubVoucherID,
                      lngDebitVoucherID, dblAmount, lngCenterCheckerID, lngOrgCheckerID) VALUES
  (4101, '2026-01-18', 'JK0001', 1, 3, 0, 4107, 100000, 3, 0);
INSERT INTO CarrayOn (lngCarrayOnID, strDate, strBillNo, lngCenterOrganizationID, lngInOrganizationID, lngOutOrganizationID,
                      lngMidVoucherID, lngInVoucherID, lngOutVoucherID, dblAmount, lngCenterCheckerID, lngOutCheckerID, lngInCheckerID) VALUES
  (4101, '2026-01-20', 'HB0001', 1, 2, 3, 0, 4108, 0, 30000, 3, 4, 0);

-- 4109 (source 38): an internal voucher between 集团本部 and 东城分院.
INSERT INTO innervoucher (lngInnerVoucherID, strInnerVoucherNo, strDate, strRemark, lngOrganizationID, lngVoucherID, intVoucherNo) VALUES
  (4101, 'NB0012', '2026-01-22', '内部往来结算', 1, 4109, 12);
INSERT INTO innervoucherdetail (lngInnerVoucherDetailID, lngInnerVoucherID, lngOrganizationID, intDirection, dblAmount,
                                blnInnerAccount, lngAccountID, strRemark, intAccountDirection, intActivityDirection) VALUES
  (4101, 4101, 2, -1, 5000, 1, 22, '内部往来结算', 1, 1),
  (4102, 4101, 3, 1,  5000, 1, 22, '内部往来结算', -1, -1);

-- 4110 (source 33).
INSERT INTO ConsumptionCard (lngConsumptionCardID, strCardCode, strCardName) VALUES (4101, 'DZ-0008', '输液架');
INSERT INTO ConsumptionAlter (lngConsumptionAlterID, lngConsumptionCardID, lngVoucherID, strDate, bytAlterType, dblValue, dblAmortize) VALUES
  (4101, 4101, 4110, '2026-01-28', 1, 900, 450);
