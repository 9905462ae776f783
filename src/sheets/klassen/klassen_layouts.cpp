// The class tables before any class data are loaded: column widths, built-in headings (row 0,
// then row 1, then "Meldung" below the ids of the tables placed by position) and, for the keyed
// tables and the group table, the key file whose lines become rows 2 and following.
#include <array>

#include "records/key_files.hpp"
#include "records/table_setup.hpp"
#include "sheets/klassen/klassen_tables.hpp"

namespace tab {

namespace {

// Row 1, column 1 of the keyed tables and the group table; only the blanks around the bar differ.
constexpr const char* kCaptionA = "(Bezeichnung)  |  Erfassungsspalte";
constexpr const char* kCaptionB = "(Bezeichnung)         |         Erfassungsspalte";
constexpr const char* kCaptionC = "(Bezeichnung)    |    Erfassungsspalte";
constexpr const char* kCaptionD = "(Bezeichnung)       |        Erfassungsspalte";

// ---- table 0: general data -----------------------------------------------------------------

constexpr std::array<ColumnWidth, 1> kTable0Widths = {{{0, 90}}};
constexpr std::array<HeadingCell, 15> kTable0Headings = {{
    {0, 0, "Satzart 0"},
    {1, 0, "DST Nr."},
    {2, 0, "Schulart Nr."},
    {3, 0, "Klassen Nr."},
    {4, 0, "Zeitform d. Unt."},
    {5, 0, "Jahrgangsstufe"},
    {6, 0, "Art der Klasse"},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {6, 1, "ES006"},
    {0, 2, "Meldung"},
}};

// ---- table 1: pupils by year of birth --------------------------------------------------------

constexpr std::array<ColumnWidth, 1> kTable1Widths = {{{0, 90}}};
constexpr std::array<HeadingCell, 13> kTable1Headings = {{
    {0, 0, "Satzart 1"},
    {1, 0, "Geburtsjahr"},
    {2, 0, "Schüler insg."},
    {3, 0, "Schüler weibl."},
    {4, 0, "- Ausländ. insg."},
    {5, 0, "- Ausländ. weibl."},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {0, 2, "Meldung"},
}};

// ---- table 2: pupils by prior schooling ------------------------------------------------------

constexpr std::array<ColumnWidth, 2> kTable2Widths = {{{0, 30}, {1, 250}}};
constexpr std::array<HeadingCell, 14> kTable2Headings = {{
    {0, 0, "SA 2"},
    {1, 0, "Schulische Vorbildung"},
    {2, 0, "Schlüssel"},
    {3, 0, "Schüler insg."},
    {4, 0, "Schüler weibl."},
    {5, 0, "- Neuanfänger insg."},
    {6, 0, "- Neuanfänger weibl."},
    {0, 1, "Nr."},
    {1, 1, kCaptionA},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
}};

// ---- table 3: foreign pupils by citizenship --------------------------------------------------

constexpr std::array<ColumnWidth, 6> kTable3Widths = {
    {{0, 90}, {1, 150}, {3, 120}, {4, 120}, {5, 120}, {6, 120}}};
constexpr std::array<HeadingCell, 15> kTable3Headings = {{
    {0, 0, "Satzart 3"},
    {1, 0, "Land der Staatsangehörigkeit"},
    {2, 0, "LänderSchlüssel"},
    {3, 0, "Ausländ. Schüler insg."},
    {4, 0, "Ausländ. Schüler weibl."},
    {5, 0, "- mit Ausbild.vertrag insg."},
    {6, 0, "- mit Ausbild.vertrag weibl."},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {6, 1, "ES006"},
    {0, 2, "Meldung"},
}};

// ---- table 4: foreign languages, religion, sport --------------------------------------------

constexpr std::array<ColumnWidth, 4> kTable4Widths = {{{0, 30}, {1, 220}, {5, 140}, {6, 140}}};
constexpr std::array<HeadingCell, 14> kTable4Headings = {{
    {0, 0, "SA 4"},
    {1, 0, "Fremdsprachen / Religion / Sport"},
    {2, 0, "Schlüssel"},
    {3, 0, "Schüler insg."},
    {4, 0, "Schüler weibl."},
    {5, 0, "- im FachGym. (ab 2.JGS) GK"},
    {6, 0, "- im FachGym. (ab 2.JGS) LK"},
    {0, 1, "Nr."},
    {1, 1, kCaptionB},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
}};

// ---- table 5: training status -----------------------------------------------------------------

constexpr std::array<ColumnWidth, 2> kTable5Widths = {{{0, 30}, {1, 300}}};
constexpr std::array<HeadingCell, 10> kTable5Headings = {{
    {0, 0, "SA 5"},
    {1, 0, "Ausbildungsstatus"},
    {2, 0, "Schlüssel"},
    {3, 0, "Schüler insg."},
    {4, 0, "Schüler weibl."},
    {0, 1, "Nr."},
    {1, 1, kCaptionB},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
}};

// ---- table 6: agriculture, animal husbandry, forestry -----------------------------------------

constexpr std::array<ColumnWidth, 2> kTable6Widths = {{{0, 30}, {1, 360}}};
constexpr std::array<HeadingCell, 10> kTable6Headings = {{
    {0, 0, "SA 6"},
    {1, 0, "Berufsgruppe / Beruf"},
    {2, 0, "Schlüssel"},
    {3, 0, "Schüler insg."},
    {4, 0, "Schüler weibl."},
    {0, 1, "Nr."},
    {1, 1, kCaptionB},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
}};

// ---- table 7: weekly lessons actually given ----------------------------------------------------

constexpr std::array<ColumnWidth, 5> kTable7Widths = {
    {{0, 30}, {1, 180}, {2, 80}, {3, 80}, {4, 80}}};
constexpr std::array<HeadingCell, 14> kTable7Headings = {{
    {0, 0, "SA 7"},
    {1, 0, "Schüler nach tatsächl. wöchentl. erteilt. U.Stdn."},
    {2, 0, "Schlüssel"},
    {3, 0, "Schüler insg."},
    {4, 0, "Schüler weibl."},
    {5, 0, "Schüler im BlockUnterr. insg."},
    {6, 0, "Schüler im BlockUnterr. weibl."},
    {0, 1, "Nr."},
    {1, 1, kCaptionC},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
}};

// ---- table 8: occupations and origin groups ----------------------------------------------------

constexpr std::array<ColumnWidth, 6> kTable8Widths = {
    {{0, 90}, {1, 60}, {2, 130}, {3, 120}, {4, 140}, {5, 120}}};
constexpr std::array<HeadingCell, 17> kTable8Headings = {{
    {0, 0, "Satzart 8"},
    {1, 0, "Zeilen-Nr."},
    {2, 0, "Bezeichnung Ausbildung"},
    {3, 0, "Kennziffer Ausbildung"},
    {4, 0, "Bezeichnung Herkunfskreis"},
    {5, 0, "Kennziffer Herkunfskreis"},
    {6, 0, "Schüler insg."},
    {7, 0, "Schüler weibl."},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {6, 1, "ES006"},
    {7, 1, "ES007"},
    {0, 2, "Meldung"},
}};

// ---- table 9: trainees by occupation group and prior schooling --------------------------------

constexpr std::array<ColumnWidth, 5> kTable9Widths = {
    {{0, 30}, {1, 270}, {2, 150}, {3, 120}, {4, 90}}};
constexpr std::array<HeadingCell, 14> kTable9Headings = {{
    {0, 0, "SA 9"},
    {1, 0, "Schüler mit Ausbild.vertrag nach Berufsgr. u. Vorbild."},
    {2, 0, "Bezeichnung Berufsgruppe"},
    {3, 0, "Kennziffer Berufsgruppe"},
    {4, 0, "schul. Vorbildung"},
    {5, 0, "Azubi`s insg."},
    {6, 0, "Azubi`s weibl."},
    {0, 1, "Nr."},
    {1, 1, kCaptionD},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
}};

// ---- table 10 ("Tab. 4.1"): pupils by number of foreign languages ------------------------------

constexpr std::array<ColumnWidth, 5> kTable10Widths = {
    {{0, 90}, {2, 160}, {3, 160}, {4, 160}, {5, 160}}};
constexpr std::array<HeadingCell, 13> kTable10Headings = {{
    {0, 0, "Satzart 10"},
    {1, 0, "Schüler mit fremdspr. Unterr. insg."},
    {2, 0, "- mit 1 im lfd. Schulj. gelernten FS"},
    {3, 0, "- mit 2 im lfd. Schulj. gelernten FS"},
    {4, 0, "- mit 3 im lfd. Schulj. gelernten FS"},
    {5, 0, "- mit 4 u. mehr im lfd. Schulj. gel. FS"},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {0, 2, "Meldung"},
}};

// Tables 1, 3 and 8 have at least ten rows once their definition file is read.
constexpr int kListMinRows = 10;

struct KeyRows {
  const char* file;     // nullptr: the table has no key rows
  const char* subject;  // opens the warning when the file is missing
  bool copyKey;         // the key again in column 2 ("Schlüssel")
};

struct ClassTableDesign {
  TableLayout layout;
  KeyRows keyRows;
};

constexpr KeyRows kNoKeyRows{nullptr, nullptr, false};

// Indexed by table number.
constexpr std::array<ClassTableDesign, kClassTableCount> kDesigns = {{
    {{"Bog3Tab0.TBD", "Klassen-Tabelle 0", kTable0Widths, kTable0Headings}, kNoKeyRows},
    {{"Bog3Tab1.TBD", "Klassen-Tabelle 1", kTable1Widths, kTable1Headings, kListMinRows},
     kNoKeyRows},
    {{"Bog3Tab2.TBD", "Klassen-Tabelle 2", kTable2Widths, kTable2Headings},
     {"SSVB.SSD", kPriorSchoolingSubject, true}},
    {{"Bog3Tab3.TBD", "Klassen-Tabelle 3", kTable3Widths, kTable3Headings, kListMinRows},
     kNoKeyRows},
    {{"Bog3Tab4.TBD", "Klassen-Tabelle 4", kTable4Widths, kTable4Headings},
     {"SSFSR.SSD", "Statistik-Schlüssel-Datei: Fremdsprachen, Religion, Sport\n", true}},
    {{"Bog3Tab5.TBD", "Klassen-Tabelle 5", kTable5Widths, kTable5Headings},
     {"SSAS.SSD", "Statistik-Schlüssel-Datei: Ausbildungsstatus\n", true}},
    {{"Bog3Tab6.TBD", "Klassen-Tabelle 6", kTable6Widths, kTable6Headings},
     {"SSLTF.SSD", "Statistik-Schlüssel-Datei: Land-, Tier- u. Forstwirtschaft\n", true}},
    {{"Bog3Tab7.TBD", "Klassen-Tabelle 7", kTable7Widths, kTable7Headings},
     {"SSUS.SSD", "Statistik-Schlüssel-Datei: Wöchentl. Unterrichtsstunden\n", true}},
    {{"Bog3Tab8.TBD", "Klassen-Tabelle 8", kTable8Widths, kTable8Headings, kListMinRows},
     kNoKeyRows},
    // Column 2 of the group table receives group names from the data file, not the key.
    {{"Bog3Tab9.TBD", "Klassen-Tabelle 9", kTable9Widths, kTable9Headings},
     {"SSVB0.SSD", kPriorSchoolingSubject, false}},
    {{"Bog3Tab10.TBD", "Klassen-Tabelle 10", kTable10Widths, kTable10Headings}, kNoKeyRows},
}};

}  // namespace

void SetUpClassTable(int table, TableGrid& grid, const SheetContext& context) {
  const ClassTableDesign& design = kDesigns.at(static_cast<std::size_t>(table));
  // A definition file that cannot be read or written has been reported; the table still gets
  // its built-in headings and key rows.
  SetUpTable(grid, context.paths.programDirectory, design.layout, context.port,
             context.definitions);
  const KeyRows& keys = design.keyRows;
  if (keys.file != nullptr) {
    LoadKeyRows(grid, context.paths.programDirectory, keys.file, keys.subject, keys.copyKey,
                context.port);
  }
}

}  // namespace tab
