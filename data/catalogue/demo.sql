-- Demo catalogue of the fictional brand "VQ" (and one blocked type of the
-- brand "TK"). Loaded into the SQLite catalogue Datas/YAQ2.dat by the build
-- and into the PostgreSQL test server by scripts/pg-test-server.sh.
--
-- Demo vehicles:
--   XVQ1F23A57M012345  Arvo 1.6 (type key 7A01), series F40, with
--                      inclusive-service contracts
--   XVQ2G45B684K56789  Bento (type key 7B01), series B20; short VIN of the
--                      special digit+letter form

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
('1', 'TKX10DE', 'Tremik X', 'X10', 'TK', 'X', '', 'DE', '2024/2', 6);

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

INSERT INTO hlx_vin_contract (catalogue_key, vin, option_number, billing_start, contract_begin, contract_end, end_km, end_miles, start_km, start_miles, sort_order) VALUES
('1', 'XVQ1F23A57M012345', 'HLX0100', '01.03.2023', '01.03.2023', '28.02.2027', '100000', '62137', '12000', '7456', 1),
('1', 'XVQ1F23A57M012345', 'HLX0200', '01.03.2023', '01.01.1970', '01.01.1970', '150000', '93206', '12000', '7456', 2),
('1', 'XVQ1F23A57M012345', 'HLX0300', '01.01.2019', '01.01.2019', '31.12.2020', '60000', '37282', '0', '0', 3);

INSERT INTO hlx_option (catalogue_key, option_number, state, origin, product_value, mileage_limit) VALUES
('1', 'HLX0100', '1', 'AG', '499.00', '100000'),
('1', 'HLX0200', 'A', 'AG', '299.00', '150000'),
('1', 'HLX0300', 'S', 'AG', '199.00', '60000'),
('1', 'HLX0900', 'B', 'HD', '99.00', '50000');

INSERT INTO hlx_reference (catalogue_key, model_series, text_group) VALUES
('1', 'F40', 'ARVO'),
('1', 'B20', 'BENTO');

INSERT INTO hlx_link (catalogue_key, option_number, text_key, description) VALUES
('1', 'HLX0100', 'HLXWART', 'Helix Care Wartung'),
('1', 'HLX0200', 'HLXGAR', 'Helix Care Garantie   '),
('1', 'HLX0300', 'HLXVERS', 'Helix Care Verschleiss');

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
