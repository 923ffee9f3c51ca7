-- Views that the record layer reads, one per data object type.
-- Each starts with the key, then every column of its base table in table
-- order, then the joined columns. Only plain column references are selected,
-- so every view column keeps the declared type of its table column. Lookups
-- are LEFT JOINs (a row with a dangling or empty reference still appears);
-- lookups that could match several rows go through a subquery that picks the
-- lowest key, so every base row appears exactly once.

CREATE VIEW doAttribute AS
SELECT a.attPk, a.attName
FROM tblAttribute AS a;

CREATE VIEW doAttributeValue AS
SELECT v.avaPk, v.attPk, v.avaValue,
       a.attName
FROM tblAttributeValue AS v
LEFT JOIN tblAttribute AS a ON a.attPk = v.attPk;

CREATE VIEW doPilotAttribute AS
SELECT pa.patPk, pa.pilPk, pa.avaPk,
       v.attPk, a.attName, v.avaValue
FROM tblPilotAttribute AS pa
LEFT JOIN tblAttributeValue AS v ON v.avaPk = pa.avaPk
LEFT JOIN tblAttribute AS a ON a.attPk = v.attPk;

CREATE VIEW doGeoDate AS
SELECT g.gedPk, g.gedName, g.gedEllipsoid, g.gedDelta, g.gedDelta1f,
       g.gedDeltaX, g.gedDeltaY, g.gedDeltaZ
FROM tblGeoDate AS g;

CREATE VIEW doOrigin AS
SELECT o.oriPk, o.natPk, o.oriRegion, o.oriRegionShort,
       n.natCode3
FROM tblOrigin AS o
LEFT JOIN tblNation AS n ON n.natPk = o.natPk;

CREATE VIEW doTurnpoint AS
SELECT t.trnPk, t.trnName, t.trnID, t.trnPositionType,
       t.trnPositionLatitudeDecimal, t.trnPositionLatitudeDirection,
       t.trnPositionLatitudeDegree, t.trnPositionLatitudeMinute,
       t.trnPositionLatitudeSecond,
       t.trnPositionLongitudeDecimal, t.trnPositionLongitudeDirection,
       t.trnPositionLongitudeDegree, t.trnPositionLongitudeMinute,
       t.trnPositionLongitudeSecond,
       t.trnPositionEastings, t.trnPositionNorthings, t.trnPositionAltitude,
       t.trnPositionMapZone, t.geoPk, t.oriPk,
       o.natPk, n.natCode3, g.gedName
FROM tblTurnpoint AS t
LEFT JOIN tblOrigin AS o ON o.oriPk = t.oriPk
LEFT JOIN tblNation AS n ON n.natPk = o.natPk
LEFT JOIN tblGeoDate AS g ON g.gedPk = t.geoPk;

CREATE VIEW doGlider AS
SELECT gl.gliPk, gl.gliName, gl.gliFAIClass, gl.manPk,
       m.manName
FROM tblGlider AS gl
LEFT JOIN tblManufacturer AS m ON m.manPk = gl.manPk;

CREATE VIEW doReportString AS
SELECT r.rstPk, r.rstCategory, r.rstText
FROM tblReportString AS r;

CREATE VIEW doCompetition AS
SELECT c.comPk, c.comName, c.comLocation, c.comDateFrom, c.comDateTo,
       c.comFAIClass, c.comSponsor, c.comSponsorGraphic, c.comRange,
       c.comMeetDirName, c.comMeetDirAddress1, c.comMeetDirAddress2,
       c.comMeetDirCountry, c.comMeetDirZipCity, c.comMeetDirPhone,
       c.comMeetDirMobile, c.comMeetDirEMail, c.comComment,
       c.attPk1, c.attPk2, c.attPk3, c.attPk4,
       c.comFinished, c.comFormulaID, c.comCatalogDatabase,
       c.comPilotBirthdate, c.comPilotNation, c.comPilotRegion,
       c.comPilotSign, c.comPilotGlider, c.comPilotSponsor, c.comPilotRank,
       c.comPilotID,
       a1.attName AS attName1, a2.attName AS attName2,
       a3.attName AS attName3, a4.attName AS attName4,
       f.forParameter
