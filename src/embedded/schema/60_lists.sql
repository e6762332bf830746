-- Column configuration of the list windows. A view is the set of columns a list can show
-- (caption, Oracle column expression over the list's tables, offered for quick find or not);
-- a list (lngListID, the window's configuration key) shows some of its view's columns in the
-- order and widths of ListField. Captions are what sorting and quick find go by.
CREATE TABLE ViewField (
  lngViewFieldID   INTEGER PRIMARY KEY,
  lngViewID        INTEGER NOT NULL DEFAULT 0,
  strViewFieldDesc TEXT NOT NULL,
  strFieldName     TEXT NOT NULL,
  blnIsFilter      INTEGER NOT NULL DEFAULT 0,
  intOrder         INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ViewField_View ON ViewField (lngViewID, intOrder);

-- strListName is the window that shows the list ("frmListVoucher").
CREATE TABLE List (
  lngListID   INTEGER PRIMARY KEY,
  lngViewID   INTEGER NOT NULL DEFAULT 0,
  strListName TEXT NOT NULL,
  strListDesc TEXT
);
CREATE UNIQUE INDEX List_Name ON List (strListName);

-- The columns of a list; lngOperatorID 0 is the layout of everyone who has no own one.
CREATE TABLE ListField (
  lngListFieldID INTEGER PRIMARY KEY,
  lngListID      INTEGER NOT NULL DEFAULT 0,
  lngViewFieldID INTEGER NOT NULL DEFAULT 0,
  lngOperatorID  INTEGER NOT NULL DEFAULT 0,
  intOrder       INTEGER NOT NULL DEFAULT 0,
  intWidth       INTEGER NOT NULL DEFAULT 0,
  blnIsVisible   INTEGER NOT NULL DEFAULT 1
);
CREATE INDEX ListField_List ON ListField (lngListID, lngOperatorID, intOrder);
