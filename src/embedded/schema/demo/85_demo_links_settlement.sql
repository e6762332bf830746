-- Demo data of the line splits: opening current-account items, contracts and projects, cost
-- items, income types, sources and the income apportionment scheme.

-- Opening receivables of 市第一人民医院 (unit 3) on 1122 应收账款 (account 6): 60 and 70 in date
-- order, 50 of another department, 30 dated 2026-02-21, and one settled but for 0.000000005;
-- 12000 payable to 联想 (unit 6) on 2202 (account 15).
INSERT INTO DARAP (lngDARAPID, strDate, lngAccountID, lngCustomerID, lngDepartmentID, lngCurrencyID, intDirection, lngOrganizationID, blnInit) VALUES
  (1, '2026-01-10', 6, 3, 0, 1,  1, 1, 1),
  (2, '2026-01-20', 6, 3, 0, 1,  1, 1, 1),
  (3, '2026-01-15', 6, 3, 2, 1,  1, 1, 1),
  (4, '2026-02-21', 6, 3, 0, 1,  1, 1, 1),
  (5, '2026-01-05', 6, 3, 0, 1,  1, 1, 1),
  (6, '2026-01-12', 15, 6, 0, 1, -1, 1, 1);
INSERT INTO DARAPDetail (lngDARAPDetailID, lngDARAPID, lngRowID, strDate, lngVoucherTypeID, intVoucherNO, strRemark, lngAccountID, lngCustomerID, lngDepartmentID, lngCurrencyID, intDirection, dblRate, dblAmount, dblCurrAmount, dblCurrPaymentAmount, lngOrganizationID, strSysDate) VALUES
  (1, 1, 1, '2026-01-10', 1, 1, '期初应收 药品款A', 6, 3, 0, 1,  1, 1, 60, 60, 0, 1, '2026-01-01'),
  (2, 2, 1, '2026-01-20', 1, 2, '期初应收 药品款B', 6, 3, 0, 1,  1, 1, 70, 70, 0, 1, '2026-01-01'),
  (3, 3, 1, '2026-01-15', 1, 3, '期初应收 财务部', 6, 3, 2, 1,  1, 1, 50, 50, 0, 1, '2026-01-01'),
  (4, 4, 1, '2026-02-21', 1, 4, '期初应收 次日', 6, 3, 0, 1,  1, 1, 30, 30, 0, 1, '2026-01-01'),
  (5, 5, 1, '2026-01-05', 1, 5, '期初应收 已结清', 6, 3, 0, 1,  1, 1, 10, 10, 9.999999995, 1, '2026-01-01'),
  (6, 6, 1, '2026-01-12', 1, 6, '期初应付 设备款', 15, 6, 0, 1, -1, 1, 12000, 12000, 0, 1, '2026-01-01');

-- Contracts: 1 and 2 purchases open for settlement, 3 unconfirmed, 4 complete, 5 zero,
-- 6 a sales contract (receipts).
INSERT INTO ContractOption (lngContractOptionID, strContractOptionName, ContractOptionDir) VALUES
  (1, '采购合同', 1),
  (2, '销售合同', 2);
INSERT INTO Contract (lngContractID, strContractCode, strContractName, lngContractOptionID, lngCustomerID, blnConfirm, blnComplete, blnZero, lngOrganizationID) VALUES
  (1, 'HT-2026-001', '药品采购合同', 1, 4, 2, 0, 0, 1),
  (2, 'HT-2026-002', '设备采购合同', 1, 6, 2, 0, 0, 1),
  (3, 'HT-2026-003', '未确认合同',   1, 5, 1, 0, 0, 1),
  (4, 'HT-2026-004', '已完成合同',   1, 5, 2, 1, 0, 1),
  (5, 'HT-2026-005', '零金额合同',   1, 5, 2, 0, 1, 1),
  (6, 'XS-2026-001', '体检服务合同', 2, 3, 2, 0, 0, 1);
INSERT INTO ContractItem (lngContractItemID, lngContractID, strItemName, dblTaxAmount) VALUES
  (1, 1, '药品一批', 6000),
  (2, 1, '药品二批', 4000),
  (3, 2, 'CT设备', 50000),
  (4, 6, '年度体检', 20000);
