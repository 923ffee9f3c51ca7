-- Tables of a competition or catalogue file.
-- Declared types carry the field type and size that the engine reports
-- (BOOLEAN, SMALLINT, INTEGER, DOUBLE, DATETIME, TEXT(n), LONGTEXT).
-- Columns have no defaults and no NOT NULL: a row holds exactly what was
-- written. Relations are plain key columns; the rule classes keep them.

CREATE TABLE tblDatabaseInfo (
  dbiPk INTEGER PRIMARY KEY AUTOINCREMENT,
  dbiType INTEGER,
  dbiVersion INTEGER,
  dbiVersionText TEXT(20) COLLATE NOCASE
);

CREATE TABLE tblAttribute (
  attPk INTEGER PRIMARY KEY AUTOINCREMENT,
  attName TEXT(50) COLLATE NOCASE
);

CREATE TABLE tblAttributeValue (
  avaPk INTEGER PRIMARY KEY AUTOINCREMENT,
  attPk INTEGER,
  avaValue TEXT(50) COLLATE NOCASE
);

-- gedDelta is the difference of the semi-major axes (WGS 84 minus local, in
-- metres), gedDelta1f that of the flattenings times 10^4; gedDeltaX/Y/Z are
-- the shifts from the local datum to WGS 84 in metres.
CREATE TABLE tblGeoDate (
  gedPk INTEGER PRIMARY KEY AUTOINCREMENT,
  gedName TEXT(50) COLLATE NOCASE,
  gedEllipsoid TEXT COLLATE NOCASE,
  gedDelta DOUBLE,
  gedDelta1f DOUBLE,
  gedDeltaX DOUBLE,
  gedDeltaY DOUBLE,
  gedDeltaZ DOUBLE
);

CREATE TABLE tblNation (
  natPk INTEGER PRIMARY KEY AUTOINCREMENT,
  natName TEXT(100) COLLATE NOCASE,
  natCode2 TEXT(2) COLLATE NOCASE,
  natCode3 TEXT(3) COLLATE NOCASE,
  natNumber INTEGER
);

CREATE TABLE tblOrigin (
  oriPk INTEGER PRIMARY KEY AUTOINCREMENT,
  natPk INTEGER,
  oriRegion TEXT(50) COLLATE NOCASE,
  oriRegionShort TEXT(10) COLLATE NOCASE
);

CREATE TABLE tblTurnpoint (
  trnPk INTEGER PRIMARY KEY AUTOINCREMENT,
  trnName TEXT(50) COLLATE NOCASE,
  trnID TEXT(20) COLLATE NOCASE,
  trnPositionType TEXT(10) COLLATE NOCASE,
  trnPositionLatitudeDecimal DOUBLE,
  trnPositionLatitudeDirection TEXT(1) COLLATE NOCASE,
  trnPositionLatitudeDegree SMALLINT,
  trnPositionLatitudeMinute SMALLINT,
  trnPositionLatitudeSecond DOUBLE,
  trnPositionLongitudeDecimal DOUBLE,
  trnPositionLongitudeDirection TEXT(1) COLLATE NOCASE,
  trnPositionLongitudeDegree SMALLINT,
  trnPositionLongitudeMinute SMALLINT,
  trnPositionLongitudeSecond DOUBLE,
  trnPositionEastings DOUBLE,
  trnPositionNorthings DOUBLE,
  trnPositionAltitude DOUBLE,
  trnPositionMapZone SMALLINT,
  geoPk INTEGER,
  oriPk INTEGER
);

CREATE TABLE tblManufacturer (
  manPk INTEGER PRIMARY KEY AUTOINCREMENT,
  manName TEXT(50) COLLATE NOCASE
);

CREATE TABLE tblGlider (
  gliPk INTEGER PRIMARY KEY AUTOINCREMENT,
  gliName TEXT(50) COLLATE NOCASE,
  gliFAIClass DOUBLE,
  manPk INTEGER
);

CREATE TABLE tblReportString (
  rstPk INTEGER PRIMARY KEY AUTOINCREMENT,
  rstCategory INTEGER,
  rstText TEXT(255) COLLATE NOCASE
);