FROM tblCompetition AS c
LEFT JOIN tblAttribute AS a1 ON a1.attPk = c.attPk1
LEFT JOIN tblAttribute AS a2 ON a2.attPk = c.attPk2
LEFT JOIN tblAttribute AS a3 ON a3.attPk = c.attPk3
LEFT JOIN tblAttribute AS a4 ON a4.attPk = c.attPk4
LEFT JOIN tblFormulaCompetition AS f ON f.forPk = c.comFormulaID;

-- avaValue1..4 come from the pilot's tblPilotAttribute row for each of the
-- competition's attributes, not from the slots avaPk1..4, so that they read
-- the same in a catalogue (whose slots are empty).
CREATE VIEW doPilot AS
SELECT p.pilPk, p.pilIDGlobal, p.pilFirstName, p.pilLastName, p.pilSex,
       p.pilBirthday, p.pilNumber, p.gliPk, p.oriPk, p.pilSponsor, p.pilRank,
       p.pilAddress1, p.pilAddress2, p.pilAddressZIPCity, p.pilAddressCountry,
       p.pilAddressPhone, p.pilAddressEMail, p.pilAddressMobile, p.pilComment,
       p.avaPk1, p.avaPk2, p.avaPk3, p.avaPk4,
       p.pilCompetitionScore, p.pilCompetitionPlace, p.pilTaskPlaceSum,
       gl.gliName, m.manName,
       o.natPk, n.natCode3, o.oriRegion,
       a1.attName AS attName1, a2.attName AS attName2,
       a3.attName AS attName3, a4.attName AS attName4,
       v1.avaValue AS avaValue1, v2.avaValue AS avaValue2,
       v3.avaValue AS avaValue3, v4.avaValue AS avaValue4
FROM tblPilot AS p
LEFT JOIN tblGlider AS gl ON gl.gliPk = p.gliPk
LEFT JOIN tblManufacturer AS m ON m.manPk = gl.manPk
LEFT JOIN tblOrigin AS o ON o.oriPk = p.oriPk
LEFT JOIN tblNation AS n ON n.natPk = o.natPk
LEFT JOIN tblCompetition AS c ON c.comPk = 1
LEFT JOIN tblAttribute AS a1 ON a1.attPk = c.attPk1
LEFT JOIN tblAttribute AS a2 ON a2.attPk = c.attPk2
LEFT JOIN tblAttribute AS a3 ON a3.attPk = c.attPk3
LEFT JOIN tblAttribute AS a4 ON a4.attPk = c.attPk4
LEFT JOIN tblAttributeValue AS v1 ON v1.avaPk =
  (SELECT x.avaPk FROM tblPilotAttribute AS x
     JOIN tblAttributeValue AS y ON y.avaPk = x.avaPk
   WHERE x.pilPk = p.pilPk AND y.attPk = c.attPk1 ORDER BY x.patPk LIMIT 1)
LEFT JOIN tblAttributeValue AS v2 ON v2.avaPk =
  (SELECT x.avaPk FROM tblPilotAttribute AS x
     JOIN tblAttributeValue AS y ON y.avaPk = x.avaPk
   WHERE x.pilPk = p.pilPk AND y.attPk = c.attPk2 ORDER BY x.patPk LIMIT 1)
LEFT JOIN tblAttributeValue AS v3 ON v3.avaPk =
  (SELECT x.avaPk FROM tblPilotAttribute AS x
     JOIN tblAttributeValue AS y ON y.avaPk = x.avaPk
   WHERE x.pilPk = p.pilPk AND y.attPk = c.attPk3 ORDER BY x.patPk LIMIT 1)
LEFT JOIN tblAttributeValue AS v4 ON v4.avaPk =
  (SELECT x.avaPk FROM tblPilotAttribute AS x
     JOIN tblAttributeValue AS y ON y.avaPk = x.avaPk
   WHERE x.pilPk = p.pilPk AND y.attPk = c.attPk4 ORDER BY x.patPk LIMIT 1);

