"""ZAZorazari: the database of a free-flight competition scoring suite.

    import zazorazari
    with zazorazari.Database("alps.mdb") as db:
        pilot = db.get("doPilot", 7)
        print(pilot["pilLastName"], dict(pilot))

Failures raise zazorazari.Error (number, source, description); the facade's
own numbers raise FacadeError, the engine's EngineError.
"""
from ._zazorazari import *  # noqa: F401,F403
from ._zazorazari import Database, Error, EngineError, FacadeError  # noqa: F401
