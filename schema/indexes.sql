-- Indexes on every natural key and every reference column that the rules
-- search by. None is UNIQUE: the rules decide what counts as a duplicate,
-- and a forced write or an import may leave two rows with one name.

CREATE INDEX idxAttributeName ON tblAttribute (attName);

CREATE INDEX idxAttributeValueValue ON tblAttributeValue (avaValue, attPk);
CREATE INDEX idxAttributeValueAttribute ON tblAttributeValue (attPk);

CREATE INDEX idxGeoDateName ON tblGeoDate (gedName);

CREATE INDEX idxNationCode3 ON tblNation (natCode3);
CREATE INDEX idxNationCode2 ON tblNation (natCode2);

CREATE INDEX idxOriginRegion ON tblOrigin (natPk, oriRegion);
CREATE INDEX idxOriginRegionShort ON tblOrigin (natPk, oriRegionShort);

CREATE INDEX idxTurnpointName ON tblTurnpoint (trnName, oriPk, trnPositionType);
CREATE INDEX idxTurnpointID ON tblTurnpoint (trnID);
CREATE INDEX idxTurnpointOrigin ON tblTurnpoint (oriPk);
CREATE INDEX idxTurnpointGeoDate ON tblTurnpoint (geoPk);

CREATE INDEX idxManufacturerName ON tblManufacturer (manName);

CREATE INDEX idxGliderName ON tblGlider (gliName, manPk);
CREATE INDEX idxGliderManufacturer ON tblGlider (manPk);

CREATE INDEX idxReportStringText ON tblReportString (rstText, rstCategory);

CREATE INDEX idxPilotName ON tblPilot (pilLastName, pilFirstName);
CREATE INDEX idxPilotNumber ON tblPilot (pilNumber);
CREATE INDEX idxPilotIDGlobal ON tblPilot (pilIDGlobal);
CREATE INDEX idxPilotGlider ON tblPilot (gliPk);
CREATE INDEX idxPilotOrigin ON tblPilot (oriPk);
CREATE INDEX idxPilotValue1 ON tblPilot (avaPk1);
CREATE INDEX idxPilotValue2 ON tblPilot (avaPk2);
CREATE INDEX idxPilotValue3 ON tblPilot (avaPk3);
CREATE INDEX idxPilotValue4 ON tblPilot (avaPk4);

CREATE INDEX idxPilotAttributePilot ON tblPilotAttribute (pilPk, avaPk);
CREATE INDEX idxPilotAttributeValue ON tblPilotAttribute (avaPk);
-- A pilot's values in the order they were given: the doPilot view takes the
-- first of each attribute, and with this index without sorting.
CREATE INDEX idxPilotAttributeOrder ON tblPilotAttribute (pilPk, patPk, avaPk);

CREATE INDEX idxFormulaTaskTask ON tblFormulaTask (tasPk, fotFormulaID);

CREATE INDEX idxResultPilotTask ON tblResult (pilPk, tasPk);
CREATE INDEX idxResultTask ON tblResult (tasPk, pilPk);
CREATE INDEX idxResultGeoDate ON tblResult (geoPk);

CREATE INDEX idxTaskTurnpointTask ON tblTaskTurnpoint (tasPk, ttpNr);
CREATE INDEX idxTaskTurnpointTurnpoint ON tblTaskTurnpoint (trnPk);