-- Keyed by the formula identifier itself, which the writer gives (0
-- included): no counter.
CREATE TABLE tblFormulaCompetition (
  forPk INTEGER PRIMARY KEY,
  forParameter LONGTEXT COLLATE NOCASE
);

CREATE TABLE tblCompetition (
  comPk INTEGER PRIMARY KEY AUTOINCREMENT,
  comName TEXT(100) COLLATE NOCASE,
  comLocation TEXT(100) COLLATE NOCASE,
  comDateFrom DATETIME,
  comDateTo DATETIME,
  comFAIClass INTEGER,
  comSponsor TEXT(100) COLLATE NOCASE,
  comSponsorGraphic TEXT(255) COLLATE NOCASE,
  comRange TEXT(50) COLLATE NOCASE,
  comMeetDirName TEXT(100) COLLATE NOCASE,
  comMeetDirAddress1 TEXT(100) COLLATE NOCASE,
  comMeetDirAddress2 TEXT(100) COLLATE NOCASE,
  comMeetDirCountry TEXT(50) COLLATE NOCASE,
  comMeetDirZipCity TEXT(100) COLLATE NOCASE,
  comMeetDirPhone TEXT(50) COLLATE NOCASE,
  comMeetDirMobile TEXT(50) COLLATE NOCASE,
  comMeetDirEMail TEXT(100) COLLATE NOCASE,
  comComment TEXT(255) COLLATE NOCASE,
  attPk1 INTEGER,
  attPk2 INTEGER,
  attPk3 INTEGER,
  attPk4 INTEGER,
  comFinished BOOLEAN,
  comFormulaID INTEGER,
  comCatalogDatabase TEXT COLLATE NOCASE,
  comPilotBirthdate BOOLEAN,
  comPilotNation BOOLEAN,
  comPilotRegion BOOLEAN,
  comPilotSign BOOLEAN,
  comPilotGlider BOOLEAN,
  comPilotSponsor BOOLEAN,
  comPilotRank BOOLEAN,
  comPilotID BOOLEAN
);

CREATE TABLE tblPilot (
  pilPk INTEGER PRIMARY KEY AUTOINCREMENT,
  pilIDGlobal TEXT(50) COLLATE NOCASE,
  pilFirstName TEXT(50) COLLATE NOCASE,
  pilLastName TEXT(50) COLLATE NOCASE,
  pilSex TEXT COLLATE NOCASE,
  pilBirthday DATETIME,
  pilNumber DOUBLE,
  gliPk INTEGER,
  oriPk INTEGER,
  pilSponsor TEXT(100) COLLATE NOCASE,
  pilRank INTEGER,
  pilAddress1 TEXT(100) COLLATE NOCASE,
  pilAddress2 TEXT(100) COLLATE NOCASE,
  pilAddressZIPCity TEXT(100) COLLATE NOCASE,
  pilAddressCountry TEXT(50) COLLATE NOCASE,
  pilAddressPhone TEXT(50) COLLATE NOCASE,
  pilAddressEMail TEXT(100) COLLATE NOCASE,
  pilAddressMobile TEXT(50) COLLATE NOCASE,
  pilComment TEXT(255) COLLATE NOCASE,
  avaPk1 INTEGER,
  avaPk2 INTEGER,
  avaPk3 INTEGER,
  avaPk4 INTEGER,
  pilCompetitionScore DOUBLE,
  pilCompetitionPlace INTEGER,
  pilTaskPlaceSum DOUBLE
);

CREATE TABLE tblPilotAttribute (
  patPk INTEGER PRIMARY KEY AUTOINCREMENT,
  pilPk INTEGER,
  avaPk INTEGER
);

CREATE TABLE tblFormulaTask (
  fotPk INTEGER PRIMARY KEY AUTOINCREMENT,
  fotFormulaID INTEGER,
  tasPk INTEGER,
  fotParameter LONGTEXT COLLATE NOCASE
);

