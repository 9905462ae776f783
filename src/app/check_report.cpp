#include "app/check_report.hpp"

#include <cmath>
#include <string_view>
#include <vector>

#include "app/window_layout.hpp"
#include "records/text.hpp"

namespace tab {

namespace {

// ---- the fields every format shares ----------------------------------------------------------

struct ReportForm {
  const char* name;  // as the sheet page's hint calls it
  int files;
  int Delivery::*delivered;
};

constexpr ReportForm kReportForms[] = {
    {"Schnell-Meldung", kQuickReportFiles, &Delivery::quickReportFiles},
    {"Schul-Meldung", kSchoolReportFiles, &Delivery::schoolReportFiles},
    {"Lehrer-Meldung", kTeacherReportFiles, &Delivery::teacherReportFiles},
};
constexpr const char* kTeacherListName = "Lehrerliste";
constexpr const char* kClassesName = "Klassen";

std::string SheetNumber(SheetId sheet) {
  return sheet == SheetId::Unknown ? std::string() : std::to_string(static_cast<int>(sheet));
}

std::string TableNumber(const Finding& finding) {
  return finding.sheet == SheetId::Unknown || finding.table == kUnknownTable
             ? std::string()
             : std::to_string(finding.table);
}

std::string LineNumber(const Finding& finding) {
  return finding.line == 0 ? std::string() : std::to_string(finding.line);
}

// ---- text ------------------------------------------------------------------------------------

std::string CountOf(std::size_t count, const char* one, const char* many) {
  return GermanCount(count) + " " + (count == 1 ? one : many);
}

std::string DeliveryText(const Delivery& delivery) {
  std::vector<std::string> delivered;
  std::vector<std::string> missing;
  for (const ReportForm& form : kReportForms) {
    const int files = delivery.*form.delivered;
    if (files == 0) {
      missing.emplace_back(form.name);
    } else {
      delivered.push_back(std::string(form.name) + " (" + std::to_string(files) + " von " +
                          std::to_string(form.files) + " Dateien)");
    }
  }
  (delivery.teacherList ? delivered : missing).emplace_back(kTeacherListName);
  if (delivery.classes > 0) {
    delivered.push_back(CountOf(static_cast<std::size_t>(delivery.classes), "Klasse", "Klassen"));
  } else {
    missing.emplace_back(kClassesName);
  }
  const auto join = [](const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
  };
  std::string text = "Geliefert: " + (delivered.empty() ? std::string("nichts") : join(delivered));
  if (!missing.empty()) text += ". Nicht geliefert: " + join(missing);
  return text + ".";
}

// Findings of one message in a row (the records it could not place) are told once, with all
// their lines.
bool SameMessage(const Finding& a, const Finding& b) {
  return a.line != 0 && b.line != 0 && a.sheet == b.sheet && a.table == b.table &&
         a.classId == b.classId && a.kind == b.kind && a.text == b.text && a.file == b.file;
}

void AppendFindings(std::string& out, const std::vector<Finding>& findings) {
  for (std::size_t i = 0; i < findings.size();) {
    const Finding& finding = findings[i];
    std::vector<std::uint64_t> lines;
    std::size_t next = i;
    for (; next < findings.size() && (next == i || SameMessage(finding, findings[next])); ++next) {
      if (findings[next].line != 0) lines.push_back(findings[next].line);
    }
    out += "  ";
    out += FindingKindName(finding.kind);
    out += ":";
    std::string place;
    const auto add = [&place](const std::string& part) {
      if (!part.empty()) place += (place.empty() ? " " : ", ") + part;
    };
    add(SheetCaption(finding.sheet));
    add(TableCaption(finding.sheet, finding.table));
    if (!finding.classId.empty()) add("Klasse " + ValidUtf8(finding.classId));
    if (!finding.file.empty()) add("Datei " + ValidUtf8(finding.file));
    if (!lines.empty()) {
      std::string numbers;
      for (const std::uint64_t line : lines) {
        numbers += (numbers.empty() ? "" : ", ") + std::to_string(line);
      }
      add((lines.size() == 1 ? "Zeile " : "Zeilen ") + numbers);
    }
    out += place + "\n";
    std::size_t start = 0;
    const std::string text = ValidUtf8(finding.text);
    while (start <= text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      out += "    " + text.substr(start, end - start) + "\n";
      start = end + 1;
    }
    i = next;
  }
}

std::string TextReport(const CheckReport& report) {
  std::string out = "Prüfung der Datenbasis: " + ValidUtf8(report.dataBaseDirectory) + "\n";
  out += "Programmverzeichnis: " + ValidUtf8(report.programDirectory) + "\n";
  if (!report.general.empty()) {
    out += "\nProgrammverzeichnis und Datenbasis:\n";
    AppendFindings(out, report.general);
  }
  for (const SchoolCheck& school : report.schools) {
    out += "\nDienststelle " + ValidUtf8(school.school) + ":\n";
    out += "  " + DeliveryText(school.delivery) + "\n";
    if (school.findings.empty()) {
      out += "  Keine Befunde.\n";
    } else {
      AppendFindings(out, school.findings);
    }
  }
  if (report.cancelled) out += "\nDie Prüfung wurde abgebrochen.\n";
  return out + "\n" + SummaryLine(report) + "\n";
}

// ---- JSON ------------------------------------------------------------------------------------

std::string JsonNumberOrNull(const std::string& number) {
  return number.empty() ? "null" : number;
}

std::string FindingJson(const Finding& finding) {
  return "{\"school\":" + JsonString(finding.school) +
         ",\"sheet\":" + JsonString(SheetCaption(finding.sheet)) +
         ",\"sheetNumber\":" + JsonNumberOrNull(SheetNumber(finding.sheet)) +
         ",\"table\":" + JsonString(TableCaption(finding.sheet, finding.table)) +
         ",\"tableNumber\":" + JsonNumberOrNull(TableNumber(finding)) +
         ",\"class\":" + JsonString(finding.classId) +
         ",\"kind\":" + JsonString(FindingKindName(finding.kind)) +
         ",\"message\":" + JsonString(finding.text) + ",\"file\":" + JsonString(finding.file) +
         ",\"line\":" + JsonNumberOrNull(LineNumber(finding)) + "}";
}

// One finding a line, so that the report reads and compares well.
void AppendJsonFindings(std::string& out, const std::vector<Finding>& findings,
                        const char* indent) {
  if (findings.empty()) {
    out += "[]";
    return;
  }
  out += "[";
  for (std::size_t i = 0; i < findings.size(); ++i) {
    out += (i == 0 ? "\n" : ",\n") + std::string(indent) + FindingJson(findings[i]);
  }
  out += "]";
}

std::string JsonReport(const CheckReport& report) {
  std::string out = "{\n";
  out += "  \"dataBaseDirectory\": " + JsonString(report.dataBaseDirectory) + ",\n";
  out += "  \"programDirectory\": " + JsonString(report.programDirectory) + ",\n";
  out += "  \"cancelled\": " + std::string(report.cancelled ? "true" : "false") + ",\n";
  out += "  \"summary\": {\"schools\":" + std::to_string(report.schools.size()) +
         ",\"schoolsWithFindings\":" + std::to_string(report.SchoolsWithFindings()) +
         ",\"findings\":" + std::to_string(report.FindingCount()) + "},\n";
  out += "  \"general\": ";
  AppendJsonFindings(out, report.general, "    ");
  out += ",\n  \"schools\": [";
  for (std::size_t i = 0; i < report.schools.size(); ++i) {
    const SchoolCheck& school = report.schools[i];
    const Delivery& d = school.delivery;
    out += i == 0 ? "\n" : ",\n";
    out += "    {\"school\":" + JsonString(school.school) +
           ",\"directory\":" + JsonString(school.directory) +
           ",\"delivered\":{\"quickReport\":" + std::to_string(d.quickReportFiles) +
           ",\"schoolReport\":" + std::to_string(d.schoolReportFiles) +
           ",\"teacherReport\":" + std::to_string(d.teacherReportFiles) +
           ",\"teacherList\":" + (d.teacherList ? "true" : "false") +
           ",\"classes\":" + std::to_string(d.classes) + "},\n     \"findings\":";
    AppendJsonFindings(out, school.findings, "       ");
    out += "}";
  }
  out += report.schools.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

// ---- CSV -------------------------------------------------------------------------------------

std::string CsvField(std::string_view text) {
  const std::string valid = ValidUtf8(text);
  if (valid.find_first_of(";\"\n\r") == std::string::npos) return valid;
  std::string out = "\"";
  for (const char c : valid) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

void AppendCsvRow(std::string& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ';';
    out += CsvField(fields[i]);
  }
  out += "\r\n";
}

// The delivery columns of a school, empty for the findings of the program directory.
std::vector<std::string> DeliveryFields(const SchoolCheck* school) {
  if (school == nullptr) return {"", "", "", "", "", ""};
  const Delivery& d = school->delivery;
  return {school->school,
          std::to_string(d.quickReportFiles),
          std::to_string(d.schoolReportFiles),
          std::to_string(d.teacherReportFiles),
          d.teacherList ? "ja" : "nein",
          std::to_string(d.classes)};
}

std::vector<std::string> FindingFields(const Finding* finding) {
  if (finding == nullptr) return {"", "", "", "", "", "", "", "", ""};
  return {SheetCaption(finding->sheet),
          SheetNumber(finding->sheet),
          TableCaption(finding->sheet, finding->table),
          TableNumber(*finding),
          finding->classId,
          FindingKindName(finding->kind),
          finding->text,
          finding->file,
          LineNumber(*finding)};
}

void AppendCsvFinding(std::string& out, const SchoolCheck* school, const Finding* finding) {
  std::vector<std::string> fields = DeliveryFields(school);
  for (std::string& field : FindingFields(finding)) fields.push_back(std::move(field));
  AppendCsvRow(out, fields);
}

// One line per finding; a Dienststelle without findings still has its line, for its delivery.
std::string CsvReport(const CheckReport& report) {
  std::string out;
  AppendCsvRow(out, {"Dienststelle", kReportForms[0].name, kReportForms[1].name,
                     kReportForms[2].name, kTeacherListName, kClassesName, "Bogen", "Bogen-Nr.",
                     "Tabelle", "Tabellen-Nr.", "Klasse", "Art", "Meldung", "Datei", "Zeile"});
  for (const Finding& finding : report.general) AppendCsvFinding(out, nullptr, &finding);
  for (const SchoolCheck& school : report.schools) {
    if (school.findings.empty()) AppendCsvFinding(out, &school, nullptr);
    for (const Finding& finding : school.findings) AppendCsvFinding(out, &school, &finding);
  }
  return out;
}

}  // namespace

std::string FormatReport(const CheckReport& report, ReportFormat format) {
  switch (format) {
    case ReportFormat::Json:
      return JsonReport(report);
    case ReportFormat::Csv:
      return CsvReport(report);
    case ReportFormat::Text:
      break;
  }
  return TextReport(report);
}

std::string SummaryLine(const CheckReport& report) {
  return CountOf(report.schools.size(), "Dienststelle", "Dienststellen") + " geprüft, " +
         GermanCount(report.SchoolsWithFindings()) + " mit Befunden, " +
         CountOf(report.FindingCount(), "Befund", "Befunde");
}

std::string ProgressLine(std::size_t done, std::size_t total, double elapsedSeconds) {
  std::string line = GermanCount(done) + " / " + GermanCount(total) + " Dienststellen";
  if (done == 0 || done >= total) return line;
  const double left =
      elapsedSeconds / static_cast<double>(done) * static_cast<double>(total - done);
  const auto seconds = static_cast<std::size_t>(std::ceil(left));
  if (seconds < 100) return line + ", noch " + GermanCount(seconds) + " s";
  return line + ", noch " + GermanCount((seconds + 59) / 60) + " min";
}

std::string GermanCount(std::size_t count) {
  std::string digits = std::to_string(count);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, '.');
  return digits;
}

const char* FindingKindName(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return "Warnung";
    case MessageKind::Information:
      return "Information";
    case MessageKind::Error:
      return "Fehler";
    default:
      return "Meldung";
  }
}

std::string SheetCaption(SheetId sheet) {
  for (const SheetPageDesign& page : SheetPages()) {
    if (page.sheet == sheet) return page.caption;
  }
  return {};
}

std::string TableCaption(SheetId sheet, int table) {
  const TablePageDesign* page = FindTablePage(sheet, table);
  return page == nullptr ? std::string() : std::string(page->caption);
}

}  // namespace tab
