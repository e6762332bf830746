-- Outlay budgets of 2026 for organisation 1, so that saving a voucher whose costs go to
-- 办公费用 or 专项经费 shows the execution reminder on the desktop.
INSERT INTO budgetscheme (lngBudgetSchemeID, blnisinactive, blnishospital, INTAUTOREMIND, dblRate, blnIsPeriod) VALUES
  (101, 0, 0, 1, 80, 1),
  (102, 0, 0, 1, 90, 0),
  (103, 1, 0, 1, 50, 1);

INSERT INTO outlaybudget (lngOutlayBudgetID, lngBudgetSchemeID, strOutlayBudgetCode, bytapprove, intYear, lngOrganizationID) VALUES
  (101, 101, 'ZC2026-01', 1, 2026, 1),
  (102, 102, 'ZC2026-02', 1, 2026, 1),
  (103, 103, 'ZC2026-03', 1, 2026, 1);

-- Scheme 101 by month: 办公费用 of 财务部 2000 a month (February 1500 executed, so 100 more
-- reaches 80%), of 门诊部 and its clinics 3000 (February 2900 executed, 200 more overruns).
WITH RECURSIVE p(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM p WHERE n < 12)
INSERT INTO outlaybudgetblance (lngOutlayBudgetID, bytPeriod, lngOutlayID, intCustom, lngDepartmentID, Intcustomdpt, dblAmount, dblPayAmount)
SELECT 101, p.n, 3, -1, d.id, -1, d.amount, CASE WHEN p.n = 1 THEN d.jan WHEN p.n = 2 THEN d.feb ELSE 0 END
FROM p, (SELECT 2 AS id, 2000 AS amount, 1800 AS jan, 1500 AS feb UNION ALL SELECT 3, 3000, 2500, 2900) d;

-- Scheme 102 by year, with responsible departments: 信息中心 is responsible for 专项经费 spent
-- by 门诊部 (and its clinics) and 住院部; 20000 for the year, 17500 executed.
INSERT INTO budgetdepartment (lngBudgetDepartmentID, lngBudgetSchemeID, lngDepartmentID) VALUES (101, 102, 7);
INSERT INTO budgetitem (lngBudgetDepartmentID, lngOutlayID) VALUES (101, 6);
INSERT INTO outlaydepartment (lngBudgetDepartmentID, lngDepartmentID) VALUES (101, 3), (101, 6);
INSERT INTO outlaybudgetblance (lngOutlayBudgetID, bytPeriod, lngOutlayID, intCustom, lngDepartmentID, Intcustomdpt, dblAmount, dblPayAmount) VALUES
  (102, 0, 6, -1, 7, -1, 20000, 17500);

-- Scheme 103 is inactive: its tight budget on 差旅费用 never reminds.
INSERT INTO outlaybudgetblance (lngOutlayBudgetID, bytPeriod, lngOutlayID, intCustom, lngDepartmentID, Intcustomdpt, dblAmount, dblPayAmount) VALUES
  (103, 2, 4, -1, 1, -1, 100, 100);
