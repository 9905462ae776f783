#include "tools/demo/demo.hpp"

#include <algorithm>
#include <charconv>
#include <map>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "tools/textfiles/text_files.hpp"

namespace tab::demo {
namespace {

// ---- writers ---------------------------------------------------------------------------------

// The lines of a block written as a raw string literal: the line break right after its opening
// and the one right before its closing only lay the block out.
std::vector<std::string> Lines(std::string_view block) {
  if (block.starts_with('\n')) block.remove_prefix(1);
  if (block.ends_with('\n')) block.remove_suffix(1);
  std::vector<std::string> lines;
  if (block.empty()) return lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = block.find('\n', start);
    lines.emplace_back(block.substr(start, end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

[[noreturn]] void Refuse(const std::string& file, const std::string& what) {
  throw std::logic_error("demo: " + file + ": " + what);
}

// Rejects characters that no field may hold (TAB, double quote).
void CheckChars(const std::string& file, std::string_view line) {
  if (line.find_first_of("\t\"") != std::string_view::npos) {
    Refuse(file, "TAB or double quote in: " + std::string(line));
  }
}

std::size_t Semicolons(std::string_view line) {
  return static_cast<std::size_t>(std::count(line.begin(), line.end(), ';'));
}

// The files of the demo, by their path below the target folder ("program/SSSA.SSD").
class Demo {
 public:
  explicit Demo(std::string folder) : folder_(std::move(folder)) {
    if (!folder_.empty() && !folder_.ends_with('/')) folder_ += '/';
  }

  // program/NAME: "code;text" lines, in Windows-1252.
  void KeyFile(const std::string& name, std::string_view block) const {
    const std::vector<std::string> lines = Lines(block);
    for (const std::string& line : lines) {
      CheckChars(name, line);
      if (Semicolons(line) != 1) Refuse(name, "not code;text: " + line);
    }
    textfiles::WriteLines(folder_ + "program/" + name, lines, CodePage::kWindows1252);
  }

  // A data file with `fields` fields: the id line, then the records, in CP850. Every record must
  // have exactly `fields` fields; an empty line is let through (it stands for a damaged record).
  void Table(const std::string& path, int fields, std::vector<std::string> records) const {
    for (const std::string& record : records) {
      CheckChars(path, record);
      if (!record.empty() && Semicolons(record) + 1 != static_cast<std::size_t>(fields)) {
        Refuse(path, std::to_string(Semicolons(record) + 1) + " fields instead of " +
                         std::to_string(fields) + ": " + record);
      }
    }
    records.insert(records.begin(), textfiles::IdLine(fields));
    textfiles::WriteLines(folder_ + path, records, CodePage::kCp850);
  }
  // The records as a block of lines.
  void Table(const std::string& path, int fields, const char* block) const {
    Table(path, fields, Lines(block));
  }

  // A file in CP850 as it is: the teacher lists, which have no id line.
  void OemFile(const std::string& path, std::string_view block) const {
    textfiles::WriteLines(folder_ + path, Lines(block), CodePage::kCp850);
  }

  void EmptyFile(const std::string& path) const { textfiles::WriteFile(folder_ + path, ""); }

 private:
  std::string folder_;
};

// db/13001/SCHNELL/1300101.CSV: table 01 of the quick report of Dienststelle 13001.
std::string ReportFile(const std::string& school, const std::string& report,
                       std::string_view table) {
  return "db/" + school + "/" + report + "/" + school + std::string(table) + ".CSV";
}

// db/13001/KLASSE/BS1A0105.CSV: table 05 of class BS1A01.
std::string ClassFile(const std::string& school, const std::string& classId,
                      std::string_view table) {
  return "db/" + school + "/KLASSE/" + classId + std::string(table) + ".CSV";
}

// ---- record builders -------------------------------------------------------------------------

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  while (!text.empty()) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) break;
    text.remove_prefix(start);
    const std::size_t end = std::min(text.find(' '), text.size());
    words.push_back(text.substr(0, end));
    text.remove_prefix(end);
  }
  return words;
}

// A count; "-" (a grade that does not exist) and an empty field count as 0.
int Number(std::string_view word) {
  if (word.empty() || word == "-") return 0;
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) {
    throw std::logic_error("demo: not a number: " + std::string(word));
  }
  return value;
}

std::string N(int number) {
  return std::to_string(number);
}

// The fields separated by semicolons.
std::string Join(const std::vector<std::string_view>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ';';
    line += fields[i];
  }
  return line;
}

// The words as fields, "-" turned into an empty field.
std::string DashEmpty(std::string_view text) {
  std::vector<std::string_view> fields = Words(text);
  for (std::string_view& field : fields) {
    if (field == "-") field = {};
  }
  return Join(fields);
}

// The sum of the words.
std::string Sum(std::string_view text) {
  int total = 0;
  for (std::string_view word : Words(text)) total += Number(word);
  return N(total);
}

// Pairs written "total/female" (or "together/female").
struct Pair {
  std::string_view total;
  std::string_view female;
};
std::vector<Pair> Pairs(std::string_view text) {
  std::vector<Pair> pairs;
  for (std::string_view word : Words(text)) {
    pairs.push_back({word.substr(0, word.rfind('/')), word.substr(word.find('/') + 1)});
  }
  return pairs;
}
// Both values of every pair, in order.
std::string PairFields(std::string_view text) {
  std::vector<std::string_view> fields;
  for (const Pair& pair : Pairs(text)) {
    fields.push_back(pair.total);
    fields.push_back(pair.female);
  }
  return Join(fields);
}

// Classes and pupils by school type, shared by quick report table 1 and school table 1: code,
// classes of grades 1-5, pupils of grades 1-5 (five words each, "-" for a grade that does not
// exist), female, foreign, foreign female, disabled, teacher weekly hours target, extra division
// hours.
struct SchoolType {
  std::string_view code;
  std::string_view classes;
  std::string_view pupils;
  int female;
  int foreign;
  int foreignFemale;
  int disabled;
  int teacherHours;
  int divisionHours;
};

