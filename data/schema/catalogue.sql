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
  extra_code    TEXT NOT NULL DEFAULT '',
  -- What range start and end have in common in front (up to seven
  -- characters): every short VIN inside the range begins with it. Kept by
  -- the database from the two ends.
  vin_prefix    TEXT GENERATED ALWAYS AS (CASE
    WHEN substr(vin_from, 1, 7) = substr(vin_to, 1, 7) THEN substr(vin_from, 1, 7)
    WHEN substr(vin_from, 1, 6) = substr(vin_to, 1, 6) THEN substr(vin_from, 1, 6)
    WHEN substr(vin_from, 1, 5) = substr(vin_to, 1, 5) THEN substr(vin_from, 1, 5)
    WHEN substr(vin_from, 1, 4) = substr(vin_to, 1, 4) THEN substr(vin_from, 1, 4)
    WHEN substr(vin_from, 1, 3) = substr(vin_to, 1, 3) THEN substr(vin_from, 1, 3)
    WHEN substr(vin_from, 1, 2) = substr(vin_to, 1, 2) THEN substr(vin_from, 1, 2)
    WHEN substr(vin_from, 1, 1) = substr(vin_to, 1, 1) THEN substr(vin_from, 1, 1)
    ELSE '' END) STORED
);
-- The VIN look-ups want the nearest start first: the index runs in that
-- order, so the first row comes without sorting every range below the VIN,
-- and holds the range end, so that ranges ending below the VIN are passed
-- over without reading their rows.
CREATE INDEX vin_range_by_type ON vin_range (vin_type, vin_from DESC, catalogue_key, vin_to);
-- The ranges of any VIN type that hold a short VIN: only ranges whose
-- prefix begins the short VIN can hold it, at most eight prefixes, each
-- looked up in this index however many ranges the catalogue has.
CREATE INDEX vin_range_by_prefix ON vin_range (vin_prefix, vin_from, vin_to);

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
  -- The position list of the product (hlx_position_list) and how it reads:
  -- "1" lists what the contract includes, anything else what it excludes.
  list_number   TEXT NOT NULL DEFAULT '',
  list_mode     TEXT NOT NULL DEFAULT '',
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
-- Both end on the unit code: the rows come in the order the readers want
-- them (number, then unit) without a sort.
CREATE INDEX labour_value_by_group ON labour_value (catalogue_key, main_group, lead_type, extra_code, position_number, unit_code);
CREATE INDEX labour_value_by_position ON labour_value (catalogue_key, position_number, lead_type, extra_code, unit_code);

-- Infos of labour positions: the paint-stage text and two position
-- numbers. Two positions listed one after the other are one piece of work
-- when the first names the second in info_number and the second names the
-- first in info_number2.
CREATE TABLE labour_info (
  catalogue_key   TEXT NOT NULL,
  main_group      TEXT NOT NULL,
  position_number TEXT NOT NULL,
  info_number     TEXT NOT NULL DEFAULT '',
  info_text       TEXT NOT NULL DEFAULT '',
  info_number2    TEXT NOT NULL DEFAULT ''
);
-- Both reads take the infos in the order of their numbers from the index,
-- without a sort.
CREATE INDEX labour_info_by_group ON labour_info (catalogue_key, main_group, position_number, info_number);
CREATE INDEX labour_info_by_position ON labour_info (catalogue_key, position_number, info_number);

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
-- The check whether a position's line applies to the vehicle's column reads
-- a main group's lines by position and line from this index alone.
CREATE INDEX catalogue_line_by_group ON catalogue_line (catalogue_key, type_number, main_group, position_number, line_number, column_flags);

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
-- A main group's rows come by position, the row of the additional code
-- before the one for every code, in the index's order: no sort.
CREATE INDEX parts_clearing_by_group ON parts_clearing (catalogue_key, type_key, country_code, main_group, position_number, extra_code DESC);

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

-- Package list of a vehicle ------------------------------------------------

