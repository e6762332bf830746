-- The fund system's own database (a second file beside the account set): its request
-- documents and the pairing of requests with voucher lines, with a few demo requests of each
-- type for centre C01. Parties are the organisations' codes.
CREATE TABLE BankrollRequest (
  Tbillid       TEXT PRIMARY KEY,
  Tbilltypeid   TEXT NOT NULL,
  localCenterId TEXT NOT NULL,
  payPartyId    TEXT,
  incomePartyId TEXT,
  Amount        REAL NOT NULL DEFAULT 0,
  strBillNo     TEXT,
  strDate       TEXT DEFAULT ' ',
  strRemark     TEXT
);

CREATE TABLE InterFace_Of8e (
  T_Bill_Id       TEXT NOT NULL,
  Voucher_ID      INTEGER NOT NULL DEFAULT 0,
  Voucher_Item_ID INTEGER NOT NULL DEFAULT 0,
  Party_ID        TEXT NOT NULL
);
CREATE INDEX InterFace_Of8e_Bill ON InterFace_Of8e (T_Bill_Id, Party_ID);
CREATE INDEX InterFace_Of8e_Item ON InterFace_Of8e (Voucher_Item_ID, Party_ID);

INSERT INTO BankrollRequest (Tbillid, Tbilltypeid, localCenterId, payPartyId, incomePartyId, Amount, strBillNo, strDate, strRemark) VALUES
  ('PAY-0001', 'PAYMENT_REQ', 'C01', '01',    'EXT01', 5000,  'ZF0001', '2026-02-05', '备用金提现'),
  ('PAY-0002', 'PAYMENT_REQ', 'C01', '01',    'EXT02', 3200,  'ZF0002', '2026-02-10', '差旅费报销'),
  ('PAY-0003', 'PAYMENT_REQ', 'C01', '01-02', 'EXT03', 800,   'ZF0003', '2026-02-18', '东城分院办公费'),
  ('REC-0001', 'RECEIPT_REQ', 'C01', 'EXT04', '01',    50000, 'SK0001', '2026-02-03', '华东医药回款'),
  ('REC-0002', 'RECEIPT_REQ', 'C01', 'EXT05', '01',    71000, 'SK0002', '2026-02-15', '美康国际回款'),
  ('BAL-0001', 'BALANCE_REQ', 'C01', '01',    '01',    12800, 'YE0001', '2026-02-20', '余额调拨'),
  ('PAY-9001', 'PAYMENT_REQ', 'C02', '01',    'EXT01', 5000,  'ZF9001', '2026-02-05', '其他中心的申请');

INSERT INTO InterFace_Of8e (T_Bill_Id, Voucher_ID, Voucher_Item_ID, Party_ID) VALUES
  ('REC-0001', 1, 1, '01');
