-- Demo catalogue of the fictional brand "VQ" (and one blocked type of the
-- brand "TK"). Loaded into the SQLite catalogue Datas/YAQ2.dat by the build
-- and into the PostgreSQL test server by scripts/pg-test-server.sh.
--
-- Demo vehicles:
--   XVQ1F23A57M012345  Arvo 1.6 (type key 7A01), series F40, with
--                      inclusive-service contracts
--   XVQ2G45B684K56789  Bento (type key 7B01), series B20; short VIN of the
--                      special digit+letter form
--   XVQ4X01A57P012345  Alto (type key 7X01, lead type 4401), series A40, of
--                      the alternative catalogue VQA40001

INSERT INTO type_key (catalogue_key, type_key, brand, lead_type, model_name, model_series, country) VALUES
('1', '7A01', 'VQ', '1101', 'Arvo 1.6', 'F40', 'DE'),
('1', '7A02', 'VQ', '1102', 'Arvo 2.0', 'F40', 'DE'),
('1', '7B01', 'VQ', '2201', 'Bento', 'B20', 'DE'),
('1', '7C01', 'VQ', '3301', 'Cirro', 'C30', 'DE'),
('1', '7F51', 'VQ', '5101', 'Fenno', 'F50', 'DE'),
('1', '7X01', 'VQ', '4401', 'Alto', 'A40', 'DE'),
('1', '7T01', 'TK', '9901', 'Tremik X', 'X10', 'DE');

INSERT INTO vin_range (catalogue_key, vin_type, vin_from, vin_to, type_key, extra_code) VALUES
('1', '1F23', 'M000000', 'M099999', '7A01', 'A'),
('1', '1F23', 'M100000', 'M199999', '7A02', 'A'),
('1', '2G45', '4K00000', '4K99999', '7B01', 'B'),
('1', '2G45', '0000000', '9999999', '7C01', ''),
('1', '5F51', 'N000000', 'N999999', '7F51', ''),
('1', '4X01', 'P000000', 'P999999', '7X01', ''),
('1', '3T00', 'T000000', 'T999999', '7T01', '');

INSERT INTO catalogue (catalogue_key, type_number, description, model_series, brand, model_range, market_suffix, country, edition, sort_order) VALUES
('1', 'VQB20DE', 'Bento', 'B20', 'VQ', 'B', '', 'DE', '2024/2', 1),
('1', 'VQF40DE', 'Arvo', 'F40', 'VQ', 'A', '', 'DE', '2024/2', 2),
('1', 'VQC30DE', 'Cirro', 'C30', 'VQ', 'C', '', 'DE', '2024/2', 3),
('1', 'VQF40GB', 'Arvo', 'F40', 'VQ', 'A', 'R', 'GB', '2024/2', 4),
('1', 'VQF50DE', 'Fenno', 'F50', 'VQ', 'F', '', 'DE', '2024/2', 5),
('1', 'TKX10DE', 'Tremik X', 'X10', 'TK', 'X', '', 'DE', '2024/2', 6),
-- The Alto's series: its brand for the identification without a local data
-- set (XVQ4X01A57P012345); its labour values are those of the alternative
-- catalogue of its eight-character type number.
('1', 'VQA40001', 'Alto', 'A40', 'VQ', 'A', '', 'DE', '2024/2', 7);

INSERT INTO catalogue_column (catalogue_key, type_number, column_number, model_name, lead_type) VALUES
('1', 'VQF40DE', 1, 'Arvo 1.6', '1101'),
('1', 'VQF40DE', 2, 'Arvo 2.0', '1102'),
('1', 'VQF40DE', 3, 'Arvo 2.0', '1103'),
('1', 'VQF40DE', 4, 'Arvo Van', '0901'),
('1', 'VQF40GB', 1, 'Arvo 1.6', '1111'),
('1', 'VQB20DE', 1, 'Bento', '2201'),
('1', 'VQB20DE', 2, 'Bento Sport', '2202'),
('1', 'VQC30DE', 1, 'Cirro', '3301'),
('1', 'VQF50DE', 1, 'Fenno', '5101'),
('1', 'TKX10DE', 1, 'Tremik X', '9901');

INSERT INTO alt_lead_type (type_number, model_name, lead_type, sort_order) VALUES
('VQA40001', 'Alto', '4401', 1),
('VQA40001', 'Alto', '4402', 2),
('VQA40001', 'Alto Kombi', '4403', 3);

INSERT INTO alt_catalogue (type_number, series_code, description, sort_order) VALUES
('VQA40001', 'A40', 'Alto', 1),
('VQA50001', '5A', 'Alto II', 2),
('VQA60001', 'A60', 'Alto Classic', 3);

INSERT INTO maintenance_topic (catalogue_key, type_key, lead_type, topic_id, valid_from, valid_to) VALUES
('1', '7A01', '1101', 'SBL0001', '20000101', '20991231'),
('1', '7A01', '1101', 'SBL0002', '20000101', '20151231'),
('1', '7B01', '2201', 'SBL0003', '20100101', '20991231'),
('1', '', '3301', 'SBL0004', '20000101', '20991231');

-- The contracts of the Arvo in every state (for the years 2026 and 2027):
-- HLX0100 and HLX0700 in force (HLX0700 ends at 90000 km, below its
-- product's 150000: the product's limit counts), HLX0200 without term,
-- HLX0400 over its mileage at 45000 km, HLX0500 not yet begun, HLX0600
-- ended in 2026 (shown on the contract page until 2028; its own end
-- mileage lies above the product's limit), HLX0300 ended in 2020 (no
-- longer shown), HLX0900 not of the dealer's origin (never shown).
INSERT INTO hlx_vin_contract (catalogue_key, vin, option_number, billing_start, contract_begin, contract_end, end_km, end_miles, start_km, start_miles, sort_order) VALUES
('1', 'XVQ1F23A57M012345', 'HLX0100', '01.03.2023', '01.03.2023', '28.02.2027', '100000', '62137', '12000', '7456', 1),
('1', 'XVQ1F23A57M012345', 'HLX0200', '01.03.2023', '01.01.1970', '01.01.1970', '150000', '93206', '12000', '7456', 2),
('1', 'XVQ1F23A57M012345', 'HLX0300', '01.01.2019', '01.01.2019', '31.12.2020', '60000', '37282', '0', '0', 3),
('1', 'XVQ1F23A57M012345', 'HLX0400', '01.06.2024', '01.06.2024', '31.05.2029', '40000', '24855', '5000', '3107', 4),
('1', 'XVQ1F23A57M012345', 'HLX0500', '01.01.2028', '01.01.2028', '31.12.2031', '120000', '74565', '', '', 5),
('1', 'XVQ1F23A57M012345', 'HLX0600', '01.07.2022', '01.07.2022', '30.06.2026', '80000', '49710', '8000', '4971', 6),
('1', 'XVQ1F23A57M012345', 'HLX0700', '01.01.2025', '01.01.2025', '31.12.2031', '90000', '55923', '30000', '18641', 7),
('1', 'XVQ1F23A57M012345', 'HLX0900', '01.03.2023', '01.03.2023', '28.02.2030', '50000', '31069', '12000', '7456', 8);

INSERT INTO hlx_option (catalogue_key, option_number, state, origin, product_value, mileage_limit) VALUES
('1', 'HLX0100', '1', 'AG', '499.00', '100000'),
('1', 'HLX0200', 'A', 'AG', '299.00', '150000'),
('1', 'HLX0300', 'S', 'AG', '199.00', '60000'),
('1', 'HLX0400', 'C', 'AG', '149.00', '40000'),
('1', 'HLX0500', 'F', 'AG', '399.00', '120000'),
('1', 'HLX0600', 'E', 'AG', '249.00', '60000'),
('1', 'HLX0700', '3', 'AG', '349.00', '150000'),
('1', 'HLX0900', 'B', 'HD', '99.00', '50000');

INSERT INTO hlx_reference (catalogue_key, model_series, text_group) VALUES
('1', 'F40', 'ARVO'),
('1', 'B20', 'BENTO');

INSERT INTO hlx_link (catalogue_key, option_number, text_key, description) VALUES
('1', 'HLX0100', 'HLXWART', 'Helix Care Wartung'),
('1', 'HLX0200', 'HLXGAR', 'Helix Care Garantie   '),
('1', 'HLX0300', 'HLXVERS', 'Helix Care Verschleiss'),
('1', 'HLX0400', 'HLXREIF', 'Helix Care Reifen'),
('1', 'HLX0500', 'HLXWART', 'Helix Care Wartung Plus'),
('1', 'HLX0600', 'HLXVERS', 'Helix Care Verschleiss'),
('1', 'HLX0700', 'HLXGAR', 'Helix Care Garantie Plus'),
('1', 'HLX0900', 'HLXWART', 'Helix Care Wartung Handel');