-- Main groups of the labour-value catalogue with their titles per language.
CREATE TABLE aw_main_group (
  catalogue_key TEXT NOT NULL,
  language      TEXT NOT NULL,
  type_number   TEXT NOT NULL,
  main_group    TEXT NOT NULL,
  group_text    TEXT NOT NULL DEFAULT '',
  text2         TEXT NOT NULL DEFAULT '',
  text3         TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (catalogue_key, language, type_number, main_group)
);

-- Package lines: a package of one kind ("SRP", "GRP", "SIP", "VLP") on a
-- catalogue line of a main group for a type key, valid for vehicles built
-- from valid_from to valid_to (YYYYMMDD). origin "   " or "YAQ" is the
-- standard package, any other origin the package of that country.
CREATE TABLE srp_package_line (
  catalogue_key  TEXT NOT NULL,
  type_key       TEXT NOT NULL,
  main_group     TEXT NOT NULL,
  package_kind   TEXT NOT NULL,
  own_number     TEXT NOT NULL DEFAULT '',
  package_number TEXT NOT NULL,
  extra          TEXT NOT NULL DEFAULT '',
  origin         TEXT NOT NULL DEFAULT '',
  text_key       TEXT NOT NULL DEFAULT '',
  line_text      TEXT NOT NULL DEFAULT '',
  second_key     TEXT NOT NULL DEFAULT '',
  line_number    TEXT NOT NULL,
  valid_from     TEXT NOT NULL DEFAULT '00000000',
  valid_to       TEXT NOT NULL DEFAULT '99999999',
  sort_order     INTEGER NOT NULL DEFAULT 0
);
-- Top rows and group levels read one kind in line order (of every group or
-- of one); the package level every kind of one group in line order. Within
-- a line the catalogue's own order (sort_order) decides which variant of a
-- package arrives first, and so how the variants merge into one row.
CREATE INDEX srp_package_line_by_kind ON srp_package_line (catalogue_key, type_key, package_kind, main_group, line_number, sort_order);
CREATE INDEX srp_package_line_by_group ON srp_package_line (catalogue_key, type_key, main_group, line_number, sort_order);
CREATE INDEX srp_package_line_by_number ON srp_package_line (catalogue_key, type_key, package_number, line_number);

-- Packages of the alternative catalogue (no catalogue lines): the package
-- number's first two characters are its main group, the next two its
-- second-level group.
CREATE TABLE srp_package_alt (
  catalogue_key  TEXT NOT NULL,
  type_key       TEXT NOT NULL,
  main_group     TEXT NOT NULL,
  own_number     TEXT NOT NULL DEFAULT '',
  package_number TEXT NOT NULL,
  extra          TEXT NOT NULL DEFAULT '',
  origin         TEXT NOT NULL DEFAULT '',
  valid_from     TEXT NOT NULL DEFAULT '00000000',
  valid_to       TEXT NOT NULL DEFAULT '99999999'
);
CREATE INDEX srp_package_alt_by_group ON srp_package_alt (catalogue_key, type_key, main_group, package_number);

-- Main-group and second-level titles of the alternative catalogue.
CREATE TABLE alt_aw_main_group (
  type_number   TEXT NOT NULL,
  language      TEXT NOT NULL,
  catalogue_key TEXT NOT NULL,
  main_group    TEXT NOT NULL,
  group_text    TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (type_number, language, catalogue_key, main_group)
);
CREATE TABLE alt_aw_sub_group (
  type_number TEXT NOT NULL,
  main_group  TEXT NOT NULL,
  language    TEXT NOT NULL,
  sub_group   TEXT NOT NULL,
  text1       TEXT NOT NULL DEFAULT '',
  text2       TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (type_number, main_group, language, sub_group)
);

