#include "tools/largedb/large_db.hpp"

#include <algorithm>
#include <array>
#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "app/settings.hpp"
#include "records/text.hpp"
#include "tools/textfiles/text_files.hpp"

namespace tab::largedb {

namespace {

namespace fs = std::filesystem;

// ---- writing ---------------------------------------------------------------------------------

using textfiles::WriteFile;

// The text of one file, line by line, each line ended by CR LF.
class Lines {
 public:
  // Fields separated by semicolons; the line is ended by End().
  Lines& Field(std::string_view text) {
    if (open_) text_ += ';';
    text_ += text;
    open_ = true;
    return *this;
  }
  Lines& Field(long long number) { return Field(std::string_view(std::to_string(number))); }
  Lines& Fields(std::initializer_list<std::string_view> texts) {
    for (std::string_view text : texts) Field(text);
    return *this;
  }
  void End() {
    text_ += "\r\n";
    open_ = false;
  }
  void Line(std::string_view text) {
    text_ += text;
    End();
  }
  // The capture-column ids ES001 to ES<n>: the first line of every data file.
  void IdLine(int n) { Line(textfiles::IdLine(n)); }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  bool open_ = false;
};

// ---- texts -----------------------------------------------------------------------------------

// The invented texts (UTF-8) in the data files' and the key files' code pages.
std::string Oem(std::string_view utf8) {
  return textfiles::Encode(utf8, CodePage::kCp850);
}
std::string Ansi(std::string_view utf8) {
  return textfiles::Encode(utf8, CodePage::kWindows1252);
}

constexpr std::array<std::string_view, 10> kSurnames = {"Müller",  "Schröder", "Krüger",  "Böhm",
                                                        "Jäger",   "Weiß",     "Özdemir", "Hübner",
                                                        "Schäfer", "Köhler"};
constexpr std::array<std::string_view, 8> kFirstNames = {"Jürgen", "Dörte", "Sören",  "Anke",
                                                         "Björn",  "Änne",  "Günter", "Ute"};

// ---- key files -------------------------------------------------------------------------------

struct KeyFile {
  const char* name;
  int codeWidth;
  const char* text;  // UTF-8; line i gets "<text> <i + 1>"
};

constexpr std::array<KeyFile, 18> kKeyFiles = {{
    {"SSSA.SSD", 2, "Schulart/Bildungsgang für Gesundheitsberufe"},
    {"SSSA-140.SSD", 4, "Schulart der Lehrerwochenstunden, Fachschule für Sozialwesen"},
    {"ILKLWS.SSD", 1, "teilbeschäftigte Lehrkräfte"},
    {"ILKLWS-4.SSD", 1, "Beschäftigungsumfang stundenweise beschäftigt"},
    {"SBBG1.SSD", 2, "Berufsfeld Ernährung und Hauswirtschaft"},
    {"SBBG2.SSD", 3, "Berufsgruppe Köche und Köchinnen"},
    {"SBBG3.SSD", 4, "Ausbildungsberuf Kaufmann/-frau für Büromanagement"},
    {"SBBG4.SSD", 5, "Gärtner/-in mit Schwerpunkt"},
    {"SBBG5.SSD", 4, "Assistent/-in für Ernährung"},
    {"SBBG6.SSD", 4, "Fachrichtung Agrarwirtschaft/Gärtnerei"},
    {"SBBG7.SSD", 3, "Fachoberschule - Gestaltung/Ökologie"},
    {"SHKK.SSD", 3, "Herkunftskreis Vorpommern-Rügen"},
    {"SLAND.SSD", 3, "Staat Österreich"},
    {"SSVB.SSD", 2, "Vorbildung mit Prüfung zur Berufsreife"},
    {"SSFSR.SSD", 2, "Fremdsprache Französisch"},
    {"SSAS.SSD", 1, "in berufsvorbereitender Maßnahme"},
    {"SSLTF.SSD", 2, "Tierwirt/-in - Geflügelhaltung"},
    {"SSUS.SSD", 2, "Wöchentliche Unterrichtsstunden"},
}};

const KeyFile& Key(std::string_view name) {
  for (const KeyFile& file : kKeyFiles) {
    if (name == file.name) return file;
  }
  throw std::logic_error("unknown key file");
}

std::string KeyText(const KeyFile& file, int index) {
  return std::string(file.text) + " " + std::to_string(index + 1);
}

// Prior schooling per occupation group: the block of every group of class table 9.
constexpr std::array<std::pair<const char*, const char*>, 7> kPriorSchooling = {{
    {"1", "ohne Berufsreife"},
    {"2", "Berufsreife"},
    {"3", "Mittlere Reife"},
    {"4", "Fachhochschulreife"},
    {"5", "Hochschulreife"},
    {"6", "sonstige Vorbildung (Abschluss im Ausland erworben, Prüfung anerkannt)"},
    {"9", "zusammen"},
}};

void WriteKeyFiles(const std::string& program, const Options& options, Layout& layout) {
  for (const KeyFile& file : kKeyFiles) {
    Lines lines;
    for (int i = 0; i < options.keyLines; ++i) {
      lines.Field(KeyCode(i, file.codeWidth)).Field(Ansi(KeyText(file, i))).End();
    }
    WriteFile(program + file.name, lines.Text());
    layout.keyFiles.emplace_back(file.name);
  }
  Lines lines;
  for (const auto& [code, text] : kPriorSchooling) lines.Field(code).Field(Ansi(text)).End();
  WriteFile(program + "SSVB0.SSD", lines.Text());
  layout.keyFiles.emplace_back("SSVB0.SSD");
}

// The codes of the first `count` lines of a key file (fewer when the file is shorter).
std::vector<std::string> FirstCodes(const KeyFile& file, int count, const Options& options) {
  std::vector<std::string> codes;
  for (int i = 0; i < count && i < options.keyLines; ++i)
    codes.push_back(KeyCode(i, file.codeWidth));
  return codes;
}

// A code that no key file has: the codes run from 1 up.
std::string MisfitCode(int width) {
  return std::string(static_cast<std::size_t>(width), '0');
}

// ---- records ---------------------------------------------------------------------------------

// `count` small counts, different from line to line.
void Counts(Lines& lines, int count, long long seed) {
  for (int k = 0; k < count; ++k) lines.Field((seed * (k + 3) + k * 7) % 41);
}

// A keyed data file: the id line, then one record per code.
void SaveKeyed(const std::string& path, int fields, const std::vector<std::string>& codes) {
  Lines lines;
  lines.IdLine(fields);
  long long seed = 1;
  for (const std::string& code : codes) {
    lines.Field(code);
    Counts(lines, fields - 1, seed++);
    lines.End();
  }
  WriteFile(path, lines.Text());
}

// A single-record data file: the id line and one record.
void SaveSingle(const std::string& path, int fields,
                std::initializer_list<std::string_view> values) {
  Lines lines;
  lines.IdLine(fields);
  lines.Fields(values).End();
  WriteFile(path, lines.Text());
}

std::string TeacherNumber(int i) {
  return std::to_string(100'000 + i);
}

std::string TeacherListLine(int i) {
  const auto n = static_cast<std::size_t>(i);
  return TeacherNumber(i) + ";" + Oem(kSurnames[n % kSurnames.size()]) + std::to_string(i) + ";" +
         Oem(kFirstNames[(n / kSurnames.size()) % kFirstNames.size()]);
}

// ---- the program directory -------------------------------------------------------------------

void WriteProgramDirectory(const std::string& program, const Options& options, Layout& layout) {
  WriteKeyFiles(program, options, layout);
  // The teacher list of the program directory: no id line.
  Lines list;
  for (int i = 0; i < options.teachers; ++i) list.Line(TeacherListLine(i));
  WriteFile(program + "LEHRER.CSV", list.Text());

  Settings settings = DefaultSettings();
  settings.schoolNumber = layout.bigSchool;
  settings.dataBaseDirectory = Utf8ToWin1252(layout.dataBaseDirectory);
  const SettingsRecord record = EncodeSettings(settings);
  WriteFile(program + kSettingsFileName,
            std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
}

// ---- the quick report (every Dienststelle) ---------------------------------------------------

// Tables 0 and 1 of the quick report and of the school report, in the folder `report`: the
// general data, and the classes and pupils of the school types that rows 1 to 31 take (30 types).
void SaveGeneralDataAndSchoolTypes(const std::string& report, const std::string& number,
                                   int typeFields, const Options& options, bool misfit) {
  SaveSingle(report + number + "00.CSV", 3,
             {number, Oem("Staatliches Schulamt Greifswald"), Oem("Landkreis Vorpommern-Rügen")});
  std::vector<std::string> types = FirstCodes(Key("SSSA.SSD"), 30, options);
  if (misfit) types.push_back(MisfitCode(Key("SSSA.SSD").codeWidth));
  SaveKeyed(report + number + "01.CSV", typeFields, types);
}

void WriteQuickReport(const std::string& school, const std::string& number, const Options& options,
                      bool misfit) {
  const std::string folder = school + "SCHNELL/";
  SaveGeneralDataAndSchoolTypes(folder, number, 18, options, misfit);
  // Table 2 takes rows 1 to 6 (5 scopes).
  SaveKeyed(folder + number + "02.CSV", 6, FirstCodes(Key("ILKLWS.SSD"), 5, options));
}

// ---- the school report of the big school -----------------------------------------------------

// The sizes of a school that delivers every report form.
struct SchoolSize {
  int classes;
  int teachers;
  int lines;     // of each list file of the school report and of its first class
  int groups;    // occupation groups in class table 9 of its first class
  bool misfits;  // records that no key row takes
};

void WriteSchoolReport(const std::string& school, const std::string& number, const Options& options,
                       const SchoolSize& size) {
  const std::string folder = school + "SCHULE/";
  SaveGeneralDataAndSchoolTypes(folder, number, 16, options, false);

  // Table 2: graduates by school type and year of birth.
  const std::vector<std::string> types = FirstCodes(Key("SSSA.SSD"), 30, options);
  Lines table2;
  table2.IdLine(18);
  for (int i = 1; i < size.lines; ++i) {
    table2.Field(types[static_cast<std::size_t>(i) % types.size()]).Field(1980 + i % 30);
    Counts(table2, 16, i);
    table2.End();
  }
  WriteFile(folder + number + "02.CSV", table2.Text());

  // Table 3: graduates by occupation; every fourth text is missing (the completion's work).
  const KeyFile& occupations = Key("SBBG3.SSD");
  Lines table3;
  table3.IdLine(9);
  for (int i = 1; i < size.lines; ++i) {
    const int code = (i * 7) % options.keyLines;
    table3.Field(i % 4 == 0 ? std::string() : Oem(KeyText(occupations, code)))
        .Field(KeyCode(code, occupations.codeWidth))
        .Field(24 + 12 * (i % 3));
    Counts(table3, 6, i);
    table3.End();
  }
  WriteFile(folder + number + "03.CSV", table3.Text());

  SaveSingle(folder + number + "04.CSV", 7, {"187", "38", "22", "9", "4", "71", "43"});
}

// ---- the teacher report of the big school ----------------------------------------------------

void WriteTeacherReport(const std::string& school, const std::string& number,
                        const Options& options, const SchoolSize& size) {
  // The school's identification list, last teacher first.
  Lines list;
  for (int i = size.teachers - 1; i >= 0; --i) list.Line(TeacherListLine(i));
  WriteFile(school + "LEHRER.CSV", list.Text());

  const std::string folder = school + "LEHRER/";
  SaveSingle(folder + number + "00.CSV", 1, {number});

  // Table 1: 59 fields per teacher, in another order than the list; one teacher in fifty is
  // unknown to the list and gets a row of his own.
  Lines table1;
  table1.IdLine(59);
  for (int i = 0; i < size.teachers; ++i) {
    const int teacher = (i * 7919) % size.teachers;
    table1.Field(i % 50 == 49 ? std::to_string(900'000 + i) : TeacherNumber(teacher))
        .Field(1950 + i % 45)
        .Field(1 + i % 2)
        .Fields({"000", "31", "1", "DE", "MA", i % 3 == 0 ? "EN" : "", "", ""})
        .Field(1 + i % 4)
        .Field(std::string_view())
        .Field(1 + i % 3)
        .Field(25)
        .Field(25 - i % 8);
    // Sabbatical, working-time account and partial retirement, reductions, hours at other
    // schools, overtime: mostly empty, one field in five filled.
    for (int k = 17; k <= 59; ++k) {
      if (k % 5 == 0) {
        table1.Field((i + k) % 4);
      } else {
        table1.Field(std::string_view());
      }
    }
    table1.End();
  }
  WriteFile(folder + number + "01.CSV", table1.Text());

  // Table 2 takes rows 1 to 30 (29 school types), table 3 rows 1 to 5 (4 scopes).
  std::vector<std::string> schoolTypes = FirstCodes(Key("SSSA-140.SSD"), 29, options);
  if (size.misfits) schoolTypes.push_back(MisfitCode(Key("SSSA-140.SSD").codeWidth));
  SaveKeyed(folder + number + "02.CSV", 12, schoolTypes);
  SaveKeyed(folder + number + "03.CSV", 7, FirstCodes(Key("ILKLWS-4.SSD"), 4, options));
}

// ---- the class report of the big school ------------------------------------------------------

// Six characters: school type, grade, letter, running number ("BS1A01").
std::string ClassId(int c) {
  static constexpr std::array<const char*, 6> kTypes = {"BS", "BF", "FO", "FG", "FS", "BV"};
  const int rest = c / static_cast<int>(kTypes.size());
  std::string id = kTypes[static_cast<std::size_t>(c) % kTypes.size()];
  id += static_cast<char>('1' + rest % 4);
  id += static_cast<char>('A' + (rest / 4) % 26);
  const int running = rest / 104 + 1;
  id += static_cast<char>('0' + running / 10);
  id += static_cast<char>('0' + running % 10);
  return id;
}

std::string ClassFile(const std::string& folder, const std::string& id, int table) {
  std::string path = folder + id;
  path += static_cast<char>('0' + table / 10);
  path += static_cast<char>('0' + table % 10);
  return path + ".CSV";
}

// The texts of the key lines a list file names, converted once.
struct OemKeyTexts {
  OemKeyTexts(const KeyFile& file, int count) : key(file) {
    for (int i = 0; i < count; ++i) texts.push_back(Oem(KeyText(file, i)));
  }
  const KeyFile& key;
  std::vector<std::string> texts;
};

// Table 3: pupils by country; one name in five and one code in seven missing.
void SaveCountries(const std::string& path, int records, const OemKeyTexts& countries) {
  Lines lines;
  lines.IdLine(6);
  const auto count = static_cast<int>(countries.texts.size());
  for (int i = 1; i <= records; ++i) {
    const int code = (i * 13) % count;
    lines.Field(i % 5 == 0 ? std::string_view() : countries.texts[static_cast<std::size_t>(code)])
        .Field(i % 7 == 0 ? std::string() : KeyCode(code, countries.key.codeWidth));
    Counts(lines, 4, i);
    lines.End();
  }
  WriteFile(path, lines.Text());
}

// Table 8: trainees by occupation and district of origin; texts and codes partly missing.
void SaveTrainees(const std::string& path, int records, const OemKeyTexts& occupations,
                  const OemKeyTexts& districts) {
  Lines lines;
  lines.IdLine(7);
  const auto occupationCount = static_cast<int>(occupations.texts.size());
  const auto districtCount = static_cast<int>(districts.texts.size());
  for (int i = 1; i <= records; ++i) {
    const int occupation = (i * 11) % occupationCount;
    const int district = (i * 3) % districtCount;
    lines
        .Field(records + 1 - i)  // row numbers in falling order (the row-number sort's work)
        .Field(i % 5 == 0 ? std::string_view()
                          : occupations.texts[static_cast<std::size_t>(occupation)])
        .Field(KeyCode(occupation, occupations.key.codeWidth))
        .Field(i % 7 == 0 ? std::string_view()
                          : districts.texts[static_cast<std::size_t>(district)])
        .Field(i % 11 == 0 ? std::string() : KeyCode(district, districts.key.codeWidth));
    Counts(lines, 2, i);
    lines.End();
  }
  WriteFile(path, lines.Text());
}

// Table 1: pupils by year of birth.
void SaveBirthYears(const std::string& path, int records) {
  Lines lines;
  lines.IdLine(5);
  for (int i = 1; i <= records; ++i) {
    lines.Field(1985 + (i * 17) % 25);
    Counts(lines, 4, i);
    lines.End();
  }
  WriteFile(path, lines.Text());
}

// Table 9: the block of all trainees and one block per occupation group, a record per prior
// schooling key; every third group name is missing.
void SaveGroups(const std::string& path, int groups, const OemKeyTexts& groupNames) {
  Lines lines;
  lines.IdLine(5);
  const std::string allTrainees = Oem("Auszubildende insgesamt");
  for (const auto& [key, text] : kPriorSchooling) {
    lines.Fields({allTrainees, "9999", key});
    Counts(lines, 2, key[0]);
    lines.End();
  }
  const auto count = static_cast<int>(groupNames.texts.size());
  for (int g = 0; g < groups; ++g) {
    const int group = g % count;
    for (const auto& [key, text] : kPriorSchooling) {
      lines
          .Field(g % 3 == 2 ? std::string_view()
                            : groupNames.texts[static_cast<std::size_t>(group)])
          .Field(KeyCode(group, groupNames.key.codeWidth))
          .Field(key);
      Counts(lines, 2, g + key[0]);
      lines.End();
    }
  }
  WriteFile(path, lines.Text());
}

struct ClassKeys {
  explicit ClassKeys(const Options& options)
      : countries(Key("SLAND.SSD"), std::min(options.keyLines, 250)),
        occupations(Key("SBBG3.SSD"), std::min(options.keyLines, 1000)),
        districts(Key("SHKK.SSD"), std::min(options.keyLines, 100)),
        groups(Key("SBBG2.SSD"), std::min(options.keyLines, 1000)),
        priorSchooling(FirstCodes(Key("SSVB.SSD"), 11, options)),
        languages(FirstCodes(Key("SSFSR.SSD"), 14, options)),
        trainingStatus(FirstCodes(Key("SSAS.SSD"), 6, options)),
        agriculture(FirstCodes(Key("SSLTF.SSD"), 10, options)),
        lessonHours(FirstCodes(Key("SSUS.SSD"), 12, options)) {}
  OemKeyTexts countries;
  OemKeyTexts occupations;
  OemKeyTexts districts;
  OemKeyTexts groups;
  // The keyed tables take rows 1 to 12, 15, 7, 11 and 13: one record per key row.
  std::vector<std::string> priorSchooling;
  std::vector<std::string> languages;
  std::vector<std::string> trainingStatus;
  std::vector<std::string> agriculture;
  std::vector<std::string> lessonHours;
};

// Eleven files for one class; `records` lines in each list file (tables 1, 3, 8) besides the
// id line, `groups` occupation groups in table 9.
void WriteClass(const std::string& folder, const std::string& school, const std::string& id, int c,
                int records, int groups, const ClassKeys& keys, bool misfit) {
  const std::string type = KeyCode(c % 30, 2);
  const std::string grade = std::to_string(1 + c % 4);
  SaveSingle(ClassFile(folder, id, 0), 6, {school, type, id, "1", grade, "1"});
  SaveBirthYears(ClassFile(folder, id, 1), records);
  std::vector<std::string> priorSchooling = keys.priorSchooling;
  // The class tables count only records without a key; one with an unknown key is dropped.
  if (misfit) priorSchooling.emplace_back();
  SaveKeyed(ClassFile(folder, id, 2), 5, priorSchooling);
  SaveCountries(ClassFile(folder, id, 3), records, keys.countries);
  SaveKeyed(ClassFile(folder, id, 4), 5, keys.languages);
  SaveKeyed(ClassFile(folder, id, 5), 3, keys.trainingStatus);
  SaveKeyed(ClassFile(folder, id, 6), 3, keys.agriculture);
  SaveKeyed(ClassFile(folder, id, 7), 5, keys.lessonHours);
  SaveTrainees(ClassFile(folder, id, 8), records, keys.occupations, keys.districts);
  SaveGroups(ClassFile(folder, id, 9), groups, keys.groups);
  SaveSingle(ClassFile(folder, id, 10), 5, {"22", "22", "0", "0", "0"});
}

// Returns the class ids in the order written. The first class has the list files of the size
// given; the others are of a class's usual size.
std::vector<std::string> WriteClassReport(const std::string& school, const std::string& number,
                                          const SchoolSize& size, const ClassKeys& keys) {
  const std::string folder = school + "KLASSE/";
  std::vector<std::string> ids;
  for (int c = 0; c < size.classes; ++c) {
    const std::string id = ClassId(c);
    ids.push_back(id);
    if (c == 0) {
      WriteClass(folder, number, id, c, size.lines - 1, size.groups, keys, size.misfits);
    } else {
      WriteClass(folder, number, id, c, 5 + c % 20, 2 + c % 3, keys, false);
    }
  }
  return ids;
}

std::string WithSlash(const fs::path& path) {
  std::string text = path.lexically_normal().string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

}  // namespace

std::string KeyCode(int index, int width) {
  std::string code = std::to_string(index + 1);
  if (static_cast<int>(code.size()) < width) {
    code.insert(0, static_cast<std::size_t>(width) - code.size(), '0');
  }
  return code;
}

std::string CheckOptions(const Options& options) {
  struct Range {
    const char* name;
    int value;
    int min;
    int max;
  };
  // Dienststellen are numbered 13000 and up with five digits; class ids have room for 61,776
  // classes; keyed tables need their first 30 codes.
  const std::array<Range, 8> ranges = {{{"--schools", options.schools, 1, 86'999},
                                        {"--classes", options.classes, 1, 61'776},
                                        {"--teachers", options.teachers, 1, 899'999},
                                        {"--lines", options.lines, 2, 50'000'000},
                                        {"--key-lines", options.keyLines, 30, 1'000'000},
                                        {"--groups", options.groups, 0, 1'000'000},
                                        {"--usual-schools", options.usualSchools, 0, 86'998},
                                        {"--misfit-every", options.misfitEvery, 0, 86'998}}};
  for (const Range& range : ranges) {
    if (range.value < range.min || range.value > range.max) {
      return std::string(range.name) + " muss zwischen " + std::to_string(range.min) + " und " +
             std::to_string(range.max) + " liegen (angegeben: " + std::to_string(range.value) +
             ").";
    }
  }
  return {};
}

Layout WriteLargeDataBase(const std::string& folder, const Options& options) {
  if (const std::string problem = CheckOptions(options); !problem.empty()) {
    throw std::runtime_error(problem);
  }
  const fs::path root = fs::absolute(folder);
  Layout layout;
  layout.programDirectory = WithSlash(root / "program");
  layout.dataBaseDirectory = WithSlash(root / "db");
  layout.bigSchool = std::to_string(13'000);
  WriteProgramDirectory(layout.programDirectory, options, layout);
  const ClassKeys keys(options);
  for (int i = 0; i < options.schools; ++i) {
    const std::string number = std::to_string(13'000 + i);
    const std::string school = layout.dataBaseDirectory + number + "/";
    const bool big = i == 0;
    const bool usual = i >= 1 && i <= options.usualSchools;
    const bool misfits = usual && options.misfitEvery > 0 && (i - 1) % options.misfitEvery == 0;
    WriteQuickReport(school, number, options, misfits);
    if (!big && !usual) continue;
    const SchoolSize size =
        big ? SchoolSize{options.classes, options.teachers, options.lines, options.groups, false}
            : SchoolSize{kUsualClasses, kUsualTeachers, kUsualLines, 3, misfits};
    WriteSchoolReport(school, number, options, size);
    WriteTeacherReport(school, number, options, size);
    std::vector<std::string> classes = WriteClassReport(school, number, size, keys);
    if (misfits) layout.misfitSchools.push_back(number);
    if (!big) continue;
    layout.bigClass = classes.front();
    layout.classes = std::move(classes);
  }
  return layout;
}

}  // namespace tab::largedb