INSERT INTO catalogue_report (report_id, created, description) VALUES
('R0001', '20240115083000', 'Katalogstand 2024/1'),
('R0002', '20240612071500', 'Katalogstand 2024/2');

INSERT INTO labour_value (catalogue_key, main_group, position_number, unit_code, lead_type, extra_code, work_units, remark, flag) VALUES
('1', '00', '0000249', '0', '1101', 'A', '-', '', 'N'),
('1', '01', '0100010', '0', '1101', 'A', '12', '', 'J'),
('1', '01', '0100010', '1', '1101', 'A', '3', '', 'J'),
('1', '01', '0100020', '0', '1101', 'A', '20', '', 'J'),
('1', '01', '0100030', '0', '1101', 'A', '-', '', 'N'),
('1', '01', '0100030', '2', '1101', 'A', '8', '', 'J'),
('1', '03', '0300110', '0', '1101', 'A', '45', '', 'J'),
('1', '12', '1234567', '0', '1101', 'A', '15', '', 'J'),
('1', '02', '0200010', '0', '1101', 'A', '-', '', 'N'),
('1', '02', '0200020', '3', '1101', 'A', '6', '', 'J'),
('1', '02', '0200020', '4', '1101', 'A', '9', '', 'J'),
('1', '23', '2345678', '0', '1101', 'A', '30', '', 'J'),
('1', '01', '0100010', '0', '2201', 'B', '14', '', 'J'),
('1', '01', '0100020', '0', '2201', 'B', '22', '', 'J'),
('1', '03', '0300110', '0', '2201', 'B', '50', '', 'J'),
('1', '12', '1234567', '0', '2201', 'B', '16', '', 'J');

INSERT INTO labour_info (catalogue_key, main_group, position_number, info_number, info_text) VALUES
('1', '01', '0100010', '1', 'Einschliesslich Oelfilter'),
('1', '01', '0100010', '2', 'Altoel entsorgen'),
('1', '03', '0300110', '1', 'Nur mit Spezialwerkzeug VQ-3011');

INSERT INTO catalogue_line (catalogue_key, type_number, main_group, line_number, position_number, line_text, work_units, column_flags) VALUES
('1', 'VQF40DE', '01', '010', '0100010', 'Motoroel wechseln', '12', 'NNN-'),
('1', 'VQF40DE', '01', '020', '0100020', 'Zuendkerzen ersetzen', '20', 'N-N-'),
('1', 'VQF40DE', '01', '030', '0100030', 'Keilriemen pruefen', '8', '-N--'),
('1', 'VQF40DE', '03', '110', '0300110', 'Kupplung ersetzen', '45', 'NN--'),
('1', 'VQB20DE', '01', '010', '0100010', 'Motoroel wechseln', '14', 'NN'),
('1', 'VQB20DE', '01', '020', '0100020', 'Zuendkerzen ersetzen', '22', 'N-'),
('1', 'VQB20DE', '03', '110', '0300110', 'Kupplung ersetzen', '50', 'N-');

INSERT INTO parts_clearing (catalogue_key, main_group, type_key, position_number, country_code, extra_code, month_from, month_to, mark) VALUES
('1', '01', '7A01', '0100010', 'DE', '', '202301', '209912', 'C'),
('1', '03', '7A01', '0300110', 'DE', 'A', '202301', '209912', 'C'),
('1', '01', '7B01', '0100010', 'DE', '', '202301', '209912', 'C'),
('1', '01', '7A01', '0100020', 'DE', '', '201501', '201912', 'C');

INSERT INTO srp_package (catalogue_key, package_number, type_key, extra_code, country, description) VALUES
('1', '1234567', '7A01', '', '   ', 'Inspektion mit Oelwechsel'),
('1', '1234567', '7B01', '', 'YAQ', 'Inspektion mit Oelwechsel'),
('1', '2345678', '7A01', 'A', 'DE', 'Bremsen vorne');

-- The oil service of the labour-value catalogue is a package of the Arvo
-- and the Bento: the catalogue page offers its packages.
INSERT INTO srp_package (catalogue_key, package_number, type_key, extra_code, country, description) VALUES
('1', '1110010', '7A01', '', '   ', 'Inspektion mit Oelwechsel'),
('1', '1110010', '7B01', '', '   ', 'Inspektion mit Oelwechsel');

-- Package list of the demo vehicles. Arvo (7A01, built 15.03.2017):
--   11 Motor: line 010 oil service with warranty, inclusive-service (covered
--      by contract HLX0100) and a standard value-line variant (not listed);
--      020 spark plugs with an inclusive-service variant no contract covers;
--      030 a German package with its German value-line offer; 040 a German
--      warranty package whose place the standard service package takes
--      over; 050 a warranty package without service package (not listed);
--      060 a package for vehicles built up to 2010 only.
--   34 Bremsen: 010 front pads; 020 rear pads (no labour value for the Arvo).
--   64 Karosserie: two first-level groups, "Tueren" with second-level
--      groups, "Scheiben" straight onto its packages.
-- Bento (7B01): oil service with warranty variant, front pads, and an
-- inclusive-service variant without any contract of the vehicle.
INSERT INTO aw_main_group (catalogue_key, language, type_number, main_group, group_text, text2, text3) VALUES
('1', '00', 'VQF40DE', '11', 'Motor', '', ''),
('1', '00', 'VQF40DE', '34', 'Bremsen', '', ''),
('1', '00', 'VQF40DE', '64', 'Karosserie', '', ''),
('1', '00', 'VQB20DE', '11', 'Motor', '', ''),
('1', '00', 'VQB20DE', '34', 'Bremsen', '', '');

INSERT INTO srp_package_line (catalogue_key, type_key, main_group, package_kind, own_number, package_number, extra, origin, text_key, line_text, second_key, line_number, valid_from, valid_to, sort_order) VALUES
('1', '7A01', '11', 'SRP', '1110010', '1110010', '', '   ', 'MO', 'Motor', '', '010', '20000101', '20991231', 1),
('1', '7A01', '11', 'GRP', '1190010', '1110010', '', '   ', 'MO', 'Motor', '', '010', '20000101', '20991231', 2),
('1', '7A01', '11', 'SIP', '1180010', '1110010', '', '   ', 'MO', 'Motor', '', '010', '20000101', '20991231', 3),
('1', '7A01', '11', 'VLP', '1170010', '1110010', '', '   ', 'MO', 'Motor', '', '010', '20000101', '20991231', 4),
('1', '7A01', '11', 'SRP', '1110020', '1110020', '', 'YAQ', 'MO', 'Motor', '', '020', '20000101', '20991231', 1),
('1', '7A01', '11', 'SIP', '1180020', '1110020', '', 'YAQ', 'MO', 'Motor', '', '020', '20000101', '20991231', 2),
('1', '7A01', '11', 'SRP', '1110030', '1110030', '', 'DE', 'MO', 'Motor', '', '030', '20000101', '20991231', 1),
('1', '7A01', '11', 'VLP', '1170030', '1110030', '', 'DE', 'MO', 'Motor', '', '030', '20000101', '20991231', 2),
('1', '7A01', '11', 'GRP', '1190040', '1110040', '', 'DE', 'MO', 'Motor', '', '040', '20000101', '20991231', 1),
('1', '7A01', '11', 'SRP', '1110040', '1110040', '', '   ', 'MO', 'Motor', '', '040', '20000101', '20991231', 2),
('1', '7A01', '11', 'GRP', '1190050', '1110050', '', '   ', 'MO', 'Motor', '', '050', '20000101', '20991231', 1),
('1', '7A01', '11', 'SRP', '1110060', '1110060', '', '   ', 'MO', 'Motor', '', '060', '20000101', '20101231', 1),
('1', '7A01', '34', 'SRP', '3410010', '3410010', '', '   ', 'BR', 'Bremsen', '', '010', '20000101', '20991231', 1),
('1', '7A01', '34', 'SRP', '3410020', '3410020', '', '   ', 'BR', 'Bremsen', '', '020', '20000101', '20991231', 1),
('1', '7A01', '64', 'SRP', '6411010', '6411010', '', '   ', 'TU', 'Tueren', 'T1', '110', '20000101', '20991231', 1),
('1', '7A01', '64', 'SRP', '6411020', '6411020', '', '   ', 'TU', 'Tueren', 'T2', '120', '20000101', '20991231', 1),
('1', '7A01', '64', 'SRP', '6412010', '6412010', '', '   ', 'SC', 'Scheiben', '', '210', '20000101', '20991231', 1),
('1', '7A01', '64', 'SRP', '6412020', '6412020', '', '   ', 'SC', 'Scheiben', '', '220', '20000101', '20991231', 1),
('1', '7B01', '11', 'SRP', '1110010', '1110010', '', '   ', 'MO', 'Motor', '', '010', '20000101', '20991231', 1),
('1', '7B01', '11', 'GRP', '1190010', '1110010', '', '   ', 'MO', 'Motor', '', '010', '20000101', '20991231', 2),
('1', '7B01', '11', 'SIP', '1180010', '1110010', '', '   ', 'MO', 'Motor', '', '010', '20000101', '20991231', 3),
('1', '7B01', '11', 'VLP', '1170010', '1110010', '', 'DE', 'MO', 'Motor', '', '010', '20000101', '20991231', 4),
('1', '7B01', '34', 'SRP', '3410010', '3410010', '', '   ', 'BR', 'Bremsen', '', '010', '20000101', '20991231', 1),
('1', '7B01', '34', 'SRP', '3410020', '3410020', '', '   ', 'BR', 'Bremsen', '', '020', '20000101', '20991231', 1);