CREATE TABLE tblResult (
  resPk INTEGER PRIMARY KEY AUTOINCREMENT,
  pilPk INTEGER,
  tasPk INTEGER,
  resStatus TEXT(10) COLLATE NOCASE,
  resTurnpointsReached INTEGER,
  resPositionType TEXT(10) COLLATE NOCASE,
  resPositionLatitudeDecimal DOUBLE,
  resPositionLatitudeDirection TEXT(1) COLLATE NOCASE,
  resPositionLatitudeDegree DOUBLE,
  resPositionLatitudeMinute DOUBLE,
  resPositionLatitudeSecond DOUBLE,
  resPositionLongitudeDecimal DOUBLE,
  resPositionLongitudeDirection TEXT(1) COLLATE NOCASE,
  resPositionLongitudeDegree DOUBLE,
  resPositionLongitudeMinute DOUBLE,
  resPositionLongitudeSecond DOUBLE,
  resPositionEastings DOUBLE,
  resPositionNorthings DOUBLE,
  resPositionCirceled BOOLEAN,
  resPositionAbsolute BOOLEAN,
  resPositionMapZone TEXT(10) COLLATE NOCASE,
  geoPk INTEGER,
  resSSTime DATETIME,
  resESTime DATETIME,
  resEstimated BOOLEAN,
  resPenaltyValue DOUBLE,
  resPenaltyType INTEGER,
  resPenaltyValueAbsolute DOUBLE,
  resComment TEXT(255) COLLATE NOCASE,
  resDirectScore DOUBLE,
  resDirectPlace INTEGER,
  resTime DATETIME,
  resSpeed DOUBLE,
  resDistance DOUBLE,
  resDistanceReal DOUBLE,
  resReachedES BOOLEAN,
  resArrivalScore DOUBLE,
  resDepartureScore DOUBLE,
  resSpeedScore DOUBLE,
  resDistanceScore DOUBLE,
  resScore DOUBLE,
  resCommentCompute TEXT(255) COLLATE NOCASE,
  resPlaceES INTEGER,
  resPlace INTEGER
);

CREATE TABLE tblTask (
  tasPk INTEGER PRIMARY KEY AUTOINCREMENT,
  tasDate DATETIME,
  tasName TEXT(100) COLLATE NOCASE,
  tasResultsType TEXT(20) COLLATE NOCASE,
  tasStartType TEXT COLLATE NOCASE,
  tasTaskType TEXT(20) COLLATE NOCASE,
  tasPositionType TEXT COLLATE NOCASE,
  tasDistance DOUBLE,
  tasSSDistance DOUBLE,
  tasSSOpen DATETIME,
  tasSSClose DATETIME,
  tasESClose DATETIME,
  tasNeedsComputing BOOLEAN,
  tasLastPilotFilter LONGTEXT COLLATE NOCASE,
  tasTopScore DOUBLE,
  tasTopSpeed DOUBLE,
  tasTopDistance DOUBLE,
  tasPilotsLaunched INTEGER,
  tasPilotsTotal INTEGER,
  tasPilotsGoal INTEGER,
  tasPilotsES INTEGER,
  tasPilotsLO INTEGER,
  tasRankWeight DOUBLE,
  tasRankInternational INTEGER
);

CREATE TABLE tblTaskTurnpoint (
  ttpPk INTEGER PRIMARY KEY AUTOINCREMENT,
  tasPk INTEGER,
  trnPk INTEGER,
  ttpNr INTEGER,
  ttpNrText TEXT(10) COLLATE NOCASE,
  ttpTimeGateType TEXT(10) COLLATE NOCASE,
  ttpDistanceDiff DOUBLE,
  ttpDistanceTotal DOUBLE,
  ttpCircle DOUBLE,
  ttpAngle DOUBLE
);

CREATE TABLE tblTeamScoring (
  temPk INTEGER PRIMARY KEY AUTOINCREMENT,
  temWhereClause LONGTEXT COLLATE NOCASE,
  temName TEXT(100) COLLATE NOCASE,
  temPlace INTEGER,
  temScore DOUBLE,
  temTaskPlaceSum DOUBLE
);