std::string QuickRecord(const SchoolType& t) {
  return Join({t.code, Sum(t.classes), DashEmpty(t.classes), DashEmpty(t.pupils), Sum(t.pupils),
               N(t.female), N(t.foreign), N(t.disabled), N(t.teacherHours), N(t.divisionHours)});
}

std::string SchoolRecord(const SchoolType& t) {
  return Join({t.code, Sum(t.classes), DashEmpty(t.classes), Sum(t.pupils), DashEmpty(t.pupils),
               N(t.female), N(t.foreign), N(t.foreignFemale)});
}

template <typename Record>
std::vector<std::string> Records(const std::vector<SchoolType>& types, Record record) {
  std::vector<std::string> records;
  for (const SchoolType& type : types) records.push_back(record(type));
  return records;
}

// Graduates and leavers (school table 2): school type, year of birth, then pairs "total/female"
// for: leaving certificate, final certificate, Berufsreife, Mittlere Reife, Fachhochschulreife,
// Hochschulreife, without certificate type. The totals are the sum of leaving, final and no
// certificate.
std::string GraduatesRecord(std::string_view code, std::string_view year, std::string_view pairs) {
  int total = 0;
  int female = 0;
  const std::vector<Pair> given = Pairs(pairs);
  for (const std::size_t i : {0u, 1u, 6u}) {
    total += Number(given.at(i).total);
    female += Number(given.at(i).female);
  }
  return Join({code, year, N(total), N(female), PairFields(pairs)});
}

// Graduates and leavers by occupation (school table 3): text, code, duration in months, pairs
// "total/female" for final certificate, leaving certificate, without certificate type.
std::string OccupationRecord(std::string_view text, std::string_view code, std::string_view months,
                             std::string_view pairs) {
  return Join({text, code, months, PairFields(pairs)});
}

// One teacher of teacher table 1 (59 fields). Target hours = contract hours + increases; hours to
// teach = target hours minus reductions; hours at this school = hours to teach minus hours at
// other schools.
struct Teacher {
  std::string_view number;
  std::string_view birthYear;
  std::string_view sex;
  std::string_view nationality;
  std::string_view teachingQualification;
  std::string_view professionalQualification;
  std::string_view subjects;  // five words, "-" for none
  std::string_view scope;     // employment scope
  std::string_view change;    // change of stock
  std::string_view group;     // group of persons
  std::string_view standardLoad;
  std::string_view contractHours;
  std::string_view sabbatical;  // the increases: by sabbatical, working-time account, partial
  std::string_view account;     // retirement
  std::string_view retirement;
  std::string_view reductions;    // reduction hours as "type=hours ..."
  std::string_view otherSchools;  // hours at other schools as "type=hours ..."
  std::string_view overtime;
};

constexpr std::array<std::string_view, 24> kReductionTypes = {
    "10", "21", "22", "31", "32", "33", "41", "42", "43", "47", "49", "50",
    "51", "52", "53", "54", "55", "81", "82", "91", "92", "93", "94", "95"};
constexpr std::array<std::string_view, 11> kOtherSchoolTypes = {
    "01", "02", "03", "05", "06", "07a", "07b", "09", "10", "11", "12"};

// Hours given as "type=hours ..." in one column per type (empty where none are given); `total`
// is their sum.
template <std::size_t n>
std::string HoursColumns(std::string_view given, const std::array<std::string_view, n>& types,
                         int& total) {
  std::map<std::string_view, std::string_view> hours;
  for (std::string_view item : Words(given)) {
    hours[item.substr(0, item.rfind('='))] = item.substr(item.find('=') + 1);
  }
  std::vector<std::string_view> fields;
  total = 0;
  for (std::string_view type : types) {
    const auto found = hours.find(type);
    const std::string_view value = found == hours.end() ? std::string_view() : found->second;
    fields.push_back(value);
    total += Number(value);
  }
  return Join(fields);
}

std::string TeacherRecord(const Teacher& t) {
  int reduced = 0;
  int elsewhere = 0;
  const std::string reductions = HoursColumns(t.reductions, kReductionTypes, reduced);
  const std::string otherSchools = HoursColumns(t.otherSchools, kOtherSchoolTypes, elsewhere);
  const int target =
      Number(t.contractHours) + Number(t.sabbatical) + Number(t.account) + Number(t.retirement);
  const int toTeach = target - reduced;
  return Join({t.number,
               t.birthYear,
               t.sex,
               t.nationality,
               t.teachingQualification,
               t.professionalQualification,
               DashEmpty(t.subjects),
               t.scope,
               t.change,
               t.group,
               t.standardLoad,
               t.contractHours,
               N(target),
               t.sabbatical,
               t.account,
               t.retirement,
               reductions,
               N(toTeach),
               N(toTeach - elsewhere),
               N(elsewhere),
               otherSchools,
               t.overtime});
}

// Weekly lesson hours by school type (teacher table 2): code, target, by timetable, then pairs
// "together/female" for full-time staff, part-time staff, extra work of staff, extra work of
// hourly-paid staff. Lessons given in total = the sum of the four "together" values.
std::string LessonHoursRecord(std::string_view code, std::string_view target,
                              std::string_view timetable, std::string_view pairs) {
  int total = 0;
  for (const Pair& pair : Pairs(pairs)) total += Number(pair.total);
  return Join({code, target, timetable, N(total), PairFields(pairs)});
}

// ---- the program directory -------------------------------------------------------------------

