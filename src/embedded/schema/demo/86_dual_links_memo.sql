-- Memo book of "青山县人民医院": the budget expense 7201-01 基本支出 and the financial
-- 5101-02 商品和服务费用 are memo accounts, linked to items of both classifications.
UPDATE Account SET blnIsReference = 1 WHERE lngAccountID = 5013;
UPDATE AccountEx SET blnIsReference = 1 WHERE lngAccountID = 5013;
UPDATE BudgetAccount SET blnIsReference = 1 WHERE lngAccountID = 6007;
UPDATE BudgetAccountEx SET blnIsReference = 1 WHERE lngAccountID = 6007;

INSERT INTO ReferenceAccount (lngAccountID, lngReferenceID) VALUES
  (6007, 2), (6007, 5),
  (5013, 5);