CREATE VIEW doPilotCompetitionResult AS
SELECT p.pilPk, p.pilCompetitionScore, p.pilCompetitionPlace, p.pilTaskPlaceSum
FROM tblPilot AS p;

-- fotParameter is the task's parameter row for the competition's formula.
CREATE VIEW doTask AS
SELECT t.tasPk, t.tasDate, t.tasName, t.tasResultsType, t.tasStartType,
       t.tasTaskType, t.tasPositionType, t.tasDistance, t.tasSSDistance,
       t.tasSSOpen, t.tasSSClose, t.tasESClose, t.tasNeedsComputing,
       t.tasLastPilotFilter, t.tasTopScore, t.tasTopSpeed, t.tasTopDistance,
       t.tasPilotsLaunched, t.tasPilotsTotal, t.tasPilotsGoal, t.tasPilotsES,
       t.tasPilotsLO, t.tasRankWeight, t.tasRankInternational,
       f.fotParameter
FROM tblTask AS t
LEFT JOIN tblCompetition AS c ON c.comPk = 1
LEFT JOIN tblFormulaTask AS f ON f.fotPk =
  (SELECT x.fotPk FROM tblFormulaTask AS x
   WHERE x.tasPk = t.tasPk AND x.fotFormulaID = c.comFormulaID
   ORDER BY x.fotPk LIMIT 1);

CREATE VIEW doTaskTurnpoint AS
SELECT tt.ttpPk, tt.tasPk, tt.trnPk, tt.ttpNr, tt.ttpNrText,
       tt.ttpTimeGateType, tt.ttpDistanceDiff, tt.ttpDistanceTotal,
       tt.ttpCircle,
       tt.ttpAngle,
       t.trnName, t.trnPositionType,
       t.trnPositionLatitudeDirection, t.trnPositionLatitudeDecimal,
       t.trnPositionLongitudeDirection, t.trnPositionLongitudeDecimal,
       t.trnPositionEastings, t.trnPositionNorthings,
       g.gedName
FROM tblTaskTurnpoint AS tt
LEFT JOIN tblTurnpoint AS t ON t.trnPk = tt.trnPk
LEFT JOIN tblGeoDate AS g ON g.gedPk = t.geoPk;

CREATE VIEW lvwTaskTurnpoint AS
SELECT tt.ttpPk, tt.tasPk, tt.ttpNr, tt.ttpTimeGateType
FROM tblTaskTurnpoint AS tt
ORDER BY tt.tasPk, tt.ttpNr;

CREATE VIEW doResult AS
SELECT r.resPk, r.pilPk, r.tasPk, r.resStatus, r.resTurnpointsReached,
       r.resPositionType,
       r.resPositionLatitudeDecimal, r.resPositionLatitudeDirection,
       r.resPositionLatitudeDegree, r.resPositionLatitudeMinute,
       r.resPositionLatitudeSecond,
       r.resPositionLongitudeDecimal, r.resPositionLongitudeDirection,
       r.resPositionLongitudeDegree, r.resPositionLongitudeMinute,
       r.resPositionLongitudeSecond,
       r.resPositionEastings, r.resPositionNorthings,
       r.resPositionCirceled, r.resPositionAbsolute, r.resPositionMapZone,
       r.geoPk, r.resSSTime, r.resESTime, r.resEstimated,
       r.resPenaltyValue, r.resPenaltyType, r.resPenaltyValueAbsolute,
       r.resComment, r.resDirectScore, r.resDirectPlace, r.resTime,
       r.resSpeed, r.resDistance, r.resDistanceReal, r.resReachedES,
       r.resArrivalScore, r.resDepartureScore, r.resSpeedScore,
       r.resDistanceScore, r.resScore, r.resCommentCompute,
       r.resPlaceES, r.resPlace,
       g.gedName
FROM tblResult AS r
LEFT JOIN tblGeoDate AS g ON g.gedPk = r.geoPk;