void WriteKeyFiles(const Demo& demo) {
  // School types, educational courses and time forms (quick report table 1, school table 1).
  demo.KeyFile("SSSA.SSD", R"(
01;Berufsschule - Fachklassen duale Ausbildung/Teilzeit
02;Berufsschule - Fachklassen duale Ausbildung/Blockunterricht
03;Berufsschule - Klassen für Jugendliche ohne Ausbildungsvertrag
04;Berufsvorbereitungsjahr/Vollzeit
05;Berufsvorbereitungsjahr - kooperative Form
06;Berufsvorbereitende Bildungsmaßnahme/Teilzeit
07;Berufsgrundbildungsjahr/Vollzeit
08;Berufsfachschule - Assistentenberufe/Vollzeit
09;Berufsfachschule - Sozialassistenz/Vollzeit
10;Berufsfachschule - Gesundheitsfachberufe/Vollzeit
11;Berufsfachschule/Teilzeit
12;Höhere Berufsfachschule/Vollzeit
13;Fachoberschule 1-jährig/Vollzeit
14;Fachoberschule 2-jährig/Vollzeit
15;Fachoberschule/Teilzeit
16;Fachgymnasium - Wirtschaft
17;Fachgymnasium - Technik
18;Fachgymnasium - Gesundheit und Soziales
19;Fachschule - Technik/Vollzeit
20;Fachschule - Technik/Teilzeit
21;Fachschule - Wirtschaft/Vollzeit
22;Fachschule - Wirtschaft/Teilzeit
23;Fachschule - Sozialwesen/Vollzeit
24;Fachschule - Sozialwesen/Teilzeit
25;Fachschule - Agrarwirtschaft/Vollzeit
26;Berufsoberschule/Vollzeit
)");
  // School types for the teachers' weekly hours (teacher table 2).
  demo.KeyFile("SSSA-140.SSD", R"(
0110;Berufsschule - Fachklassen duale Ausbildung/Teilzeit
0120;Berufsschule - Fachklassen duale Ausbildung/Blockunterricht
0130;Berufsschule - Klassen für Jugendliche ohne Ausbildungsvertrag
0210;Berufsvorbereitungsjahr/Vollzeit
0220;Berufsvorbereitungsjahr - kooperative Form
0310;Berufsvorbereitende Bildungsmaßnahmen/Teilzeit
0510;Berufsfachschule - Assistentenberufe/Vollzeit
0520;Berufsfachschule - Sozialassistenz/Vollzeit
0530;Berufsfachschule - Gesundheitsfachberufe/Vollzeit
0610;Berufsfachschule/Teilzeit
0710;Fachoberschule 1-jährig/Vollzeit
0720;Fachoberschule 2-jährig/Vollzeit
0730;Fachoberschule/Teilzeit
0910;Fachgymnasium - Wirtschaft
0920;Fachgymnasium - Technik
0930;Fachgymnasium - Gesundheit und Soziales
1010;Fachschule - Technik/Vollzeit
1020;Fachschule - Wirtschaft/Vollzeit
1030;Fachschule - Sozialwesen/Vollzeit
1040;Fachschule - Agrarwirtschaft/Vollzeit
1110;Fachschule - Technik/Teilzeit
1120;Fachschule - Wirtschaft/Teilzeit
1130;Fachschule - Sozialwesen/Teilzeit
1210;Unterricht an allgemein bildenden Schulen
)");
  // Employment scopes (quick report table 2: at most 5 rows take data).
  demo.KeyFile("ILKLWS.SSD", R"(
1;vollbeschäftigte Lehrkräfte
2;teilbeschäftigte Lehrkräfte (mindestens halbe Stelle)
3;teilbeschäftigte Lehrkräfte (unter halber Stelle)
4;stundenweise beschäftigte Lehrkräfte
5;Lehrkräfte in Altersteilzeit
)");
  // Employment scopes (teacher table 3: at most 4 rows take data).
  demo.KeyFile("ILKLWS-4.SSD", R"(
1;vollbeschäftigt
2;teilbeschäftigt
3;stundenweise beschäftigt
4;in Altersteilzeit
)");
  // Occupational fields.
  demo.KeyFile("SBBG1.SSD", R"(
01;Wirtschaft und Verwaltung
02;Metalltechnik
03;Elektrotechnik
04;Bautechnik
05;Holztechnik
06;Textiltechnik und Bekleidung
07;Chemie, Physik und Biologie
08;Drucktechnik und Mediengestaltung
09;Farbtechnik und Raumgestaltung
10;Gesundheit und Pflege
11;Körperpflege
12;Ernährung und Hauswirtschaft
13;Agrarwirtschaft
14;Sozialpädagogik und Sozialwesen
15;Fahrzeugtechnik
16;Informationstechnik
)");
  // Occupation groups.
  demo.KeyFile("SBBG2.SSD", R"(
111;Berufe in der Landwirtschaft
112;Berufe in der Tierwirtschaft
113;Berufe in der Pferdewirtschaft
117;Berufe in der Forstwirtschaft
121;Berufe im Gartenbau
242;Berufe in der Metallbearbeitung
251;Berufe in der Maschinenbau- und Betriebstechnik
252;Berufe in der Fahrzeugtechnik
262;Berufe in der Energietechnik
263;Berufe in der Elektrotechnik
293;Köche und Köchinnen
321;Berufe im Hochbau
332;Berufe in der Holzbe- und -verarbeitung
342;Berufe in der Sanitär-, Heizungs- und Klimatechnik
431;Berufe in der Informatik
513;Berufe in der Lagerwirtschaft und Logistik
621;Berufe im Verkauf
632;Berufe im Hotelgewerbe
633;Berufe in der Gastronomie
714;Büro- und Sekretariatsberufe
721;Berufe im Bank- und Versicherungswesen
811;Berufe in der Arzt- und Praxishilfe
821;Berufe in der Altenpflege
823;Berufe in der Körperpflege
831;Berufe in der Erziehung und Sozialarbeit
)");
  // Occupations requiring formal training.
  demo.KeyFile("SBBG3.SSD", R"(
1111;Landwirt/-in
1121;Tierwirt/-in
1131;Pferdewirt/-in
1171;Forstwirt/-in
1211;Gärtner/-in
2421;Zerspanungsmechaniker/-in
2511;Industriemechaniker/-in
2521;Kraftfahrzeugmechatroniker/-in
2522;Land- und Baumaschinenmechatroniker/-in
2621;Elektroniker/-in für Energie- und Gebäudetechnik
2631;Elektroniker/-in für Betriebstechnik
2931;Koch/Köchin
3211;Maurer/-in
3321;Tischler/-in
3421;Anlagenmechaniker/-in für Sanitär-, Heizungs- und Klimatechnik
4311;Fachinformatiker/-in
5131;Fachkraft für Lagerlogistik
6211;Verkäufer/-in
6212;Kaufmann/-frau im Einzelhandel
6321;Hotelfachmann/-frau
6331;Fachkraft im Gastgewerbe
7141;Kaufmann/-frau für Büromanagement
7211;Bankkaufmann/-frau
8111;Medizinische/-r Fachangestellte/-r
8231;Friseur/-in
)");
  // Occupations with their specialisations (1121 also in SBBG3, other text).
  demo.KeyFile("SBBG4.SSD", R"(
1121;Tierwirt/-in (alle Schwerpunkte)
11211;Tierwirt/-in - Schwerpunkt Rinderhaltung
11212;Tierwirt/-in - Schwerpunkt Schweinehaltung
11213;Tierwirt/-in - Schwerpunkt Geflügelhaltung
11311;Pferdewirt/-in - Schwerpunkt Pferdehaltung und Service
12111;Gärtner/-in - Garten- und Landschaftsbau
12112;Gärtner/-in - Zierpflanzenbau
12113;Gärtner/-in - Gemüsebau
26311;Elektroniker/-in für Betriebstechnik - Automatisierung
43111;Fachinformatiker/-in - Anwendungsentwicklung
43112;Fachinformatiker/-in - Systemintegration
43113;Fachinformatiker/-in - Daten- und Prozessanalyse
)");
  // Courses of the Berufsfachschule (2631 also in SBBG3, other text).
  demo.KeyFile("SBBG5.SSD", R"(
2631;Technische/-r Assistent/-in für Elektronik
4341;Technische/-r Assistent/-in für Informatik
8171;Physiotherapeut/-in
8172;Ergotherapeut/-in
8173;Logopäde/Logopädin
8211;Altenpfleger/-in
8221;Pflegefachmann/-frau
8241;Diätassistent/-in
8251;Pharmazeutisch-technische/-r Assistent/-in
8311;Sozialassistent/-in
8331;Heilerziehungspfleger/-in
9221;Kaufmännische/-r Assistent/-in - Fremdsprachen
9222;Kaufmännische/-r Assistent/-in - Informationsverarbeitung
)");
  // Specialisations of the Fachschule (several codes also in SBBG3 or SBBG5, with other texts).
  demo.KeyFile("SBBG6.SSD", R"(
1111;Agrarwirtschaft
1211;Garten- und Landschaftsbau
2511;Maschinentechnik
2521;Kraftfahrzeugtechnik
2621;Elektrotechnik
3211;Bautechnik
4311;Informatik
6321;Hotel- und Gaststättengewerbe
7131;Betriebswirtschaft
7132;Logistik
8311;Sozialpädagogik
8312;Heilpädagogik
8331;Heilerziehungspflege
)");
  // Specialisations of the Fachoberschule and the Fachgymnasium (7131 also in SBBG6, other text).
  demo.KeyFile("SBBG7.SSD", R"(
901;Fachoberschule - Wirtschaft und Verwaltung
902;Fachoberschule - Technik
903;Fachoberschule - Gesundheit und Soziales
904;Fachoberschule - Gestaltung
905;Fachoberschule - Agrarwirtschaft
911;Fachgymnasium - Wirtschaft
912;Fachgymnasium - Technik
913;Fachgymnasium - Gesundheit und Soziales
914;Fachgymnasium - Agrarwirtschaft
915;Fachgymnasium - Ernährung
7131;Betriebswirtschaft (Fachschule Wirtschaft)
)");
  // Districts of origin.
  demo.KeyFile("SHKK.SSD", R"(
003;Hansestadt Rostock
004;Landeshauptstadt Schwerin
071;Mecklenburgische Seenplatte
072;Landkreis Rostock
073;Vorpommern-Rügen
074;Nordwestmecklenburg
075;Vorpommern-Greifswald
076;Ludwigslust-Parchim
901;Schleswig-Holstein
902;Hamburg
903;Niedersachsen
911;Berlin
912;Brandenburg
913;Sachsen-Anhalt
919;übrige Länder der Bundesrepublik
990;Ausland
)");
  // Countries.
  demo.KeyFile("SLAND.SSD", R"(
000;Deutschland
101;Dänemark
102;Frankreich
103;Griechenland
104;Italien
105;Kroatien
106;Lettland
107;Litauen
108;Niederlande
109;Österreich
110;Polen
111;Portugal
112;Rumänien
113;Schweden
114;Spanien
115;Tschechien
116;Ungarn
117;Bulgarien
131;Kosovo
132;Moldau
133;Russische Föderation
134;Serbien
135;Türkei
136;Ukraine
137;Weißrussland
221;Eritrea
222;Somalia
341;Vereinigte Staaten
421;Afghanistan
422;Irak
423;Iran
424;Syrien
431;Vietnam
432;China
999;staatenlos oder ungeklärt
)");
  // Prior schooling (class table 2: at most 11 rows take data).
  demo.KeyFile("SSVB.SSD", R"(
01;ohne Berufsreife
02;mit Berufsreife
03;mit erweiterter Berufsreife
04;mit Mittlerer Reife
05;mit Fachhochschulreife
06;mit allgemeiner Hochschulreife
07;mit abgeschlossener Berufsausbildung
08;mit im Ausland erworbenem Abschluss
09;sonstige Vorbildung
)");
  // Prior schooling per occupation group (class table 9).
  demo.KeyFile("SSVB0.SSD", R"(
1;ohne Berufsreife
2;Berufsreife
3;Mittlere Reife
4;Fachhochschulreife
5;Hochschulreife
6;sonstige Vorbildung
9;zusammen
)");
  // Foreign languages, religion, sport (class table 4: at most 14 rows).
  demo.KeyFile("SSFSR.SSD", R"(
11;Englisch
12;Französisch
13;Russisch
14;Spanisch
15;Polnisch
16;Schwedisch
19;sonstige Fremdsprache
21;Evangelische Religion
22;Katholische Religion
23;Philosophie
31;Sport
32;Sport - Schwimmunterricht
)");
  // Training status (class table 5: at most 6 rows).
  demo.KeyFile("SSAS.SSD", R"(
1;mit Ausbildungsvertrag
2;mit Umschulungsvertrag
3;ohne Ausbildungsvertrag (berufsschulpflichtig)
4;in berufsvorbereitender Maßnahme
5;in vollzeitschulischer Ausbildung
)");
  // Agriculture, animal husbandry and forestry (class table 6: at most 10 rows).
  demo.KeyFile("SSLTF.SSD", R"(
01;Landwirt/-in
02;Tierwirt/-in - Rinderhaltung
03;Tierwirt/-in - Schweinehaltung
04;Tierwirt/-in - Geflügelhaltung
05;Pferdewirt/-in
06;Fischwirt/-in
07;Forstwirt/-in
08;Gärtner/-in
09;Fachkraft Agrarservice
)");
  // Weekly lesson hours actually given (class table 7: at most 12 rows).
  demo.KeyFile("SSUS.SSD", R"(
01;unter 4 Stunden
02;4 bis unter 6 Stunden
03;6 bis unter 8 Stunden
04;8 bis unter 10 Stunden
05;10 bis unter 12 Stunden
06;12 bis unter 14 Stunden
07;14 bis unter 16 Stunden
08;16 bis unter 20 Stunden
09;20 bis unter 25 Stunden
10;25 bis unter 30 Stunden
11;30 Stunden und mehr
)");
}

