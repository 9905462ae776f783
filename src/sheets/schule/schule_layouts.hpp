#pragma once
// The five school tables (Bogen 1) as data: definition file, title, column widths, built-in
// headings in the order they are written to a new definition file, and the key rows.
#include <array>  // std::to_array

#include "sheets/sheet.hpp"

namespace tab::schule {

// ---- table 0: general data (single record) ------------------------------------------------

inline constexpr auto kTable0Widths = std::to_array<ColumnWidth>({{0, 90}});
inline constexpr auto kTable0Headings = std::to_array<HeadingCell>({
    {0, 0, "Satzart 0"},
    {1, 0, "DST Nr."},
    {2, 0, "Schulaufsichtsbereich"},
    {3, 0, "Schulträger"},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {0, 2, "Meldung"},
});
inline constexpr TableDesign kTable0{
    {"Bog1Tab0.TBD", "Schul-Tabelle 0", kTable0Widths, kTable0Headings}};

// ---- table 1: classes and pupils by school type (keyed by SSSA.SSD) -----------------------

inline constexpr auto kTable1Widths = std::to_array<ColumnWidth>({{0, 30},
                                                                  {1, 330},
                                                                  {2, 150},
                                                                  {9, 110},
                                                                  {10, 120},
                                                                  {11, 120},
                                                                  {12, 120},
                                                                  {13, 120},
                                                                  {14, 120},
                                                                  {15, 110},
                                                                  {16, 140},
                                                                  {17, 140}});
// No "Meldung" label: the rows below the headings are the school types.
inline constexpr auto kTable1Headings = std::to_array<HeadingCell>({
    {0, 0, "SA 1"},
    {1, 0, "Schulart/Bildungsgang/Zeitform"},
    {2, 0, "Schulart/Bildungsgang/Zeitform"},
    {3, 0, "Klassen insg."},
    {4, 0, "Klassen - 1. JGS"},
    {5, 0, "Klassen - 2. JGS"},
    {6, 0, "Klassen - 3. JGS"},
    {7, 0, "Klassen - 4. JGS"},
    {8, 0, "Klassen - 5. JGS"},
    {9, 0, "Schüler/-innen insg."},
    {10, 0, "Schüler/-innen - 1. JGS"},
    {11, 0, "Schüler/-innen - 2. JGS"},
    {12, 0, "Schüler/-innen - 3. JGS"},
    {13, 0, "Schüler/-innen - 4. JGS"},
    {14, 0, "Schüler/-innen - 5. JGS"},
    {15, 0, "Schüler/-innen weibl."},
    {16, 0, "Ausländ. Schüler/-innen zusammen"},
    {17, 0, "Ausländ. Schüler/-innen weibl."},
    {0, 1, "Nr."},
    {1, 1, "(Bezeichnung)   |   Erfassungsspalte"},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
    {7, 1, "ES006"},
    {8, 1, "ES007"},
    {9, 1, "ES008"},
    {10, 1, "ES009"},
    {11, 1, "ES010"},
    {12, 1, "ES011"},
    {13, 1, "ES012"},
    {14, 1, "ES013"},
    {15, 1, "ES014"},
    {16, 1, "ES015"},
    {17, 1, "ES016"},
});
inline constexpr TableDesign kTable1{
    {"Bog1Tab1.TBD", "Schul-Tabelle 1", kTable1Widths, kTable1Headings},
    {"SSSA.SSD", kSchoolTypesSubject, true}};

// ---- table 2: graduates and leavers by school type, year of birth and certificate (list) ---

inline constexpr auto kTable2Widths = std::to_array<ColumnWidth>({{0, 90},
                                                                  {3, 150},
                                                                  {4, 150},
                                                                  {5, 130},
                                                                  {6, 130},
                                                                  {7, 130},
                                                                  {8, 130},
                                                                  {9, 130},
                                                                  {10, 140},
                                                                  {11, 130},
                                                                  {12, 130},
                                                                  {13, 150},
                                                                  {14, 150},
                                                                  {15, 140},
                                                                  {16, 140},
                                                                  {17, 170},
                                                                  {18, 170}});
inline constexpr auto kTable2Headings = std::to_array<HeadingCell>({
    {0, 0, "Satzart 2"},
    {1, 0, "Schulart-Nr."},
    {2, 0, "Geburtsjahr"},
    {3, 0, "Absolventen/Abgänger insg."},
    {4, 0, "Absolventen/Abgänger weibl."},
    {5, 0, "- mit Abgangszgn. insg."},
    {6, 0, "- mit Abgangszgn. weibl."},
    {7, 0, "- mit Abschlusszgn. insg."},
    {8, 0, "- mit Abschlusszgn. weibl."},
    {9, 0, "- mit Berufsreife insg."},
    {10, 0, "- mit Berufsreife weibl."},
    {11, 0, "- mit Mittl. Reife insg."},
    {12, 0, "- mit Mittl. Reife weibl."},
    {13, 0, "- mit Fachhochschulreife insg."},
    {14, 0, "- mit Fachhochschulreife weibl."},
    {15, 0, "- mit Hochschulreife insg."},
    {16, 0, "- mit Hochschulreife weibl."},
    {17, 0, "- ohne Angabe einer Zgn.art insg."},
    {18, 0, "- ohne Angabe einer Zgn.art weibl."},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {6, 1, "ES006"},
    {7, 1, "ES007"},
    {8, 1, "ES008"},
    {9, 1, "ES009"},
    {10, 1, "ES010"},
    {11, 1, "ES011"},
    {12, 1, "ES012"},
    {13, 1, "ES013"},
    {14, 1, "ES014"},
    {15, 1, "ES015"},
    {16, 1, "ES016"},
    {17, 1, "ES017"},
    {18, 1, "ES018"},
    {0, 2, "Meldung"},
});

// A definition file may declare fewer rows than a list table starts with.
inline constexpr int kListTableMinRows = 10;

inline constexpr TableDesign kTable2{
    {"Bog1Tab2.TBD", "Schul-Tabelle 2", kTable2Widths, kTable2Headings, kListTableMinRows}};

// ---- table 3: graduates and leavers by occupation (list) ----------------------------------

inline constexpr auto kTable3Widths = std::to_array<ColumnWidth>(
    {{0, 90}, {1, 220}, {4, 140}, {5, 140}, {6, 140}, {7, 140}, {8, 190}, {9, 190}});
inline constexpr auto kTable3Headings = std::to_array<HeadingCell>({
    {0, 0, "Satzart 3"},
    {1, 0, "Bezeichnung Beruf, Berufsgruppe, Fachrichtung"},
    {2, 0, "Beruf - Kennziffer"},
    {3, 0, "Ausbildungsdauer"},
    {4, 0, "A/A mit Abschlusszgn. insg."},
    {5, 0, "A/A mit Abschlusszgn. weibl."},
    {6, 0, "A/A mit Abgangszgn. insg."},
    {7, 0, "A/A mit Abgangszgn. weibl."},
    {8, 0, "A/A ohne Angabe einer Zgn.art insg."},
    {9, 0, "A/A ohne Angabe einer Zgn.art weibl."},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {2, 1, "ES002"},
    {3, 1, "ES003"},
    {4, 1, "ES004"},
    {5, 1, "ES005"},
    {6, 1, "ES006"},
    {7, 1, "ES007"},
    {8, 1, "ES008"},
    {9, 1, "ES009"},
    {0, 2, "Meldung"},
});
inline constexpr TableDesign kTable3{
    {"Bog1Tab3.TBD", "Schul-Tabelle 3", kTable3Widths, kTable3Headings, kListTableMinRows}};

// ---- table 4: pupils with religious instruction (single record) ---------------------------

inline constexpr auto kTable4Widths =
    std::to_array<ColumnWidth>({{0, 90}, {1, 180}, {2, 160}, {3, 160}, {4, 160}, {5, 160}});
inline constexpr auto kTable4Headings = std::to_array<HeadingCell>({
    {0, 0, "Satzart 4"},
    {1, 0, "Schüler/-innen mit ReligionsUnt. insg."},
    {2, 0, "- mit evang. ReligionsUnt./ Vollz."},
    {3, 0, "- mit evang. ReligionsUnt./ Teilz."},
    {4, 0, "- mit kathol. ReligionsUnt./ Vollz."},
    {5, 0, "- mit kathol. ReligionsUnt./ Teilz."},
    {6, 0, "- konfessionsübergr./ Vollz."},
    {7, 0, "- konfessionsübergr./ Teilz."},
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
inline constexpr TableDesign kTable4{
    {"Bog1Tab4.TBD", "Schul-Tabelle 4", kTable4Widths, kTable4Headings}};

}  // namespace tab::schule
