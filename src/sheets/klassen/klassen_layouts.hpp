#pragma once
// The eleven class tables (Bogen 3) as data: definition file, title, column widths, built-in
// headings (row 0, then row 1, then "Meldung" below the ids of the tables placed by position) and,
// for the keyed tables and the group table, the key file whose lines become rows 2 and following.
// Table 10 is the page "Tab. 4.1".
#include <array>  // std::to_array

#include "sheets/sheet.hpp"

namespace tab::klassen {

// Subject of the warning about a missing SSVB0.SSD or SSVB.SSD.
inline constexpr const char* kPriorSchoolingSubject =
    "Statistik-Schlüssel-Datei: Schulische Vorbildung\n";

// Row 1, column 1 of the keyed tables and the group table; only the blanks around the bar differ.
inline constexpr const char* kCaptionA = "(Bezeichnung)  |  Erfassungsspalte";
inline constexpr const char* kCaptionB = "(Bezeichnung)         |         Erfassungsspalte";
inline constexpr const char* kCaptionC = "(Bezeichnung)    |    Erfassungsspalte";
inline constexpr const char* kCaptionD = "(Bezeichnung)       |        Erfassungsspalte";

// Tables 1, 3 and 8 have at least ten rows once their definition file is read.
inline constexpr int kListMinRows = 10;

// ---- table 0: general data -----------------------------------------------------------------

inline constexpr auto kTable0Widths = std::to_array<ColumnWidth>({{0, 90}});
inline constexpr auto kTable0Headings = std::to_array<HeadingCell>({
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
});
inline constexpr TableDesign kTable0{
    {"Bog3Tab0.TBD", "Klassen-Tabelle 0", kTable0Widths, kTable0Headings}};

// ---- table 1: pupils by year of birth --------------------------------------------------------

inline constexpr auto kTable1Widths = std::to_array<ColumnWidth>({{0, 90}});
inline constexpr auto kTable1Headings = std::to_array<HeadingCell>({
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
});
inline constexpr TableDesign kTable1{
    {"Bog3Tab1.TBD", "Klassen-Tabelle 1", kTable1Widths, kTable1Headings, kListMinRows}};

// ---- table 2: pupils by prior schooling ------------------------------------------------------

inline constexpr auto kTable2Widths = std::to_array<ColumnWidth>({{0, 30}, {1, 250}});
inline constexpr auto kTable2Headings = std::to_array<HeadingCell>({
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
});
inline constexpr TableDesign kTable2{
    {"Bog3Tab2.TBD", "Klassen-Tabelle 2", kTable2Widths, kTable2Headings},
    {"SSVB.SSD", kPriorSchoolingSubject, true}};

// ---- table 3: foreign pupils by citizenship --------------------------------------------------

inline constexpr auto kTable3Widths =
    std::to_array<ColumnWidth>({{0, 90}, {1, 150}, {3, 120}, {4, 120}, {5, 120}, {6, 120}});
inline constexpr auto kTable3Headings = std::to_array<HeadingCell>({
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
});
inline constexpr TableDesign kTable3{
    {"Bog3Tab3.TBD", "Klassen-Tabelle 3", kTable3Widths, kTable3Headings, kListMinRows}};

// ---- table 4: foreign languages, religion, sport --------------------------------------------

inline constexpr auto kTable4Widths =
    std::to_array<ColumnWidth>({{0, 30}, {1, 220}, {5, 140}, {6, 140}});
inline constexpr auto kTable4Headings = std::to_array<HeadingCell>({
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
});
inline constexpr TableDesign kTable4{
    {"Bog3Tab4.TBD", "Klassen-Tabelle 4", kTable4Widths, kTable4Headings},
    {"SSFSR.SSD", "Statistik-Schlüssel-Datei: Fremdsprachen, Religion, Sport\n", true}};

// ---- table 5: training status -----------------------------------------------------------------

inline constexpr auto kTable5Widths = std::to_array<ColumnWidth>({{0, 30}, {1, 300}});
inline constexpr auto kTable5Headings = std::to_array<HeadingCell>({
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
});
inline constexpr TableDesign kTable5{
    {"Bog3Tab5.TBD", "Klassen-Tabelle 5", kTable5Widths, kTable5Headings},
    {"SSAS.SSD", "Statistik-Schlüssel-Datei: Ausbildungsstatus\n", true}};

// ---- table 6: agriculture, animal husbandry, forestry -----------------------------------------

inline constexpr auto kTable6Widths = std::to_array<ColumnWidth>({{0, 30}, {1, 360}});
inline constexpr auto kTable6Headings = std::to_array<HeadingCell>({
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
});
inline constexpr TableDesign kTable6{
    {"Bog3Tab6.TBD", "Klassen-Tabelle 6", kTable6Widths, kTable6Headings},
    {"SSLTF.SSD", "Statistik-Schlüssel-Datei: Land-, Tier- u. Forstwirtschaft\n", true}};

// ---- table 7: weekly lessons actually given ----------------------------------------------------

inline constexpr auto kTable7Widths =
    std::to_array<ColumnWidth>({{0, 30}, {1, 180}, {2, 80}, {3, 80}, {4, 80}});
inline constexpr auto kTable7Headings = std::to_array<HeadingCell>({
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
});
inline constexpr TableDesign kTable7{
    {"Bog3Tab7.TBD", "Klassen-Tabelle 7", kTable7Widths, kTable7Headings},
    {"SSUS.SSD", "Statistik-Schlüssel-Datei: Wöchentl. Unterrichtsstunden\n", true}};

// ---- table 8: occupations and origin groups ----------------------------------------------------

inline constexpr auto kTable8Widths =
    std::to_array<ColumnWidth>({{0, 90}, {1, 60}, {2, 130}, {3, 120}, {4, 140}, {5, 120}});
inline constexpr auto kTable8Headings = std::to_array<HeadingCell>({
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
});
inline constexpr TableDesign kTable8{
    {"Bog3Tab8.TBD", "Klassen-Tabelle 8", kTable8Widths, kTable8Headings, kListMinRows}};

// ---- table 9: trainees by occupation group and prior schooling --------------------------------

inline constexpr auto kTable9Widths =
    std::to_array<ColumnWidth>({{0, 30}, {1, 270}, {2, 150}, {3, 120}, {4, 90}});
inline constexpr auto kTable9Headings = std::to_array<HeadingCell>({
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
});
// Column 2 of the group table receives group names from the data file, not the key.
inline constexpr TableDesign kTable9{
    {"Bog3Tab9.TBD", "Klassen-Tabelle 9", kTable9Widths, kTable9Headings},
    {"SSVB0.SSD", kPriorSchoolingSubject, false}};

// ---- table 10 ("Tab. 4.1"): pupils by number of foreign languages ------------------------------

inline constexpr auto kTable10Widths =
    std::to_array<ColumnWidth>({{0, 90}, {2, 160}, {3, 160}, {4, 160}, {5, 160}});
inline constexpr auto kTable10Headings = std::to_array<HeadingCell>({
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
});
inline constexpr TableDesign kTable10{
    {"Bog3Tab10.TBD", "Klassen-Tabelle 10", kTable10Widths, kTable10Headings}};

}  // namespace tab::klassen
