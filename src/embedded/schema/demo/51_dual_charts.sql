-- Demo account set "青山县人民医院": its financial chart (in Account, with AccountEx copies so
-- that each set sees its own accounts) and its budget chart (BudgetAccount, BudgetAccountEx).

-- Financial accounts of the 2017 system. Types: 1 asset, 2 liability, 3 net assets,
-- 4 revenue, 5 expense. Natures: 2 bank, 3 receivable, 4 payable. Cash 1001 and bank 1002 with
-- 1002-01 are the shared rows (ids 1, 2, 3).
INSERT INTO Account (lngAccountID, strAccountCode, strAccountName, strAccountFullName, lngParentID, intLevel, blnIsDetail, intDirection, lngAccountTypeID, lngAccountNatureID, blnIsInActive, blnIsCash,
                     blnIsQuantity, strUnit, blnIsCurrency, lngCurrencyID, blnIsCustomer, blnIsDepartment, blnIsEmployee, blnIsClass1, blnIsClass2, blnIsOrganization, blnAllCustomer) VALUES
  (5001, '1011',    '零余额账户用款额度', '零余额账户用款额度',          0,    1, 1,  1, 1, 2, 0, 1, 0, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 1),
  (5002, '1212',    '应收账款',           '应收账款',                    0,    1, 1,  1, 1, 3, 0, 0, 0, ' ', 0, 0, 1, 0, 0, 0, 0, 0, 1),
  (5003, '1218',    '其他应收款',         '其他应收款',                  0,    1, 1,  1, 1, 3, 0, 0, 0, ' ', 0, 0, 0, 0, 1, 0, 0, 0, 1),
  (5004, '2201',    '应付职工薪酬',       '应付职工薪酬',                0,    1, 1, -1, 2, 0, 0, 0, 0, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 1),
  (5005, '2302',    '应付账款',           '应付账款',                    0,    1, 1, -1, 2, 4, 0, 0, 0, ' ', 0, 0, 1, 0, 0, 0, 0, 0, 1),
  (5006, '3301',    '本期盈余',           '本期盈余',                    0,    1, 1, -1, 3, 0, 0, 0, 0, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 1),
  (5007, '4101',    '事业收入',           '事业收入',                    0,    1, 0, -1, 4, 0, 0, 0, 0, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 1),
  (5008, '4101-01', '医疗收入',           '事业收入-医疗收入',           5007, 2, 1, -1, 4, 0, 0, 0, 0, ' ', 0, 0, 0, 1, 0, 0, 0, 0, 1),
  (5009, '4101-02', '科教收入',           '事业收入-科教收入',           5007, 2, 1, -1, 4, 0, 0, 0, 0, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 1),
  (5010, '4609',    '其他收入',           '其他收入',                    0,    1, 1, -1, 4, 0, 0, 0, 0, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 1),
  (5011, '5101',    '单位管理费用',       '单位管理费用',                0,    1, 0,  1, 5, 0, 0, 0, 0, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 1),
  (5012, '5101-01', '工资福利费用',       '单位管理费用-工资福利费用',   5011, 2, 1,  1, 5, 0, 0, 0, 0, ' ', 0, 0, 0, 1, 0, 0, 0, 0, 1),
  (5013, '5101-02', '商品和服务费用',     '单位管理费用-商品和服务费用', 5011, 2, 1,  1, 5, 0, 0, 0, 0, ' ', 0, 0, 0, 1, 0, 0, 0, 0, 1),
  (5014, '5901',    '其他费用',           '其他费用',                    0,    1, 1,  1, 5, 0, 0, 0, 0, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 1);

-- Each set sees only its own accounts: "星河医疗集团" keeps inactive copies of the hospital's
-- accounts, the hospital of every shared account but cash and bank (1001, 1002, 1002-01).
INSERT INTO AccountEx
SELECT a.*, g.lngOrganizationID FROM Account a, Organization g
WHERE a.lngAccountID BETWEEN 5000 AND 9999 AND g.lngOrganizationID BETWEEN 1 AND 4999;
INSERT INTO AccountEx
SELECT a.*, 5001 FROM Account a WHERE a.lngAccountID BETWEEN 4 AND 4999;
UPDATE AccountEx SET blnIsInActive = 1
WHERE (lngAccountID BETWEEN 5000 AND 9999 AND lngOrganizationID BETWEEN 1 AND 4999)
   OR (lngAccountID BETWEEN 4 AND 4999 AND lngOrganizationID = 5001);

-- Budget accounts. Types: 1 budget revenue, 2 budget expenditure, 3 budget balance. The fund
-- balances of the zero-balance account and of money are bank natured (2): a budget voucher that
-- moves them is the cashier's to sign, as its financial partner is.
INSERT INTO BudgetAccount (lngAccountID, strAccountCode, strAccountName, strAccountFullName, lngParentID, intLevel, blnIsDetail, intDirection, lngAccountTypeID, lngAccountNatureID,
                           blnIsDepartment, blnIsClass2) VALUES
  (6001, '6001',    '财政拨款预算收入',   '财政拨款预算收入',              0,    1, 1, -1, 1, 0, 0, 0),
  (6002, '6101',    '事业预算收入',       '事业预算收入',                  0,    1, 0, -1, 1, 0, 0, 0),
  (6003, '6101-01', '医疗预算收入',       '事业预算收入-医疗预算收入',     6002, 2, 1, -1, 1, 0, 0, 0),
  (6004, '6101-02', '科教预算收入',       '事业预算收入-科教预算收入',     6002, 2, 1, -1, 1, 0, 0, 0),
  (6005, '6609',    '其他预算收入',       '其他预算收入',                  0,    1, 1, -1, 1, 0, 0, 0),
  (6006, '7201',    '事业支出',           '事业支出',                      0,    1, 0,  1, 2, 0, 0, 0),
  (6007, '7201-01', '基本支出',           '事业支出-基本支出',             6006, 2, 1,  1, 2, 0, 1, 0),
  (6008, '7201-02', '项目支出',           '事业支出-项目支出',             6006, 2, 1,  1, 2, 0, 0, 1),
  (6009, '7901',    '其他支出',           '其他支出',                      0,    1, 1,  1, 2, 0, 0, 0),
  (6010, '8001',    '资金结存',           '资金结存',                      0,    1, 0,  1, 3, 0, 0, 0),
  (6011, '8001-01', '零余额账户用款额度', '资金结存-零余额账户用款额度',   6010, 2, 1,  1, 3, 2, 0, 0),
  (6012, '8001-02', '货币资金',           '资金结存-货币资金',             6010, 2, 1,  1, 3, 2, 0, 0),
  (6013, '8001-03', '财政应返还额度',     '资金结存-财政应返还额度',       6010, 2, 1,  1, 3, 0, 0, 0),
  (6014, '8101',    '财政拨款结转',       '财政拨款结转',                  0,    1, 1, -1, 3, 0, 0, 0),
  (6015, '8201',    '非财政拨款结转',     '非财政拨款结转',                0,    1, 1, -1, 3, 0, 0, 0);

-- The hospital keeps its medical budget revenue by department.
INSERT INTO BudgetAccountEx
SELECT a.*, 5001 FROM BudgetAccount a WHERE a.lngAccountID = 6003;
UPDATE BudgetAccountEx SET blnIsDepartment = 1 WHERE lngAccountID = 6003 AND lngOrganizationID = 5001;
