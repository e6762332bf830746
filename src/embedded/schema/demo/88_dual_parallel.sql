-- Parallel accounting of "青山县人民医院": obligation rules, accounts that need a budget
-- voucher, templates with their amount rules, and the financial-to-budget account answers.

-- Must (0): expenses paid from the zero-balance account or in cash, the rule on the parent 5101.
-- Prohibited (1): expenses bought on credit, cash paid into the bank.
INSERT INTO VoucherAccountRule (lngVoucherAccountRuleID, strVoucherAccountRuleCode, strVoucherAccountRuleName, bytruletype) VALUES
  (5001, '01', '零余额支付费用', 0),
  (5002, '02', '现金支付费用',   0),
  (5003, '03', '赊购费用',       1),
  (5004, '04', '现金存入银行',   1);
INSERT INTO VoucherAccountRuleDetail (lngVoucherAccountRuleDetailID, lngVoucherAccountRuleID, lngAccountID, bytdirection) VALUES
  (5001, 5001, 5011, 0), (5002, 5001, 5001, 1),
  (5003, 5002, 5011, 0), (5004, 5002, 5014, 0), (5005, 5002, 1, 1),
  (5006, 5003, 5011, 0), (5007, 5003, 5005, 1),
  (5008, 5004, 2, 0),    (5009, 5004, 1, 1);

-- Revenue the hospital always books on both bases.
UPDATE Account SET bytmustbudgetvoucher = 1 WHERE lngAccountID IN (5008, 5010);
UPDATE AccountEx SET bytmustbudgetvoucher = 1 WHERE lngAccountID IN (5008, 5010);

-- Templates:
--   P001 salaries paid (exact for 2201 D / 1011 C)     P002 the same with a payable (superset)
--   P003 takings on parent accounts 1002 / 4101        P004 expenses, third budget row balances
--   P005 other expenses in cash, 8001-02 from the cash lines   P006 an inactive copy of P001
INSERT INTO StdVoucherTmp (lngStdVoucherTmpID, strStdVoucherTmpCode, strStdVoucherTmpName, lngDataSourceID, lngOrganizationID, blnIsInActive, strBudgetRemark) VALUES
  (5001, 'P001', '发放工资',           1, 5001, 0, '发放工资'),
  (5002, 'P002', '发放工资（含代扣）', 1, 5001, 0, '发放工资'),
  (5003, 'P003', '收到医疗收入',       1, 5001, 0, '医疗收入'),
  (5004, 'P004', '零余额支付管理费用', 2, 5001, 0, '管理费用'),
  (5005, 'P005', '现金支付其他费用',   1, 5001, 0, ' '),
  (5006, 'P006', '发放工资（停用）',   1, 5001, 1, '发放工资');
INSERT INTO StdVoucherFinance (lngStdVoucherFinanceID, lngStdVoucherTmpID, lngRowID, lngAccountID, intDirection, lngOrganizationID) VALUES
  (5001, 5001, 1, 5004,  1, 5001), (5002, 5001, 2, 5001, -1, 5001),
  (5003, 5002, 1, 5004,  1, 5001), (5004, 5002, 2, 5001, -1, 5001), (5005, 5002, 3, 5005, -1, 5001),
  (5006, 5003, 1, 2,     1, 5001), (5007, 5003, 2, 5007, -1, 5001),
  (5008, 5004, 1, 5012,  1, 5001), (5009, 5004, 2, 5013,  1, 5001), (5010, 5004, 3, 5001, -1, 5001),
  (5011, 5005, 1, 5014,  1, 5001), (5012, 5005, 2, 1,    -1, 5001),
  (5013, 5006, 1, 5004,  1, 5001), (5014, 5006, 2, 5001, -1, 5001);
INSERT INTO StdVoucherBudget (lngStdVoucherBudgetID, lngStdVoucherTmpID, lngRowID, lngAccountID, intDirection, lngOrganizationID) VALUES
  (5001, 5001, 1, 6007,  1, 5001), (5002, 5001, 2, 6011, -1, 5001),
  (5003, 5002, 1, 6007,  1, 5001), (5004, 5002, 2, 6011, -1, 5001),
  (5005, 5003, 1, 6012,  1, 5001), (5006, 5003, 2, 6003, -1, 5001),
  (5007, 5004, 1, 6007,  1, 5001), (5008, 5004, 2, 6008,  1, 5001), (5009, 5004, 3, 6011, -1, 5001),
  (5010, 5005, 1, 6009,  1, 5001), (5011, 5005, 2, 6012, -1, 5001),
  (5012, 5006, 1, 6007,  1, 5001), (5013, 5006, 2, 6011, -1, 5001);
INSERT INTO stdVoucherBudgetRule (lngStdVoucherBudgetRuleID, lngStdVoucherBudgetID, lngAccountID, intDirection, intOption) VALUES
  (5001, 5001, 5004,  1, 1), (5002, 5002, 5001, -1, 1),
  (5003, 5003, 5004,  1, 1), (5004, 5003, 5005, -1, 2), (5005, 5004, 5001, -1, 1),
  (5006, 5006, 5007, -1, 1),
  (5007, 5007, 5012,  1, 1), (5008, 5009, 5001, -1, 1),
  (5009, 5010, 5014,  1, 1),
  (5010, 5012, 5004,  1, 1), (5011, 5013, 5001, -1, 1);

-- Account answers for the line-by-line derivation: the proposals by account and project
-- first, the learned correspondences after them.
INSERT INTO DoubleVoucherAccountSet (lngDoubleVoucherAccountSetID, lngAccountID, lngClassID2, intDirection, lngBudgetAccountID, lngOrganizationID) VALUES
  (5001, 5011, 0, 0, 6007, 5001),
  (5002, 5013, 2, 0, 6008, 5001);
INSERT INTO BudgetAccountAccount (lngBudgetAccountAccountID, lngAccountID, intAccountDirect, lngBudgetAccountID, intBudgetAccountDirect,
                                  lngClassID1, lngClassID2, lngDepartmentID, lngCustomerID, lngEmployeeID, strRemark, lngOrganizationID) VALUES
  (5001, 5008, 3, 6003, 3, 0, 0, 0, 0, 0, ' ', 5001),
  (5002, 5001, 3, 6011, 3, 0, 0, 0, 0, 0, ' ', 5001),
  (5003, 1,    3, 6012, 3, 0, 0, 0, 0, 0, ' ', 5001),
  (5004, 3,    3, 6012, 3, 0, 0, 0, 0, 0, ' ', 5001),
  (5005, 5004, 3, 6007, 3, 0, 0, 0, 0, 0, ' ', 5001);

INSERT INTO IdSequence (strTableName, lngNextID) VALUES
  ('STDVOUCHERTMP', 10000), ('STDVOUCHERFINANCE', 10000), ('STDVOUCHERBUDGET', 10000),
  ('STDVOUCHERBUDGETRULE', 10000), ('VOUCHERACCOUNTRULE', 10000),
  ('VOUCHERACCOUNTRULEDETAIL', 10000), ('DOUBLEVOUCHERACCOUNTSET', 10000);
