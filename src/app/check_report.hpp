#pragma once
// The data-base check's report, as German text for people and as JSON or CSV (semicolons) for
// other tools, all three with the same fields: per Dienststelle what it delivered and its
// findings (sheet, table and page caption, class, kind, message, file, line), the findings of the
// program directory and data base first, a summary at the end.
#include <cstddef>
#include <string>

#include "app/data_base_check.hpp"

namespace tab {

enum class ReportFormat { Text, Json, Csv };

std::string FormatReport(const CheckReport& report, ReportFormat format);

// "2.417 Dienststellen geprüft, 113 mit Befunden, 1.024 Befunde"
std::string SummaryLine(const CheckReport& report);
// "1.200 / 5.000 Dienststellen, noch 12 s": how far the check is, the time left estimated from
// the time the done ones took.
std::string ProgressLine(std::size_t done, std::size_t total, double elapsedSeconds);

// A count with points between groups of three digits: 1.024.
std::string GermanCount(std::size_t count);
// "Warnung", "Information", "Fehler"; "Meldung" for any other kind.
const char* FindingKindName(MessageKind kind);
// The sheet's caption ("Schnell") and the table page's ("Tabelle 1", "Tab. 4.1"); empty where
// the finding names none.
std::string SheetCaption(SheetId sheet);
std::string TableCaption(SheetId sheet, int table);

}  // namespace tab
