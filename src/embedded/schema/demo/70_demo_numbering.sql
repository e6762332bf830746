-- The continuity window's list (list 3): one row per voucher, so its view (view 2) has only
-- voucher-level columns: date, type and number, debit total (lines of either basis), maker,
-- volume.
INSERT INTO ViewField (lngViewFieldID, lngViewID, strViewFieldDesc, strFieldName, blnIsFilter, intOrder) VALUES
  (101, 2, '日期', 'Voucher.strDate', 1, 1),
  (102, 2, '凭证字号', 'VOUCHERTYPE.STRVOUCHERTYPECODE  ||  ''-''  ||  LPAD(VOUCHER.INTVOUCHERNO,6,''0'')', 1, 2),
  (103, 2, '金额', '(Select Sum(d.dblAmount) From VoucherDetailView d Where d.lngVoucherID=Voucher.lngVoucherID And d.intDirection=1)', 0, 3),
  (104, 2, '制单人', 'MakeOperator.strOperatorName', 1, 4),
  (105, 2, '凭证册号', 'Voucher.strVolume', 1, 5);

INSERT INTO List (lngListID, lngViewID, strListName, strListDesc) VALUES
  (3, 2, 'frmVoucherContinuity', '凭证连号处理');

INSERT INTO ListField (lngListFieldID, lngListID, lngViewFieldID, lngOperatorID, intOrder, intWidth)
SELECT 200 + f.lngViewFieldID, 3, f.lngViewFieldID, 0, f.intOrder, 1200 FROM ViewField f
 WHERE f.lngViewID = 2;