void WriteProgramTeacherList(const Demo& demo) {
  // Teacher list of the program directory (teacher table 1 takes its rows from it). No id line.
  demo.OemFile("program/LEHRER.CSV", R"(
101;Schröder;Jürgen
102;Möller;Anke
103;Krüger;Dörte
104;Baumgärtner;Sören
105;Weiß;Katrin
106;Hübner;Björn
107;Jäger;Sabine
108;Özdemir;Ümit
)");
}

// ---- Dienststelle 13001: complete ------------------------------------------------------------

const std::vector<SchoolType> kSchoolTypes13001 = {
    {"01", "8 7 6 2 -", "176 158 131 38 -", 201, 19, 7, 6, 392, 12},
    {"02", "3 3 2 - -", "61 55 40 - -", 31, 5, 1, 1, 210, 6},
    {"03", "1 - - - -", "14 - - - -", 4, 3, 1, 2, 12, 0},
    {"04", "2 - - - -", "27 - - - -", 9, 6, 2, 5, 64, 8},
    {"09", "2 2 - - -", "41 37 - - -", 63, 5, 4, 0, 128, 4},
    {"10", "1 1 1 - -", "22 19 17 - -", 49, 4, 3, 0, 96, 2},
    {"13", "1 - - - -", "24 - - - -", 11, 1, 0, 0, 34, 0},
    {"14", "1 1 - - -", "18 16 - - -", 17, 1, 0, 1, 64, 2},
    {"16", "1 1 1 - -", "23 21 19 - -", 36, 2, 1, 0, 102, 6},
    {"22", "1 1 - - -", "19 17 - - -", 22, 0, 0, 0, 36, 0},
    {"23", "2 2 1 - -", "44 40 35 - -", 98, 3, 2, 1, 150, 10},
};

