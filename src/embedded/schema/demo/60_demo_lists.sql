-- The voucher lists of the demo account set: one view of voucher lines (view 1) and the
-- default columns of the voucher list (list 1) and of the error voucher list (list 2).
INSERT INTO ViewField (lngViewFieldID, lngViewID, strViewFieldDesc, strFieldName, blnIsFilter, intOrder) VALUES
  (1, 1, '日期', 'Voucher.strDate', 1, 1),
  (2, 1, '凭证字号', 'VOUCHERTYPE.STRVOUCHERTYPECODE  ||  '' ''  ||  LPAD(VOUCHER.INTVOUCHERNO,6,''0'')', 1, 2),
  (3, 1, '摘要', 'VoucherDetail.strRemark', 1, 3),
  (4, 1, '科目编码', 'Account.strAccountCode', 1, 4),
  (5, 1, '科目名称', 'Account.strAccountName', 1, 5),
  (6, 1, '借方金额', 'decode(VoucherDetail.intDirection,1,VoucherDetail.dblAmount)', 0, 6),
  (7, 1, '贷方金额', 'decode(VoucherDetail.intDirection,-1,VoucherDetail.dblAmount)', 0, 7),
  (8, 1, '单位', 'Customer.strCustomerName', 1, 8),
  (9, 1, '部门', 'Department.strDepartmentName', 1, 9),
  (10, 1, '职员', 'Employee.strEmployeeName', 1, 10),
  (11, 1, '统计', 'Class1.strClassName', 1, 11),
  (12, 1, '项目', 'Class2.strClassName', 1, 12),
  (13, 1, '币种', 'Currencys.strCurrencyName', 0, 13),
  (14, 1, '外币金额', 'VoucherDetail.dblCurrencyAmount', 0, 14),
  (15, 1, '制单人', 'MakeOperator.strOperatorName', 1, 15),
  (16, 1, '审核人', 'CheckOperator.strOperatorName', 1, 16),
  (17, 1, '记账人', 'PostOperator.strOperatorName', 1, 17),
  (18, 1, '出纳', 'TellerOperator.strOperatorName', 1, 18),
  (19, 1, '凭证册号', 'Voucher.strVolume', 1, 19),
  (20, 1, '凭证来源', 'decode(Voucher.lngVoucherSourceID,1,''手工录入'',2,''冲销凭证'',3,''损益结转'',16,''转账生成'',''系统生成'')', 1, 20),
  (21, 1, '冲销关联凭证',
   'decode(Voucher.lngVoucherSourceID,16,'''',decode(nvl(SourceVoucher.lngVoucherID,0),0,decode(nvl(SourceToVoucher.lngVoucherID,0),0,'''',SourceToVoucher.intYear || ''年度'' || LPAD(SourceToVoucher.bytPeriod,2,''0'') || ''期间 '' || SourceToVoucherType.strVoucherTypeCode || ''字 '' || LPAD(SourceToVoucher.intVoucherNO,6,''0'') || ''号凭证''),SourceVoucher.intYear || ''年度'' || LPAD(SourceVoucher.bytPeriod,2,''0'') || ''期间 '' || SourceVoucherType.strVoucherTypeCode || ''字 '' || LPAD(SourceVoucher.intVoucherNO,6,''0'') || ''号凭证''))',
   0, 21),
  (22, 1, '机构', 'VoucherOrganization.strOrganizationName', 1, 22),
  (23, 1, '错误原因', 'Voucher.strError', 1, 23);

INSERT INTO List (lngListID, lngViewID, strListName, strListDesc) VALUES
  (1, 1, 'frmListVoucher', '记账凭证列表'),
  (2, 1, 'frmListErrVoucher', '错误记账凭证列表');

-- List 1: date, number, summary, account, amounts, items, the four operators, volume, source,
-- reversal link. List 2 trades the operators but the maker for the error reason.
INSERT INTO ListField (lngListFieldID, lngListID, lngViewFieldID, lngOperatorID, intOrder, intWidth)
SELECT f.lngViewFieldID, 1, f.lngViewFieldID, 0, f.intOrder, 1200 FROM ViewField f
 WHERE f.lngViewID = 1 AND f.lngViewFieldID IN (1,2,3,4,5,6,7,8,9,10,15,16,17,18,19,20,21);
INSERT INTO ListField (lngListFieldID, lngListID, lngViewFieldID, lngOperatorID, intOrder, intWidth)
SELECT 100 + f.lngViewFieldID, 2, f.lngViewFieldID, 0, f.intOrder, 1200 FROM ViewField f
 WHERE f.lngViewID = 1 AND f.lngViewFieldID IN (1,2,3,4,5,6,7,15,23);

INSERT INTO IdSequence (strTableName, lngNextID) VALUES
  ('VIEWFIELD', 10000), ('LIST', 10000), ('LISTFIELD', 10000);
