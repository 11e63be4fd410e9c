-- qm.mdb: clients, suppliers, payments and receipts.
-- Column kinds are read from the declared type names: INTEGER PRIMARY KEY AUTOINCREMENT is
-- the record counter, LONG a whole number, DOUBLE a floating number, CURRENCY money, DATE a
-- day held as 'YYYY-MM-DD' text, TEXT / TEXT(n) short text, LONGTEXT notes, BLOB a picture.
-- The CHECKs run after SQLite's type affinity, so a number typed as text ('12') is stored as
-- a number, while text that is no number or no real day is refused instead of being stored.
-- date(x, '+0 days') normalises the day, so '2000-02-30' (kept as is by date(x)) fails; IS
-- rather than = makes text that date() cannot read at all fail too, not slip through as NULL.

-- Several screens hold the file open at once; WAL lets readers and one writer overlap.
PRAGMA journal_mode = WAL;

-- Clients. ID comes first: the hand-back reads it as field 0. e, t: suburb/town; m job title;
-- o ABN; q notes; r to w the shipping address (name, address, suburb, state, country, postcode).
CREATE TABLE c (
  ID               INTEGER PRIMARY KEY AUTOINCREMENT,
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
  m                TEXT(20) COLLATE NOCASE,
  n                TEXT COLLATE NOCASE,
  o                TEXT(15) COLLATE NOCASE,
  q                LONGTEXT COLLATE NOCASE,
  r                TEXT COLLATE NOCASE,
  s                TEXT COLLATE NOCASE,
  t                TEXT COLLATE NOCASE,
  u                TEXT COLLATE NOCASE,
  v                TEXT COLLATE NOCASE,
  w                TEXT COLLATE NOCASE
);

-- Suppliers: the client's columns without the shipping address.
CREATE TABLE s (
  ID               INTEGER PRIMARY KEY AUTOINCREMENT,
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
  m                TEXT(20) COLLATE NOCASE,
  n                TEXT COLLATE NOCASE,
  o                TEXT(15) COLLATE NOCASE,
  q                LONGTEXT COLLATE NOCASE
);

-- Payments (p) and receipts (r) share one layout. b and p: the party's key; c, d, e: nett,
-- GST and total; j: date paid; m: invoice date; q: GST rate as text ("10", "0");
-- s: personal-use percentage; u: classification code; v and w: job/account code and key.
CREATE TABLE p (
  ID               INTEGER PRIMARY KEY AUTOINCREMENT,
  a                TEXT COLLATE NOCASE,
  b                LONG CHECK (typeof(b) IN ('integer', 'null')),
  c                CURRENCY CHECK (typeof(c) IN ('integer', 'real', 'null')),
  d                CURRENCY CHECK (typeof(d) IN ('integer', 'real', 'null')),
  e                CURRENCY CHECK (typeof(e) IN ('integer', 'real', 'null')),
  f                TEXT COLLATE NOCASE,
  g                TEXT COLLATE NOCASE,
  h                TEXT COLLATE NOCASE,
  i                TEXT COLLATE NOCASE,
  j                DATE CHECK (j IS NULL OR (typeof(j) = 'text' AND j IS date(j, '+0 days'))),
  l                TEXT COLLATE NOCASE,
  m                DATE CHECK (m IS NULL OR (typeof(m) = 'text' AND m IS date(m, '+0 days'))),
  n                LONGTEXT COLLATE NOCASE,
  o                TEXT COLLATE NOCASE,
  p                LONG CHECK (typeof(p) IN ('integer', 'null')),
  q                TEXT COLLATE NOCASE,
  s                DOUBLE CHECK (typeof(s) IN ('integer', 'real', 'null')),
  t                TEXT COLLATE NOCASE,
  u                TEXT COLLATE NOCASE,
  v                TEXT COLLATE NOCASE,
  w                LONG CHECK (typeof(w) IN ('integer', 'null'))
);

CREATE TABLE r (
  ID               INTEGER PRIMARY KEY AUTOINCREMENT,
  a                TEXT COLLATE NOCASE,
  b                LONG CHECK (typeof(b) IN ('integer', 'null')),
  c                CURRENCY CHECK (typeof(c) IN ('integer', 'real', 'null')),
  d                CURRENCY CHECK (typeof(d) IN ('integer', 'real', 'null')),
  e                CURRENCY CHECK (typeof(e) IN ('integer', 'real', 'null')),
  f                TEXT COLLATE NOCASE,
  g                TEXT COLLATE NOCASE,
  h                TEXT COLLATE NOCASE,
  i                TEXT COLLATE NOCASE,
  j                DATE CHECK (j IS NULL OR (typeof(j) = 'text' AND j IS date(j, '+0 days'))),
  l                TEXT COLLATE NOCASE,
  m                DATE CHECK (m IS NULL OR (typeof(m) = 'text' AND m IS date(m, '+0 days'))),
  n                LONGTEXT COLLATE NOCASE,
  o                TEXT COLLATE NOCASE,
  p                LONG CHECK (typeof(p) IN ('integer', 'null')),
  q                TEXT COLLATE NOCASE,
  s                DOUBLE CHECK (typeof(s) IN ('integer', 'real', 'null')),
  t                TEXT COLLATE NOCASE,
  u                TEXT COLLATE NOCASE,
  v                TEXT COLLATE NOCASE,
  w                LONG CHECK (typeof(w) IN ('integer', 'null'))
);

-- Periods are chosen on the payment date or the invoice date.
CREATE INDEX p_j ON p (j);
CREATE INDEX p_m ON p (m);
CREATE INDEX r_j ON r (j);
CREATE INDEX r_m ON r (m);

-- Receipts' amounts on their way to their invoices' paid amounts (inv.paid, in qm1.mdb):
-- written in the transaction that writes or deletes the receipt, removed once the invoice
-- has the amount. token names the posting in qm1.mdb's postdone. (The program also creates
-- the table in a file made without it.)
CREATE TABLE pendingpost (
  ID               INTEGER PRIMARY KEY AUTOINCREMENT,
  token            TEXT NOT NULL,
  invoice          TEXT,
  amount           CURRENCY
);