void WriteQuickAndSchoolReport13001(const Demo& demo) {
  const std::string s = "13001";

  // Quick report table 0: the Dienststelle number is given.
  demo.Table(ReportFile(s, "SCHNELL", "00"), 3,
             {s + ";Staatliches Schulamt Greifswald;Landkreis Vorpommern-Rügen"});

  // Quick report table 1. Odd on purpose: code 27 is not in SSSA.SSD, and one record has no code
  // at all (both are reported when the report option is on).
  std::vector<std::string> quick1 = Records(kSchoolTypes13001, QuickRecord);
  quick1.push_back(QuickRecord({"27", "1 - - - -", "12 - - - -", 5, 0, 0, 0, 18, 0}));
  quick1.push_back(QuickRecord({"", "1 - - - -", "9 - - - -", 3, 1, 0, 0, 12, 0}));
  demo.Table(ReportFile(s, "SCHNELL", "01"), 18, quick1);

  // Quick report table 2: teachers by employment scope.
  demo.Table(ReportFile(s, "SCHNELL", "02"), 6, R"(
1;38;24;1;961;12
2;9;8;0;171;0
3;3;2;0;31;0
4;4;1;0;22;0
5;2;1;0;26;0
)");

  // School table 0: the Dienststelle number is left at 00000, so the program shows the number of
  // its settings there.
  demo.Table(ReportFile(s, "SCHULE", "00"), 3, R"(
00000;Staatliches Schulamt Greifswald;Landkreis Vorpommern-Rügen
)");

  // School table 1: the same school types as the quick report.
  demo.Table(ReportFile(s, "SCHULE", "01"), 16, Records(kSchoolTypes13001, SchoolRecord));

  // School table 2: graduates and leavers, deliberately not sorted.
  // pairs: leaving, final, Berufsreife, Mittl. Reife, FHR, HR, without
  demo.Table(ReportFile(s, "SCHULE", "02"), 18,
             {
                 GraduatesRecord("01", "2003", "4/1 52/30 1/0 6/3 0/0 0/0 1/0"),
                 GraduatesRecord("04", "2007", "6/2 15/5 11/4 0/0 0/0 0/0 0/0"),
                 GraduatesRecord("09", "2005", "3/3 32/26 0/0 5/4 0/0 0/0 0/0"),
                 GraduatesRecord("01", "2002", "2/1 36/19 0/0 4/2 0/0 0/0 0/0"),
                 GraduatesRecord("16", "2004", "1/0 18/11 0/0 0/0 0/0 18/11 0/0"),
                 GraduatesRecord("13", "2005", "2/1 19/9 0/0 0/0 19/9 0/0 0/0"),
                 GraduatesRecord("04", "2008", "3/1 4/2 3/2 0/0 0/0 0/0 0/0"),
                 GraduatesRecord("23", "2001", "0/0 28/25 0/0 0/0 0/0 0/0 1/1"),
                 GraduatesRecord("01", "2004", "3/2 18/9 0/0 2/1 0/0 0/0 0/0"),
                 GraduatesRecord("14", "2006", "2/1 13/6 0/0 0/0 13/6 0/0 0/0"),
             });

  // School table 3: graduates and leavers by occupation. Some texts are left empty on purpose,
  // their codes known to SBBG3 (2621, 8111; 2621 is also in SBBG6), SBBG6 (7131, also in SBBG7)
  // or SBBG7 (912) only.
  // pairs: final certificate, leaving certificate, without
  demo.Table(
      ReportFile(s, "SCHULE", "03"), 9,
      {
          OccupationRecord("Industriemechaniker/-in", "2511", "42", "14/1 2/0 0/0"),
          OccupationRecord("", "2621", "42", "9/0 1/0 0/0"),
          OccupationRecord("Kaufmann/-frau für Büromanagement", "7141", "36", "21/16 3/2 0/0"),
          OccupationRecord("", "7131", "24", "17/9 2/1 0/0"),
          OccupationRecord("Sozialassistent/-in", "8311", "24", "33/27 4/3 0/0"),
          OccupationRecord("", "912", "36", "15/6 1/0 0/0"),
          OccupationRecord("Landwirt/-in", "1111", "36", "11/2 1/0 0/0"),
          OccupationRecord("Koch/Köchin", "2931", "36", "8/3 3/1 1/0"),
          OccupationRecord("", "8111", "36", "12/12 0/0 0/0"),
      });

  // School table 4: religious instruction.
  demo.Table(ReportFile(s, "SCHULE", "04"), 7, R"(
187;38;22;9;4;71;43
)");
}