-- Titles of the group levels below a main group: the first level by the
-- text key of a package line (several line texts may share one key; the
-- title's lines run to range_end), the second by its second-level key.
CREATE TABLE aw_group_text (
  catalogue_key TEXT NOT NULL,
  main_group    TEXT NOT NULL,
  text_key      TEXT NOT NULL,
  language      TEXT NOT NULL,
  line_text     TEXT NOT NULL DEFAULT '',
  extra         TEXT NOT NULL DEFAULT '',
  range_end     TEXT NOT NULL DEFAULT '',
  title         TEXT NOT NULL DEFAULT '',
  sort_order    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX aw_group_text_by_key ON aw_group_text (catalogue_key, main_group, text_key, language, sort_order);
CREATE TABLE aw_subgroup_text (
  catalogue_key TEXT NOT NULL,
  type_number   TEXT NOT NULL,
  main_group    TEXT NOT NULL,
  language      TEXT NOT NULL,
  second_key    TEXT NOT NULL,
  range_end     TEXT NOT NULL DEFAULT '',
  title         TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (catalogue_key, type_number, main_group, language, second_key)
);

-- Texts of a labour position or package per language and model series:
-- four text lines and four bracket lines.
CREATE TABLE apos_text (
  catalogue_key   TEXT NOT NULL,
  language        TEXT NOT NULL,
  model_series    TEXT NOT NULL,
  position_number TEXT NOT NULL,
  text1 TEXT NOT NULL DEFAULT '',
  text2 TEXT NOT NULL DEFAULT '',
  text3 TEXT NOT NULL DEFAULT '',
  text4 TEXT NOT NULL DEFAULT '',
  bracket1 TEXT NOT NULL DEFAULT '',
  bracket2 TEXT NOT NULL DEFAULT '',
  bracket3 TEXT NOT NULL DEFAULT '',
  bracket4 TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (catalogue_key, language, model_series, position_number)
);

-- The findings positions of a package (position keys of eight characters).
CREATE TABLE findings_position (
  catalogue_key  TEXT NOT NULL,
  package_number TEXT NOT NULL,
  position_key   TEXT NOT NULL,
  sort_order     INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX findings_position_by_package ON findings_position (catalogue_key, package_number, sort_order);

-- Position lists of inclusive-service products: masks of position keys
-- ("X" stands for any one character or none), valid from/to DD.MM.YYYY.
CREATE TABLE hlx_position_list (
  catalogue_key TEXT NOT NULL,
  list_number   TEXT NOT NULL,
  mask          TEXT NOT NULL,
  valid_from    TEXT NOT NULL DEFAULT '',
  valid_to      TEXT NOT NULL DEFAULT '',
  sort_order    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX hlx_position_list_by_list ON hlx_position_list (catalogue_key, list_number, sort_order);

-- Package editing ----------------------------------------------------------

-- Labour positions of a package (by its package key), in the catalogue's
-- order: kind "S" standard, "O" optional, "A"/"B" alternative of the line
-- whose number stands in reference_number.
CREATE TABLE srp_package_position (
  catalogue_key    TEXT NOT NULL,
  package_number   TEXT NOT NULL,
  position_number  TEXT NOT NULL,
  kind             TEXT NOT NULL DEFAULT 'S',
  reference_number TEXT NOT NULL DEFAULT '',
  sort_order       INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX srp_package_position_by_package ON srp_package_position (catalogue_key, package_number, sort_order);

-- Parts of a package, valid for vehicles built from valid_from to valid_to
-- (YYYYMMDD); an alternative names the part_position it stands for in
-- reference_position. quantity is a decimal text.
CREATE TABLE srp_package_part (
  catalogue_key      TEXT NOT NULL,
  package_number     TEXT NOT NULL,
  part_number        TEXT NOT NULL,
  part_position      TEXT NOT NULL DEFAULT '',
  quantity           TEXT NOT NULL DEFAULT '',
  kind               TEXT NOT NULL DEFAULT 'S',
  valid_from         TEXT NOT NULL DEFAULT '00000000',
  valid_to           TEXT NOT NULL DEFAULT '99999999',
  reference_position TEXT NOT NULL DEFAULT '',
  sort_order         INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX srp_package_part_by_package ON srp_package_part (catalogue_key, package_number, sort_order);

-- Texts of parts per language.
CREATE TABLE srp_part_text (
  catalogue_key TEXT NOT NULL,
  part_number   TEXT NOT NULL,
  language      TEXT NOT NULL,
  part_text     TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (catalogue_key, part_number, language)
);

-- Findings codes of a labour position: finding numbers of eight characters
-- whose trailing pairs may be "XX" (every value of that level).
CREATE TABLE findings_code (
  catalogue_key   TEXT NOT NULL,
  position_number TEXT NOT NULL,
  code            TEXT NOT NULL,
  sort_order      INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX findings_code_by_position ON findings_code (catalogue_key, position_number, sort_order);

-- Texts of the four levels of a finding number (main group, subgroup,
-- location, damage key; two characters each): a row of a level leaves the
-- keys below it empty.
CREATE TABLE finding_level_text (
  catalogue_key TEXT NOT NULL,
  language      TEXT NOT NULL,
  main_group    TEXT NOT NULL,
  sub_group     TEXT NOT NULL DEFAULT '',
  location      TEXT NOT NULL DEFAULT '',
  damage_key    TEXT NOT NULL DEFAULT '',
  level_text    TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (catalogue_key, language, main_group, sub_group, location, damage_key)
);

-- Hints of the findings of a location, for the adviser.
CREATE TABLE finding_hint (
  catalogue_key TEXT NOT NULL,
  language      TEXT NOT NULL,
  main_group    TEXT NOT NULL,
  sub_group     TEXT NOT NULL DEFAULT '',
  location      TEXT NOT NULL DEFAULT '',
  hint_text     TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (catalogue_key, language, main_group, sub_group, location)
);

-- The text lines of a position whatever the model series; the findings
-- page looks the labour positions of its findings up by the codes' main group.
CREATE INDEX apos_text_by_position ON apos_text (catalogue_key, position_number, language);
CREATE INDEX findings_code_by_code ON findings_code (catalogue_key, code, position_number);

-- Scope texts: the number of a labour position's scope text per lead type
-- and additional code, and its lines per language.
CREATE TABLE apos_scope (
  position_number TEXT NOT NULL,
  lead_type       TEXT NOT NULL,
  extra_code      TEXT NOT NULL DEFAULT '',
  scope_number    TEXT NOT NULL,
  PRIMARY KEY (position_number, lead_type, extra_code)
);
CREATE TABLE scope_text (
  scope_number TEXT NOT NULL,
  language     TEXT NOT NULL,
  line_number  INTEGER NOT NULL,
  line_text    TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (scope_number, language, line_number)
);

-- Inclusive positions: the labour positions a position includes, as a list
-- per lead type and additional code.
CREATE TABLE apos_inclusive (
  catalogue_key    TEXT NOT NULL,
  position_number  TEXT NOT NULL,
  lead_type        TEXT NOT NULL,
  extra_code       TEXT NOT NULL DEFAULT '',
  inclusive_number TEXT NOT NULL
);
CREATE INDEX apos_inclusive_by_position ON apos_inclusive (position_number, catalogue_key, lead_type, extra_code, inclusive_number);
CREATE TABLE inclusive_position (
  catalogue_key    TEXT NOT NULL,
  inclusive_number TEXT NOT NULL,
  position_number  TEXT NOT NULL,
  sort_order       INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX inclusive_position_by_list ON inclusive_position (catalogue_key, inclusive_number, sort_order);

-- Texts of whole finding numbers (the findings of the service information).
CREATE TABLE finding_text (
  catalogue_key  TEXT NOT NULL,
  finding_number TEXT NOT NULL,
  language       TEXT NOT NULL,
  finding_text   TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (catalogue_key, finding_number, language)
);

-- Labour-value catalogue page ----------------------------------------------

-- The group levels below a main group of a type number's catalogue: level
-- '2' subgroups and level '3' third-level rows, each covering the catalogue
-- lines line_from to line_to of its main group (four-digit texts). A
-- third-level row lies in the range of its subgroup; only marker 'N' rows
-- are shown.
CREATE TABLE aw_catalogue_group (
  catalogue_key TEXT NOT NULL,
  type_number   TEXT NOT NULL,
  main_group    TEXT NOT NULL,
  language      TEXT NOT NULL,
  level         TEXT NOT NULL,
  line_from     TEXT NOT NULL,
  line_to       TEXT NOT NULL,
  group_code    TEXT NOT NULL DEFAULT '',
  marker        TEXT NOT NULL DEFAULT 'N',
  group_text    TEXT NOT NULL DEFAULT ''
);
CREATE INDEX aw_catalogue_group_by_level ON aw_catalogue_group (catalogue_key, type_number, main_group, language, level, line_from);

-- The labour positions on the catalogue lines: relation code ('V' joint,
-- 'Z' additional work, 'I' opens a run) with the number of the position it
-- belongs to, visibility ('N' and 'K' hide it), separator 'J' (full-width
-- rule above it), bracket marker 'N' (the bracket lines count), and one
-- character per catalogue column ('U': not applicable to that model).
CREATE TABLE aw_catalogue_position (
  catalogue_key   TEXT NOT NULL,
  type_number     TEXT NOT NULL,
  main_group      TEXT NOT NULL,
  language        TEXT NOT NULL,
  line_number     TEXT NOT NULL,
  position_number TEXT NOT NULL,
  relation_code   TEXT NOT NULL DEFAULT '',
  reference       TEXT NOT NULL DEFAULT '',
  visibility      TEXT NOT NULL DEFAULT 'J',
  separator       TEXT NOT NULL DEFAULT 'N',
  bracket_marker  TEXT NOT NULL DEFAULT 'N',
  variants        TEXT NOT NULL DEFAULT '',
  text1 TEXT NOT NULL DEFAULT '',
  text2 TEXT NOT NULL DEFAULT '',
  text3 TEXT NOT NULL DEFAULT '',
  text4 TEXT NOT NULL DEFAULT '',
  bracket1 TEXT NOT NULL DEFAULT '',
  bracket2 TEXT NOT NULL DEFAULT '',
  bracket3 TEXT NOT NULL DEFAULT '',
  bracket4 TEXT NOT NULL DEFAULT ''
);
-- A level opens on a range of lines; the jump finds a position's main group
-- and line by its number.
CREATE INDEX aw_catalogue_position_by_line ON aw_catalogue_position (catalogue_key, type_number, main_group, language, line_number);
CREATE INDEX aw_catalogue_position_by_number ON aw_catalogue_position (catalogue_key, type_number, position_number, main_group, line_number);

-- The values of a catalogue line per model column, for the catalogue view
-- without a vehicle: one row per unit, the column values separated by ';'.
CREATE TABLE aw_catalogue_value (
  catalogue_key TEXT NOT NULL,
  type_number   TEXT NOT NULL,
  main_group    TEXT NOT NULL,
  line_number   TEXT NOT NULL,
  sort_order    INTEGER NOT NULL DEFAULT 0,
  unit          TEXT NOT NULL DEFAULT '',
  paint_stage   TEXT NOT NULL DEFAULT '',
  build_status  TEXT NOT NULL DEFAULT '',
  column_values TEXT NOT NULL DEFAULT ''
);
CREATE INDEX aw_catalogue_value_by_line ON aw_catalogue_value (catalogue_key, type_number, main_group, line_number, sort_order);

-- The labour positions of the alternative catalogue (no catalogue lines):
-- a position's number is the main group, the second-level group and the
-- three-character position code; sort_order is the catalogue's order
-- within the main group. Their texts are those of apos_text, their values
-- those of labour_value.
CREATE TABLE alt_aw_position (
  type_number   TEXT NOT NULL,
  main_group    TEXT NOT NULL,
  sub_group     TEXT NOT NULL,
  position_code TEXT NOT NULL,
  sort_order    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX alt_aw_position_by_group ON alt_aw_position (type_number, main_group, sort_order);
