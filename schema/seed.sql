-- Seed rows of a new file.

-- The file's identity: a competition file of schema version 600 ("6.0").
INSERT INTO tblDatabaseInfo (dbiPk, dbiType, dbiVersion, dbiVersionText)
VALUES (1, 1, 600, '6.0');

-- The single competition row, enough for a task to be added to a new file.
-- Booleans are stored as -1 / 0.
INSERT INTO tblCompetition (comPk, comName, comFAIClass, comFinished, comFormulaID)
VALUES (1, '', 0, 0, 0);

-- The origin of waypoints whose nation is unknown.
INSERT INTO tblOrigin (oriPk, natPk, oriRegion, oriRegionShort)
VALUES (1, NULL, NULL, NULL);

-- Common geodetic datums: ellipsoid, Molodensky differences to WGS 84 and
-- shifts to WGS 84 in metres. Waypoint files are read as WGS 84, which
-- therefore keeps the fixed key 243.
INSERT INTO tblGeoDate
  (gedPk, gedName, gedEllipsoid, gedDelta, gedDelta1f, gedDeltaX, gedDeltaY, gedDeltaZ)
VALUES
  (1, 'Adindan', 'Clarke 1880', -112.145, -0.54750714, -166, -15, 204),
  (2, 'Afgooye', 'Krassovsky 1940', -108, 0.00480795, -43, -163, 45),
  (3, 'Ain el Abd 1970', 'International 1924', -251, -0.14192702, -150, -250, -1),
  (4, 'Arc 1950', 'Clarke 1880', -112.145, -0.54750714, -143, -90, -294),
  (5, 'Arc 1960', 'Clarke 1880', -112.145, -0.54750714, -160, -6, -302),
  (6, 'Australian Geodetic 1966', 'Australian National', -23, -0.00081204, -133, -48, 148),
  (7, 'Australian Geodetic 1984', 'Australian National', -23, -0.00081204, -134, -48, 149),
  (8, 'Bogota Observatory', 'International 1924', -251, -0.14192702, 307, 304, -318),
  (9, 'Campo Inchauspe', 'International 1924', -251, -0.14192702, -148, 136, 90),
  (10, 'Cape', 'Clarke 1880', -112.145, -0.54750714, -136, -108, -292),
  (11, 'Carthage', 'Clarke 1880', -112.145, -0.54750714, -263, 6, 431),
  (12, 'CH-1903', 'Bessel 1841', 739.845, 0.10037483, 674, 15, 405),
  (13, 'Chua Astro', 'International 1924', -251, -0.14192702, -134, 229, -29),
  (14, 'Corrego Alegre', 'International 1924', -251, -0.14192702, -206, 172, -6),
  (15, 'Djakarta (Batavia)', 'Bessel 1841', 739.845, 0.10037483, -377, 681, -50),
  (16, 'ETRS 89', 'GRS 80', 0, -0.00000016, 0, 0, 0),
  (17, 'European 1950', 'International 1924', -251, -0.14192702, -87, -98, -121),
  (18, 'European 1979', 'International 1924', -251, -0.14192702, -86, -98, -119),
  (19, 'Finland Hayford', 'International 1924', -251, -0.14192702, -78, -231, -97),
  (20, 'GDA 94', 'GRS 80', 0, -0.00000016, 0, 0, 0),
  (21, 'Geodetic Datum 1949', 'International 1924', -251, -0.14192702, 84, -22, 209),
  (22, 'Hermannskogel', 'Bessel 1841', 739.845, 0.10037483, 653, -212, 449),
  (23, 'Hong Kong 1963', 'International 1924', -251, -0.14192702, -156, -271, -189),
  (24, 'Hu-Tzu-Shan', 'International 1924', -251, -0.14192702, -637, -549, -203),
  (25, 'Indian Bangladesh', 'Everest 1830', 860.655, 0.28361368, 282, 726, 254),
  (26, 'Indian Thailand', 'Everest 1830', 860.655, 0.28361368, 214, 836, 303),
  (27, 'Ireland 1965', 'Modified Airy', 796.811, 0.11960023, 506, -122, 611),
  (28, 'Kertau 1948', 'Everest 1948', 832.937, 0.28361368, -11, 851, 5),
  (29, 'Luzon Philippines', 'Clarke 1866', -69.4, -0.37264639, -133, -77, -51),
  (30, 'MGI Austria', 'Bessel 1841', 739.845, 0.10037483, 577, 90, 463),
  (31, 'Minna', 'Clarke 1880', -112.145, -0.54750714, -92, -93, 122),
  (32, 'NAD27 Alaska', 'Clarke 1866', -69.4, -0.37264639, -5, 135, 172),
  (33, 'NAD27 Canada', 'Clarke 1866', -69.4, -0.37264639, -10, 158, 187),
  (34, 'NAD27 Central America', 'Clarke 1866', -69.4, -0.37264639, 0, 125, 194),
  (35, 'NAD27 CONUS', 'Clarke 1866', -69.4, -0.37264639, -8, 160, 176),
  (36, 'NAD27 Mexico', 'Clarke 1866', -69.4, -0.37264639, -12, 130, 190),
  (37, 'NAD83', 'GRS 80', 0, -0.00000016, 0, 0, 0),
  (38, 'NTF France', 'Clarke 1880 (IGN)', -112.2, -0.54738855, -168, -60, 320),
  (39, 'Old Hawaiian', 'Clarke 1866', -69.4, -0.37264639, 61, -285, -181),
  (40, 'Oman', 'Clarke 1880', -112.145, -0.54750714, -346, -1, 224),
  (41, 'Ordnance Survey Great Britain 1936', 'Airy 1830', 573.604, 0.11960023, 375, -111, 431),
  (42, 'Pico de las Nieves', 'International 1924', -251, -0.14192702, -307, -92, 127),
  (43, 'Potsdam Rauenberg DHDN', 'Bessel 1841', 739.845, 0.10037483, 606, 23, 413),
  (44, 'Prov. S. American 1956', 'International 1924', -251, -0.14192702, -288, 175, -376),
  (45, 'Puerto Rico', 'Clarke 1866', -69.4, -0.37264639, 11, 72, -101),
  (46, 'Pulkovo 1942', 'Krassovsky 1940', -108, 0.00480795, 28, -130, -95),
  (47, 'Qatar National', 'International 1924', -251, -0.14192702, -128, -283, 22),
  (48, 'Rijksdriehoeksmeting', 'Bessel 1841', 739.845, 0.10037483, 593, 26, 478),
  (49, 'Rome 1940', 'International 1924', -251, -0.14192702, -225, -65, 9),
  (50, 'RT 90', 'Bessel 1841', 739.845, 0.10037483, 498, -36, 568),
  (51, 'S-42 Hungary', 'Krassovsky 1940', -108, 0.00480795, 28, -121, -77),
  (52, 'Schwarzeck', 'Bessel 1841 (Namibia)', 653.135, 0.10037483, 616, 97, -251),
  (53, 'South American 1969', 'South American 1969', -23, -0.00081204, -57, 1, -41),
  (54, 'Tananarive Observatory 1925', 'International 1924', -251, -0.14192702, -189, -242, -91),
  (55, 'Timbalai 1948', 'Everest (Sabah Sarawak)', 838.444, 0.28361368, -679, 669, -48),
  (56, 'Tokyo', 'Bessel 1841', 739.845, 0.10037483, -148, 507, 685),
  (57, 'WGS 72', 'WGS 72', 2, 0.00031211, 0, 0, 4.5),
  (58, 'Zanderij', 'International 1924', -251, -0.14192702, -265, 120, -358),
  (243, 'WGS 84', 'WGS 84', 0, 0, 0, 0, 0);
