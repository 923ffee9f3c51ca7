"""The Python module on real files: the README's example, values both ways,
errors as exceptions, and callbacks that raise."""
import datetime
import os
import re
import pathlib

import pytest

import zazorazari

README = pathlib.Path(os.environ["ZAZ_SOURCE_DIR"]) / "README.md"


@pytest.fixture
def db(tmp_path):
    with zazorazari.Database.create(str(tmp_path / "t.mdb")) as opened:
        yield opened


def test_readme_example_runs(tmp_path, monkeypatch, capsys):
    section = README.read_text(encoding="utf-8").split("## Using the module from Python", 1)[1]
    example = re.search(r"```python\n(.*?)```", section, re.S).group(1)
    assert len(example.strip().splitlines()) <= 10
    monkeypatch.chdir(tmp_path)
    exec(compile(example, "README.md", "exec"), {})
    assert "O'Brien" in capsys.readouterr().out
    assert (tmp_path / "entries.csv").read_text(encoding="utf-8-sig").startswith("pilIDGlobal,")


@pytest.mark.parametrize("record, field, value", [
    ("doCompetition", "comName", "Flügelcup \"Zürich\""),
    ("doCompetition", "comFinished", True),
    ("doCompetition", "comFAIClass", 5),
    ("doCompetition", "comDateFrom", datetime.date(2026, 7, 1)),
    ("doCompetition", "comDateTo", datetime.datetime(2026, 7, 8, 17, 30, 5)),
    ("doCompetition", "comSponsor", None),
    ("doPilot", "pilNumber", 12.5),
    ("doPilot", "pilBirthday", datetime.date(1850, 1, 2)),
    ("doTask", "tasSSOpen", datetime.time(11, 45)),
])
def test_values_round_trip_through_the_file(db, record, field, value):
    if record == "doCompetition":
        rec = db.get("doCompetition", 1)
        rec[field] = value
        db.update(rec)
        key = 1
    else:
        rec = db.new(record)
        rec[field] = value
        if record == "doPilot":
            rec["pilLastName"], rec["pilFirstName"] = "Smith", "Ann"
        key = db.add(rec)
    back = db.get(record, key)[field]
    assert back == value and type(back) is type(value)


def test_record_is_a_mapping(db):
    pilot = db.new("doPilot")
    pilot["PILLASTNAME"] = "Smith"
    assert pilot["pilLastName"] == "Smith" and "pilFirstName" in pilot
    assert list(pilot)[:2] == ["pilPk", "pilIDGlobal"] and len(dict(pilot)) == len(pilot)
    with pytest.raises(KeyError):
        pilot["pilShoeSize"]
    with pytest.raises(TypeError):
        pilot["pilComment"] = [1]


def test_errors_carry_number_source_and_description(db, tmp_path):
    with pytest.raises(zazorazari.FacadeError) as missing:
        zazorazari.Database(str(tmp_path / "none.mdb")).open()
    assert missing.value.number == -2147220992 + 11 and "<Error/3024/" in missing.value.description
    with pytest.raises(zazorazari.Error) as unwritable:
        db.export_xml(str(tmp_path / "no" / "such" / "folder.xml"))
    assert unwritable.value.number == 75 and type(unwritable.value) is zazorazari.Error

    first = db.new("doPilot")
    first["pilLastName"], first["pilFirstName"], first["pilNumber"] = "Smith", "Ann", 7
    held = db.add(first)
    second = db.new("doPilot")
    second["pilLastName"], second["pilFirstName"], second["pilNumber"] = "Jones", "Bob", 7
    with pytest.raises(zazorazari.FacadeError) as refused:
        db.add(second, zazorazari.Overwrite.FORCE)
    assert refused.value.number == -2147220992 + 7
    assert refused.value.source == "ZAZorazari.CDatabase.AddDataObject"
    assert isinstance(refused.value, zazorazari.Error) and db.last_duplicated_pk == held

    # A failed block still closes the file.
    with pytest.raises(ZeroDivisionError):
        with zazorazari.Database(db.path) as other:
            1 / 0
    assert not other.is_open


def test_progress_callbacks_and_one_that_raises(db, tmp_path):
    seen = []
    db.export_xml(str(tmp_path / "a.xml"), progress=seen.append)
    assert seen[0] < seen[-1] == 100

    def broken(percent):
        raise ValueError("cancelled at %d" % percent)

    with pytest.raises(ValueError, match="cancelled at"):
        db.export_xml(str(tmp_path / "b.xml"), progress=broken)
    with pytest.raises(ValueError, match="cancelled at"):
        db.import_pilots_csv(str(tmp_path / "a.xml"), progress=broken)
    # The file stays usable, and later failures are the component's own.
    assert db.get("doCompetition", 1)["comPk"] == 1
    with pytest.raises(zazorazari.FacadeError):
        db.import_pilots_csv(str(tmp_path / "missing.csv"))


def test_registration_list_report(db, tmp_path):
    entries = tmp_path / "entries.csv"
    entries.write_text("Surname;Nation\nSmith;CHE\nJones;XYZ\n", encoding="utf-8")
    report = db.import_pilots_csv(str(entries), columns={"Surname": "pilLastName", "Nation": "natCode3"})
    assert not report.written and [(p.line, p.column, p.value) for p in report.problems] == [(3, "Nation", "XYZ")]


def test_file_lifecycle(tmp_path):
    path = str(tmp_path / "cat.mdb")
    db = zazorazari.Database.create(path, zazorazari.FileType.CATALOG)
    assert db.is_valid_file(zazorazari.FileType.CATALOG) == 0
    assert db.is_valid_file(zazorazari.FileType.COMPETITION) == -2147220992 + 1
    db.compact()
    db.rename(str(tmp_path / "renamed.mdb"))
    with db:
        assert db.path.endswith("renamed.mdb") and db.file_type == zazorazari.FileType.CATALOG
    assert zazorazari.utm(46.5, 8.0)[2:] == (32, "T")


def test_transaction_writes_all_or_nothing(db):
    def pilot(name):
        record = db.new("doPilot")
        record["pilLastName"] = name
        return db.add(record)

    with pytest.raises(RuntimeError):
        with db.transaction():
            undone = pilot("Undone")
            raise RuntimeError("the block fails")
    with pytest.raises(zazorazari.Error):
        db.get("doPilot", undone)
    with db.transaction():
        kept = pilot("Kept")
    assert db.get("doPilot", kept)["pilLastName"] == "Kept"
