-- Cash flow of "星河医疗集团": the statement's items, the assignment flags of two cash accounts,
-- the units that stand for the group's own organisations, and one internal transaction.

-- Parents group the leaves; 01-04 and 08 are net items, 99 belongs to another trade's format.
INSERT INTO CashItem (lngCashItemID, strCashItemCode, strCashItemName, lngCashFlowType, lngTradId, lngParentID, intLevel, blnIsDetail) VALUES
  (1,  '01',    '经营活动现金流入',                         1, 0, 0,  1, 0),
  (2,  '01-01', '销售商品、提供劳务收到的现金',             1, 0, 1,  2, 1),
  (3,  '01-02', '收到的税费返还',                           1, 0, 1,  2, 1),
  (4,  '01-03', '收到其他与经营活动有关的现金',             1, 0, 1,  2, 1),
  (5,  '02',    '经营活动现金流出',                         2, 0, 0,  1, 0),
  (6,  '02-01', '购买商品、接受劳务支付的现金',             2, 0, 5,  2, 1),
  (7,  '02-02', '支付给职工以及为职工支付的现金',           2, 0, 5,  2, 1),
  (8,  '02-03', '支付的各项税费',                           2, 0, 5,  2, 1),
  (9,  '02-04', '支付其他与经营活动有关的现金',             2, 0, 5,  2, 1),
  (10, '03',    '投资活动现金流入',                         1, 0, 0,  1, 0),
  (11, '03-01', '收回投资收到的现金',                       1, 0, 10, 2, 1),
  (12, '03-02', '取得投资收益收到的现金',                   1, 0, 10, 2, 1),
  (13, '04',    '投资活动现金流出',                         2, 0, 0,  1, 0),
  (14, '04-01', '购建固定资产、无形资产和其他长期资产支付的现金', 2, 0, 13, 2, 1),
  (15, '05',    '筹资活动现金流入',                         1, 0, 0,  1, 0),
  (16, '05-01', '取得借款收到的现金',                       1, 0, 15, 2, 1),
  (17, '06',    '筹资活动现金流出',                         2, 0, 0,  1, 0),
  (18, '06-01', '偿还债务支付的现金',                       2, 0, 17, 2, 1),
  (19, '06-02', '分配股利、利润或偿付利息支付的现金',       2, 0, 17, 2, 1),
  (20, '07',    '现金流量净额',                             3, 0, 0,  1, 0),
  (21, '07-01', '经营活动产生的现金流量净额',               3, 0, 20, 2, 1),
  (22, '07-02', '汇率变动对现金的影响',                     3, 0, 20, 2, 1),
  (23, '99',    '其他行业现金流入',                         1, 1, 0,  1, 1);

-- 1012 其他货币资金 must split into equal inflow and outflow; an incomplete split of
-- 1002-02 中国银行（美元） may be waived.
INSERT INTO CashFlowAccSetting (lngOrganizationID, lngAccountID, blnInOutAssign, blnNotMustAssign) VALUES
  (1, 5, 1, 0),
  (1, 4, 0, 1);

-- The group's own organisations as units, the counterparts of internal cash-flow rows.
INSERT INTO Customer (lngCustomerID, strCustomerCode, strCustomerName, strCustomerFullName, blnIsCustomer, blnIsSupplier, blnIsInActive) VALUES
  (8, '901', '集团本部',       '星河医疗集团集团本部',       1, 1, 0),
  (9, '902', '东城分院门诊部', '星河医疗集团东城分院门诊部', 1, 1, 0);

-- 集团本部 pays (line 4 of 付-000001), 东城分院门诊部 receives (line 19 of its 记-000001).
INSERT INTO innervoucher (lngInnerVoucherID, strInnerVoucherNo, strDate, strRemark, lngOrganizationID) VALUES
  (1, 'NB-2026-0001', '2026-02-05', '集团本部与东城分院门诊部内部资金往来', 1);
INSERT INTO innervoucherdetail (lngInnerVoucherDetailID, lngInnerVoucherID, lngOrganizationID, intDirection, dblAmount, blnInnerAccount) VALUES
  (1, 1, 1, -1, 5000,  1),
  (2, 1, 4,  1, 12800, 1);
INSERT INTO innervoucherdetailLink (lngInnerVoucherDetailID, lngVoucherDetailID) VALUES
  (1, 4),
  (2, 19);
