-- Catalogue database of YAQ2: one schema for SQLite (the local data set
-- "YAQ2.dat") and PostgreSQL (the shared catalogue server).
--
-- Every field the program reads is a text and is compared as a text. A
-- PostgreSQL catalogue database must therefore be created with
-- LC_COLLATE 'C' (byte order, as in SQLite); the program refuses to open
-- one with another collation. Codes and dates are texts as well: dates of
-- the catalogue are "DD.MM.YYYY" (contracts) or "YYYYMMDD" (maintenance
-- topics), months "YYYYMM", report timestamps "YYYYMMDDhhmmss".
-- main_group is always the first two characters of position_number.

-- Types: brand, lead type, model and series of a type key in a catalogue.
CREATE TABLE type_key (
  catalogue_key TEXT NOT NULL,
  type_key      TEXT NOT NULL,
  brand         TEXT NOT NULL DEFAULT '',
  lead_type     TEXT NOT NULL DEFAULT '',
  model_name    TEXT NOT NULL DEFAULT '',
  model_series  TEXT NOT NULL DEFAULT '',
  country       TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (type_key, catalogue_key)
);
CREATE INDEX type_key_by_catalogue ON type_key (catalogue_key, type_key);

-- VIN ranges: the short VIN (characters 11 to 17) between vin_from and
-- vin_to, for the VIN type part (characters 4 to 7), names the type key.
CREATE TABLE vin_range (
  catalogue_key TEXT NOT NULL,
  vin_type      TEXT NOT NULL,
  vin_from      TEXT NOT NULL,
  vin_to        TEXT NOT NULL,
  type_key      TEXT NOT NULL,
  extra_code    TEXT NOT NULL DEFAULT ''
);
-- The VIN look-ups want the nearest start first: the index runs in that
-- order, so the first row comes without sorting every range below the VIN,
-- and holds the range end, so that ranges ending below the VIN are passed
-- over without reading their rows.
CREATE INDEX vin_range_by_type ON vin_range (vin_type, vin_from DESC, catalogue_key, vin_to);
CREATE INDEX vin_range_by_start ON vin_range (vin_from DESC, vin_type, catalogue_key, vin_to);

