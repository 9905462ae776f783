#include "app/window_layout.hpp"

#include <array>

namespace tab {

namespace {

using C = GridColour;
using S = SheetId;
using G = GridId;
using B = ButtonId;

// Initial sizes as designed; the set-up of each table resizes its grid.
constexpr std::array kGrids = {
    GridDesign{G::StringGrid1, "StringGrid1", 4, 3, 1, 120, false, true, C::Plain,
               "allgemeine Angaben"},
    GridDesign{G::StringGrid2, "StringGrid2", 20, 32, 2, 100, true, true, C::Plain,
               "Klassen und Schüler nach Schularten/Bildungsgängen/Zeitformen u. "
               "Jahrgangsstufen sowie Lehrerwochenstunden und Teilungsstunden"},
    GridDesign{G::StringGrid3, "StringGrid3", 8, 7, 2, 90, true, true, C::Plain,
               "Lehrkräfte, Lehrerwochenstunden"},
    GridDesign{G::StringGrid4, "StringGrid4", 4, 3, 1, 120, false, true, C::Schule,
               "allgemeine Angaben"},
    GridDesign{G::StringGrid5, "StringGrid5", 18, 39, 2, 100, true, true, C::Schule,
               "Klassen und Schüler/-innen nach Schularten/Bildungsgängen/Zeitformen und "
               "Jahrgangsstufen"},
    GridDesign{G::StringGrid6, "StringGrid6", 19, 10, 1, 170, true, true, C::Schule,
               "Absolventen/Abgänger des (vergangenen) Schuljahres (...) nach Schularten, "
               "Geburtsjahren und Abschlussarten"},
    GridDesign{G::StringGrid7, "StringGrid7", 10, 5, 1, 170, true, true, C::Schule,
               "Absolventen/Abgänger des (vergangenen) Schuljahres (...) nach Berufen"},
    GridDesign{G::StringGrid8, "StringGrid8", 8, 3, 1, 120, false, true, C::Schule,
               "Schüler/-innen mit Religionsunterricht an der berichtenden Schule"},
    GridDesign{G::StringGrid9, "StringGrid9", 2, 3, 1, 120, false, true, C::Lehrer,
               "allgemeine Angaben"},
    GridDesign{G::StringGrid10, "StringGrid10", 4, 51, 1, 120, true, true, C::Identification,
               "Identifizierungs- bzw. Zuordnungstabelle:   Nr. <==> Lehrer / "
               "Hilfsinformationen (verbleiben an der Schule)"},
    GridDesign{G::StringGrid11, "StringGrid11", 61, 10, 2, 120, true, true, C::Lehrer,
               "Angaben je Lehrkraft"},
    GridDesign{G::StringGrid13, "StringGrid13", 14, 31, 2, 120, true, true, C::Lehrer,
               "Wöchentlich tatsächlich erteilte Unterrichtsstunden der Lehrer/-innen nach "
               "Schularten"},
    GridDesign{G::StringGrid14, "StringGrid14", 9, 6, 2, 100, true, true, C::Lehrer,
               "Lehrkräfte für Religionsunterricht an der berichtenden Schule"},
    GridDesign{G::StringGrid17, "StringGrid17", 7, 3, 1, 80, false, true, C::Klassen,
               "Allgemeine Angaben"},
    GridDesign{G::StringGrid18, "StringGrid18", 6, 10, 1, 90, true, true, C::Klassen,
               "Schüler/-innen nach Geburtsjahren"},
    GridDesign{G::StringGrid20, "StringGrid20", 7, 13, 2, 100, true, true, C::Klassen,
               "Schüler/-innen nach schulischer Vorbildung"},
    GridDesign{G::StringGrid19, "StringGrid19", 7, 10, 1, 100, false, true, C::Klassen,
               "Ausländische Schüler/-innen nach Staatsangehörigkeit"},
    GridDesign{G::StringGrid21, "StringGrid21", 7, 15, 2, 100, true, true, C::Klassen,
               "Am Fremdsprachen- und/oder Religions- und Sportunterricht der beruflichen "
               "Schule teilnehmende Schüler/-innen"},
    GridDesign{G::StringGrid27, "StringGrid27", 6, 3, 1, 80, false, false, C::Klassen,
               "Schüler/-innen mit fremdsprachlichem Unterricht nach der Anzahl der derzeit "
               "gelernten Sprachen"},
    GridDesign{G::StringGrid22, "StringGrid22", 5, 8, 2, 60, false, true, C::Klassen,
               "Schüler/-innen nach Ausbildungsstatus"},
    GridDesign{G::StringGrid24, "StringGrid24", 5, 12, 2, 60, false, true, C::Klassen,
               "Schüler/-innen in der Land-, Tier-, Forstwirtschaft und im Gartenbau"},
    GridDesign{G::StringGrid23, "StringGrid23", 7, 14, 2, 160, true, true, C::Klassen,
               "Schüler/-innen nach wöchentlich tatsächlich erteilten Unterrichtsstunden"},
    GridDesign{G::StringGrid25, "StringGrid25", 8, 30, 1, 150, true, true, C::Klassen,
               "Schüler/-innen nach Berufen, Berufsfeldern bzw. Fachrichtungen und "
               "Herkunftskreisen"},
    GridDesign{G::StringGrid26, "StringGrid26", 7, 9, 2, 80, true, true, C::Klassen,
               "Schüler/-innen mit Ausbildungsvertrag nach Berufsgruppen und schulischer "
               "Vorbildung"},
};

constexpr std::array kSheetPages = {
    SheetPageDesign{"TabSheet1", S::Schnell, "Schnell", "Schnell-Meldung", "PageControl2",
                    "Tabellen der Schnellmeldung"},
    SheetPageDesign{"TabSheet2", S::Schule, "Schule", "Schul-Meldung", "PageControl3",
                    "Tabellen der Schul-Meldung"},
    SheetPageDesign{"TabSheet3", S::Lehrer, "Lehrer", "Lehrer-Meldung", "PageControl4",
                    "Tabellen der Lehrer-Bogen"},
    SheetPageDesign{"TabSheet4", S::Klassen, "Klasse", "Klassen-Meldung", "PageControl5",
                    "Tabellen der Klassen-Meldung"},
};

constexpr std::array kTablePages = {
    TablePageDesign{"TabSheet5", S::Schnell, 0, "Tabelle 0", G::StringGrid1},
    TablePageDesign{"TabSheet6", S::Schnell, 1, "Tabelle 1", G::StringGrid2},
    TablePageDesign{"TabSheet7", S::Schnell, 2, "Tabelle 2", G::StringGrid3},
    TablePageDesign{"TabSheet8", S::Schule, 0, "Tabelle 0", G::StringGrid4},
    TablePageDesign{"TabSheet9", S::Schule, 1, "Tabelle 1", G::StringGrid5},
    TablePageDesign{"TabSheet10", S::Schule, 2, "Tabelle 2", G::StringGrid6},
    TablePageDesign{"TabSheet11", S::Schule, 3, "Tabelle 3", G::StringGrid7},
    TablePageDesign{"TabSheet12", S::Schule, 4, "Tabelle 4", G::StringGrid8},
    TablePageDesign{"TabSheet13", S::Lehrer, 0, "Identifizierung + Tabelle 0", G::StringGrid10,
                    G::StringGrid9},
    TablePageDesign{"TabSheet14", S::Lehrer, 1, "Tabelle 1", G::StringGrid11},
    TablePageDesign{"TabSheet16", S::Lehrer, 2, "Tabelle 2", G::StringGrid13},
    TablePageDesign{"TabSheet17", S::Lehrer, 3, "Tabelle 3", G::StringGrid14},
    TablePageDesign{"TabSheet20", S::Klassen, 0, "Tab. 0", G::StringGrid17},
    TablePageDesign{"TabSheet21", S::Klassen, 1, "Tab. 1", G::StringGrid18},
    TablePageDesign{"TabSheet29", S::Klassen, 2, "Tab. 2", G::StringGrid20},
    TablePageDesign{"TabSheet22", S::Klassen, 3, "Tab. 3", G::StringGrid19},
    TablePageDesign{"TabSheet23", S::Klassen, 4, "Tab. 4", G::StringGrid21},
    TablePageDesign{"TabSheet30", S::Klassen, 10, "Tab. 4.1", G::StringGrid27},
    TablePageDesign{"TabSheet24", S::Klassen, 5, "Tab. 5", G::StringGrid22},
    TablePageDesign{"TabSheet26", S::Klassen, 6, "Tab. 6", G::StringGrid24},
    TablePageDesign{"TabSheet25", S::Klassen, 7, "Tab. 7", G::StringGrid23},
    TablePageDesign{"TabSheet27", S::Klassen, 8, "Tab. 8", G::StringGrid25},
    TablePageDesign{"TabSheet28", S::Klassen, 9, "Tab. 9", G::StringGrid26},
};

constexpr std::array kButtons = {
    ButtonDesign{B::Button17, "Button17", S::Schule, 2, G::StringGrid6, "Zeilen sortieren"},
    ButtonDesign{B::Button20, "Button20", S::Schule, 3, G::StringGrid7, "Zeilen sortieren"},
    ButtonDesign{B::Button21, "Button21", S::Schule, 3, G::StringGrid7,
                 "Texte (Beruf, Berufsgr., Fachr.) ergänzen"},
    ButtonDesign{B::Button24, "Button24", S::Lehrer, 0, G::StringGrid10, "nach Nummern sortieren"},
    ButtonDesign{B::Button33, "Button33", S::Lehrer, 1, G::StringGrid11, "nach Nummern sortieren"},
    ButtonDesign{B::Button44, "Button44", S::Klassen, 1, G::StringGrid18,
                 "nach Geburtsjahr sortieren"},
    ButtonDesign{B::Button26, "Button26", S::Klassen, 3, G::StringGrid19,
                 "nach Länderschlüssel sortieren"},
    ButtonDesign{B::Button64, "Button64", S::Klassen, 3, G::StringGrid19,
                 "Texte (Länder) ergänzen"},
    ButtonDesign{B::Button65, "Button65", S::Klassen, 3, G::StringGrid19,
                 "Schlüssel (Länder) ergänzen"},
    ButtonDesign{B::Button57, "Button57", S::Klassen, 8, G::StringGrid25,
                 "Texte (Ausbildungsrichtung) ergänzen"},
    ButtonDesign{B::Button58, "Button58", S::Klassen, 8, G::StringGrid25,
                 "Texte (Herkunftskreise) ergänzen"},
    ButtonDesign{B::Button59, "Button59", S::Klassen, 8, G::StringGrid25,
                 "Schlüssel (Herkunftskreise) ergänzen"},
    ButtonDesign{B::Button63, "Button63", S::Klassen, 8, G::StringGrid25,
                 "nach Zeilennummern sortieren"},
    ButtonDesign{B::Button61, "Button61", S::Klassen, 9, G::StringGrid26,
                 "nach Berufsgruppen sortieren"},
    ButtonDesign{B::Button62, "Button62", S::Klassen, 9, G::StringGrid26,
                 "Texte (Berufsgruppen) ergänzen"},
};

// Lines 4, 5, 8, 9 and 10 end with a blank; the double quote in line 8 has no partner.
constexpr std::array<const char*, 13> kIdentificationNote = {
    "Identifizierungs-Tabelle:",
    "======================",
    "",
    "Diese Tabelle verbleibt normalerweise an der Schule und wird ",
    "nicht mit den Statistik-Daten exportiert. ",
    "Alle Eintragungen dienen der Übersichtlichkeit.",
    "",
    "Bei Bereitstellung der Lehreridentifikationen (Datei \"LEHRER.CSV) ",
    "durch die Dienststelle beachten Sie bitte, dass es u.U. zur falschen ",
    "Anzeigen kommen kann, wenn die Datei \"LEHRER.CSV\" nicht im ",
    "Dienststellen-Verzeichnis (z.B. \"12345\") zu finden ist.",
    "Es wird dann eine ev. vorhandene Tabelle aus dem Programm-",
    "Verzeichnis genutzt!",
};

template <typename Design, std::size_t N, typename Id>
const Design* Find(const std::array<Design, N>& designs, Id Design::*id, Id value) {
  for (const Design& design : designs) {
    if (design.*id == value) return &design;
  }
  return nullptr;
}

template <typename Design, std::size_t N>
const Design* FindNamed(const std::array<Design, N>& designs, std::string_view name) {
  for (const Design& design : designs) {
    if (name == design.name) return &design;
  }
  return nullptr;
}

}  // namespace

std::span<const char* const> IdentificationNoteLines() {
  return kIdentificationNote;
}

std::span<const GridDesign> GridDesigns() {
  return kGrids;
}
std::span<const SheetPageDesign> SheetPages() {
  return kSheetPages;
}
std::span<const TablePageDesign> TablePages() {
  return kTablePages;
}
std::span<const ButtonDesign> Buttons() {
  return kButtons;
}

const GridDesign* FindGridDesign(GridId grid) {
  return Find(kGrids, &GridDesign::grid, grid);
}
const ButtonDesign* FindButton(ButtonId button) {
  return Find(kButtons, &ButtonDesign::button, button);
}

const TablePageDesign* FindTablePage(SheetId sheet, int table) {
  for (const TablePageDesign& page : kTablePages) {
    if (page.sheet == sheet && page.table == table) return &page;
  }
  return nullptr;
}

const SheetPageDesign* FindSheetPage(std::string_view name) {
  return FindNamed(kSheetPages, name);
}
const TablePageDesign* FindTablePage(std::string_view name) {
  return FindNamed(kTablePages, name);
}
const ButtonDesign* FindButton(std::string_view name) {
  return FindNamed(kButtons, name);
}

SheetId SheetOfPage(const SheetPageDesign* page) {
  return page != nullptr ? page->sheet : SheetId::Unknown;
}

int TableOfPage(SheetId sheet, const TablePageDesign* page) {
  const SheetId pagesOf = sheet == SheetId::Unknown ? SheetId::Schnell : sheet;
  return page != nullptr && page->sheet == pagesOf ? page->table : kUnknownTable;
}

}  // namespace tab