INSERT INTO srp_package_alt (catalogue_key, type_key, main_group, own_number, package_number, extra, origin, valid_from, valid_to) VALUES
('1', '7X01', '11', '1110010', '1110010', '', '   ', '19900101', '20991231'),
('1', '7X01', '11', '1120010', '1120010', '', '   ', '19900101', '20991231'),
('1', '7X01', '34', '3410010', '3410010', '', '   ', '19900101', '19991231');

INSERT INTO alt_aw_main_group (type_number, language, catalogue_key, main_group, group_text) VALUES
('VQA40001', '00', '1', '11', 'Motor'),
('VQA40001', '00', '1', '34', 'Bremsen'),
('VQA40001', '00', '1', '64', 'Karosserie'),
('VQA50001', '00', '1', '11', 'Motor'),
('VQA50001', '00', '1', '34', 'Bremsen'),
('VQA60001', '00', '1', '11', 'Motor');

INSERT INTO alt_aw_sub_group (type_number, main_group, language, sub_group, text1, text2) VALUES
('VQA40001', '11', '00', '10', 'Motor', 'Wartung'),
('VQA40001', '11', '00', '20', 'Motor', 'Zuendung'),
('VQA40001', '34', '00', '10', 'Bremsen', 'vorne'),
('VQA40001', '34', '00', '20', 'Bremsen', 'hinten'),
('VQA50001', '11', '00', '10', 'Motor', 'Wartung'),
('VQA50001', '34', '00', '10', 'Bremsen', 'vorne');

INSERT INTO aw_group_text (catalogue_key, main_group, text_key, language, line_text, extra, range_end, title, sort_order) VALUES
('1', '64', 'TU', '00', 'Tueren', '', '129', 'Tueren und Klappen', 1),
('1', '64', 'SC', '00', 'Scheiben', '', '229', 'Scheiben und Spiegel', 1);

INSERT INTO aw_subgroup_text (catalogue_key, type_number, main_group, language, second_key, range_end, title) VALUES
('1', 'VQF40DE', '64', '00', 'T1', '119', 'Tuer einstellen'),
('1', 'VQF40DE', '64', '00', 'T2', '129', 'Tuerschloss'),
('1', 'VQF40DE', '64', '00', 'T3', '139', 'Tuerdichtung'),
('1', 'VQF40DE', '72', '00', 'Z1', '119', 'Dachtraeger'),
('1', 'VQB20DE', '64', '00', 'T1', '119', 'Tuer einstellen'),
('1', 'VQB20DE', '64', '00', 'T2', '129', 'Tuerschloss');