-- Labour-value catalogues: one row per catalogue of a model series for a
-- country and market; sort_order keeps the order of the catalogue line.
CREATE TABLE catalogue (
  catalogue_key TEXT NOT NULL,
  type_number   TEXT NOT NULL,
  description   TEXT NOT NULL DEFAULT '',
  model_series  TEXT NOT NULL,
  brand         TEXT NOT NULL DEFAULT '',
  model_range   TEXT NOT NULL DEFAULT '',
  market_suffix TEXT NOT NULL DEFAULT '',
  country       TEXT NOT NULL DEFAULT '',
  edition       TEXT NOT NULL DEFAULT '',
  sort_order    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX catalogue_by_series ON catalogue (catalogue_key, model_series, sort_order);
CREATE INDEX catalogue_by_country ON catalogue (catalogue_key, model_series, country, sort_order);
CREATE INDEX catalogue_by_order ON catalogue (sort_order, catalogue_key);

-- Catalogue columns: the models (lead types) of a catalogue's type number,
-- columns counted from 1.
CREATE TABLE catalogue_column (
  catalogue_key TEXT NOT NULL,
  type_number   TEXT NOT NULL,
  column_number INTEGER NOT NULL,
  model_name    TEXT NOT NULL DEFAULT '',
  lead_type     TEXT NOT NULL
);
CREATE INDEX catalogue_column_by_lead_type ON catalogue_column (catalogue_key, lead_type, type_number, column_number);
CREATE INDEX catalogue_column_by_type ON catalogue_column (catalogue_key, type_number, column_number, lead_type);
CREATE INDEX catalogue_column_by_model ON catalogue_column (catalogue_key, type_number, model_name, column_number, lead_type);

-- Alternative lead types (types without a column of their own); type
-- numbers of eight characters.
CREATE TABLE alt_lead_type (
  type_number TEXT NOT NULL,
  model_name  TEXT NOT NULL DEFAULT '',
  lead_type   TEXT NOT NULL,
  sort_order  INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX alt_lead_type_by_lead_type ON alt_lead_type (lead_type, sort_order, type_number);
CREATE INDEX alt_lead_type_by_type ON alt_lead_type (type_number, sort_order, model_name);

-- Alternative catalogues of the older series range.
CREATE TABLE alt_catalogue (
  type_number TEXT NOT NULL,
  series_code TEXT NOT NULL,
  description TEXT NOT NULL DEFAULT '',
  sort_order  INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX alt_catalogue_by_type ON alt_catalogue (type_number, sort_order);

-- Maintenance topics of a type key (or of a lead type), valid from/to
-- YYYYMMDD inclusive.
CREATE TABLE maintenance_topic (
  catalogue_key TEXT NOT NULL,
  type_key      TEXT NOT NULL DEFAULT '',
  lead_type     TEXT NOT NULL DEFAULT '',
  topic_id      TEXT NOT NULL,
  valid_from    TEXT NOT NULL,
  valid_to      TEXT NOT NULL
);
CREATE INDEX maintenance_topic_by_type ON maintenance_topic (catalogue_key, type_key);
CREATE INDEX maintenance_topic_by_lead_type ON maintenance_topic (catalogue_key, lead_type);

-- Inclusive-service contracts of a vehicle (17-character VIN).
CREATE TABLE hlx_vin_contract (
  catalogue_key TEXT NOT NULL,
  vin           TEXT NOT NULL,
  option_number TEXT NOT NULL,
  billing_start TEXT NOT NULL DEFAULT '',
  contract_begin TEXT NOT NULL DEFAULT '',
  contract_end  TEXT NOT NULL DEFAULT '',
  end_km        TEXT NOT NULL DEFAULT '',
  end_miles     TEXT NOT NULL DEFAULT '',
  start_km      TEXT NOT NULL DEFAULT '',
  start_miles   TEXT NOT NULL DEFAULT '',
  sort_order    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX hlx_vin_contract_by_vin ON hlx_vin_contract (catalogue_key, vin);

-- Contract products: state letter, origin, value and mileage limit.
CREATE TABLE hlx_option (
  catalogue_key TEXT NOT NULL,
  option_number TEXT NOT NULL,
  state         TEXT NOT NULL DEFAULT '',
  origin        TEXT NOT NULL DEFAULT '',
  product_value TEXT NOT NULL DEFAULT '',
  mileage_limit TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (catalogue_key, option_number)
);

-- Condition-text group of a model series.
CREATE TABLE hlx_reference (
  catalogue_key TEXT NOT NULL,
  model_series  TEXT NOT NULL,
  text_group    TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (catalogue_key, model_series)
);

-- Condition-text key and description of a contract product.
CREATE TABLE hlx_link (
  catalogue_key TEXT NOT NULL,
  option_number TEXT NOT NULL,
  text_key      TEXT NOT NULL DEFAULT '',
  description   TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (catalogue_key, option_number)
);

-- Reports of the catalogue data loads; the latest dates the catalogue.
CREATE TABLE catalogue_report (
  report_id   TEXT NOT NULL PRIMARY KEY,
  created     TEXT NOT NULL,
  description TEXT NOT NULL DEFAULT ''
);
CREATE INDEX catalogue_report_by_created ON catalogue_report (created);

-- Labour values: work units of a labour position per unit code, lead type
-- and additional code.
CREATE TABLE labour_value (
  catalogue_key   TEXT NOT NULL,
  main_group      TEXT NOT NULL,
  position_number TEXT NOT NULL,
  unit_code       TEXT NOT NULL DEFAULT '',
  lead_type       TEXT NOT NULL,
  extra_code      TEXT NOT NULL DEFAULT '',
  work_units      TEXT NOT NULL DEFAULT '',
  remark          TEXT NOT NULL DEFAULT '',
  flag            TEXT NOT NULL DEFAULT ''
);
CREATE INDEX labour_value_by_group ON labour_value (catalogue_key, main_group, lead_type, extra_code, position_number);
CREATE INDEX labour_value_by_position ON labour_value (catalogue_key, position_number, lead_type, extra_code);

-- Info texts of labour positions.
CREATE TABLE labour_info (
  catalogue_key   TEXT NOT NULL,
  main_group      TEXT NOT NULL,
  position_number TEXT NOT NULL,
  info_number     TEXT NOT NULL DEFAULT '',
  info_text       TEXT NOT NULL DEFAULT ''
);
CREATE INDEX labour_info_by_group ON labour_info (catalogue_key, main_group, position_number);
CREATE INDEX labour_info_by_position ON labour_info (catalogue_key, position_number);

-- Catalogue lines: labour positions of a catalogue with one character per
-- model column ("N" = the position applies to that column's model).
CREATE TABLE catalogue_line (
  catalogue_key   TEXT NOT NULL,
  type_number     TEXT NOT NULL,
  main_group      TEXT NOT NULL,
  line_number     TEXT NOT NULL DEFAULT '',
  position_number TEXT NOT NULL,
  line_text       TEXT NOT NULL DEFAULT '',
  work_units      TEXT NOT NULL DEFAULT '',
  column_flags    TEXT NOT NULL DEFAULT ''
);
CREATE INDEX catalogue_line_by_group ON catalogue_line (catalogue_key, type_number, main_group, position_number);

-- Parts clearing of labour positions, per type key, country and month.
CREATE TABLE parts_clearing (
  catalogue_key   TEXT NOT NULL,
  main_group      TEXT NOT NULL,
  type_key        TEXT NOT NULL,
  position_number TEXT NOT NULL,
  country_code    TEXT NOT NULL,
  extra_code      TEXT NOT NULL DEFAULT '',
  month_from      TEXT NOT NULL,
  month_to        TEXT NOT NULL,
  mark            TEXT NOT NULL DEFAULT ''
);
CREATE INDEX parts_clearing_by_group ON parts_clearing (catalogue_key, type_key, country_code, main_group, position_number);

-- Service repair packages that apply to a type key.
CREATE TABLE srp_package (
  catalogue_key  TEXT NOT NULL,
  package_number TEXT NOT NULL,
  type_key       TEXT NOT NULL,
  extra_code     TEXT NOT NULL DEFAULT '',
  country        TEXT NOT NULL DEFAULT '',
  description    TEXT NOT NULL DEFAULT ''
);
CREATE INDEX srp_package_by_type ON srp_package (catalogue_key, package_number, type_key);
