-- Files attached to a voucher (the pair window's 附件), kept byte for byte in the account set.
CREATE TABLE VoucherAttachment (
  lngAttachmentID INTEGER PRIMARY KEY,
  lngVoucherID    INTEGER NOT NULL,
  strFileName     TEXT NOT NULL,
  strDate         TEXT NOT NULL,
  lngOperatorID   INTEGER NOT NULL DEFAULT 0,
  blbContent      BLOB NOT NULL
);
CREATE INDEX VoucherAttachment_Voucher ON VoucherAttachment (lngVoucherID);