INSERT INTO apos_text (catalogue_key, language, model_series, position_number, text1, text2, text3, text4, bracket1, bracket2, bracket3, bracket4) VALUES
('1', '00', 'F40', '1110010', 'Inspektion mit Oelwechsel', 'Motoroel und Filter', '', '', '(nach Herstellervorgabe)', '', '', ''),
('1', '00', 'F40', '1110020', 'Zuendkerzen ersetzen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '1110030', 'Oelservice Deutschland', '', '', '', '', '', '', ''),
('1', '00', 'F40', '1110040', 'Zahnriemen ersetzen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '3410010', 'Bremsbelaege vorne ersetzen', '', '', '', '(beide Seiten)', '', '', ''),
('1', '00', 'F40', '6411010', 'Tuer einstellen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '6411020', 'Tuerschloss ersetzen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '6412010', 'Frontscheibe ersetzen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '6412020', 'Aussenspiegelglas ersetzen', '', '', '', '', '', '', ''),
('1', '00', 'B20', '1110010', 'Inspektion mit Oelwechsel', '', '', '', '', '', '', ''),
('1', '00', 'B20', '3410010', 'Bremsbelaege vorne ersetzen', '', '', '', '', '', '', '');

INSERT INTO findings_position (catalogue_key, package_number, position_key, sort_order) VALUES
('1', '1110010', '11100810', 1),
('1', '1110010', '87000010', 2),
('1', '1110020', '11200100', 1);

UPDATE hlx_option SET list_number = 'L100', list_mode = '1' WHERE catalogue_key = '1' AND option_number = 'HLX0100';
UPDATE hlx_option SET list_number = 'L200', list_mode = '0' WHERE catalogue_key = '1' AND option_number = 'HLX0200';

INSERT INTO hlx_position_list (catalogue_key, list_number, mask, valid_from, valid_to, sort_order) VALUES
('1', 'L100', '111008XX', '01.01.2020', '31.12.2099', 1),
('1', 'L100', '3410XXXX', '01.01.2020', '31.12.2020', 2),
('1', 'L200', '11XXXXXX', '01.01.2020', '31.12.2099', 1);

INSERT INTO labour_value (catalogue_key, main_group, position_number, unit_code, lead_type, extra_code, work_units, remark, flag) VALUES
('1', '11', '1110010', '0', '1101', 'A', '12', '', 'J'),
('1', '11', '1110020', '0', '1101', 'A', '8', '', 'J'),
('1', '11', '1110030', '0', '1101', 'A', '12', '', 'J'),
('1', '11', '1110040', '0', '1101', 'A', '30', '', 'J'),
('1', '11', '1110050', '0', '1101', 'A', '30', '', 'J'),
('1', '11', '1110060', '0', '1101', 'A', '10', '', 'J'),
('1', '34', '3410010', '0', '1101', 'A', '14', '', 'J'),
('1', '64', '6411010', '0', '1101', 'A', '6', '', 'J'),
('1', '64', '6411020', '0', '1101', 'A', '9', '', 'J'),
('1', '64', '6412010', '0', '1101', 'A', '25', '', 'J'),
('1', '64', '6412020', '0', '1101', 'A', '3', '', 'J'),
('1', '11', '1110010', '0', '2201', 'B', '14', '', 'J'),
('1', '34', '3410010', '0', '2201', 'B', '16', '', 'J'),
('1', '34', '3410020', '0', '2201', 'B', '16', '', 'J');

-- Package editing. Arvo (7A01, built 15.03.2017):
--   1110010 oil service: the standard line 1110015 with its alternative
--      1110016, the optional line 1110017 with its alternative 1110018,
--      the optional sub-packages 1110020 (spark plugs) and 3410010 (front
--      pads); parts: two standard ones, an alternative oil filter, an
--      optional part, one expired before and one valid only after the
--      production date. Findings codes of a subgroup and of a location,
--      and an inclusive-service finding that contract HLX0200 covers.
--   1190010 its warranty variant (sub-packages never), 1180010 its
--      inclusive-service variant, 1170010 its value-line variant whose
--      optional 1110030 is the German value-line package 1170030.
--   1110040 and 3410020 hold each other as optional packages.
-- Fenno (7F51, type number VQF50DE): 7210010 bumper paint with paint
--   material (notice), the rear-spring position 7259050 (notice) and the
--   optional package 7259049 that the catalogue names on two lines.
INSERT INTO srp_package_position (catalogue_key, package_number, position_number, kind, reference_number, sort_order) VALUES
('1', '1110010', '1110010', 'S', '', 1),
('1', '1110010', '1110015', 'S', '', 2),
('1', '1110010', '1110016', 'A', '1110015', 3),
('1', '1110010', '1110017', 'O', '', 4),
('1', '1110010', '1110018', 'B', '1110017', 5),
('1', '1110010', '1110020', 'O', '', 6),
('1', '1110010', '3410010', 'O', '', 7),
('1', '1110020', '1110020', 'S', '', 1),
('1', '1110020', '1110021', 'O', '', 2),
('1', '3410010', '3410010', 'S', '', 1),
('1', '3410010', '3410011', 'S', '', 2),
('1', '1190010', '1190010', 'S', '', 1),
('1', '1190010', '1110020', 'O', '', 2),
('1', '1180010', '1180010', 'S', '', 1),
('1', '1170010', '1170010', 'S', '', 1),
('1', '1170010', '1110030', 'O', '', 2),
('1', '1170030', '1170030', 'S', '', 1),
('1', '1110040', '1110040', 'S', '', 1),
('1', '1110040', '3410020', 'O', '', 2),
('1', '3410020', '3410020', 'S', '', 1),
('1', '3410020', '1110040', 'O', '', 2),
('1', '7210010', '7210010', 'S', '', 1),
('1', '7210010', '9910010', 'S', '', 2),
('1', '7210010', '7259050', 'S', '', 3),
('1', '7210010', '7259049', 'O', '', 4),
('1', '7259049', '7259049', 'S', '', 1);

INSERT INTO srp_package_part (catalogue_key, package_number, part_number, part_position, quantity, kind, valid_from, valid_to, reference_position, sort_order) VALUES
('1', '1110010', 'VQ0011501', '010', '1', 'S', '20000101', '20991231', '', 1),
('1', '1110010', 'VQ0011502', '020', '4.500', 'S', '20000101', '20991231', '', 2),
('1', '1110010', 'VQ0011503', '030', '1.000', 'A', '20000101', '20991231', '010', 3),
('1', '1110010', 'VQ0011504', '040', '10', 'O', '20000101', '20991231', '', 4),
('1', '1110010', 'VQ0011505', '050', '1', 'S', '20000101', '20151231', '', 5),
('1', '1110010', 'VQ0011506', '060', '1', 'S', '20180101', '20991231', '', 6),
('1', '1110020', 'VQ0012001', '010', '4', 'S', '20000101', '20991231', '', 1),
('1', '3410010', 'VQ0034101', '010', '1', 'S', '20000101', '20991231', '', 1),
('1', '7210010', 'VQ0072101', '010', '0.250', 'S', '20000101', '20991231', '', 1);

INSERT INTO srp_part_text (catalogue_key, part_number, language, part_text) VALUES
('1', 'VQ0011501', '00', 'Oelfilter'),
('1', 'VQ0011502', '00', 'Motoroel 5W-30 (Liter)'),
('1', 'VQ0011503', '00', 'Oelfilter Langzeit'),
('1', 'VQ0011504', '00', 'Scheibenreiniger-Konzentrat'),
('1', 'VQ0012001', '00', 'Zuendkerze'),
('1', 'VQ0034101', '00', 'Bremsbelagsatz vorne'),
('1', 'VQ0072101', '00', 'Grundierung (Liter)');

INSERT INTO srp_package_line (catalogue_key, type_key, main_group, package_kind, own_number, package_number, extra, origin, text_key, line_text, second_key, line_number, valid_from, valid_to, sort_order) VALUES
('1', '7F51', '72', 'SRP', '7210010', '7210010', '', '   ', 'ZU', 'Zubehoer', '', '010', '20000101', '20991231', 1),
('1', '7F51', '72', 'SRP', '7259049', '7259049', '', '   ', 'ZU', 'Zubehoer', '', '020', '20000101', '20991231', 1),
('1', '7F51', '72', 'SRP', '7259049', '7259049', '', '   ', 'ZU', 'Zubehoer', '', '030', '20000101', '20991231', 1);

INSERT INTO apos_text (catalogue_key, language, model_series, position_number, text1, text2, text3, text4, bracket1, bracket2, bracket3, bracket4) VALUES
('1', '00', 'F40', '1110015', 'Motoroel ablassen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '1110016', 'Motoroel absaugen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '1110017', 'Motorwaesche', '', '', '', '', '', '', ''),
('1', '00', 'F40', '1110018', 'Motorwaesche mit Konservierung', '', '', '', '', '', '', ''),
('1', '00', 'F40', '1110021', 'Zuendspulen pruefen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '3410011', 'Bremsscheiben pruefen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '3410020', 'Bremsbelaege hinten ersetzen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '1190010', 'Inspektion mit Oelwechsel (Garantie)', '', '', '', '', '', '', ''),
('1', '00', 'F40', '1180010', 'Inspektion mit Oelwechsel (Wartungsvertrag)', '', '', '', '', '', '', ''),
('1', '00', 'F40', '1170010', 'Inspektion mit Oelwechsel (Festpreis)', '', '', '', '', '', '', ''),
('1', '00', 'F40', '1170030', 'Oelservice Deutschland (Festpreis)', '', '', '', '', '', '', ''),
('1', '00', 'F50', '7210010', 'Stossfaenger lackieren', '', '', '', '', '', '', ''),
('1', '00', 'F50', '9910010', 'Lackiermaterial', '', '', '', '', '', '', ''),
('1', '00', 'F50', '7259049', 'Dachtraeger montieren', '', '', '', '', '', '', ''),
('1', '00', 'F50', '7259050', 'Anhaengerkupplung montieren', '', '', '', '', '', '', '');

INSERT INTO labour_value (catalogue_key, main_group, position_number, unit_code, lead_type, extra_code, work_units, remark, flag) VALUES
('1', '11', '1110015', '0', '1101', 'A', '3', '', 'J'),
('1', '11', '1110016', '0', '1101', 'A', '4', '', 'J'),
('1', '11', '1110017', '0', '1101', 'A', '5', '', 'J'),
('1', '11', '1110017', '4', '1101', 'A', '1.50', '', 'J'),
('1', '11', '1110018', '0', '1101', 'A', '6', '', 'J'),
('1', '11', '1110021', '0', '1101', 'A', '', 'AZ', 'J'),
('1', '34', '3410011', '0', '1101', 'A', '2', '', 'J'),
('1', '11', '1190010', '0', '1101', 'A', '12', '', 'J'),
('1', '11', '1180010', '0', '1101', 'A', '12', '', 'J'),
('1', '11', '1170010', '0', '1101', 'A', '12', '', 'J'),
('1', '11', '1170030', '0', '1101', 'A', '12', '', 'J'),
('1', '72', '7210010', '0', '5101', '', '20', '', 'J'),
('1', '99', '9910010', '0', '5101', '', '2', '', 'J'),
('1', '72', '7259049', '0', '5101', '', '10', '', 'J'),
('1', '72', '7259050', '0', '5101', '', '15', '', 'J');

INSERT INTO findings_code (catalogue_key, position_number, code, sort_order) VALUES
('1', '1110010', '1110XXXXXX', 1),
('1', '1110010', '112001XXXX', 2),
('1', '1110010', '1199XXXXXX', 3);

INSERT INTO finding_level_text (catalogue_key, language, main_group, sub_group, location, damage_key, level_text) VALUES
('1', '00', '11', '', '', '', 'Motor'),
('1', '00', '11', '10', '', '', 'Motoroel'),
('1', '00', '11', '10', '08', '', 'Oelfilter'),
('1', '00', '11', '10', '08', '10', 'undicht'),
('1', '00', '11', '10', '08', '20', 'verstopft'),
('1', '00', '11', '10', '09', '', 'Oelwanne'),
('1', '00', '11', '10', '09', '10', 'undicht'),
('1', '00', '11', '20', '', '', 'Zuendung'),
('1', '00', '11', '20', '01', '', 'Zuendkerze'),
('1', '00', '11', '20', '01', '30', 'verrusst');

INSERT INTO finding_text (catalogue_key, finding_number, language, finding_text) VALUES
('1', '87000010', '00', 'Inspektion im Wartungsvertrag');

-- The catalogue lines of the demo vehicles' packages: a package is offered
-- only where its number stands in the vehicle's catalogue for its model
-- (Arvo 1.6 and Bento in the first column).
INSERT INTO catalogue_line (catalogue_key, type_number, main_group, line_number, position_number, line_text, work_units, column_flags) VALUES
('1', 'VQF40DE', '11', '510', '1110010', 'Oelservice', '12', 'NNN-'),
('1', 'VQF40DE', '11', '520', '1110020', 'Zuendkerzen ersetzen', '8', 'NNN-'),
('1', 'VQF40DE', '11', '530', '1110030', 'Oelservice Premium', '12', 'NNN-'),
('1', 'VQF40DE', '11', '540', '1110040', 'Steuerriemen ersetzen', '30', 'NNN-'),
('1', 'VQF40DE', '11', '550', '1110050', 'Zylinderkopfdichtung ersetzen', '30', 'NNN-'),
('1', 'VQF40DE', '11', '560', '1110060', 'Oelservice bis Baujahr 2010', '10', 'NNN-'),
('1', 'VQF40DE', '34', '510', '3410010', 'Bremsbelaege vorn ersetzen', '14', 'NNN-'),
('1', 'VQF40DE', '64', '510', '6411010', 'Tuerschloss vorn ersetzen', '6', 'NNN-'),
('1', 'VQF40DE', '64', '520', '6411020', 'Tuerschloss hinten ersetzen', '9', 'NNN-'),
('1', 'VQF40DE', '64', '530', '6412010', 'Frontscheibe ersetzen', '25', 'NNN-'),
('1', 'VQF40DE', '64', '540', '6412020', 'Aussenspiegelglas ersetzen', '3', 'NNN-'),
('1', 'VQB20DE', '11', '510', '1110010', 'Oelservice', '14', 'NN'),
('1', 'VQB20DE', '34', '510', '3410010', 'Bremsbelaege vorn ersetzen', '16', 'NN'),
('1', 'VQB20DE', '34', '520', '3410020', 'Bremsbelaege hinten ersetzen', '16', 'NN');

-- The labour-value catalogue page of the demo vehicles. Arvo (VQF40DE, lead
-- type 1101):
--   11 Motor: subgroup 10 "Wartung" with the third-level rows 1110
--      "Oelservice" (the oil service with its joint and additional work,
--      one of them hidden) and 1120 "Zuendung" (spark plugs, parts
--      clearing, an additional position billed by working time); subgroup
--      20 "Motormechanik" straight onto its positions.
--   34 Bremsen: positions without group levels; the rear pads have no
--      labour value for the Arvo 1.6 and are not listed.
--   64 Karosserie: subgroups "Tueren", "Scheiben" and "Dach"; the roof
--      position is valued for the Arvo 2.0 only, so "Dach" is not listed.
-- Bento (VQB20DE, lead type 2201): 11 straight onto its positions, 34 with
-- two subgroups, 64 without any position valued for the Bento (message
-- 4020, back to the main groups).
INSERT INTO aw_main_group (catalogue_key, language, type_number, main_group, group_text, text2, text3) VALUES
('1', '00', 'VQB20DE', '64', 'Karosserie', '', '');

INSERT INTO aw_catalogue_group (catalogue_key, type_number, main_group, language, level, line_from, line_to, group_code, marker, group_text) VALUES
('1', 'VQF40DE', '11', '00', '2', '0100', '0299', '10', 'N', 'Wartung'),
('1', 'VQF40DE', '11', '00', '3', '0100', '0199', '1110', 'N', 'Oelservice'),
('1', 'VQF40DE', '11', '00', '3', '0200', '0299', '1120', 'N', 'Zuendung'),
('1', 'VQF40DE', '11', '00', '2', '0300', '0399', '20', 'N', 'Motormechanik'),
('1', 'VQF40DE', '64', '00', '2', '0100', '0199', '11', 'N', 'Tueren'),
('1', 'VQF40DE', '64', '00', '2', '0200', '0299', '12', 'N', 'Scheiben'),
('1', 'VQF40DE', '64', '00', '2', '0300', '0399', '13', 'N', 'Dach'),
('1', 'VQB20DE', '34', '00', '2', '0000', '0099', '10', 'N', 'vorne'),
('1', 'VQB20DE', '34', '00', '2', '0100', '0199', '20', 'N', 'hinten'),
('1', 'VQB20DE', '64', '00', '2', '0100', '0199', '11', 'N', 'Tueren');

INSERT INTO aw_catalogue_position (catalogue_key, type_number, main_group, language, line_number, position_number, relation_code, reference, visibility, separator, bracket_marker, variants, text1, text2, text3, text4, bracket1, bracket2, bracket3, bracket4) VALUES
('1', 'VQF40DE', '11', '00', '0110', '1110010', 'I', '', 'J', 'J', 'N', 'NNNU', 'Inspektion mit Oelwechsel', 'Motoroel und Filter', '', '', '(nach Herstellervorgabe)', '', '', ''),
('1', 'VQF40DE', '11', '00', '0120', '1110015', 'V', '1110010', 'J', 'N', 'N', 'NNNU', 'Motoroel ablassen', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '11', '00', '0130', '1110016', 'V', '1110010', 'J', 'N', 'N', 'NNNU', 'Motoroel absaugen', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '11', '00', '0140', '1110017', 'Z', '1110010', 'J', 'N', 'N', 'NNNU', 'Motorwaesche', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '11', '00', '0150', '1110018', 'Z', '1110010', 'N', 'N', 'N', 'NNNU', 'Motorwaesche mit Konservierung', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '11', '00', '0210', '1110020', 'I', '', 'J', 'J', 'N', 'NNNU', 'Zuendkerzen ersetzen', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '11', '00', '0220', '1110021', 'Z', '1110020', 'J', 'N', 'N', 'NNNU', 'Zuendspulen pruefen', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '11', '00', '0310', '1110040', '', '', 'J', 'J', 'N', 'NNNU', 'Zahnriemen ersetzen', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '11', '00', '0320', '1110050', '', '', 'J', 'N', 'N', 'NNNU', 'Zylinderkopfdichtung ersetzen', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '11', '00', '0330', '1110060', '', '', 'J', 'N', 'N', 'UNNU', 'Oelservice bis Baujahr 2010', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '34', '00', '0010', '3410010', 'I', '', 'J', 'J', 'N', 'NNNN', 'Bremsbelaege vorne ersetzen', '', '', '', '(beide Seiten)', '', '', ''),
('1', 'VQF40DE', '34', '00', '0020', '3410011', 'V', '3410010', 'J', 'N', 'N', 'NNNN', 'Bremsscheiben pruefen', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '34', '00', '0030', '3410020', '', '', 'J', 'J', 'N', 'NNNN', 'Bremsbelaege hinten ersetzen', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '64', '00', '0110', '6411010', '', '', 'J', 'J', 'N', 'NNNU', 'Tuer einstellen', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '64', '00', '0120', '6411020', '', '', 'J', 'N', 'N', 'NNNU', 'Tuerschloss ersetzen', '', '', '', '(Fahrertuer)', '', '', ''),
('1', 'VQF40DE', '64', '00', '0210', '6412010', '', '', 'J', 'J', 'N', 'NNNU', 'Frontscheibe ersetzen', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '64', '00', '0220', '6412020', '', '', 'J', 'N', 'N', 'NNNU', 'Aussenspiegelglas ersetzen', '', '', '', '', '', '', ''),
('1', 'VQF40DE', '64', '00', '0310', '6413010', '', '', 'J', 'J', 'N', 'UNNU', 'Dachreling montieren', '', '', '', '', '', '', ''),
('1', 'VQB20DE', '11', '00', '0110', '1110010', '', '', 'J', 'J', 'N', 'NU', 'Inspektion mit Oelwechsel', '', '', '', '', '', '', ''),
('1', 'VQB20DE', '34', '00', '0010', '3410010', '', '', 'J', 'J', 'N', 'NN', 'Bremsbelaege vorne ersetzen', '', '', '', '', '', '', ''),
('1', 'VQB20DE', '34', '00', '0110', '3410020', '', '', 'J', 'J', 'N', 'NN', 'Bremsbelaege hinten ersetzen', '', '', '', '', '', '', ''),
('1', 'VQB20DE', '64', '00', '0110', '6411010', '', '', 'J', 'J', 'N', 'NN', 'Tuer einstellen', '', '', '', '', '', '', '');

-- The catalogue lines of these positions: a position is listed for a
-- vehicle only where its line is marked in the vehicle's column (the Arvo
-- 1.6 and the Bento in the first one; the roof rail not for the Arvo 1.6).
INSERT INTO catalogue_line (catalogue_key, type_number, main_group, line_number, position_number, line_text, work_units, column_flags) VALUES
('1', 'VQF40DE', '11', '0110', '1110010', 'Inspektion mit Oelwechsel', '12', 'NNN-'),
('1', 'VQF40DE', '11', '0120', '1110015', 'Motoroel ablassen', '3', 'NNN-'),
('1', 'VQF40DE', '11', '0130', '1110016', 'Motoroel absaugen', '4', 'NNN-'),
('1', 'VQF40DE', '11', '0140', '1110017', 'Motorwaesche', '5', 'NNN-'),
('1', 'VQF40DE', '11', '0150', '1110018', 'Motorwaesche mit Konservierung', '6', 'NNN-'),
('1', 'VQF40DE', '11', '0210', '1110020', 'Zuendkerzen ersetzen', '8', 'NNN-'),
('1', 'VQF40DE', '11', '0220', '1110021', 'Zuendspulen pruefen', '', 'NNN-'),
('1', 'VQF40DE', '11', '0310', '1110040', 'Zahnriemen ersetzen', '30', 'NNN-'),
('1', 'VQF40DE', '11', '0320', '1110050', 'Zylinderkopfdichtung ersetzen', '30', 'NNN-'),
('1', 'VQF40DE', '11', '0330', '1110060', 'Oelservice bis Baujahr 2010', '10', 'NNN-'),
('1', 'VQF40DE', '34', '0010', '3410010', 'Bremsbelaege vorne ersetzen', '14', 'NNNN'),
('1', 'VQF40DE', '34', '0020', '3410011', 'Bremsscheiben pruefen', '2', 'NNNN'),
('1', 'VQF40DE', '34', '0030', '3410020', 'Bremsbelaege hinten ersetzen', '16', 'NNNN'),
('1', 'VQF40DE', '64', '0110', '6411010', 'Tuer einstellen', '6', 'NNN-'),
('1', 'VQF40DE', '64', '0120', '6411020', 'Tuerschloss ersetzen', '9', 'NNN-'),
('1', 'VQF40DE', '64', '0210', '6412010', 'Frontscheibe ersetzen', '25', 'NNN-'),
('1', 'VQF40DE', '64', '0220', '6412020', 'Aussenspiegelglas ersetzen', '3', 'NNN-'),
('1', 'VQF40DE', '64', '0310', '6413010', 'Dachreling montieren', '18', '-NN-'),
('1', 'VQB20DE', '11', '0110', '1110010', 'Inspektion mit Oelwechsel', '14', 'NN'),
('1', 'VQB20DE', '34', '0010', '3410010', 'Bremsbelaege vorne ersetzen', '16', 'NN'),
('1', 'VQB20DE', '34', '0110', '3410020', 'Bremsbelaege hinten ersetzen', '16', 'NN'),
('1', 'VQB20DE', '64', '0110', '6411010', 'Tuer einstellen', '', 'NN');

INSERT INTO aw_catalogue_value (catalogue_key, type_number, main_group, line_number, sort_order, unit, paint_stage, build_status, column_values) VALUES
('1', 'VQF40DE', '11', '0110', 1, '0', '', '', '12;12;14;-'),
('1', 'VQF40DE', '11', '0110', 2, '1', '', '', '3;3;3;-'),
('1', 'VQF40DE', '11', '0120', 1, '0', '', '', '3;3;3;-'),
('1', 'VQF40DE', '11', '0130', 1, '0', '', '', '4;4;5;-'),
('1', 'VQF40DE', '11', '0140', 1, '0', '', '', '5;5;5;-'),
('1', 'VQF40DE', '11', '0210', 1, '0', '', '', '8;8;9;-'),
('1', 'VQF40DE', '11', '0220', 1, '0', '', '', '   AZ;   AZ;   AZ;-'),
('1', 'VQF40DE', '11', '0310', 1, '0', '', '', '30;32;32;-'),
('1', 'VQF40DE', '11', '0320', 1, '0', '', '', '30;30;30;-'),
('1', 'VQF40DE', '11', '0330', 1, '0', '', '', '-;10;10;-'),
('1', 'VQF40DE', '34', '0010', 1, '0', '', '', '14;14;14;16'),
('1', 'VQF40DE', '34', '0020', 1, '0', '', '', '2;2;2;2'),
('1', 'VQF40DE', '34', '0030', 1, '0', '', '', '-;16;16;18'),
('1', 'VQF40DE', '64', '0110', 1, '0', '2', '', '6;6;6;-'),
('1', 'VQF40DE', '64', '0120', 1, '0', '', '', '9;9;9;-'),
('1', 'VQF40DE', '64', '0210', 1, '0', '', '', '25;25;25;-'),
('1', 'VQF40DE', '64', '0220', 1, '0', '', '', '3;3;3;-'),
('1', 'VQF40DE', '64', '0310', 1, '0', '', '', '-;18;18;-'),
('1', 'VQB20DE', '11', '0110', 1, '0', '', '', '14;16'),
('1', 'VQB20DE', '34', '0010', 1, '0', '', '', '16;16'),
('1', 'VQB20DE', '34', '0110', 1, '0', '', '', '16;18');

INSERT INTO labour_value (catalogue_key, main_group, position_number, unit_code, lead_type, extra_code, work_units, remark, flag) VALUES
('1', '11', '1110010', '1', '1101', 'A', '3', '', 'J'),
('1', '64', '6413010', '0', '1102', 'A', '18', '', 'J');

INSERT INTO labour_info (catalogue_key, main_group, position_number, info_number, info_text) VALUES
('1', '64', '6411010', '1', '2');

-- The windscreen and the mirror glass are one piece of work: each names the
-- other, so the mirror glass is marked "+" below the windscreen in the
-- catalogue and in the package list.
INSERT INTO labour_info (catalogue_key, main_group, position_number, info_number, info_text, info_number2) VALUES
('1', '64', '6412010', '6412020', '', ''),
('1', '64', '6412020', '', '', '6412010');

INSERT INTO parts_clearing (catalogue_key, main_group, type_key, position_number, country_code, extra_code, month_from, month_to, mark) VALUES
('1', '11', '7A01', '1110020', 'DE', '', '202301', '209912', 'C');

-- Catalogue lines of the Arvo for the work positions inside its packages, so
-- that the package lines count as valid for the vehicle when a package is
-- opened for editing.
INSERT INTO catalogue_line (catalogue_key, type_number, main_group, line_number, position_number, line_text, work_units, column_flags) VALUES
('1', 'VQF40DE', '11', '611', '1110015', 'Motoroel ablassen und einfuellen', '3', 'NNN-'),
('1', 'VQF40DE', '11', '612', '1110016', 'Motoroel absaugen und einfuellen', '4', 'NNN-'),
('1', 'VQF40DE', '11', '613', '1110017', 'Oelfilter ersetzen', '5', 'NNN-'),
('1', 'VQF40DE', '11', '614', '1110018', 'Luftfilter ersetzen', '6', 'NNN-'),
('1', 'VQF40DE', '11', '615', '1110021', 'Zuendkerzen pruefen', '', 'NNN-'),
('1', 'VQF40DE', '11', '616', '1170010', 'Oelservice Wertlinie', '12', 'NNN-'),
('1', 'VQF40DE', '11', '617', '1170030', 'Oelservice Premium Wertlinie', '12', 'NNN-'),
('1', 'VQF40DE', '11', '618', '1180010', 'Oelservice Inklusivvertrag', '12', 'NNN-'),
('1', 'VQF40DE', '11', '619', '1190010', 'Oelservice Gewaehrleistung', '12', 'NNN-'),
('1', 'VQF40DE', '34', '611', '3410011', 'Bremsscheiben pruefen', '2', 'NNN-');

-- The alternative catalogue of the Alto (type number VQA40001, lead type
-- 4401, VIN XVQ4X01A57P012345): positions by main group in the catalogue's
-- order, those from code "500" on before the plain ones of their group;
-- 1120020 has no value for the Alto.
INSERT INTO alt_aw_position (type_number, main_group, sub_group, position_code, sort_order) VALUES
('VQA40001', '11', '10', '500', 1),
('VQA40001', '11', '10', '510', 2),
('VQA40001', '11', '10', '010', 3),
('VQA40001', '11', '10', '020', 4),
('VQA40001', '11', '20', '500', 5),
('VQA40001', '11', '20', '010', 6),
('VQA40001', '11', '20', '020', 7),
('VQA40001', '34', '10', '010', 1),
('VQA40001', '34', '10', '020', 2),
('VQA40001', '34', '20', '010', 3),
('VQA40001', '64', '00', '010', 1),
('VQA40001', '64', '00', '020', 2);

INSERT INTO apos_text (catalogue_key, language, model_series, position_number, text1, text2, text3, text4, bracket1, bracket2, bracket3, bracket4) VALUES
('1', '00', 'A40', '1110500', 'Motoroel wechseln', '', '', '', '(mit Oelfilter)', '', '', ''),
('1', '00', 'A40', '1110510', 'Luftfilter ersetzen', '', '', '', '', '', '', ''),
('1', '00', 'A40', '1110010', 'Inspektion', 'nach Serviceplan', '', '', '', '', '', ''),
('1', '00', 'A40', '1110020', 'Motorraum pruefen', '', '', '', '', '', '', ''),
('1', '00', 'A40', '1120500', 'Zuendanlage pruefen', '', '', '', '', '', '', ''),
('1', '00', 'A40', '1120010', 'Zuendkerzen ersetzen', '', '', '', '', '(alle Zylinder)', '', ''),
('1', '00', 'A40', '1120020', 'Zuendspule ersetzen', '', '', '', '', '', '', ''),
('1', '00', 'A40', '3410010', 'Bremsbelaege vorn ersetzen', '', '', '', '(beide Seiten)', '', '', ''),
('1', '00', 'A40', '3410020', 'Bremsscheiben vorn ersetzen', '', '', '', '', '', '', ''),
('1', '00', 'A40', '3420010', 'Bremsbelaege hinten ersetzen', '', '', '', '', '', '', ''),
('1', '00', 'A40', '6400010', 'Motorhaube aus- und einbauen', '', '', '', '', '', '', ''),
('1', '00', 'A40', '6400020', 'Heckklappe einstellen', '', '', '', '', '', '', '');

INSERT INTO labour_value (catalogue_key, main_group, position_number, unit_code, lead_type, extra_code, work_units, remark, flag) VALUES
('1', '11', '1110500', '0', '4401', '', '6', '', 'J'),
('1', '11', '1110510', '0', '4401', '', '3', '', 'J'),
('1', '11', '1110010', '0', '4401', '', '12', '', 'J'),
('1', '11', '1110020', '0', '4401', '', '4', '', 'J'),
('1', '11', '1120500', '0', '4401', '', '5', '', 'J'),
('1', '11', '1120010', '0', '4401', '', '8', '', 'J'),
('1', '34', '3410010', '0', '4401', '', '15', '', 'J'),
('1', '34', '3410020', '0', '4401', '', '22', '', 'J'),
('1', '34', '3420010', '0', '4401', '', '14', '', 'J'),
('1', '64', '6400010', '0', '4401', '', '6', '', 'J'),
('1', '64', '6400020', '0', '4401', '', '', 'AZ', 'J');

-- The Fenno catalogue (VQF50DE) has fourteen variant columns, more than fit
-- beside the texts: the catalogue view (series F50, no lead type) scrolls
-- through them.
INSERT INTO catalogue_column (catalogue_key, type_number, column_number, model_name, lead_type) VALUES
('1', 'VQF50DE', 2, 'Fenno Kombi', '5102'),
('1', 'VQF50DE', 3, 'Fenno Kombi', '5103'),
('1', 'VQF50DE', 4, 'Fenno Kombi', '5104'),
('1', 'VQF50DE', 5, 'Fenno Kombi', '5105'),
('1', 'VQF50DE', 6, 'Fenno Kombi', '5106'),
('1', 'VQF50DE', 7, 'Fenno Kombi', '5107'),
('1', 'VQF50DE', 8, 'Fenno Kombi', '5108'),
('1', 'VQF50DE', 9, 'Fenno Kombi', '5109'),
('1', 'VQF50DE', 10, 'Fenno Sport', '5110'),
('1', 'VQF50DE', 11, 'Fenno Sport', '5111'),
('1', 'VQF50DE', 12, 'Fenno Sport', '5112'),
('1', 'VQF50DE', 13, 'Fenno Sport', '5113'),
('1', 'VQF50DE', 14, 'Fenno Sport', '5114');

INSERT INTO aw_main_group (catalogue_key, language, type_number, main_group, group_text, text2, text3) VALUES
('1', '00', 'VQF50DE', '72', 'Karosserie aussen', '', '');

INSERT INTO aw_catalogue_group (catalogue_key, type_number, main_group, language, level, line_from, line_to, group_code, marker, group_text) VALUES
('1', 'VQF50DE', '72', '00', '2', '0100', '0199', '10', 'N', 'Stossfaenger'),
('1', 'VQF50DE', '72', '00', '2', '0200', '0299', '59', 'N', 'Anbauteile');

INSERT INTO aw_catalogue_position (catalogue_key, type_number, main_group, language, line_number, position_number, relation_code, reference, visibility, separator, bracket_marker, variants, text1, text2, text3, text4, bracket1, bracket2, bracket3, bracket4) VALUES
('1', 'VQF50DE', '72', '00', '0110', '7210010', '', '', 'J', 'J', 'N', 'NNNNNNNNNNNNNN', 'Stossfaenger vorne lackieren', '', '', '', '', '', '', ''),
('1', 'VQF50DE', '72', '00', '0120', '7210020', '', '', 'J', 'N', 'N', 'NNNNNUUUUUNNNN', 'Stossfaenger hinten lackieren', '', '', '', '', '', '', ''),
('1', 'VQF50DE', '72', '00', '0210', '7259049', '', '', 'J', 'J', 'N', 'NNNNNNNNNNNNNN', 'Dachtraeger montieren', '', '', '', '', '', '', ''),
('1', 'VQF50DE', '72', '00', '0220', '7259050', '', '', 'J', 'N', 'N', 'NNNNNNNNNUUUUU', 'Anhaengerkupplung montieren', '', '', '', '', '', '', '');

INSERT INTO catalogue_line (catalogue_key, type_number, main_group, line_number, position_number, line_text, work_units, column_flags) VALUES
('1', 'VQF50DE', '72', '0110', '7210010', 'Stossfaenger vorne lackieren', '18', 'NNNNNNNNNNNNNN'),
('1', 'VQF50DE', '72', '0120', '7210020', 'Stossfaenger hinten lackieren', '16', 'NNNNN-----NNNN'),
('1', 'VQF50DE', '72', '0210', '7259049', 'Dachtraeger montieren', '6', 'NNNNNNNNNNNNNN'),
('1', 'VQF50DE', '72', '0220', '7259050', 'Anhaengerkupplung montieren', '14', 'NNNNNNNNN-----');

INSERT INTO aw_catalogue_value (catalogue_key, type_number, main_group, line_number, sort_order, unit, paint_stage, build_status, column_values) VALUES
('1', 'VQF50DE', '72', '0110', 1, '0', '2', '', '18;18;18;20;20;20;20;22;22;24;24;24;26;26'),
('1', 'VQF50DE', '72', '0120', 1, '0', '2', '', '16;16;16;16;18;-;-;-;-;-;20;20;22;22'),
('1', 'VQF50DE', '72', '0210', 1, '0', '', '', '6;6;6;6;7;7;7;7;7;8;8;8;8;8'),
('1', 'VQF50DE', '72', '0220', 1, '0', '', '', '14;14;14;14;15;15;15;15;15;-;-;-;-;-');

-- Findings page. The body findings of main group 64 belong to the door
-- positions of the Arvo; the oil-filter findings (1110 08) lie in the
-- position list of contract HLX0100 and are covered by it, every finding
-- outside main group 11 by HLX0200, the oil-sump finding by neither.
INSERT INTO finding_level_text (catalogue_key, language, main_group, sub_group, location, damage_key, level_text) VALUES
('1', '00', '64', '', '', '', 'Karosserie'),
('1', '00', '64', '10', '', '', 'Tuer'),
('1', '00', '64', '10', '01', '', 'Tuerschloss'),
('1', '00', '64', '10', '01', '20', 'klemmt'),
('1', '00', '64', '10', '01', '10', 'defekt'),
('1', '00', '64', '10', '02', '', 'Tuerdichtung'),
('1', '00', '64', '10', '02', '10', 'undicht');

INSERT INTO findings_code (catalogue_key, position_number, code, sort_order) VALUES
('1', '6411010', '6410XXXXXX', 1),
('1', '6411020', '641001XXXX', 1);

INSERT INTO finding_text (catalogue_key, finding_number, language, finding_text) VALUES
('1', '64100110', '00', 'Tuerschloss defekt - Schliesszylinder pruefen');

INSERT INTO finding_hint (catalogue_key, language, main_group, sub_group, location, hint_text) VALUES
('1', '00', '11', '10', '08', 'Oelfilter nur mit neuem Dichtring einbauen'),
('1', '00', '64', '10', '01', 'Schliesszylinder vor dem Ersatz pruefen');

-- Scope texts and inclusive positions of the Arvo's oil service and door
-- lock (lead type 1101, additional code A).
INSERT INTO apos_scope (position_number, lead_type, extra_code, scope_number) VALUES
('1110010', '1101', 'A', 'U1110010'),
('6411020', '1101', 'A', 'U6411020');

INSERT INTO scope_text (scope_number, language, line_number, line_text) VALUES
('U1110010', '00', 1, 'Motoroel ablassen und auffuellen'),
('U1110010', '00', 2, 'Oelfilter ersetzen'),
('U1110010', '00', 3, 'Fahrzeug anheben und absenken'),
('U6411020', '00', 1, 'Tuerverkleidung aus- und einbauen'),
('U6411020', '00', 2, 'Tuerschloss aus- und einbauen');

INSERT INTO apos_inclusive (catalogue_key, position_number, lead_type, extra_code, inclusive_number) VALUES
('1', '1110010', '1101', 'A', 'I1110010'),
('1', '6411020', '1101', 'A', 'I6411020');

INSERT INTO inclusive_position (catalogue_key, inclusive_number, position_number, sort_order) VALUES
('1', 'I1110010', '1110015', 1),
('1', 'I1110010', '1110020', 2),
('1', 'I6411020', '6411010', 1);

-- An optional sub-package holding one of its own. Arvo (7A01), 34 Bremsen:
--   3410050 brake service: its lead labour, a check and a brake cleaner;
--      the optional sub-package 3410060 (brake fluid) with a test and its
--      alternative and the optional sub-package 3410070 (front brake
--      lines) inside it, whose line part has an alternative and whose
--      venting is charged by time. All three are listed packages too.
INSERT INTO srp_package_line (catalogue_key, type_key, main_group, package_kind, own_number, package_number, extra, origin, text_key, line_text, second_key, line_number, valid_from, valid_to, sort_order) VALUES
('1', '7A01', '34', 'SRP', '3410050', '3410050', '', '   ', 'BR', 'Bremsen', '', '015', '20000101', '20991231', 1),
('1', '7A01', '34', 'SRP', '3410060', '3410060', '', '   ', 'BR', 'Bremsen', '', '016', '20000101', '20991231', 1),
('1', '7A01', '34', 'SRP', '3410070', '3410070', '', '   ', 'BR', 'Bremsen', '', '017', '20000101', '20991231', 1);

INSERT INTO srp_package_position (catalogue_key, package_number, position_number, kind, reference_number, sort_order) VALUES
('1', '3410050', '3410050', 'S', '', 1),
('1', '3410050', '3410051', 'S', '', 2),
('1', '3410050', '3410060', 'O', '', 3),
('1', '3410060', '3410060', 'S', '', 1),
('1', '3410060', '3410061', 'O', '', 2),
('1', '3410060', '3410062', 'B', '3410061', 3),
('1', '3410060', '3410070', 'O', '', 4),
('1', '3410070', '3410070', 'S', '', 1),
('1', '3410070', '3410071', 'S', '', 2);

INSERT INTO srp_package_part (catalogue_key, package_number, part_number, part_position, quantity, kind, valid_from, valid_to, reference_position, sort_order) VALUES
('1', '3410050', 'VQ0034501', '010', '1', 'S', '20000101', '20991231', '', 1),
('1', '3410060', 'VQ0034601', '010', '1.000', 'S', '20000101', '20991231', '', 1),
('1', '3410070', 'VQ0034701', '010', '2', 'S', '20000101', '20991231', '', 1),
('1', '3410070', 'VQ0034702', '020', '2', 'A', '20000101', '20991231', '010', 2);

INSERT INTO srp_part_text (catalogue_key, part_number, language, part_text) VALUES
('1', 'VQ0034501', '00', 'Bremsenreiniger'),
('1', 'VQ0034601', '00', 'Bremsfluessigkeit DOT 4 (Liter)'),
('1', 'VQ0034701', '00', 'Bremsleitung vorne'),
('1', 'VQ0034702', '00', 'Bremsleitung vorne, Stahlflex');

INSERT INTO apos_text (catalogue_key, language, model_series, position_number, text1, text2, text3, text4, bracket1, bracket2, bracket3, bracket4) VALUES
('1', '00', 'F40', '3410050', 'Bremsenservice', '', '', '', '(Sichtpruefung und Reinigung)', '', '', ''),
('1', '00', 'F40', '3410051', 'Bremsanlage pruefen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '3410060', 'Bremsfluessigkeit erneuern', '', '', '', '', '', '', ''),
('1', '00', 'F40', '3410061', 'Siedepunkt pruefen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '3410062', 'Wassergehalt messen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '3410070', 'Bremsleitungen vorne ersetzen', '', '', '', '', '', '', ''),
('1', '00', 'F40', '3410071', 'Bremsanlage entlueften', '', '', '', '', '', '', '');

-- The body packages of the Arvo (64 Karosserie): each holds its own labour
-- position, the door lock, the windscreen and the mirror glass also the
-- parts they need.
INSERT INTO srp_package_position (catalogue_key, package_number, position_number, kind, reference_number, sort_order) VALUES
('1', '6411010', '6411010', 'S', '', 1),
('1', '6411020', '6411020', 'S', '', 1),
('1', '6412010', '6412010', 'S', '', 1),
('1', '6412020', '6412020', 'S', '', 1);

INSERT INTO srp_package_part (catalogue_key, package_number, part_number, part_position, quantity, kind, valid_from, valid_to, reference_position, sort_order) VALUES
('1', '6411020', 'VQ0064101', '010', '1', 'S', '20000101', '20991231', '', 1),
('1', '6412010', 'VQ0064201', '010', '1', 'S', '20000101', '20991231', '', 1),
('1', '6412010', 'VQ0064202', '020', '1', 'S', '20000101', '20991231', '', 2),
('1', '6412020', 'VQ0064203', '010', '1', 'S', '20000101', '20991231', '', 1);

INSERT INTO srp_part_text (catalogue_key, part_number, language, part_text) VALUES
('1', 'VQ0064101', '00', 'Tuerschloss vorne links'),
('1', 'VQ0064201', '00', 'Frontscheibe, getoent'),
('1', 'VQ0064202', '00', 'Klebesatz Scheibe'),
('1', 'VQ0064203', '00', 'Spiegelglas links');

-- The texts of the spot-repair work units of the dealer's matrix.
INSERT INTO apos_text (catalogue_key, language, model_series, position_number, text1, text2, text3, text4, bracket1, bracket2, bracket3, bracket4) VALUES
('1', '00', 'F40', '9999011', 'Spot Repair kleiner Schaden', '', '', '', '(bis 2 cm)', '', '', ''),
('1', '00', 'F40', '9999012', 'Spot Repair mittlerer Schaden', '', '', '', '(bis 5 cm)', '', '', ''),
('1', '00', 'F40', '9999013', 'Spot Repair zwei Schaeden', '', '', '', '(je bis 2 cm)', '', '', '');

-- The brake service and its sub-packages stand in the Arvo's catalogue, so
-- the package list offers them.
INSERT INTO catalogue_line (catalogue_key, type_number, main_group, line_number, position_number, line_text, work_units, column_flags) VALUES
('1', 'VQF40DE', '34', '550', '3410050', 'Bremsenservice', '8', 'NNN-'),
('1', 'VQF40DE', '34', '551', '3410051', 'Bremsanlage pruefen', '3', 'NNN-'),
('1', 'VQF40DE', '34', '560', '3410060', 'Bremsfluessigkeit erneuern', '6', 'NNN-'),
('1', 'VQF40DE', '34', '561', '3410061', 'Siedepunkt pruefen', '1', 'NNN-'),
('1', 'VQF40DE', '34', '562', '3410062', 'Wassergehalt messen', '2', 'NNN-'),
('1', 'VQF40DE', '34', '570', '3410070', 'Bremsleitungen vorne ersetzen', '12', 'NNN-'),
('1', 'VQF40DE', '34', '571', '3410071', 'Bremsanlage entlueften', '', 'NNN-');

INSERT INTO labour_value (catalogue_key, main_group, position_number, unit_code, lead_type, extra_code, work_units, remark, flag) VALUES
('1', '34', '3410050', '0', '1101', 'A', '8', '', 'J'),
('1', '34', '3410051', '0', '1101', 'A', '3', '', 'J'),
('1', '34', '3410060', '0', '1101', 'A', '6', '', 'J'),
('1', '34', '3410061', '0', '1101', 'A', '1', '', 'J'),
('1', '34', '3410062', '0', '1101', 'A', '2', '', 'J'),
('1', '34', '3410070', '0', '1101', 'A', '12', '', 'J'),
('1', '34', '3410071', '0', '1101', 'A', '', 'AZ', 'J');

-- A vehicle identified by its type key alone (typed into the head row, or
-- chosen by model series and model) has no additional code, and the values
-- are matched on the code exactly: the Arvo's and the Bento's values, scope
-- texts and inclusive positions are given for it too, so that the
-- labour-value page shows them on either way in.
INSERT INTO labour_value (catalogue_key, main_group, position_number, unit_code, lead_type, extra_code, work_units, remark, flag)
SELECT catalogue_key, main_group, position_number, unit_code, lead_type, '', work_units, remark, flag
FROM labour_value WHERE lead_type IN ('1101', '1102', '2201') AND extra_code <> '';

INSERT INTO apos_scope (position_number, lead_type, extra_code, scope_number)
SELECT position_number, lead_type, '', scope_number
FROM apos_scope WHERE lead_type IN ('1101', '1102', '2201') AND extra_code <> '';

INSERT INTO apos_inclusive (catalogue_key, position_number, lead_type, extra_code, inclusive_number)
SELECT catalogue_key, position_number, lead_type, '', inclusive_number
FROM apos_inclusive WHERE lead_type IN ('1101', '1102', '2201') AND extra_code <> '';
