-- Demo account set "星河医疗集团" (enterprise accounting, accounting-system code "1"):
-- organisations, operators and their rights, settings, accounting year 2026, module status.
-- Id ranges: this set uses ids 1..4999 in every table; 5000..9999 are kept free for a second
-- demo account set (accounting-system code "16"); new keys start at 10000 (90_demo_id_sequence.sql).

-- Organisations: 01 is the group, 01-02 a branch with its outpatient department 01-02-05.
INSERT INTO Organization (lngOrganizationID, strOrganizationCode, strOrganizationName, strOrganizationFullName, lngParentID, intLevel, blnIsDetail, strStartDate) VALUES
  (1, '01',       '星河医疗集团',   '星河医疗集团有限公司',             0, 1, 0, '2026-01-01'),
  (2, '01-01',    '集团本部',       '星河医疗集团有限公司本部',         1, 2, 1, '2026-01-01'),
  (3, '01-02',    '东城分院',       '星河医疗集团东城分院',             1, 2, 0, '2026-01-01'),
  (4, '01-02-05', '东城分院门诊部', '星河医疗集团东城分院门诊部',       3, 3, 1, '2026-02-01');

INSERT INTO OperatorGroup (lngOperatorGroupID, strOperatorGroupCode, strOperatorGroupName) VALUES
  (1, '01', '财务组');

-- Operators by role; passwords are empty in the demo.
INSERT INTO Operator (lngOperatorID, strOperatorCode, strOperatorName, strPassword, blnIsAdmin, lngOperatorGroupID, lngOrganizationID) VALUES
  (1, 'admin', '系统管理员', '', 1, 1, 1),
  (2, '101',   '李明',       '', 0, 1, 1),   -- 制单
  (3, '102',   '王芳',       '', 0, 1, 1),   -- 审核
  (4, '103',   '赵敏',       '', 0, 1, 1),   -- 出纳
  (5, '104',   '刘强',       '', 0, 1, 1),   -- 记账
  (6, '105',   '陈静',       '', 0, 1, 1);   -- 制单 (a second maker)

INSERT INTO OperatorOrganization (lngOperatorID, lngOrganizationID)
SELECT o.lngOperatorID, g.lngOrganizationID FROM Operator o, Organization g
WHERE o.lngOperatorID BETWEEN 1 AND 4999 AND g.lngOrganizationID BETWEEN 1 AND 4999;

INSERT INTO RightItem (lngRightID, strRightName) VALUES
  (29,   '复核本组制单人的凭证'),
  (30,   '记账本人制单的凭证'),
  (31,   '新增会计科目'),
  (204,  '凭证复核'),
  (205,  '记账本组制单人的凭证'),
  (206,  '凭证记账'),
  (460,  '现金流量项目维护'),
  (1359, '作废他人制作的凭证'),
  (1725, '出纳签字'),
  (1861, '超预算填制凭证'),
  (1727, '现金流量分配'),
  (2474, '任意凭证现金流量分配'),
  (1766, '资金支付申请'),
  (1767, '资金支付申请查询'),
  (1768, '资金余额申请'),
  (1769, '资金余额申请查询'),
  (1770, '资金收款申请'),
  (1771, '资金收款申请查询');

-- Rights in every organisation of the set: maker cash flow, reviewer review, cashier
-- signature, poster posting. The administrator needs no rows (blnIsAdmin).
INSERT INTO OperatorRight (lngOperatorID, lngRightID, lngOrganizationID)
SELECT r.op, r.rightid, g.lngOrganizationID
FROM (SELECT 2 AS op, 1727 AS rightid
      UNION ALL SELECT 2, 31
      UNION ALL SELECT 6, 1727
      UNION ALL SELECT 3, 204  UNION ALL SELECT 3, 29
      UNION ALL SELECT 4, 1725 UNION ALL SELECT 4, 1727
      UNION ALL SELECT 5, 206  UNION ALL SELECT 5, 205 UNION ALL SELECT 5, 30) r,
     Organization g
WHERE g.lngOrganizationID BETWEEN 1 AND 4999;

-- Makers (2, 6) and the administrator have no rows: they make and query every type.
-- Reviewer, cashier and poster may query every type but make none.
INSERT INTO OperatorVoucherType (lngOperatorID, lngVoucherTypeID, blnMake, blnQuery)
SELECT o.op, t.typeid, 0, 1
FROM (SELECT 3 AS op UNION ALL SELECT 4 UNION ALL SELECT 5) o,
     (SELECT 1 AS typeid UNION ALL SELECT 2 UNION ALL SELECT 3 UNION ALL SELECT 4 UNION ALL SELECT 5) t;