void WriteTeacherReport13001(const Demo& demo) {
  const std::string s = "13001";

  // Teacher identification list of the school (more teachers than the list of the program
  // directory, not in number order).
  demo.OemFile("db/" + s + "/LEHRER.CSV", R"(
104;Baumgärtner;Sören
101;Schröder;Jürgen
102;Möller;Anke
103;Krüger;Dörte
109;Brüggemann;Holger
105;Weiß;Katrin
106;Hübner;Björn
110;Lüdtke;Änne
107;Jäger;Sabine
108;Özdemir;Ümit
)");

  // Teacher table 0.
  demo.Table(ReportFile(s, "LEHRER", "00"), 1, {s});

  // Teacher table 1: teachers of the program's list except 106, and teacher 109, who is only in
  // the school's list (the program appends a row for him).
  // number, year of birth, sex, nationality, teaching and professional qualification, subjects,
  // scope, change, group, standard load, contract hours, sabbatical, account, partial
  // retirement, reductions, other schools, overtime
  const Teacher teachers[] = {
      {"101", "1964", "1", "000", "31", "1", "MT WI - - -", "1", "", "1", "25", "25", "", "", "",
       "10=13 51=1", "", ""},
      {"102", "1971", "2", "000", "31", "1", "DE EN - - -", "1", "", "1", "25", "25", "", "", "",
       "21=2", "09=4", ""},
      {"103", "1968", "2", "000", "31", "1", "GE SO BI - -", "2", "", "2", "25", "18", "", "", "",
       "", "", ""},
      {"104", "1979", "1", "000", "31", "1", "ET IN - - -", "1", "", "1", "25", "25", "", "1", "",
       "33=1 52=2", "", "1"},
      {"105", "1985", "2", "000", "31", "1", "WI DE SP - -", "1", "1", "2", "25", "25", "", "", "",
       "", "01=3", ""},
      {"107", "1960", "2", "000", "31", "1", "RE DE - - -", "4", "", "1", "25", "15", "", "", "2",
       "81=1", "", ""},
      {"108", "1988", "1", "135", "32", "2", "MT ET - - -", "1", "1", "2", "25", "25", "", "", "",
       "47=2", "", "1"},
      {"109", "1975", "1", "000", "31", "1", "SP WI - - -", "3", "", "2", "25", "6", "", "", "", "",
       "", ""},
  };
  std::vector<std::string> table1;
  for (const Teacher& teacher : teachers) table1.push_back(TeacherRecord(teacher));
  demo.Table(ReportFile(s, "LEHRER", "01"), 59, table1);

  // Teacher table 2: weekly lesson hours by school type. Odd on purpose: the codes 0810 and 1310
  // are not in SSSA-140.SSD (listed in the message).
  // pairs: full-time, part-time, extra work staff, extra work hourly-paid
  demo.Table(ReportFile(s, "LEHRER", "02"), 12,
             {
                 LessonHoursRecord("0110", "420", "412", "288/190 76/70 12/6 14/5"),
                 LessonHoursRecord("0120", "214", "210", "150/96 38/35 6/2 8/0"),
                 LessonHoursRecord("0130", "14", "14", "10/8 2/2 0/0 0/0"),
                 LessonHoursRecord("0210", "66", "64", "48/30 10/10 2/0 4/1"),
                 LessonHoursRecord("0810", "22", "22", "18/10 4/4 0/0 0/0"),
                 LessonHoursRecord("0520", "130", "128", "96/80 26/24 2/2 0/0"),
                 LessonHoursRecord("0530", "98", "98", "70/62 24/24 0/0 4/4"),
                 LessonHoursRecord("0710", "34", "34", "28/12 6/4 0/0 0/0"),
                 LessonHoursRecord("0720", "64", "62", "50/28 10/8 2/0 0/0"),
                 LessonHoursRecord("0910", "104", "102", "84/50 16/12 2/2 0/0"),
                 LessonHoursRecord("1310", "8", "8", "0/0 8/6 0/0 0/0"),
                 LessonHoursRecord("1030", "152", "150", "110/96 34/30 4/4 0/0"),
                 LessonHoursRecord("1120", "36", "36", "0/0 0/0 6/2 30/10"),
             });

  // Teacher table 3: teachers for religious instruction.
  demo.Table(ReportFile(s, "LEHRER", "03"), 7, R"(
1;1;0;0;0;4;6
2;0;1;0;1;2;3
4;1;0;0;0;6;8
)");
}

