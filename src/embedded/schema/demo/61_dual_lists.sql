-- The combined lists of the dual basis. View 3: one row per voucher pair, over
-- BudgetVoucherRelevance with its financial (Voucher, VoucherType) and budget (BudgetVoucher,
-- BudgetVoucherType) voucher; each header value is the financial voucher's, or the budget one's
-- when the pair has none. The two amount columns are the debit totals of each side.
-- View 4: one row per line of either basis, over VoucherView, VoucherDetailView and
-- VoucherTypeView; the account comes from the chart of the line's basis.
INSERT INTO ViewField (lngViewFieldID, lngViewID, strViewFieldDesc, strFieldName, blnIsFilter, intOrder) VALUES
  (301, 3, '日期', 'decode(BudgetVoucherRelevance.lngVoucherID,0,BudgetVoucher.strDate,Voucher.strDate)', 1, 1),
  (302, 3, '凭证字号', 'decode(BudgetVoucherRelevance.lngVoucherID,0,BudgetVoucherType.strVoucherTypeCode,VoucherType.strVoucherTypeCode)  ||  '' ''  ||  LPAD(decode(BudgetVoucherRelevance.lngVoucherID, 0,BudgetVoucher.INTVOUCHERNO,VOUCHER.INTVOUCHERNO),6,''0'')', 1, 2),
  (303, 3, '摘要', 'decode(BudgetVoucherRelevance.lngVoucherID,0,(Select Max(d.strRemark) From BudgetVoucherDetail d Where d.lngVoucherID=BudgetVoucher.lngVoucherID And d.lngRowID=1),(Select Max(d.strRemark) From VoucherDetail d Where d.lngVoucherID=Voucher.lngVoucherID And d.lngRowID=1))', 1, 3),
  (304, 3, '财务金额', '(Select Sum(d.dblAmount) From VoucherDetail d Where d.lngVoucherID=Voucher.lngVoucherID And d.intDirection=1)', 0, 4),
  (305, 3, '预算金额', '(Select Sum(d.dblAmount) From BudgetVoucherDetail d Where d.lngVoucherID=BudgetVoucher.lngVoucherID And d.intDirection=1)', 0, 5),
  (306, 3, '制单人', '(Select o.strOperatorName From Operator o Where o.lngOperatorID=decode(BudgetVoucherRelevance.lngVoucherID,0,BudgetVoucher.lngOperatorID,Voucher.lngOperatorID))', 1, 6),
  (307, 3, '审核人', '(Select o.strOperatorName From Operator o Where o.lngOperatorID=decode(BudgetVoucherRelevance.lngVoucherID,0,BudgetVoucher.lngCheckerID,Voucher.lngCheckerID))', 1, 7),
  (308, 3, '记账人', '(Select o.strOperatorName From Operator o Where o.lngOperatorID=decode(BudgetVoucherRelevance.lngVoucherID,0,BudgetVoucher.lngPostID,Voucher.lngPostID))', 1, 8),
  (309, 3, '出纳', '(Select o.strOperatorName From Operator o Where o.lngOperatorID=decode(BudgetVoucherRelevance.lngVoucherID,0,BudgetVoucher.lngTellerID,Voucher.lngTellerID))', 1, 9),
  (401, 4, '日期', 'Voucher.strDate', 1, 1),
  (402, 4, '凭证字号', 'VOUCHERTYPE.STRVOUCHERTYPECODE  ||  '' ''  ||  LPAD(VOUCHER.INTVOUCHERNO,6,''0'')', 1, 2),
  (403, 4, '会计类型', 'decode(Voucher.lngVoucherBaseID,2,''预算'',''财务'')', 1, 3),
  (404, 4, '摘要', 'VoucherDetail.strRemark', 1, 4),
  (405, 4, '科目编码', 'decode(Voucher.lngVoucherBaseID,2,(Select a.strAccountCode From BudgetAccount a Where a.lngAccountID=VoucherDetail.lngAccountID),Account.strAccountCode)', 1, 5),
  (406, 4, '科目名称', 'decode(Voucher.lngVoucherBaseID,2,(Select a.strAccountName From BudgetAccount a Where a.lngAccountID=VoucherDetail.lngAccountID),Account.strAccountName)', 1, 6),
  (407, 4, '借方金额', 'decode(VoucherDetail.intDirection,1,VoucherDetail.dblAmount)', 0, 7),
  (408, 4, '贷方金额', 'decode(VoucherDetail.intDirection,-1,VoucherDetail.dblAmount)', 0, 8),
  (409, 4, '部门', 'Department.strDepartmentName', 1, 9),
  (410, 4, '制单人', 'MakeOperator.strOperatorName', 1, 10),
  (411, 4, '审核人', 'CheckOperator.strOperatorName', 1, 11),
  (412, 4, '记账人', 'PostOperator.strOperatorName', 1, 12),
  (413, 4, '凭证册号', 'Voucher.strVolume', 1, 13),
  (414, 4, '冲销关联凭证',
   'decode(Voucher.lngVoucherSourceID,16,'''',decode(nvl(SourceVoucher.lngVoucherID,0),0,decode(nvl(SourceToVoucher.lngVoucherID,0),0,'''',SourceToVoucher.intYear || ''年度'' || LPAD(SourceToVoucher.bytPeriod,2,''0'') || ''期间 '' || SourceToVoucherType.strVoucherTypeCode || ''字 '' || LPAD(SourceToVoucher.intVoucherNO,6,''0'') || ''号凭证''),SourceVoucher.intYear || ''年度'' || LPAD(SourceVoucher.bytPeriod,2,''0'') || ''期间 '' || SourceVoucherType.strVoucherTypeCode || ''字 '' || LPAD(SourceVoucher.intVoucherNO,6,''0'') || ''号凭证''))',
   0, 14);

INSERT INTO List (lngListID, lngViewID, strListName, strListDesc) VALUES
  (4, 3, 'frmListVoucherUnion', '凭证综合查询列表'),
  (5, 4, 'frmListVoucherCompare', '凭证综合查询明细列表');

INSERT INTO ListField (lngListFieldID, lngListID, lngViewFieldID, lngOperatorID, intOrder, intWidth)
SELECT 1000 + f.lngViewFieldID, CASE f.lngViewID WHEN 3 THEN 4 ELSE 5 END, f.lngViewFieldID, 0, f.intOrder, 1200
  FROM ViewField f WHERE f.lngViewID IN (3, 4);
