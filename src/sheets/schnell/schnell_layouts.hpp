#pragma once
// The three quick-report tables (Bogen 0) as data: definition file, title, column widths, built-in
// headings in the order they are written to a new definition file, and the key rows.
#include <array>  // std::to_array

#include "sheets/sheet.hpp"

namespace tab::schnell {

// ---- table 0: general data ---------------------------------------------------------------

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
    {"Bog0Tab0.TBD", "Schnell-Tabelle 0", kTable0Widths, kTable0Headings}};

// ---- table 1: classes and pupils by school type (keyed by SSSA.SSD)
// -------------------------------------------

inline constexpr auto kTable1Widths = std::to_array<ColumnWidth>({{0, 30},
                                                                  {1, 320},
                                                                  {2, 150},
                                                                  {9, 120},
                                                                  {10, 120},
                                                                  {11, 120},
                                                                  {12, 120},
                                                                  {13, 120},
                                                                  {14, 120},
                                                                  {15, 120},
                                                                  {16, 150},
                                                                  {17, 150},
                                                                  {18, 150},
                                                                  {19, 180}});
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
    {9, 0, "Schüler/-innen - 1. JGS"},
    {10, 0, "Schüler/-innen - 2. JGS"},
    {11, 0, "Schüler/-innen - 3. JGS"},
    {12, 0, "Schüler/-innen - 4. JGS"},
    {13, 0, "Schüler/-innen - 5. JGS"},
    {14, 0, "Schüler/-innen insg."},
    {15, 0, "Schüler/-innen weibl."},
    {16, 0, "Ausländ. Schüler/-innen zusammen"},
    {17, 0, "Schüler/-innen mit Behinderung"},
    {18, 0, "LehrerWochenStunden Soll"},
    {19, 0, "zusätzl. genehm. Teilungsstunden"},
    {0, 1, "Nr."},
    {1, 1, "(Bezeichnung)  |  Erfassungsspalte"},
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
    {18, 1, "ES017"},
    {19, 1, "ES018"},
});
inline constexpr TableDesign kTable1{
    {"Bog0Tab1.TBD", "Schnell-Tabelle 1", kTable1Widths, kTable1Headings},
    {"SSSA.SSD", kSchoolTypesSubject, true}};

// ---- table 2: teachers by employment scope ------------------------------------------------

inline constexpr auto kTable2Widths =
    std::to_array<ColumnWidth>({{0, 30}, {1, 230}, {2, 60}, {6, 140}, {7, 160}});
inline constexpr auto kTable2Headings = std::to_array<HeadingCell>({
    {0, 0, "SA 2"},
    {1, 0, "Beschäftigungsumfang"},
    {2, 0, "Nr."},
    {3, 0, "Lehrkräfte insgesamt"},
    {4, 0, "Lehrkräfte weiblich"},
    {5, 0, "Ausländ. Lehrkräfte"},
    {6, 0, "LehrerWochenStunden  IST"},
    {7, 0, "Abord.stdn. an andere Schulen"},
    {0, 1, "Nr."},
    {1, 1, "(Bezeichnung)     |      Erfassungsspalte"},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
    {7, 1, "ES006"},
});
inline constexpr TableDesign kTable2{
    {"Bog0Tab2.TBD", "Schnell-Tabelle 2", kTable2Widths, kTable2Headings},
    {"ILKLWS.SSD", kEmploymentScopesSubject, true}};

}  // namespace tab::schnell
