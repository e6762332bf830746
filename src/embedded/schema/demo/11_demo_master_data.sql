-- Demo account set "星河医疗集团": currencies, templates, chart of accounts, voucher types,
-- units, departments, employees, class items and payment methods (ids 1..4999).

INSERT INTO Currencys (lngCurrencyID, strCurrencyCode, strCurrencyName, strCurrencySign, bytCurrencyDec, bytRateDec, dblRate, blnIsLocal) VALUES
  (1, 'RMB', '人民币', '¥',   2, 6, 1,      1),
  (2, 'USD', '美元',   '$',   2, 4, 7.1,    0),
  (3, 'HKD', '港币',   'HK$', 2, 4, 0.91,   0);

-- Templates of document kind 41; -1 = shared by every organisation.
INSERT INTO Template (lngTemplateID, strTemplateCode, strTemplateName, lngReceiptTypeID, lngOrganizationID) VALUES
  (1, '01', '记账凭证',         41, -1),
  (2, '02', '收款凭证',         41, -1),
  (3, '03', '付款凭证',         41, -1),
  (4, '04', '转账凭证',         41, -1),
  (5, '05', '东城分院记账凭证', 41, 3);

-- Chart of accounts. Natures: 1 cash, 2 bank, 3 receivable, 4 payable.
INSERT INTO Account (lngAccountID, strAccountCode, strAccountName, strAccountFullName, lngParentID, intLevel, blnIsDetail, intDirection, lngAccountTypeID, lngAccountNatureID, blnIsInActive, blnIsCash,
                     blnIsQuantity, strUnit, blnIsCurrency, lngCurrencyID, blnIsCustomer, blnIsDepartment, blnIsEmployee, blnIsClass1, blnIsClass2, blnIsOrganization, blnAllCustomer) VALUES
  (1,  '1001',    '库存现金',           '库存现金',                   0,  1, 1,  1, 1, 1, 0, 1,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (2,  '1002',    '银行存款',           '银行存款',                   0,  1, 0,  1, 1, 2, 0, 1,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (3,  '1002-01', '工商银行（人民币）', '银行存款-工商银行（人民币）', 2,  2, 1,  1, 1, 2, 0, 1,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (4,  '1002-02', '中国银行（美元）',   '银行存款-中国银行（美元）',   2,  2, 1,  1, 1, 2, 0, 1,  0, ' ',  1, 2, 0, 0, 0, 0, 0, 0, 1),
  (5,  '1012',    '其他货币资金',       '其他货币资金',               0,  1, 1,  1, 1, 0, 0, 1,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (6,  '1122',    '应收账款',           '应收账款',                   0,  1, 1,  1, 1, 3, 0, 0,  0, ' ',  0, 0, 1, 0, 0, 0, 0, 0, 1),
  (7,  '1123',    '预付账款',           '预付账款',                   0,  1, 1,  1, 1, 4, 0, 0,  0, ' ',  0, 0, 1, 0, 0, 0, 0, 0, 1),
  (8,  '1221',    '其他应收款',         '其他应收款',                 0,  1, 1,  1, 1, 3, 0, 0,  0, ' ',  0, 0, 0, 0, 1, 0, 0, 0, 1),
  (9,  '1403',    '原材料',             '原材料',                     0,  1, 1,  1, 1, 0, 0, 0,  1, '吨', 0, 0, 0, 0, 0, 0, 0, 0, 1),
  (10, '1405',    '库存商品',           '库存商品',                   0,  1, 1,  1, 1, 0, 0, 0,  1, '件', 0, 0, 0, 0, 0, 0, 0, 0, 1),
  (11, '1601',    '固定资产',           '固定资产',                   0,  1, 1,  1, 1, 0, 0, 0,  0, ' ',  0, 0, 0, 1, 0, 0, 0, 0, 1),
  (12, '1602',    '累计折旧',           '累计折旧',                   0,  1, 1, -1, 1, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (13, '1901',    '待处理财产损溢',     '待处理财产损溢',             0,  1, 1,  1, 1, 0, 1, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (14, '2001',    '短期借款',           '短期借款',                   0,  1, 1, -1, 2, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (15, '2202',    '应付账款',           '应付账款',                   0,  1, 1, -1, 2, 4, 0, 0,  0, ' ',  0, 0, 1, 0, 0, 0, 0, 0, 0),
  (16, '2211',    '应付职工薪酬',       '应付职工薪酬',               0,  1, 0, -1, 2, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (17, '2211-01', '工资',               '应付职工薪酬-工资',          16, 2, 1, -1, 2, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (18, '2211-02', '社会保险费',         '应付职工薪酬-社会保险费',    16, 2, 1, -1, 2, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (19, '2221',    '应交税费',           '应交税费',                   0,  1, 0, -1, 2, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (20, '2221-01', '应交增值税',         '应交税费-应交增值税',        19, 2, 1, -1, 2, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (21, '2241',    '其他应付款',         '其他应付款',                 0,  1, 1, -1, 2, 4, 0, 0,  0, ' ',  0, 0, 1, 0, 0, 0, 0, 0, 1),
  (22, '3001',    '清算资金往来',       '清算资金往来',               0,  1, 1,  1, 3, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 1, 1),
  (23, '4001',    '实收资本',           '实收资本',                   0,  1, 1, -1, 4, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (24, '4103',    '本年利润',           '本年利润',                   0,  1, 1, -1, 4, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (25, '4104',    '利润分配',           '利润分配',                   0,  1, 1, -1, 4, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (26, '5001',    '生产成本',           '生产成本',                   0,  1, 1,  1, 5, 0, 0, 0,  0, ' ',  0, 0, 0, 1, 0, 0, 1, 0, 1),
  (27, '6001',    '主营业务收入',       '主营业务收入',               0,  1, 1, -1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 1, 0, 0, 0, 0, 1),
  (28, '6051',    '其他业务收入',       '其他业务收入',               0,  1, 1, -1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (29, '6401',    '主营业务成本',       '主营业务成本',               0,  1, 1,  1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (30, '6602',    '管理费用',           '管理费用',                   0,  1, 0,  1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (31, '6602-01', '办公费',             '管理费用-办公费',            30, 2, 1,  1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 1, 0, 0, 0, 0, 1),
  (32, '6602-02', '差旅费',             '管理费用-差旅费',            30, 2, 1,  1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 1, 1, 0, 0, 0, 1),
  (33, '6602-03', '职工薪酬',           '管理费用-职工薪酬',          30, 2, 1,  1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 1, 0, 0, 0, 0, 1),
  (34, '6602-04', '专项支出',           '管理费用-专项支出',          30, 2, 1,  1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 1, 1, 0, 1),
  (35, '6603',    '财务费用',           '财务费用',                   0,  1, 0,  1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (36, '6603-01', '利息支出',           '财务费用-利息支出',          35, 2, 1,  1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (37, '6603-02', '汇兑损益',           '财务费用-汇兑损益',          35, 2, 1,  1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1),
  (38, '6711',    '营业外支出',         '营业外支出',                 0,  1, 1,  1, 6, 0, 0, 0,  0, ' ',  0, 0, 0, 0, 0, 0, 0, 0, 1);

-- 应付账款 accepts only the suppliers assigned to it (kind 1 = unit).
INSERT INTO AccountItemAssign (lngAccountID, intItemKind, lngItemID) VALUES
  (15, 1, 4), (15, 1, 5), (15, 1, 6);

-- 东城分院 (3) keeps its own copy of 其他应收款 that also asks for a department.
INSERT INTO AccountEx
SELECT a.*, 3 FROM Account a WHERE a.lngAccountID = 8;
UPDATE AccountEx SET blnIsDepartment = 1 WHERE lngAccountID = 8 AND lngOrganizationID = 3;

-- Voucher types 记/收/付/转 and an inactive 调. 收: the debit side must use 1001 or 1002;
-- 付: the credit side must use 1001 or 1002; 转: no line may use 1001 or 1002.
INSERT INTO VoucherType (lngVoucherTypeID, strVoucherTypeCode, strVoucherTypeName, lngTemplateID, intOrder, blnIsInActive,
                         lngDebitAccountID1, lngDebitAccountID2, lngCreditAccountID1, lngCreditAccountID2,
                         lngVoucherAccountID1, lngVoucherAccountID2, lngVoucherNoAccountID1, lngVoucherNoAccountID2) VALUES
  (1, '记', '记账凭证', 1, 1, 0,  0, 0,  0, 0,  0, 0,  0, 0),
  (2, '收', '收款凭证', 2, 2, 0,  1, 2,  0, 0,  0, 0,  0, 0),
  (3, '付', '付款凭证', 3, 3, 0,  0, 0,  1, 2,  0, 0,  0, 0),
  (4, '转', '转账凭证', 4, 4, 0,  0, 0,  0, 0,  0, 0,  1, 2),
  (5, '调', '调整凭证', 1, 5, 1,  0, 0,  0, 0,  0, 0,  0, 0);

-- 东城分院 (3) prints its 记 vouchers on its own template.
INSERT INTO VoucherTypeEx
SELECT t.*, 3 FROM VoucherType t WHERE t.lngVoucherTypeID = 1;
UPDATE VoucherTypeEx SET lngTemplateID = 5 WHERE lngVoucherTypeID = 1 AND lngOrganizationID = 3;

-- Units: customers 00x, suppliers 10x, one inactive.
INSERT INTO Customer (lngCustomerID, strCustomerCode, strCustomerName, strCustomerFullName, blnIsCustomer, blnIsSupplier, blnIsInActive) VALUES
  (1, '001', '华东医药有限公司',     '华东医药有限公司',             1, 0, 0),
  (2, '002', '美康国际贸易公司',     '美康国际贸易有限公司',         1, 0, 0),
  (3, '003', '市第一人民医院',       '市第一人民医院',               1, 0, 0),
  (4, '101', '国药控股股份有限公司', '国药控股股份有限公司',         0, 1, 0),
  (5, '102', '江南化工原料厂',       '江南化工原料厂',               0, 1, 0),
  (6, '103', '联想（北京）有限公司', '联想（北京）有限公司',         0, 1, 0),
  (7, '199', '宏达贸易公司',         '宏达贸易有限公司（已停用）',   1, 1, 1);

-- Departments: 03 门诊部 is a parent, only its children go on lines.
INSERT INTO Department (lngDepartmentID, strDepartmentCode, strDepartmentName, lngParentID, intLevel, blnIsDetail) VALUES
  (1, '01',    '综合办公室', 0, 1, 1),
  (2, '02',    '财务部',     0, 1, 1),
  (3, '03',    '门诊部',     0, 1, 0),
  (4, '03-01', '内科门诊',   3, 2, 1),
  (5, '03-02', '外科门诊',   3, 2, 1),
  (6, '04',    '住院部',     0, 1, 1),
  (7, '05',    '信息中心',   0, 1, 1);

INSERT INTO Employee (lngEmployeeID, strEmployeeCode, strEmployeeName, lngDepartmentID, blnIsInActive) VALUES
  (1, '0001', '张伟', 1, 0),
  (2, '0002', '王静', 2, 0),
  (3, '0003', '李娜', 4, 0),
  (4, '0004', '刘洋', 5, 0),
  (5, '0005', '陈磊', 6, 0),
  (6, '0006', '杨帆', 7, 0),
  (7, '0007', '赵丽', 1, 1);

-- Class 1 (统计) and class 2 (项目); 04 and 02 are parents.
INSERT INTO Class1 (lngClassID, strClassCode, strClassName, lngParentID, intLevel, blnIsDetail) VALUES
  (1, '01',    '药品',     0, 1, 1),
  (2, '02',    '卫生材料', 0, 1, 1),
  (3, '03',    '办公用品', 0, 1, 1),
  (4, '04',    '其他',     0, 1, 0),
  (5, '04-01', '会议费',   4, 2, 1),
  (6, '04-02', '培训费',   4, 2, 1);

INSERT INTO Class2 (lngClassID, strClassCode, strClassName, lngParentID, intLevel, blnIsDetail) VALUES
  (1, '01',    '门诊楼改造工程',     0, 1, 1),
  (2, '02',    '信息化建设',         0, 1, 0),
  (3, '02-01', 'HIS系统升级',        2, 2, 1),
  (4, '02-02', '网络设备采购',       2, 2, 1),
  (5, '03',    '心血管疾病科研课题', 0, 1, 1);

INSERT INTO PaymentMethod (lngPaymentMethodID, strPaymentMethodCode, strPaymentMethodName) VALUES
  (1, '01', '现金支票'),
  (2, '02', '转账支票'),
  (3, '03', '电汇'),
  (4, '04', '银行汇票'),
  (5, '05', '网上银行');

-- Income and expense items of the cost collection, and the accounts they are collected on.
INSERT INTO Outlay (lngOutlayID, strOutlayCode, strOutlayName, intDirection) VALUES
  (1, '101', '门诊收入', 1),
  (2, '102', '住院收入', 1),
  (3, '201', '办公费用', -1),
  (4, '202', '差旅费用', -1),
  (5, '203', '人员经费', -1),
  (6, '204', '专项经费', -1);
INSERT INTO AccOutSet (lngAccountID, lngOutlayID) VALUES
  (27, 1), (27, 2), (28, 1), (31, 3), (32, 4), (33, 5), (34, 6), (26, 3), (26, 5);

-- Issued checks of the RMB bank account; XJ0001 is used by the demo voucher 付-000001.
INSERT INTO CheckDetail (lngCheckDetailID, lngAccountID, lngCurrencyID, lngPaymentMethodID, strCheckNo, lngOrganizationID, blnIsUsed, strUseDate, dblCurrAmount, lngVoucherDetailID) VALUES
  (1, 3, 1, 1, 'XJ0001', 1, 1, '2026-02-05', 5000, 4),
  (2, 3, 1, 1, 'XJ0002', 1, 0, ' ', 0, 0),
  (3, 3, 1, 2, 'ZZ0001', 1, 0, ' ', 0, 0),
  (4, 3, 1, 2, 'ZZ0002', 1, 0, ' ', 0, 0);