-- Account-set properties and options, the same for every organisation of the set.
-- "会计制度" is the accounting-system code ("16" selects the dual basis); "金额小数位数" the
-- amount decimals of the login context; "统计名称"/"项目名称" the captions of the two class items.
INSERT INTO Setting (lngModuleID, strSection, strKey, strSetting, strTypeName, lngOrganizationID)
SELECT 0, s.section, s.key, s.value, 'String', g.lngOrganizationID
FROM (SELECT '帐套属性' AS section, '账套名称' AS key, '星河医疗集团2026年账套' AS value
      UNION ALL SELECT '帐套属性', '会计制度', '1'
      UNION ALL SELECT '帐套属性', '启用日期', '2026-01-01'
      UNION ALL SELECT '帐套属性', '金额小数位数', '2'
      UNION ALL SELECT '帐套属性', '数量小数位数', '4'
      UNION ALL SELECT '帐套属性', '单价小数位数', '4'
      UNION ALL SELECT '帐套属性', '汇率小数位数', '6'
      UNION ALL SELECT '帐套属性', '统计名称', '统计'
      UNION ALL SELECT '帐套属性', '项目名称', '项目'
      UNION ALL SELECT '帐套属性', '凭证修改存盘提示', 'True'
      UNION ALL SELECT '帐套属性', '凭证是否显示科目余额', 'True'
      UNION ALL SELECT '帐套属性', '凭证号重复自动取号', 'True'
      UNION ALL SELECT '帐套属性', '凭证断号重用', 'False'
      UNION ALL SELECT '帐套属性', '往来及银行科目必须录入结算信息', 'False'
      UNION ALL SELECT '帐套属性', '出纳凭证须出纳签字', 'True'
      UNION ALL SELECT '帐套属性', '出纳签字控制选项', '1'
      UNION ALL SELECT '帐套属性', '已复核凭证不能备查登记', 'FALSE'
      UNION ALL SELECT '帐套属性', '仅显示备查经济分类科目', 'False'
      UNION ALL SELECT '帐套属性', '合同结算不允许超合同未付款金额', 'False'
      UNION ALL SELECT '帐套属性', '凭证提示现金流量分配', 'True'
      UNION ALL SELECT '帐套属性', '现金流量科目必须分配', 'False'
      UNION ALL SELECT '帐套属性', '忽略借贷方科目同为现金及现金等价物，且金额相等的凭证', 'True'
      UNION ALL SELECT '机构选项', '修改已结账期间现金流量', 'False'
      UNION ALL SELECT '凭证权限控制', '凭证列表', '0'
      UNION ALL SELECT '企业会计信息化', '支持企业会计信息化工作规范', '0'
      UNION ALL SELECT '凭证余额显示控制', '单位控制', 'True'
      UNION ALL SELECT '凭证余额显示控制', '部门控制', 'True'
      UNION ALL SELECT '凭证余额显示控制', '职员控制', 'True'
      UNION ALL SELECT '凭证余额显示控制', '统计控制', 'True'
      UNION ALL SELECT '凭证余额显示控制', '项目控制', 'True'
      UNION ALL SELECT '凭证余额显示控制', '智能核算控制', 'False'
      UNION ALL SELECT '预算报警选项', '使用全面预算报警', 'False'
      UNION ALL SELECT '权限控制', '科目', 'False'
      UNION ALL SELECT '权限控制', '单位', 'False'
      UNION ALL SELECT '权限控制', '部门', 'False'
      UNION ALL SELECT '权限控制', '职员', 'False'
      UNION ALL SELECT '权限控制', '统计', 'False'
      UNION ALL SELECT '权限控制', '项目', 'False'
      UNION ALL SELECT '权限控制', '机构', 'False') s,
     Organization g
WHERE g.lngOrganizationID BETWEEN 1 AND 4999;

-- Accounting year 2026 with twelve monthly periods per organisation; January is closed.
INSERT INTO AccountYear (intYear, strStartDate, strEndDate, bytPeriodNO, blnIsClosed) VALUES
  (2026, '2026-01-01', '2026-12-31', 12, 0);

INSERT INTO AccountPeriod (lngOrganizationID, intYear, bytPeriod, strStartDate, strEndDate, blnIsClosed)
SELECT g.lngOrganizationID, 2026, p.period, p.startdate, p.enddate, CASE WHEN p.period = 1 THEN 1 ELSE 0 END
FROM (SELECT 1 AS period, '2026-01-01' AS startdate, '2026-01-31' AS enddate
      UNION ALL SELECT 2,  '2026-02-01', '2026-02-28'
      UNION ALL SELECT 3,  '2026-03-01', '2026-03-31'
      UNION ALL SELECT 4,  '2026-04-01', '2026-04-30'
      UNION ALL SELECT 5,  '2026-05-01', '2026-05-31'
      UNION ALL SELECT 6,  '2026-06-01', '2026-06-30'
      UNION ALL SELECT 7,  '2026-07-01', '2026-07-31'
      UNION ALL SELECT 8,  '2026-08-01', '2026-08-31'
      UNION ALL SELECT 9,  '2026-09-01', '2026-09-30'
      UNION ALL SELECT 10, '2026-10-01', '2026-10-31'
      UNION ALL SELECT 11, '2026-11-01', '2026-11-30'
      UNION ALL SELECT 12, '2026-12-01', '2026-12-31') p,
     Organization g
WHERE g.lngOrganizationID BETWEEN 1 AND 4999;

-- Module status: general ledger (3) running at 2026 period 2; income accounting (129) not
-- started, so the HIS income collection of cost apportionment stays available.
INSERT INTO MODULE (lngOrganizationID, lngModuleID, strModuleName, bytStatus, intYear, bytPeriod, intYearStop, bytPeriodStop)
SELECT g.lngOrganizationID, m.id, m.name, m.status, m.y, m.p, 0, 0
FROM (SELECT 3 AS id, '总账' AS name, 1 AS status, 2026 AS y, 2 AS p
      UNION ALL SELECT 129, '收入核算', 0, 0, 0) m,
     Organization g
WHERE g.lngOrganizationID BETWEEN 1 AND 4999;

-- Flexible items are not used by this set; titles exist so the columns can be captioned.
INSERT INTO FlexibleTitle (lngFlexibleTitleID, strFieldName, strTitle) VALUES (0, '物品', '物品');
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30)
INSERT INTO FlexibleTitle (lngFlexibleTitleID, strFieldName, strTitle)
SELECT i, '自定段' || substr('0' || i, -2), '自定段' || substr('0' || i, -2) FROM n;

INSERT INTO FlexibleUseField (lngOrganizationID, blnItemUse, blnFieldUse, lngDefaultItemID, lngDefaultID)
SELECT lngOrganizationID, 0, 0, 0, 0 FROM Organization WHERE lngOrganizationID BETWEEN 1 AND 4999;
