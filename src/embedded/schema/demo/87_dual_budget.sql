-- "青山县人民医院": budgets of 2026 (each budget type, by month and by quarter, all in the local
-- currency), the daily ledger totals of its demo vouchers, and the difference items of the dual
-- basis with one confirmed allocation.

INSERT INTO BudgetTarget (lngBudgetTargetID, strBudgetTargetCode, strBudgetTargetName) VALUES
  (5001, '01', '事业收入'),
  (5002, '02', '综合办公室商品和服务费用'),
  (5003, '03', '银行存款'),
  (5004, '04', '应付账款'),
  (5005, '05', '门诊部医疗收入');

-- Parents (4101, 1002, department 03 门诊部) stand for their subtrees.
INSERT INTO BudgetTargetDetail (lngBudgetTargetDetailID, lngBudgetTargetID, lngAccountID, lngDepartmentID) VALUES
  (5001, 5001, 5007, 0),
  (5002, 5002, 5013, 1),
  (5003, 5003, 2,    0),
  (5004, 5004, 5005, 0),
  (5005, 5005, 5008, 3);

INSERT INTO Budget (lngBudgetID, strBudgetName, bytBudgetType, blnIsOrganization, btyBudgetPeriod) VALUES
  (5001, '事业收入月度预算',         2, 1, 1),
  (5002, '事业收入季度净额预算',     6, 1, 2),
  (5003, '办公费用月度预算',         1, 1, 1),
  (5004, '办公费用季度净额预算',     5, 1, 2),
  (5005, '银行存款余额预算',         3, 1, 1),
  (5006, '应付账款余额预算',         4, 1, 1),
  (5007, '门诊部医疗收入月度预算',   2, 1, 1);

-- Monthly budgets have a row per period: August of the office budget is 0 (no rate shown),
-- December of every monthly budget is not approved yet. Quarterly budgets are set in the first
-- month of each quarter.
WITH RECURSIVE p(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM p WHERE n < 12),
b(id, target, amount) AS (
  VALUES (5001, 5001, 80000), (5003, 5002, 1000), (5005, 5003, 100000), (5006, 5004, 5000),
         (5007, 5005, 90000))
INSERT INTO BudgetBalance (lngBudgetID, lngBudgetTargetID, lngCurrencyID, intYear, bytPeriod, lngOrganizationID,
                           lngSourceOrganizationID, blnIsApprove, dblCurrencyBudget, dblBudget)
SELECT b.id, b.target, -1, 2026, p.n, 5001, 5001, CASE WHEN p.n = 12 THEN 0 ELSE 1 END,
       CASE WHEN b.id = 5003 AND p.n = 8 THEN 0 ELSE b.amount END,
       CASE WHEN b.id = 5003 AND p.n = 8 THEN 0 ELSE b.amount END
FROM b, p;

WITH q(n) AS (VALUES (1), (4), (7), (10)),
b(id, target, amount) AS (VALUES (5002, 5001, 240000), (5004, 5002, 3000))
INSERT INTO BudgetBalance (lngBudgetID, lngBudgetTargetID, lngCurrencyID, intYear, bytPeriod, lngOrganizationID,
                           lngSourceOrganizationID, blnIsApprove, dblCurrencyBudget, dblBudget)
SELECT b.id, b.target, -1, 2026, q.n, 5001, 5001, 1, b.amount, b.amount FROM b, q;

-- The daily totals of the set's vouchers that are not void: posted ones as posted, the others
-- as unposted. The cashier's and current-account ledgers hold the same events as documents, so
-- bank, receivable and payable accounts (natures 2, 3, 4) carry them as non-voucher amounts too.
INSERT INTO AccountDaily (lngAccountID, lngCustomerID, lngDepartmentID, lngEmployeeID, lngClassID1, lngClassID2, strFlexibleID,
                          lngCurrencyID, lngSourceOrganizationID, strDate,
                          dblDebit, dblCredit, dblCurrencyDebit, dblCurrencyCredit, dblQuantityDebit, dblQuantityCredit,
                          dblUnPostDebit, dblUnPostCredit, dblUnPostCurrencyDebit, dblUnPostCurrencyCredit,
                          dblUnPostQuantityDebit, dblUnPostQuantityCredit,
                          dblUnVoucherDebit, dblUnVoucherCredit, dblUnVoucherCurrencyDebit, dblUnVoucherCurrencyCredit,
                          dblUnVoucherQuantityDebit, dblUnVoucherQuantityCredit)
