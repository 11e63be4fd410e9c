-- qm1.mdb: the business's own details and logo, jobs/accounts and invoices.
-- Column kinds are read from the declared type names: INTEGER PRIMARY KEY AUTOINCREMENT is
-- the record counter, LONG a whole number, DOUBLE a floating number, CURRENCY money, DATE a
-- day held as 'YYYY-MM-DD' text, TEXT / TEXT(n) short text, LONGTEXT notes, BLOB a picture.
-- The CHECKs run after SQLite's type affinity, so a number typed as text ('12') is stored as
-- a number, while text that is no number or no real day is refused instead of being stored.
-- date(x, '+0 days') normalises the day, so '2000-02-30' (kept as is by date(x)) fails; IS
-- rather than = makes text that date() cannot read at all fail too, not slip through as NULL.

-- Several screens hold the file open at once; WAL lets readers and one writer overlap.
PRAGMA journal_mode = WAL;

-- The business's details: a name, b address, c suburb, d state, e postcode, f phone, g fax,
-- n ABN, i cheques payable to, j invoice phone, l terms, o shipping company, k special
-- message; h and m are spare. Screens read the first row, so a new file carries one.
CREATE TABLE info (
  a                TEXT COLLATE NOCASE,
  b                TEXT COLLATE NOCASE,
  c                TEXT COLLATE NOCASE,
  d                TEXT COLLATE NOCASE,
  e                TEXT COLLATE NOCASE,
  f                TEXT COLLATE NOCASE,
  g                TEXT COLLATE NOCASE,
  h                TEXT COLLATE NOCASE,
  i                TEXT COLLATE NOCASE,
  j                TEXT COLLATE NOCASE,
  k                TEXT COLLATE NOCASE,
  l                TEXT COLLATE NOCASE,
  m                TEXT COLLATE NOCASE,
  n                TEXT COLLATE NOCASE,
  o                TEXT COLLATE NOCASE
);
INSERT INTO info DEFAULT VALUES;

-- The logo picture.
CREATE TABLE pic (
  pic              BLOB
);

-- Jobs/accounts: code and explanation.
CREATE TABLE jac (
  id               INTEGER PRIMARY KEY AUTOINCREMENT,
  jac              TEXT(50) COLLATE NOCASE,
  exp              TEXT COLLATE NOCASE
);

