#include "app/window_layout.hpp"

#include <array>

namespace tab {

namespace {

using C = GridColour;

// Initial sizes as designed; the set-up of each table resizes its grid.
constexpr std::array kGrids = {
    GridDesign{1, 4, 3, 1, 120, false, true, C::Plain, "allgemeine Angaben"},
    GridDesign{2, 20, 32, 2, 100, true, true, C::Plain,
               "Klassen und Schüler nach Schularten/Bildungsgängen/Zeitformen u. "
               "Jahrgangsstufen sowie Lehrerwochenstunden und Teilungsstunden"},
    GridDesign{3, 8, 7, 2, 90, true, true, C::Plain, "Lehrkräfte, Lehrerwochenstunden"},
    GridDesign{4, 4, 3, 1, 120, false, true, C::School, "allgemeine Angaben"},
    GridDesign{5, 18, 39, 2, 100, true, true, C::School,
               "Klassen und Schüler/-innen nach Schularten/Bildungsgängen/Zeitformen und "
               "Jahrgangsstufen"},
    GridDesign{6, 19, 10, 1, 170, true, true, C::School,
               "Absolventen/Abgänger des (vergangenen) Schuljahres (...) nach Schularten, "
               "Geburtsjahren und Abschlussarten"},
    GridDesign{7, 10, 5, 1, 170, true, true, C::School,
               "Absolventen/Abgänger des (vergangenen) Schuljahres (...) nach Berufen"},
    GridDesign{8, 8, 3, 1, 120, false, true, C::School,
               "Schüler/-innen mit Religionsunterricht an der berichtenden Schule"},
    GridDesign{9, 2, 3, 1, 120, false, true, C::Teacher, "allgemeine Angaben"},
    GridDesign{10, 4, 51, 1, 120, true, true, C::Identification,
               "Identifizierungs- bzw. Zuordnungstabelle:   Nr. <==> Lehrer / "
               "Hilfsinformationen (verbleiben an der Schule)"},
    GridDesign{11, 61, 10, 2, 120, true, true, C::Teacher, "Angaben je Lehrkraft"},
    GridDesign{13, 14, 31, 2, 120, true, true, C::Teacher,
               "Wöchentlich tatsächlich erteilte Unterrichtsstunden der Lehrer/-innen nach "
               "Schularten"},
    GridDesign{14, 9, 6, 2, 100, true, true, C::Teacher,
               "Lehrkräfte für Religionsunterricht an der berichtenden Schule"},
    GridDesign{17, 7, 3, 1, 80, false, true, C::Class, "Allgemeine Angaben"},
    GridDesign{18, 6, 10, 1, 90, true, true, C::Class, "Schüler/-innen nach Geburtsjahren"},
    GridDesign{20, 7, 13, 2, 100, true, true, C::Class,
               "Schüler/-innen nach schulischer Vorbildung"},
    GridDesign{19, 7, 10, 1, 100, false, true, C::Class,
               "Ausländische Schüler/-innen nach Staatsangehörigkeit"},
    GridDesign{21, 7, 15, 2, 100, true, true, C::Class,
               "Am Fremdsprachen- und/oder Religions- und Sportunterricht der beruflichen "
               "Schule teilnehmende Schüler/-innen"},
    GridDesign{27, 6, 3, 1, 80, false, false, C::Class,
               "Schüler/-innen mit fremdsprachlichem Unterricht nach der Anzahl der derzeit "
               "gelernten Sprachen"},
    GridDesign{22, 5, 8, 2, 60, false, true, C::Class, "Schüler/-innen nach Ausbildungsstatus"},
    GridDesign{24, 5, 12, 2, 60, false, true, C::Class,
               "Schüler/-innen in der Land-, Tier-, Forstwirtschaft und im Gartenbau"},
    GridDesign{23, 7, 14, 2, 160, true, true, C::Class,
               "Schüler/-innen nach wöchentlich tatsächlich erteilten Unterrichtsstunden"},
    GridDesign{25, 8, 30, 1, 150, true, true, C::Class,
               "Schüler/-innen nach Berufen, Berufsfeldern bzw. Fachrichtungen und "
               "Herkunftskreisen"},
    GridDesign{26, 7, 9, 2, 80, true, true, C::Class,
               "Schüler/-innen mit Ausbildungsvertrag nach Berufsgruppen und schulischer "
               "Vorbildung"},
};

constexpr std::array kSheetPages = {
    SheetPageDesign{"TabSheet1", 0, "Schnell", "Schnell-Meldung", "PageControl2",
                    "Tabellen der Schnellmeldung"},
    SheetPageDesign{"TabSheet2", 1, "Schule", "Schul-Meldung", "PageControl3",
                    "Tabellen der Schul-Meldung"},
    SheetPageDesign{"TabSheet3", 2, "Lehrer", "Lehrer-Meldung", "PageControl4",
                    "Tabellen der Lehrer-Bogen"},
    SheetPageDesign{"TabSheet4", 3, "Klasse", "Klassen-Meldung", "PageControl5",
                    "Tabellen der Klassen-Meldung"},
};

constexpr std::array kTablePages = {
    TablePageDesign{"TabSheet5", 0, 0, "Tabelle 0", {1, 0}},
    TablePageDesign{"TabSheet6", 0, 1, "Tabelle 1", {2, 0}},
    TablePageDesign{"TabSheet7", 0, 2, "Tabelle 2", {3, 0}},
    TablePageDesign{"TabSheet8", 1, 0, "Tabelle 0", {4, 0}},
    TablePageDesign{"TabSheet9", 1, 1, "Tabelle 1", {5, 0}},
    TablePageDesign{"TabSheet10", 1, 2, "Tabelle 2", {6, 0}},
    TablePageDesign{"TabSheet11", 1, 3, "Tabelle 3", {7, 0}},
    TablePageDesign{"TabSheet12", 1, 4, "Tabelle 4", {8, 0}},
    TablePageDesign{"TabSheet13", 2, 0, "Identifizierung + Tabelle 0", {10, 9}},
    TablePageDesign{"TabSheet14", 2, 1, "Tabelle 1", {11, 0}},
    TablePageDesign{"TabSheet16", 2, 2, "Tabelle 2", {13, 0}},
    TablePageDesign{"TabSheet17", 2, 3, "Tabelle 3", {14, 0}},
    TablePageDesign{"TabSheet20", 3, 0, "Tab. 0", {17, 0}},
    TablePageDesign{"TabSheet21", 3, 1, "Tab. 1", {18, 0}},
    TablePageDesign{"TabSheet29", 3, 2, "Tab. 2", {20, 0}},
    TablePageDesign{"TabSheet22", 3, 3, "Tab. 3", {19, 0}},
    TablePageDesign{"TabSheet23", 3, 4, "Tab. 4", {21, 0}},
    TablePageDesign{"TabSheet30", 3, 10, "Tab. 4.1", {27, 0}},
    TablePageDesign{"TabSheet24", 3, 5, "Tab. 5", {22, 0}},
    TablePageDesign{"TabSheet26", 3, 6, "Tab. 6", {24, 0}},
    TablePageDesign{"TabSheet25", 3, 7, "Tab. 7", {23, 0}},
    TablePageDesign{"TabSheet27", 3, 8, "Tab. 8", {25, 0}},
    TablePageDesign{"TabSheet28", 3, 9, "Tab. 9", {26, 0}},
};

constexpr std::array kButtons = {
    ButtonDesign{"Button17", "TabSheet10", 6, "Zeilen sortieren"},
    ButtonDesign{"Button20", "TabSheet11", 7, "Zeilen sortieren"},
    ButtonDesign{"Button21", "TabSheet11", 7, "Texte (Beruf, Berufsgr., Fachr.) ergänzen"},
    ButtonDesign{"Button24", "TabSheet13", 10, "nach Nummern sortieren"},
    ButtonDesign{"Button33", "TabSheet14", 11, "nach Nummern sortieren"},
    ButtonDesign{"Button44", "TabSheet21", 18, "nach Geburtsjahr sortieren"},
    ButtonDesign{"Button26", "TabSheet22", 19, "nach Länderschlüssel sortieren"},
    ButtonDesign{"Button64", "TabSheet22", 19, "Texte (Länder) ergänzen"},
    ButtonDesign{"Button65", "TabSheet22", 19, "Schlüssel (Länder) ergänzen"},
    ButtonDesign{"Button57", "TabSheet27", 25, "Texte (Ausbildungsrichtung) ergänzen"},
    ButtonDesign{"Button58", "TabSheet27", 25, "Texte (Herkunftskreise) ergänzen"},
    ButtonDesign{"Button59", "TabSheet27", 25, "Schlüssel (Herkunftskreise) ergänzen"},
    ButtonDesign{"Button63", "TabSheet27", 25, "nach Zeilennummern sortieren"},
    ButtonDesign{"Button61", "TabSheet28", 26, "nach Berufsgruppen sortieren"},
    ButtonDesign{"Button62", "TabSheet28", 26, "Texte (Berufsgruppen) ergänzen"},
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

}  // namespace

std::span<const char* const> IdentificationNoteLines() { return kIdentificationNote; }

std::span<const GridDesign> GridDesigns() { return kGrids; }

const GridDesign* FindGridDesign(int number) {
  for (const GridDesign& grid : kGrids) {
    if (grid.number == number) return &grid;
  }
  return nullptr;
}

std::span<const SheetPageDesign> SheetPages() { return kSheetPages; }
std::span<const TablePageDesign> TablePages() { return kTablePages; }
std::span<const ButtonDesign> Buttons() { return kButtons; }

const ButtonDesign* FindButton(std::string_view name) {
  for (const ButtonDesign& button : kButtons) {
    if (name == button.name) return &button;
  }
  return nullptr;
}

const TablePageDesign* FindTablePage(std::string_view name) {
  for (const TablePageDesign& page : kTablePages) {
    if (name == page.name) return &page;
  }
  return nullptr;
}

int SheetIndexOfPage(std::string_view sheetPage) {
  for (const SheetPageDesign& page : kSheetPages) {
    if (sheetPage == page.name) return page.sheet;
  }
  return kUnknownIndex;
}

int TableIndexOfPage(int sheet, std::string_view tablePage) {
  // An unknown sheet consults the quick report's pages.
  const int pagesOf = sheet == kUnknownIndex ? 0 : sheet;
  const TablePageDesign* page = FindTablePage(tablePage);
  return page != nullptr && page->sheet == pagesOf ? page->table : kUnknownIndex;
}

}  // namespace tab