// The fields of each class table, from class file 00 to class file 10.
constexpr std::array<int, 11> kClassTableFields = {6, 5, 5, 6, 5, 3, 3, 5, 7, 5, 5};

struct ClassTable {
  int table;
  const char* records;
};

// A class: its id, school type and the remaining fields of its table 0, and its other tables.
struct DemoClass {
  const char* id;
  const char* schoolType;
  const char* details;
  std::vector<ClassTable> tables;
};

void WriteClass(const Demo& demo, const std::string& school, const DemoClass& c) {
  const std::string id = c.id;
  demo.Table(ClassFile(school, id, "00"), kClassTableFields[0],
             std::vector<std::string>{school + ";" + c.schoolType + ";" + id + ";" + c.details});
  for (const ClassTable& table : c.tables) {
    const std::string number = {static_cast<char>('0' + table.table / 10),
                                static_cast<char>('0' + table.table % 10)};
    demo.Table(ClassFile(school, id, number),
               kClassTableFields[static_cast<std::size_t>(table.table)], table.records);
  }
}

const std::vector<DemoClass> kClasses13001 = {
    // Class BS1A01: Berufsschule, grade 1, agriculture, block teaching.
    {"BS1A01",
     "02",
     "3;1;3",
     {
         {1, R"(
2006;6;2;0;0
2005;8;1;1;0
2007;3;1;0;0
2004;3;1;1;0
2003;2;0;0;0
)"},
         // Odd on purpose: one empty line (counted as one unplaced record).
         {2, R"(
02;9;1;9;1
04;10;3;9;3
01;1;0;1;0
06;1;1;1;1

07;1;0;1;0
)"},
         // The Ukrainian pupil's country text is left empty (code 136 is known).
         {3, R"(
Polen;110;1;0;1;0
;136;1;0;1;0
)"},
         {4, R"(
11;22;5;;
31;22;5;;
21;4;1;;
)"},
         {10, R"(
22;22;0;0;0
)"},
         {5, R"(
1;21;5
2;1;0
)"},
         {6, R"(
01;13;2
02;5;2
03;2;0
05;2;1
)"},
         {7, R"(
05;22;5;22;5
)"},
         // Row numbers out of order; two training texts and one origin text left empty, their codes
         // known to SBBG3, SBBG4 and SHKK.
         {8, R"(
3;Landwirt/-in;1111;Vorpommern-Rügen;073;7;1
1;Landwirt/-in;1111;Vorpommern-Greifswald;075;4;1
2;;1111;Landkreis Rostock;072;2;0
5;;11211;Vorpommern-Rügen;073;3;1
4;Tierwirt/-in - Schwerpunkt Rinderhaltung;11211;;075;2;1
7;Tierwirt/-in - Schwerpunkt Schweinehaltung;11212;Mecklenburgische Seenplatte;071;2;0
6;Pferdewirt/-in;1131;Ludwigslust-Parchim;076;2;1
)"},
         // Trainees by occupation group (SBBG2) and prior schooling (SSVB0), plus the block 9999
         // of all trainees; some group names of group 112 left empty.
         {9, R"(
Berufe in der Landwirtschaft;111;1;1;0
Berufe in der Landwirtschaft;111;2;5;0
Berufe in der Landwirtschaft;111;3;6;2
Berufe in der Landwirtschaft;111;9;12;2
;112;2;4;1
;112;3;4;1
Berufe in der Tierwirtschaft;112;5;1;1
;112;9;9;3
Auszubildende insgesamt;9999;1;1;0
Auszubildende insgesamt;9999;2;9;1
Auszubildende insgesamt;9999;3;10;3
Auszubildende insgesamt;9999;5;1;1
Auszubildende insgesamt;9999;9;21;5
)"},
     }},
    // Class BS2B01: Berufsschule, grade 2, office management, part-time.
    {"BS2B01",
     "01",
     "2;2;1",
     {
         {1, R"(
2004;7;5;0;0
2005;9;7;1;1
2003;4;3;0;0
2006;2;1;0;0
2001;2;1;1;0
)"},
         {2, R"(
04;14;11;1;1
02;3;2;0;0
05;4;3;0;0
06;3;1;0;0
)"},
         {3, R"(
Syrien;424;1;0;1;0
Türkei;135;1;1;1;1
)"},
         {4, R"(
11;24;17;;
31;24;17;;
21;6;5;;
22;2;2;;
)"},
         {10, R"(
24;24;0;0;0
)"},
         {5, R"(
1;23;17
2;1;0
)"},
         {6, ""},
         {7, R"(
06;24;17;0;0
)"},
         // One training text and one origin text left empty (codes known); one origin given as text
         // only (Nordwestmecklenburg, code completed from SHKK).
         {8, R"(
1;Kaufmann/-frau für Büromanagement;7141;Hansestadt Rostock;003;9;7
2;;7141;Landkreis Rostock;072;8;6
3;Kaufmann/-frau für Büromanagement;7141;;073;4;2
4;Kaufmann/-frau für Büromanagement;7141;Nordwestmecklenburg;;2;1
5;Kaufmann/-frau für Büromanagement;7141;Brandenburg;912;1;1
)"},
         {9, R"(
Auszubildende insgesamt;9999;2;3;2
Auszubildende insgesamt;9999;3;14;11
Auszubildende insgesamt;9999;4;4;3
Auszubildende insgesamt;9999;5;2;1
Auszubildende insgesamt;9999;9;23;17
Büro- und Sekretariatsberufe;714;2;3;2
;714;3;14;11
Büro- und Sekretariatsberufe;714;4;4;3
;714;5;2;1
Büro- und Sekretariatsberufe;714;9;23;17
)"},
     }},
    // Class BF1C02: Berufsfachschule Sozialassistenz, grade 1, full-time.
    {"BF1C02",
     "09",
     "1;1;1",
     {
         {1, R"(
2008;11;9;1;1
2007;6;5;1;1
2006;2;1;1;0
2004;1;1;0;0
)"},
         {2, R"(
02;6;5;6;5
04;12;10;12;10
01;2;1;2;1
)"},
         // One country text left empty (code 421 known), one country given as text only (Russische
         // Föderation, code completed from SLAND).
         {3, R"(
Ukraine;136;1;1;0;0
;421;1;0;0;0
Russische Föderation;;1;1;0;0
)"},
         {4, R"(
11;20;16;;
31;20;16;;
21;5;5;;
)"},
         {10, R"(
20;20;0;0;0
)"},
         {5, R"(
5;20;16
)"},
         {6, ""},
         {7, R"(
11;20;16;0;0
)"},
         {8, R"(
1;Sozialassistent/-in;8311;Vorpommern-Rügen;073;11;9
2;Sozialassistent/-in;8311;;075;6;5
3;;8311;Hansestadt Rostock;003;2;1
4;Sozialassistent/-in;8311;Ausland;990;1;1
)"},
         {9, ""},
     }},
    // Class FO1D01: Fachoberschule, grade 11 (first of two years). Tables 6, 8 and 9 are missing on
    // purpose.
    {"FO1D01",
     "14",
     "1;1;1",
     {
         {1, R"(
2008;12;6;1;0
2009;4;2;0;0
2007;2;1;0;0
)"},
         {2, R"(
04;18;9;18;9
)"},
         {3, R"(
Vietnam;431;1;0;0;0
)"},
         {4, R"(
11;18;9;;
12;7;5;;
31;18;9;;
23;10;4;;
)"},
         {10, R"(
18;11;7;0;0
)"},
         {5, R"(
5;18;9
)"},
         {7, R"(
11;18;9;0;0
)"},
     }},
};