-- 3000 of contract 1 already paid on line 9 (记-000002).
INSERT INTO ContractBalance (lngVoucherDetailID, lngProjectID, lngContractID, lngCustomerID, dblPaymentAmount, strPayDate, lngPayCustomerID, lngPaymentMethodID, strCheckNumber, strPayMan, intPayReceiveType, bytContractType, intDataSource, strNote) VALUES
  (9, 0, 1, 4, 3000, '2026-02-12', 4, 3, ' ', '张伟', 1, 1, 1, '首付款');

-- Projects: GC01 a parent, GC01-01 with two orders and initial payments, GC02 with one.
INSERT INTO Project (lngProjectID, strProjectCode, strProjectName, blnIsDetail, dblBudgetAmount, dblInitPayment, lngOrganizationID) VALUES
  (1, 'GC01',    '门诊楼改造工程', 0, 0, 0, 1),
  (2, 'GC01-01', '门诊楼一期',     1, 100000, 5000, 1),
  (3, 'GC02',    '信息机房建设',   1, 30000, 0, 1);
INSERT INTO ProjectOrder (lngOrderID, lngProjectID, strOrderCode, strOrderName, lngCustomerID, intPayReceiveType, dblSumAmount, dblInitPayment) VALUES
  (1, 2, 'DD-001', '土建施工', 6, 1, 60000, 10000),
  (2, 2, 'DD-002', '装修工程', 5, 1, 30000, 0),
  (3, 3, 'DD-003', '机房设备', 6, 1, 20000, 0);

-- "合同结算不允许超合同未付款金额" is False in 10_demo_account_set.sql.

-- Cost items beyond the leaves of 11_demo_master_data.sql: two parents, a third income item
-- and an inactive expense item.
INSERT INTO Outlay (lngOutlayID, strOutlayCode, strOutlayName, intDirection, blnIsDetail, blnIsInActive) VALUES
  (7, '1', '医疗收入', 1, 0, 0),
  (8, '2', '业务支出', -1, 0, 0),
  (9, '103', '检查收入', 1, 1, 0),
  (10, '205', '停用支出', -1, 1, 1);
INSERT INTO AccOutSet (lngAccountID, lngOutlayID) VALUES (27, 9);

INSERT INTO hisincometype (lnghisincometypeID, strhisincometypeCode, strhisincometypeName) VALUES
  (1, '01', '门诊医保'),
  (2, '02', '门诊非医保'),
  (3, '03', '住院');
INSERT INTO source (lngsourceID, strsourceName) VALUES
  (1, '财政补助'),
  (2, '科教项目'),
  (3, '其他');

-- Scheme FA01: 门诊收入 33.33/33.33/33.34 %, 住院收入 40/0/60 % (no executing department).
INSERT INTO HisCostScale (lngHisCostScaleID, strHisCostScaleCode, strHisCostScaleName, blnIsInActive, lngOrganizationID) VALUES
  (1, 'FA01', '标准分摊方案', 0, 1);
INSERT INTO HisCostScaleDetail (lngHiscostscaleID, lngOutlayID, dblTicketRate, dblExcuteRate, dblSickRate) VALUES
  (1, 1, 33.33, 33.33, 33.34),
  (1, 2, 40, 0, 60),
  (1, 9, 50, 50, 0);
INSERT INTO Setting (lngModuleID, strSection, strKey, strSetting, strTypeName, lngOrganizationID) VALUES
  (0, '收入归集分摊设置', '收入归集分摊方案启用设置', '1', 'Long', 1),
  (0, '收入归集分摊设置', '收入归集分摊方案设置', '1', 'Long', 1);

-- Id counters of the split tables, above the demo rows as in 90_demo_id_sequence.sql.
INSERT INTO IdSequence (strTableName, lngNextID)
SELECT 'DARAP', max(10000, ifnull(max(lngDARAPID), 0) + 1) FROM DARAP
UNION ALL SELECT 'DARAPDETAIL', max(10000, ifnull(max(lngDARAPDetailID), 0) + 1) FROM DARAPDetail
UNION ALL SELECT 'PROJECTINVOICE', max(10000, ifnull(max(lngInvoiceDetailID), 0) + 1) FROM ProjectInvoice
UNION ALL SELECT 'COSTAPPORTION', max(10000, ifnull(max(lngCostApportionID), 0) + 1) FROM CostApportion
UNION ALL SELECT 'HISCOSTAPPORTION', max(10000, ifnull(max(lngHisCostApportionID), 0) + 1) FROM HisCostApportion;
