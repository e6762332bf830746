-- Files attached to a voucher (the pair window's 附件), kept byte for byte in the account set as
-- Base64 text, so that the file and a server keep them alike; an empty file has NULL content.
CREATE TABLE VoucherAttachment (
  lngAttachmentID INTEGER PRIMARY KEY,
  lngVoucherID    INTEGER NOT NULL,
  strFileName     TEXT NOT NULL,
  strDate         TEXT NOT NULL,
  lngOperatorID   INTEGER NOT NULL DEFAULT 0,
  lngSize         INTEGER NOT NULL,
  strContent      TEXT
);
CREATE INDEX VoucherAttachment_Voucher ON VoucherAttachment (lngVoucherID);
