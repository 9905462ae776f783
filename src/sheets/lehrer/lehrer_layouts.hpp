#pragma once
// The four teacher tables (Bogen 2) and the identification table as data: definition file,
// title, column widths, built-in headings in the order they are laid down and written to a new
// definition file, and the key rows.
#include <array>  // std::to_array

#include "sheets/sheet.hpp"

namespace tab::lehrer {

// ---- table 0: general data (one record, the Dienststelle number) ----------------------------

inline constexpr auto kTable0Widths = std::to_array<ColumnWidth>({{0, 90}});
inline constexpr auto kTable0Headings = std::to_array<HeadingCell>({
    {0, 0, "Satzart 0"},
    {1, 0, "DST Nr."},
    {0, 1, "Erfassungsspalte"},
    {1, 1, "ES001"},
    {0, 2, "Meldung"},
});
inline constexpr TableDesign kTable0{
    {"Bog2Tab0.TBD", "Lehrer-Tabelle 0", kTable0Widths, kTable0Headings}};

// ---- table 1: one row per teacher ----------------------------------------------------------

inline constexpr auto kTable1Widths = std::to_array<ColumnWidth>(
    {{0, 60},   {1, 180},  {2, 50},   {3, 60},   {4, 120},  {5, 100},  {6, 50},   {7, 100},
     {8, 150},  {9, 150},  {10, 150}, {11, 150}, {12, 150}, {13, 120}, {14, 140}, {15, 90},
     {16, 100}, {17, 100}, {18, 70},  {19, 160}, {20, 180}, {21, 170}, {22, 120}, {23, 120},
     {24, 120}, {25, 120}, {26, 120}, {27, 120}, {28, 120}, {29, 120}, {30, 120}, {31, 120},
     {32, 120}, {33, 120}, {34, 120}, {35, 120}, {36, 120}, {37, 120}, {38, 120}, {39, 120},
     {40, 120}, {41, 120}, {42, 120}, {43, 120}, {44, 120}, {45, 120}, {46, 100}, {47, 100},
     {48, 130}, {49, 100}, {50, 140}, {51, 190}, {52, 130}, {53, 130}, {54, 140}, {55, 150},
     {56, 110}, {57, 110}, {58, 110}, {59, 120}, {60, 120}});
inline constexpr auto kTable1Headings = std::to_array<HeadingCell>({
    {0, 0, "Satzart 1"},
    {1, 0, "Angaben je Lehrkraft"},
    {2, 0, "Lehrer-Nr."},
    {3, 0, "Geburtsjahr"},
    {4, 0, "Geschlecht (1=m | 2=w)"},
    {5, 0, "Staatsangehörigkeit"},
    {6, 0, "Lehramt"},
    {7, 0, "fachl. Qualifikation"},
    {8, 0, "1. Fach der Lehrbefäh./-erlaub."},
    {9, 0, "2. Fach der Lehrbefäh./-erlaub."},
    {10, 0, "3. Fach der Lehrbefäh./-erlaub."},
    {11, 0, "4. Fach der Lehrbefäh./-erlaub."},
    {12, 0, "5. Fach der Lehrbefäh./-erlaub."},
    {13, 0, "Beschäftigungsumfang"},
    {14, 0, "Bestandsänd. Zu-/Abgänge"},
    {15, 0, "Personengruppe"},
    {16, 0, "Regelstundenmaß"},
    {17, 0, "Vertragsstunden"},
    {18, 0, "Sollstunden"},
    {19, 0, "darunter erhöht durch Sabbatjahr"},
    {20, 0, "darunter erhöht durch Arb.zeitkonten"},
    {21, 0, "erhöht durch ATZ Anrechnungsstdn."},
    {22, 0, "in der Anrechn.art Nr. 10"},
    {23, 0, "in der Anrechn.art Nr. 21"},
    {24, 0, "in der Anrechn.art Nr. 22"},
    {25, 0, "in der Anrechn.art Nr. 31"},
    {26, 0, "in der Anrechn.art Nr. 32"},
    {27, 0, "in der Anrechn.art Nr. 33"},
    {28, 0, "in der Anrechn.art Nr. 41"},
    {29, 0, "in der Anrechn.art Nr. 42"},
    {30, 0, "in der Anrechn.art Nr. 43"},
    {31, 0, "in der Anrechn.art Nr. 47"},
    {32, 0, "in der Anrechn.art Nr. 49"},
    {33, 0, "in der Anrechn.art Nr. 50"},
    {34, 0, "in der Anrechn.art Nr. 51"},
    {35, 0, "in der Anrechn.art Nr. 52"},
    {36, 0, "in der Anrechn.art Nr. 53"},
    {37, 0, "in der Anrechn.art Nr. 54"},
    {38, 0, "in der Anrechn.art Nr. 55"},
    {39, 0, "in der Anrechn.art Nr. 81"},
    {40, 0, "in der Anrechn.art Nr. 82"},
    {41, 0, "in der Anrechn.art Nr. 91"},
    {42, 0, "in der Anrechn.art Nr. 92"},
    {43, 0, "in der Anrechn.art Nr. 93"},
    {44, 0, "in der Anrechn.art Nr. 94"},
    {45, 0, "in der Anrechn.art Nr. 95"},
    {46, 0, "zu erteil. Stdn. insg."},
    {47, 0, "- an dieser Schule"},
    {48, 0, "- an anderen Schulen insg."},
    {49, 0, "- 01 Berufsschule"},
    {50, 0, "- 02 Berufsvorbereitungsjahr"},
    {51, 0, "- 03 Berufssvorber. Bild.Maßnahmen/TZ"},
    {52, 0, "- 05 Berufsfachschule/VZ"},
    {53, 0, "- 06 Berufsfachschule/TZ"},
    {54, 0, "- 07 1jähr. Fachoberschule/VZ"},
    {55, 0, "- 07 2jähr. Fachoberschule/VZ"},
    {56, 0, "- 09 Fachgymnasium"},
    {57, 0, "- 10 Fachschule/VZ"},
    {58, 0, "- 11 Fachschule/TZ"},
    {59, 0, "- 12 Allg.bild. Schulen"},
    {60, 0, "Mehrarb. bzw. Überstdn."},
    {0, 1, "Nr."},
    {1, 1, "Klarname      |       Erfassungsspalte"},
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
    {20, 1, "ES019"},
    {21, 1, "ES020"},
    {22, 1, "ES021"},
    {23, 1, "ES022"},
    {24, 1, "ES023"},
    {25, 1, "ES024"},
    {26, 1, "ES025"},
    {27, 1, "ES026"},
    {28, 1, "ES027"},
    {29, 1, "ES028"},
    {30, 1, "ES029"},
    {31, 1, "ES030"},
    {32, 1, "ES031"},
    {33, 1, "ES032"},
    {34, 1, "ES033"},
    {35, 1, "ES034"},
    {36, 1, "ES035"},
    {37, 1, "ES036"},
    {38, 1, "ES037"},
    {39, 1, "ES038"},
    {40, 1, "ES039"},
    {41, 1, "ES040"},
    {42, 1, "ES041"},
    {43, 1, "ES042"},
    {44, 1, "ES043"},
    {45, 1, "ES044"},
    {46, 1, "ES045"},
    {47, 1, "ES046"},
    {48, 1, "ES047"},
    {49, 1, "ES048"},
    {50, 1, "ES049"},
    {51, 1, "ES050"},
    {52, 1, "ES051"},
    {53, 1, "ES052"},
    {54, 1, "ES053"},
    {55, 1, "ES054"},
    {56, 1, "ES055"},
    {57, 1, "ES056"},
    {58, 1, "ES057"},
    {59, 1, "ES058"},
    {60, 1, "ES059"},
});
// However few rows a definition file names, the teacher list starts with ten.
inline constexpr TableDesign kTable1{
    {"Bog2Tab1.TBD", "Lehrer-Tabelle 1", kTable1Widths, kTable1Headings, 10}};

// ---- table 2: lessons given per week by school type ------------------------------------------

inline constexpr auto kTable2Widths = std::to_array<ColumnWidth>({{0, 30},
                                                                  {1, 300},
                                                                  {2, 150},
                                                                  {4, 160},
                                                                  {5, 200},
                                                                  {6, 220},
                                                                  {7, 220},
                                                                  {8, 240},
                                                                  {9, 220},
                                                                  {10, 210},
                                                                  {11, 210},
                                                                  {12, 210},
                                                                  {13, 210}});
inline constexpr auto kTable2Headings = std::to_array<HeadingCell>({
    {0, 0, "SA 2"},
    {1, 0, "Schulart/Bildungsgang/Zeitform"},
    {2, 0, "Schulart/Bildungsgang/Zeitform"},
    {3, 0, "LehrerWoStdn. SOLL"},
    {4, 0, "LehrerWoStdn. lt. Stdn.plan"},
    {5, 0, "wöchentl. tatsächl. erteilte U.stdn. insg."},
    {6, 0, "- davon hauptberufl. LK vollbeschäftigt -zusammen"},
    {7, 0, "- davon hauptberufl. LK vollbeschäftigt -weibl."},
    {8, 0, "- davon hauptberufl. LK teilbeschäftigt -zusammen"},
    {9, 0, "- davon hauptberufl. LK teilbeschäftigt -weibl."},
    {10, 0, "-davon Mehrarb. hauptberufl. LK -zusammen"},
    {11, 0, "-davon Mehrarb. hauptberufl. LK -weibl."},
    {12, 0, "-davon Mehrarb. stundenweise LK -zusammen"},
    {13, 0, "-davon Mehrarb. stundenweise LK -weibl."},
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
});
// Column 2 stays empty after the set-up: the loader fills it.
inline constexpr TableDesign kTable2{
    {"Bog2Tab2.TBD", "Lehrer-Tabelle 2", kTable2Widths, kTable2Headings},
    {"SSSA-140.SSD", kSchoolTypesSubject, false}};

// ---- table 3: teachers of religious instruction by employment scope ----------------------------

inline constexpr auto kTable3Widths = std::to_array<ColumnWidth>(
    {{0, 30}, {1, 210}, {3, 170}, {4, 170}, {5, 230}, {6, 230}, {7, 190}, {8, 300}});
inline constexpr auto kTable3Headings = std::to_array<HeadingCell>({
    {0, 0, "SA 3"},
    {1, 0, "Beschäftigungsumfang"},
    {2, 0, "Nr."},
    {3, 0, "LK mit Lehrbefäh. Religion -evang."},
    {4, 0, "LK mit Lehrbefäh. Religion -kath."},
    {5, 0, "darunter LK d.v.d. Kirche gestellt werden -evangl."},
    {6, 0, "darunter LK d.v.d. Kirche gestellt werden -kath."},
    {7, 0, "LehrerWoStdn./SOLL im Fach Religion"},
    {8, 0, "wöchentl. mögl. Stdn. d.i. ES002 u. ES003 ausgewiesenen LK"},
    {0, 1, "Nr."},
    {1, 1, "(Bezeichnung)     |      Erfassungsspalte"},
    {2, 1, "ES001"},
    {3, 1, "ES002"},
    {4, 1, "ES003"},
    {5, 1, "ES004"},
    {6, 1, "ES005"},
    {7, 1, "ES006"},
    {8, 1, "ES007"},
});
inline constexpr TableDesign kTable3{
    {"Bog2Tab3.TBD", "Lehrer-Tabelle 3", kTable3Widths, kTable3Headings},
    {"ILKLWS-4.SSD", kEmploymentScopesSubject, true}};

// ---- the identification table: number, surname and first name of each teacher -------------

// Headings in row 0 only: the list has no row of capture-column ids, its data start in row 1.
inline constexpr auto kIdentificationWidths = std::to_array<ColumnWidth>({{0, 40}, {1, 60}});
inline constexpr auto kIdentificationHeadings = std::to_array<HeadingCell>({
    {0, 0, "intern"},
    {1, 0, "Nr."},
    {2, 0, "Name"},
    {3, 0, "Vorname"},
});
inline constexpr TableDesign kIdentification{
    {"Bog2Ident.TBD", "Lehrer", kIdentificationWidths, kIdentificationHeadings}};

}  // namespace tab::lehrer
