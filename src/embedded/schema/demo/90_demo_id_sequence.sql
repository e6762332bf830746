-- Id service counters: new keys start at 10000, above every demo account set
-- (ids 1..4999 and 5000..9999), or above the highest key present if that is higher.
INSERT INTO IdSequence (strTableName, lngNextID)
SELECT 'ORGANIZATION',  max(10000, ifnull(max(lngOrganizationID), 0) + 1) FROM Organization
UNION ALL SELECT 'OPERATOR',      max(10000, ifnull(max(lngOperatorID), 0) + 1) FROM Operator
UNION ALL SELECT 'OPERATORGROUP', max(10000, ifnull(max(lngOperatorGroupID), 0) + 1) FROM OperatorGroup
UNION ALL SELECT 'ACCOUNT',       max(10000, ifnull(max(lngAccountID), 0) + 1) FROM Account
UNION ALL SELECT 'TEMPLATE',      max(10000, ifnull(max(lngTemplateID), 0) + 1) FROM Template
UNION ALL SELECT 'VOUCHERTYPE',   max(10000, ifnull(max(lngVoucherTypeID), 0) + 1) FROM VoucherType
UNION ALL SELECT 'CURRENCYS',     max(10000, ifnull(max(lngCurrencyID), 0) + 1) FROM Currencys
UNION ALL SELECT 'CUSTOMER',      max(10000, ifnull(max(lngCustomerID), 0) + 1) FROM Customer
UNION ALL SELECT 'DEPARTMENT',    max(10000, ifnull(max(lngDepartmentID), 0) + 1) FROM Department
UNION ALL SELECT 'EMPLOYEE',      max(10000, ifnull(max(lngEmployeeID), 0) + 1) FROM Employee
UNION ALL SELECT 'CLASS1',        max(10000, ifnull(max(lngClassID), 0) + 1) FROM Class1
UNION ALL SELECT 'CLASS2',        max(10000, ifnull(max(lngClassID), 0) + 1) FROM Class2
UNION ALL SELECT 'PAYMENTMETHOD', max(10000, ifnull(max(lngPaymentMethodID), 0) + 1) FROM PaymentMethod
UNION ALL SELECT 'CHECKDETAIL',   max(10000, ifnull(max(lngCheckDetailID), 0) + 1) FROM CheckDetail
UNION ALL SELECT 'FLEXIBLEITEM',  max(10000, ifnull(max(lngItemID), 0) + 1) FROM FlexibleItem
UNION ALL SELECT 'FLEXIBLEFIELDDETAIL', max(10000, ifnull(max(lngFieldID), 0) + 1) FROM FlexibleFieldDetail
UNION ALL SELECT 'CASHITEM',      max(10000, ifnull(max(lngCashItemID), 0) + 1) FROM CashItem
-- Financial and budget vouchers (and their lines) draw from the same two counters,
-- so that the two bases never share an id.
UNION ALL SELECT 'VOUCHER',       max(10000, ifnull(max(lngVoucherID), 0) + 1) FROM VoucherView
UNION ALL SELECT 'VOUCHERDETAIL', max(10000, ifnull(max(lngVoucherDetailID), 0) + 1) FROM VoucherDetailView
UNION ALL SELECT 'BUDGETVOUCHERRELEVANCE', max(10000, ifnull(max(lngVoucherRelevanceID), 0) + 1) FROM BudgetVoucherRelevance;

-- Should budget vouchers draw from counters of their own, those start far above the
-- financial ones, so the two bases still never share an id.
INSERT INTO IdSequence (strTableName, lngNextID) VALUES
  ('BUDGETVOUCHER', 500000000),
  ('BUDGETVOUCHERDETAIL', 500000000);