SELECT d.lngAccountID, d.lngCustomerID, d.lngDepartmentID, d.lngEmployeeID, d.lngClassID1, d.lngClassID2,
       ifnull(d.strFlexibleId, ' '), d.lngCurrencyID, v.lngSourceOrganizationID, v.strDate,
       sum(CASE WHEN v.lngPostID <> 0 AND d.intDirection = 1 THEN d.dblAmount ELSE 0 END),
       sum(CASE WHEN v.lngPostID <> 0 AND d.intDirection = -1 THEN d.dblAmount ELSE 0 END),
       sum(CASE WHEN v.lngPostID <> 0 AND d.intDirection = 1 THEN d.dblCurrencyAmount ELSE 0 END),
       sum(CASE WHEN v.lngPostID <> 0 AND d.intDirection = -1 THEN d.dblCurrencyAmount ELSE 0 END),
       sum(CASE WHEN v.lngPostID <> 0 AND d.intDirection = 1 THEN d.dblQuantity ELSE 0 END),
       sum(CASE WHEN v.lngPostID <> 0 AND d.intDirection = -1 THEN d.dblQuantity ELSE 0 END),
       sum(CASE WHEN v.lngPostID = 0 AND d.intDirection = 1 THEN d.dblAmount ELSE 0 END),
       sum(CASE WHEN v.lngPostID = 0 AND d.intDirection = -1 THEN d.dblAmount ELSE 0 END),
       sum(CASE WHEN v.lngPostID = 0 AND d.intDirection = 1 THEN d.dblCurrencyAmount ELSE 0 END),
       sum(CASE WHEN v.lngPostID = 0 AND d.intDirection = -1 THEN d.dblCurrencyAmount ELSE 0 END),
       sum(CASE WHEN v.lngPostID = 0 AND d.intDirection = 1 THEN d.dblQuantity ELSE 0 END),
       sum(CASE WHEN v.lngPostID = 0 AND d.intDirection = -1 THEN d.dblQuantity ELSE 0 END),
       sum(CASE WHEN a.lngAccountNatureID IN (2, 3, 4) AND d.intDirection = 1 THEN d.dblAmount ELSE 0 END),
       sum(CASE WHEN a.lngAccountNatureID IN (2, 3, 4) AND d.intDirection = -1 THEN d.dblAmount ELSE 0 END),
       sum(CASE WHEN a.lngAccountNatureID IN (2, 3, 4) AND d.intDirection = 1 THEN d.dblCurrencyAmount ELSE 0 END),
       sum(CASE WHEN a.lngAccountNatureID IN (2, 3, 4) AND d.intDirection = -1 THEN d.dblCurrencyAmount ELSE 0 END),
       sum(CASE WHEN a.lngAccountNatureID IN (2, 3, 4) AND d.intDirection = 1 THEN d.dblQuantity ELSE 0 END),
       sum(CASE WHEN a.lngAccountNatureID IN (2, 3, 4) AND d.intDirection = -1 THEN d.dblQuantity ELSE 0 END)
FROM Voucher v
JOIN VoucherDetail d ON d.lngVoucherID = v.lngVoucherID
JOIN Account a ON a.lngAccountID = d.lngAccountID
WHERE v.blnIsVoid = 0 AND v.lngVoucherID BETWEEN 5000 AND 9999
GROUP BY d.lngAccountID, d.lngCustomerID, d.lngDepartmentID, d.lngEmployeeID, d.lngClassID1, d.lngClassID2,
         ifnull(d.strFlexibleId, ' '), d.lngCurrencyID, v.lngSourceOrganizationID, v.strDate;

-- Difference items: a parent per difference type, detail items under it.
INSERT INTO DiffItem (lngDiffItemID, strDiffItemCode, strDiffItemName, blnIsDetail, strDiffTypeName) VALUES
  (5001, '01',    '财务收入差异',             0, '财务收入差异'),
  (5002, '01-01', '应收未收的收入',           1, '财务收入差异'),
  (5003, '01-02', '非现金资产捐赠收入',       1, '财务收入差异'),
  (5004, '02',    '财务费用差异',             0, '财务费用差异'),
  (5005, '02-01', '计提的折旧摊销',           1, '财务费用差异'),
  (5006, '02-02', '应付未付的费用',           1, '财务费用差异'),
  (5007, '03',    '预算收入差异',             0, '预算收入差异'),
  (5008, '03-01', '收回以前年度应收款',       1, '预算收入差异'),
  (5009, '03-02', '预收的款项',               1, '预算收入差异'),
  (5010, '04',    '预算支出差异',             0, '预算支出差异'),
  (5011, '04-01', '支付以前年度应付款',       1, '预算支出差异'),
  (5012, '04-02', '预付的款项',               1, '预算支出差异');

-- 记-000002 (office consumables on credit) has no budget voucher: its 1200 of expense is an
-- expense not yet paid, allocated and confirmed. 收-000002 (4000 of revenue still receivable)
-- and 记-000001 (salaries of January paid) differ and are not allocated yet.
INSERT INTO VoucherDiffItem (lngVoucherDetailID, lngDiffItemID, dblAmount) VALUES (5009, 5006, 1200);
UPDATE Voucher SET blnisDiffOver = 1 WHERE lngVoucherID = 5005;