// ---- Dienststelle 13002: quick report and school report only ---------------------------------

const std::vector<SchoolType> kSchoolTypes13002 = {
    {"01", "4 4 3 1 -", "88 81 69 17 -", 97, 6, 2, 3, 196, 6},
    {"04", "1 - - - -", "15 - - - -", 6, 4, 2, 4, 32, 4},
    {"10", "1 1 1 - -", "20 18 15 - -", 46, 2, 2, 0, 90, 2},
    {"19", "1 1 - - -", "17 14 - - -", 3, 1, 0, 0, 64, 0},
};

void WriteDienststelle13002(const Demo& demo) {
  const std::string s = "13002";
  const std::string office = s +
                             ";Staatliches Schulamt Neubrandenburg;Landkreis Mecklenburgische "
                             "Seenplatte";
  demo.Table(ReportFile(s, "SCHNELL", "00"), 3, {office});
  demo.Table(ReportFile(s, "SCHNELL", "01"), 18, Records(kSchoolTypes13002, QuickRecord));
  demo.Table(ReportFile(s, "SCHNELL", "02"), 6, R"(
1;19;13;0;475;4
2;4;4;0;74;0
4;2;0;0;9;0
)");

  demo.Table(ReportFile(s, "SCHULE", "00"), 3, {office});
  demo.Table(ReportFile(s, "SCHULE", "01"), 16, Records(kSchoolTypes13002, SchoolRecord));
  demo.Table(ReportFile(s, "SCHULE", "02"), 18,
             {
                 GraduatesRecord("01", "2002", "1/0 27/14 0/0 3/2 0/0 0/0 0/0"),
                 GraduatesRecord("04", "2007", "4/2 10/4 8/3 0/0 0/0 0/0 0/0"),
                 GraduatesRecord("19", "1998", "1/0 13/2 0/0 0/0 13/2 0/0 0/0"),
                 GraduatesRecord("10", "2003", "0/0 14/13 0/0 0/0 0/0 0/0 0/0"),
             });
  demo.Table(ReportFile(s, "SCHULE", "03"), 9,
             {
                 OccupationRecord("Elektroniker/-in für Energie- und Gebäudetechnik", "2621", "42",
                                  "11/0 1/0 0/0"),
                 OccupationRecord("Fachkraft für Lagerlogistik", "5131", "36", "9/2 2/0 0/0"),
                 OccupationRecord("", "2511", "24", "13/2 1/0 0/0"),
                 OccupationRecord("Pflegefachmann/-frau", "8221", "36", "14/13 0/0 0/0"),
             });
  demo.Table(ReportFile(s, "SCHULE", "04"), 7, R"(
64;12;9;3;2;21;17
)");
}

}  // namespace

void WriteDemo(const std::string& folder) {
  const Demo demo(folder);
  WriteKeyFiles(demo);
  WriteProgramTeacherList(demo);

  WriteQuickAndSchoolReport13001(demo);
  WriteTeacherReport13001(demo);
  const std::string school = "13001";
  for (const DemoClass& c : kClasses13001) WriteClass(demo, school, c);

  WriteDienststelle13002(demo);

  // Dienststelle 00000: empty (the program's default school number). Git keeps the folder by a
  // file of its own.
  demo.EmptyFile("db/00000/.gitkeep");
}

}  // namespace tab::demo
