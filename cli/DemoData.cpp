// The demo competition's data.
#include "DemoData.h"

namespace zazorazari::cli::demo {

const char* const kCompetitionName = "Berner Oberland Open 2026";

const std::vector<std::string> kAttributeNames{"Club", "Team", "Age group", "Wing class"};

const std::vector<Glider> kGliders{
    {"Ozone", "Enzo 3", "CCC"},        {"Gin", "Boomerang 12", "CCC"}, {"Advance", "Omega X-Alps 3", "EN-D"},
    {"Niviuk", "Artik 7", "EN-C"},     {"Nova", "Mentor 7", "EN-B"},   {"Skywalk", "Chili 5", "EN-C"}};

const std::vector<Pilot> kPilots{
    {"Jürgen", "Müller", "M", "DEU"},    {"Anna", "Huber", "F", "AUT"},        {"Seán", "O'Brien", "M", "IRL"},
    {"Lucía", "Fernández", "F", "ESP"},  {"Björn", "Sørensen", "M", "NOR"},    {"Chloé", "Dubois", "F", "FRA"},
    {"Matteo", "Rossi", "M", "ITA"},     {"Käthi", "Zürcher", "F", "CHE"},     {"Tomaž", "Kovač", "M", "SVN"},
    {"Émilie", "D'Arcy", "F", "FRA"},    {"Lukas", "Schäfer", "M", "DEU"},     {"Ursula", "Gößwein", "F", "DEU"},
    {"Marek", "Nowak", "M", "POL"},      {"Jan", "Novák", "M", "CZE"},         {"Sophie", "Bauer", "F", "AUT"},
    {"Ruedi", "Brändli", "M", "CHE"},    {"Giulia", "Bianchi", "F", "ITA"},    {"Yuki", "Tanaka", "F", "JPN"},
    {"Carlos", "Ibáñez", "M", "ESP"},    {"Aiden", "O'Connor", "M", "GBR"},    {"Nina", "Lindqvist", "F", "SWE"},
    {"Pieter", "de Vries", "M", "NLD"},  {"Elif", "Yılmaz", "F", "TUR"},       {"Mateus", "Silva", "M", "BRA"},
    {"Hannah", "Schmid", "F", "CHE"},    {"Andrés", "Gómez", "M", "COL"},      {"Olga", "Petrova", "F", "BGR"},
    {"Thomas", "Gruber", "M", "AUT"},    {"Léa", "Martin", "F", "FRA"},        {"Jonas", "Jäger", "M", "DEU"},
    {"Martina", "Novotná", "F", "CZE"},  {"Felix", "Kälin", "M", "CHE"},       {"Sarah", "Wüthrich", "F", "CHE"},
    {"Ben", "Walker", "M", "AUS"},       {"Emma", "Thompson", "F", "USA"},     {"Rafael", "Pérez", "M", "MEX"}};

const std::vector<const char*> kClubs{"Gleitschirmclub Berner Oberland", "Club Vol Libre Annecy",
                                      "Flugschule Zillertal", "Deltaclub Säntis", "Parapendio Club Bassano"};

const std::vector<const char*> kTeams{"Red", "Blue", "Green", "Yellow"};

const std::vector<Task> kTasks{
    {"Task 1: First to Brienz",
     2026,
     7,
     14,
     {{"FIRST", "TO", 400},
      {"SCHYNIGE", "SS", 3000},
      {"NIESEN", "TP", 400},
      {"MEIRINGEN", "TP", 400},
      {"AXALP", "ES", 1000},
      {"BRIENZ", "GOAL", 200}}},
    {"Task 2: Niesen out and return",
     2026,
     7,
     15,
     {{"NIESEN", "TO", 400},
      {"FRUTIGEN", "SS", 2000},
      {"ADELBODEN", "TP", 400},
      {"KANDERSTEG", "TP", 400},
      {"THUN", "ES", 1000},
      {"SPIEZ", "GOAL", 200}}}};

}  // namespace zazorazari::cli::demo