-- Invoices. The invoice screen reads ID as field 0 and the 42 line cells as fields 28 to 69
-- (row K, cell i at 28 + 6 (K - 1) + i), so the first 70 columns must keep this order.
-- a number, b date; c to h the business's address block, i to n bill-to, o to t ship-to;
-- u ABN, v order number, w date shipped, x shipped via, y project, z terms, zz business name.
-- paid starts at 0: receipts add to it, and the unpaid test is paid < xtotal.
CREATE TABLE inv (
  ID               INTEGER PRIMARY KEY AUTOINCREMENT,
  a                TEXT COLLATE NOCASE,
  b                DATE CHECK (b IS NULL OR (typeof(b) = 'text' AND b IS date(b, '+0 days'))),
  c                TEXT COLLATE NOCASE,
  d                TEXT COLLATE NOCASE,
  e                TEXT COLLATE NOCASE,
  f                TEXT COLLATE NOCASE,
  g                TEXT COLLATE NOCASE,
  h                TEXT COLLATE NOCASE,
  i                TEXT COLLATE NOCASE,
  j                TEXT COLLATE NOCASE,
  k                TEXT COLLATE NOCASE,
  l                TEXT COLLATE NOCASE,
  m                TEXT COLLATE NOCASE,
  n                TEXT COLLATE NOCASE,
  o                TEXT COLLATE NOCASE,
  p                TEXT COLLATE NOCASE,
  q                TEXT COLLATE NOCASE,
  r                TEXT COLLATE NOCASE,
  s                TEXT COLLATE NOCASE,
  t                TEXT COLLATE NOCASE,
  u                TEXT COLLATE NOCASE,
  v                TEXT COLLATE NOCASE,
  w                DATE CHECK (w IS NULL OR (typeof(w) = 'text' AND w IS date(w, '+0 days'))),
  x                TEXT COLLATE NOCASE,
  y                TEXT COLLATE NOCASE,
  z                TEXT COLLATE NOCASE,
  zz               TEXT COLLATE NOCASE,
  xq1              TEXT COLLATE NOCASE,
  xd1              TEXT COLLATE NOCASE,
  xr1              TEXT COLLATE NOCASE,
  xt1              TEXT COLLATE NOCASE,
  xta1             TEXT COLLATE NOCASE,
  xam1             TEXT COLLATE NOCASE,
  xq2              TEXT COLLATE NOCASE,
  xd2              TEXT COLLATE NOCASE,
  xr2              TEXT COLLATE NOCASE,
  xt2              TEXT COLLATE NOCASE,
  xta2             TEXT COLLATE NOCASE,
  xam2             TEXT COLLATE NOCASE,
  xq3              TEXT COLLATE NOCASE,
  xd3              TEXT COLLATE NOCASE,
  xr3              TEXT COLLATE NOCASE,
  xt3              TEXT COLLATE NOCASE,
  xta3             TEXT COLLATE NOCASE,
  xam3             TEXT COLLATE NOCASE,
  xq4              TEXT COLLATE NOCASE,
  xd4              TEXT COLLATE NOCASE,
  xr4              TEXT COLLATE NOCASE,
  xt4              TEXT COLLATE NOCASE,
  xta4             TEXT COLLATE NOCASE,
  xam4             TEXT COLLATE NOCASE,
  xq5              TEXT COLLATE NOCASE,
  xd5              TEXT COLLATE NOCASE,
  xr5              TEXT COLLATE NOCASE,
  xt5              TEXT COLLATE NOCASE,
  xta5             TEXT COLLATE NOCASE,
  xam5             TEXT COLLATE NOCASE,
  xq6              TEXT COLLATE NOCASE,
  xd6              TEXT COLLATE NOCASE,
  xr6              TEXT COLLATE NOCASE,
  xt6              TEXT COLLATE NOCASE,
  xta6             TEXT COLLATE NOCASE,
  xam6             TEXT COLLATE NOCASE,
  xq7              TEXT COLLATE NOCASE,
  xd7              TEXT COLLATE NOCASE,
  xr7              TEXT COLLATE NOCASE,
  xt7              TEXT COLLATE NOCASE,
  xta7             TEXT COLLATE NOCASE,
  xam7             TEXT COLLATE NOCASE,
  xsubtot          CURRENCY CHECK (typeof(xsubtot) IN ('integer', 'real', 'null')),
  xgst             CURRENCY CHECK (typeof(xgst) IN ('integer', 'real', 'null')),
  othertax         CURRENCY CHECK (typeof(othertax) IN ('integer', 'real', 'null')),
  xtotal           CURRENCY CHECK (typeof(xtotal) IN ('integer', 'real', 'null')),
  chequespayableto TEXT COLLATE NOCASE,
  invphone         TEXT COLLATE NOCASE,
  specialmessage   TEXT COLLATE NOCASE,
  paid             CURRENCY DEFAULT 0 CHECK (typeof(paid) IN ('integer', 'real', 'null')),
  printed          TEXT COLLATE NOCASE,
  m1               TEXT COLLATE NOCASE
);
CREATE INDEX inv_a ON inv (a);

-- The last invoice number used; its first column is never read.
CREATE TABLE invnumb (
  ID               INTEGER PRIMARY KEY AUTOINCREMENT,
  last             TEXT COLLATE NOCASE
);

-- The postings of receipts already added to inv.paid, until qm.mdb has let them go: a
-- posting applied a second time after a crash finds its token here and adds nothing.
CREATE TABLE postdone (
  token            TEXT PRIMARY KEY
);
