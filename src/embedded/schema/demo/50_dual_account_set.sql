-- Demo account set "青山县人民医院" (a public hospital under the 2017 government accounting
-- system, accounting-system code "16": every event is a financial and a budget voucher).
-- Ids 5000..9999 belong to this set. Master data it shares with "星河医疗集团": currencies,
-- templates, voucher types, units, departments, employees, class items, payment methods.

INSERT INTO Organization (lngOrganizationID, strOrganizationCode, strOrganizationName, strOrganizationFullName, lngParentID, intLevel, blnIsDetail, strStartDate) VALUES
  (5001, '02', '青山县人民医院', '青山县人民医院', 0, 1, 1, '2026-01-01');

INSERT INTO OperatorGroup (lngOperatorGroupID, strOperatorGroupCode, strOperatorGroupName) VALUES
  (5001, '02', '财务科');

INSERT INTO Operator (lngOperatorID, strOperatorCode, strOperatorName, strPassword, blnIsAdmin, lngOperatorGroupID, lngOrganizationID) VALUES
  (5001, '201', '孙丽', '', 0, 5001, 5001),   -- 制单
  (5002, '202', '周涛', '', 0, 5001, 5001),   -- 复核
  (5003, '203', '吴霞', '', 0, 5001, 5001),   -- 出纳
  (5004, '204', '郑伟', '', 0, 5001, 5001);   -- 记账

-- The hospital's operators and the administrator work here.
INSERT INTO OperatorOrganization (lngOperatorID, lngOrganizationID) VALUES
  (1, 5001), (5001, 5001), (5002, 5001), (5003, 5001), (5004, 5001);

INSERT INTO OperatorRight (lngOperatorID, lngRightID, lngOrganizationID) VALUES
  (5001, 1727, 5001), (5001, 31, 5001),
  (5002, 204, 5001),
  (5003, 1725, 5001), (5003, 1727, 5001),
  (5004, 206, 5001);

-- Reviewer, cashier and poster query every type and make none; the maker makes every type.
INSERT INTO OperatorVoucherType (lngOperatorID, lngVoucherTypeID, blnMake, blnQuery)
SELECT o.op, t.lngVoucherTypeID, 0, 1
FROM (SELECT 5002 AS op UNION ALL SELECT 5003 UNION ALL SELECT 5004) o, VoucherType t;

-- The options of "星河医疗集团" (they are the same for each of its organisations), then what
-- makes this set: its name, the code "16" and the two difference-allocation options.
INSERT INTO Setting (lngModuleID, strSection, strKey, strSetting, strTypeName, lngOrganizationID)
SELECT lngModuleID, strSection, strKey, strSetting, strTypeName, 5001 FROM Setting
WHERE lngOrganizationID = 2;
UPDATE Setting SET strSetting = '青山县人民医院2026年账套'
WHERE lngOrganizationID = 5001 AND strSection = '帐套属性' AND strKey = '账套名称';
UPDATE Setting SET strSetting = '16'
WHERE lngOrganizationID = 5001 AND strSection = '帐套属性' AND strKey = '会计制度';
INSERT INTO Setting (lngModuleID, strSection, strKey, strSetting, strTypeName, lngOrganizationID) VALUES
  (0, '帐套属性', '凭证提示本年盈余与预算结余差异分配', 'False', 'String', 5001),
  (0, '帐套属性', '本年盈余与预算结余差异必须分配', 'False', 'String', 5001);

INSERT INTO AccountPeriod (lngOrganizationID, intYear, bytPeriod, strStartDate, strEndDate, blnIsClosed)
SELECT 5001, intYear, bytPeriod, strStartDate, strEndDate, blnIsClosed FROM AccountPeriod
WHERE lngOrganizationID = 2;

INSERT INTO MODULE (lngOrganizationID, lngModuleID, strModuleName, bytStatus, intYear, bytPeriod, intYearStop, bytPeriodStop)
SELECT 5001, lngModuleID, strModuleName, bytStatus, intYear, bytPeriod, intYearStop, bytPeriodStop FROM MODULE
WHERE lngOrganizationID = 2;

INSERT INTO FlexibleUseField (lngOrganizationID, blnItemUse, blnFieldUse, lngDefaultItemID, lngDefaultID) VALUES
  (5001, 0, 0, 0, 0);
