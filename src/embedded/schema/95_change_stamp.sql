-- The change stamp of the slowly changing tables a connection keeps in memory across commands
-- (host::OpenRemembered): any change to a row of them moves it, so one read of it tells a
-- connection whether what it remembers still holds. Add a table here before remembering
-- queries of it; never one that a save writes.
CREATE TABLE ChangeStamp (
  lngStamp INTEGER NOT NULL DEFAULT 0
);
INSERT INTO ChangeStamp (lngStamp) VALUES (0);

CREATE TRIGGER Setting_StampInsert AFTER INSERT ON Setting
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER Setting_StampUpdate AFTER UPDATE ON Setting
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER Setting_StampDelete AFTER DELETE ON Setting
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER MODULE_StampInsert AFTER INSERT ON MODULE
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER MODULE_StampUpdate AFTER UPDATE ON MODULE
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER MODULE_StampDelete AFTER DELETE ON MODULE
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER Account_StampInsert AFTER INSERT ON Account
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER Account_StampUpdate AFTER UPDATE ON Account
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER Account_StampDelete AFTER DELETE ON Account
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER AccountEx_StampInsert AFTER INSERT ON AccountEx
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER AccountEx_StampUpdate AFTER UPDATE ON AccountEx
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER AccountEx_StampDelete AFTER DELETE ON AccountEx
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER BudgetAccount_StampInsert AFTER INSERT ON BudgetAccount
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER BudgetAccount_StampUpdate AFTER UPDATE ON BudgetAccount
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER BudgetAccount_StampDelete AFTER DELETE ON BudgetAccount
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER BudgetAccountEx_StampInsert AFTER INSERT ON BudgetAccountEx
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER BudgetAccountEx_StampUpdate AFTER UPDATE ON BudgetAccountEx
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER BudgetAccountEx_StampDelete AFTER DELETE ON BudgetAccountEx
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER AccountYear_StampInsert AFTER INSERT ON AccountYear
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER AccountYear_StampUpdate AFTER UPDATE ON AccountYear
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER AccountYear_StampDelete AFTER DELETE ON AccountYear
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER AccountPeriod_StampInsert AFTER INSERT ON AccountPeriod
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER AccountPeriod_StampUpdate AFTER UPDATE ON AccountPeriod
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER AccountPeriod_StampDelete AFTER DELETE ON AccountPeriod
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER Currencys_StampInsert AFTER INSERT ON Currencys
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER Currencys_StampUpdate AFTER UPDATE ON Currencys
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER Currencys_StampDelete AFTER DELETE ON Currencys
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER VoucherType_StampInsert AFTER INSERT ON VoucherType
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER VoucherType_StampUpdate AFTER UPDATE ON VoucherType
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER VoucherType_StampDelete AFTER DELETE ON VoucherType
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER VoucherTypeEx_StampInsert AFTER INSERT ON VoucherTypeEx
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER VoucherTypeEx_StampUpdate AFTER UPDATE ON VoucherTypeEx
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER VoucherTypeEx_StampDelete AFTER DELETE ON VoucherTypeEx
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER Template_StampInsert AFTER INSERT ON Template
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER Template_StampUpdate AFTER UPDATE ON Template
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
CREATE TRIGGER Template_StampDelete AFTER DELETE ON Template
BEGIN UPDATE ChangeStamp SET lngStamp = lngStamp + 1; END;
