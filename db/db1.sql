-- db1.mdb: the read-only list of Australian places, loaded from postcode.tsv.
-- Declared types as in qm.sql: LONG a whole number, TEXT short text.

-- id is the place's own number from the list (the suburb lists bind it); postcodes are text
-- so that "0800" keeps its zero.
CREATE TABLE postcode (
  id               LONG NOT NULL PRIMARY KEY CHECK (typeof(id) = 'integer'),
  location         TEXT COLLATE NOCASE,
  state            TEXT COLLATE NOCASE,
  postcode         TEXT COLLATE NOCASE
);
