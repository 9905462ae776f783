#include "tools/benchreport/bench_report.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace tab::benchreport {

namespace {

// ---- JSON ------------------------------------------------------------------------------------

class JsonParser {
 public:
  explicit JsonParser(std::string_view text) : text_(text) {}

  bool ParseDocument(JsonValue& value, std::string& error) {
    const bool ok = ParseValue(value, 0) && (SkipSpace(), pos_ == text_.size());
    if (!ok) {
      error = "ungültiges JSON bei Zeichen " + std::to_string(pos_) +
              (message_.empty() ? "" : ": " + message_);
    }
    return ok;
  }

 private:
  static constexpr int kMaxDepth = 64;

  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r')) {
      ++pos_;
    }
  }

  bool Take(char c) {
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  bool Word(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  bool ParseValue(JsonValue& value, int depth) {
    if (depth > kMaxDepth) {
      message_ = "zu tief geschachtelt";
      return false;
    }
    SkipSpace();
    if (pos_ >= text_.size()) {
      message_ = "Ende des Textes";
      return false;
    }
    const char c = text_[pos_];
    if (c == '{') return ParseObject(value, depth);
    if (c == '[') return ParseArray(value, depth);
    if (c == '"') {
      value.kind = JsonValue::Kind::String;
      return ParseString(value.text);
    }
    if (Word("true")) {
      value.kind = JsonValue::Kind::Bool;
      value.boolean = true;
      return true;
    }
    if (Word("false")) {
      value.kind = JsonValue::Kind::Bool;
      return true;
    }
    if (Word("null")) return true;
    return ParseNumber(value);
  }

  bool ParseObject(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::Object;
    ++pos_;
    if (Take('}')) return true;
    do {
      std::string key;
      SkipSpace();
      if (pos_ >= text_.size() || text_[pos_] != '"' || !ParseString(key)) {
        message_ = "Name erwartet";
        return false;
      }
      if (!Take(':')) {
        message_ = "':' erwartet";
        return false;
      }
      value.members.push_back({std::move(key), JsonValue()});
      if (!ParseValue(value.members.back().value, depth + 1)) return false;
    } while (Take(','));
    if (Take('}')) return true;
    message_ = "'}' erwartet";
    return false;
  }

  bool ParseArray(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::Array;
    ++pos_;
    if (Take(']')) return true;
    do {
      value.items.emplace_back();
      if (!ParseValue(value.items.back(), depth + 1)) return false;
    } while (Take(','));
    if (Take(']')) return true;
    message_ = "']' erwartet";
    return false;
  }

  static void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  bool ParseString(std::string& out) {
    ++pos_;  // the opening quote
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) break;
      const char escaped = text_[pos_++];
      switch (escaped) {
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'u': {
          // Characters outside the basic plane (surrogate pairs) are not expected here.
          if (pos_ + 4 > text_.size()) break;
          const std::string hex(text_.substr(pos_, 4));
          char* end = nullptr;
          const unsigned long code = std::strtoul(hex.c_str(), &end, 16);
          if (end != hex.c_str() + 4) {
            message_ = "ungültiges \\u";
            return false;
          }
          AppendUtf8(out, static_cast<unsigned>(code));
          pos_ += 4;
          break;
        }
        default:  // '"', '\\', '/'
          out += escaped;
      }
    }
    message_ = "Zeichenkette ohne Ende";
    return false;
  }

  bool ParseNumber(JsonValue& value) {
    const std::size_t start = pos_;
    while (pos_ < text_.size() &&
           std::string_view("+-0123456789.eE").find(text_[pos_]) != std::string_view::npos) {
      ++pos_;
    }
    const std::string number(text_.substr(start, pos_ - start));
    char* end = nullptr;
    value.number = std::strtod(number.c_str(), &end);
    if (number.empty() || end != number.c_str() + number.size()) {
      message_ = "Wert erwartet";
      return false;
    }
    value.kind = JsonValue::Kind::Number;
    return true;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::string message_;
};

// ---- measurements ----------------------------------------------------------------------------

// Drops the parts Google Benchmark appends to a name: "/real_time", "/iterations:1", ...
std::string PlainName(std::string_view name) {
  static constexpr std::string_view kAppended[] = {
      "real_time", "manual_time", "iterations:",     "repeats:",
      "threads:",  "min_time:",   "min_warmup_time:"};
  for (;;) {
    const std::size_t slash = name.rfind('/');
    if (slash == std::string_view::npos) break;
    const std::string_view last = name.substr(slash + 1);
    const bool appended =
        std::any_of(std::begin(kAppended), std::end(kAppended), [last](std::string_view part) {
          return part.back() == ':' ? last.starts_with(part) : last == part;
        });
    if (!appended) break;
    name = name.substr(0, slash);
  }
  return std::string(name);
}

double Milliseconds(double time, std::string_view unit) {
  if (unit == "ns") return time / 1e6;
  if (unit == "us") return time / 1e3;
  if (unit == "s") return time * 1e3;
  return time;
}

bool IsTrue(const JsonValue* value) {
  if (value == nullptr) return false;
  if (value->kind == JsonValue::Kind::Bool) return value->boolean;
  if (value->kind == JsonValue::Kind::Number) return value->number != 0;
  return false;
}

// ---- the report ------------------------------------------------------------------------------

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string FigureText(const Measurement& m) {
  if (m.megabytes) return Format("%.1f MB", m.figure);
  if (m.figure < 1) return Format("%.3f ms", m.figure);
  if (m.figure < 100) return Format("%.2f ms", m.figure);
  return Format("%.0f ms", m.figure);
}

bool ParseLimit(std::string_view text, Target& target) {
  std::string_view rest = text;
  if (rest.starts_with("<=")) {
    target.inclusive = true;
    rest.remove_prefix(2);
  } else if (rest.starts_with("<")) {
    rest.remove_prefix(1);
  } else {
    return false;
  }
  struct Unit {
    std::string_view suffix;
    Target::Kind kind;
  };
  static constexpr Unit kUnits[] = {{"ms", Target::Kind::Milliseconds},
                                    {"MB", Target::Kind::Megabytes},
                                    {"x", Target::Kind::Ratio}};
  for (const Unit& unit : kUnits) {
    if (!rest.ends_with(unit.suffix)) continue;
    const std::string number(rest.substr(0, rest.size() - unit.suffix.size()));
    char* end = nullptr;
    target.limit = std::strtod(number.c_str(), &end);
    target.kind = unit.kind;
    return !number.empty() && end == number.c_str() + number.size() && target.limit > 0;
  }
  return false;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

bool Within(double value, const Target& target) {
  return target.inclusive ? value <= target.limit : value < target.limit;
}

}  // namespace

const JsonValue* JsonValue::Find(std::string_view key) const {
  for (const auto& [name, value] : members) {
    if (name == key) return &value;
  }
  return nullptr;
}

bool ParseJson(std::string_view text, JsonValue& value, std::string& error) {
  value = JsonValue();
  return JsonParser(text).ParseDocument(value, error);
}

bool ReadMeasurements(std::string_view json, const std::string& executable,
                      std::vector<Measurement>& out, std::string& error) {
  JsonValue document;
  if (!ParseJson(json, document, error)) return false;
  const JsonValue* benchmarks = document.Find("benchmarks");
  if (benchmarks == nullptr || benchmarks->kind != JsonValue::Kind::Array) {
    error = "keine Liste \"benchmarks\"";
    return false;
  }
  for (const JsonValue& run : benchmarks->items) {
    const JsonValue* name = run.Find("name");
    const JsonValue* type = run.Find("run_type");
    if (name == nullptr || name->kind != JsonValue::Kind::String) continue;
    if (type != nullptr && type->text == "aggregate") continue;
    Measurement m;
    m.executable = executable;
    m.name = PlainName(name->text);
    if (IsTrue(run.Find("error_occurred")) || IsTrue(run.Find("skipped"))) {
      const JsonValue* message = run.Find("error_message");
      m.error = message != nullptr && !message->text.empty() ? message->text : "übersprungen";
    }
    for (const auto& [key, value] : run.members) {
      if (key.ends_with("_MB") && value.kind == JsonValue::Kind::Number) {
        m.megabytes = true;
        m.figure = value.number;
      }
    }
    if (!m.megabytes) {
      const JsonValue* time = run.Find("real_time");
      const JsonValue* unit = run.Find("time_unit");
      if (time != nullptr) m.figure = Milliseconds(time->number, unit ? unit->text : "ns");
    }
    const auto same = std::find_if(out.begin(), out.end(), [&m](const Measurement& earlier) {
      return earlier.executable == m.executable && earlier.name == m.name;
    });
    if (same == out.end()) {
      out.push_back(std::move(m));
    } else if (same->error.empty()) {
      if (!m.error.empty()) {
        same->error = m.error;
      } else {
        same->figure =
            m.megabytes ? std::max(same->figure, m.figure) : std::min(same->figure, m.figure);
      }
    }
  }
  return true;
}

bool ParseTargets(std::string_view text, std::vector<Target>& targets, std::string& error) {
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string_view> columns;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t');; tab = line.find('\t', start)) {
      const std::string_view column = Trimmed(line.substr(start, tab - start));
      if (!column.empty()) columns.push_back(column);  // several TABs count as one
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }
    Target target;
    const auto bad = [&](const std::string& why) {
      error = "Zeile " + std::to_string(lineNumber) + ": " + why;
      return false;
    };
    if (columns.size() != 3) return bad("drei durch TAB getrennte Spalten erwartet");
    target.pattern = columns[0];
    target.text = columns[1];
    const std::string_view limits = target.text;
    const std::size_t comma = limits.find(',');
    if (target.text != "-" && !ParseLimit(limits.substr(0, comma), target)) {
      return bad("unbekanntes Ziel \"" + target.text + "\"");
    }
    if (comma != std::string_view::npos) {
      Target ratio;
      if (target.kind == Target::Kind::Ratio || !ParseLimit(limits.substr(comma + 1), ratio) ||
          ratio.kind != Target::Kind::Ratio) {
        return bad("unbekanntes Ziel \"" + target.text + "\"");
      }
      target.ratioLimit = ratio.limit;
      target.ratioInclusive = ratio.inclusive;
    }
    if (columns[2] != "-") target.floor = columns[2];
    if ((target.kind == Target::Kind::Ratio || target.ratioLimit > 0) && target.floor.empty()) {
      return bad("ein Verhältnis braucht eine Referenz");
    }
    targets.push_back(std::move(target));
  }
  return true;
}

bool MatchPattern(std::string_view pattern, std::string_view text, std::string& star) {
  const std::size_t at = pattern.find('*');
  if (at == std::string_view::npos) return pattern == text;
  if (text.substr(0, at) != pattern.substr(0, at)) return false;
  const std::string_view rest = pattern.substr(at + 1);
  for (std::size_t length = 0; at + length <= text.size(); ++length) {
    std::string ignored;
    if (MatchPattern(rest, text.substr(at + length), ignored)) {
      star = std::string(text.substr(at, length));
      return true;
    }
  }
  return false;
}

Report BuildReport(const std::vector<Measurement>& measurements,
                   const std::vector<Target>& targets) {
  Report report;
  std::map<std::string, const Measurement*> byName;
  for (const Measurement& m : measurements) byName[m.executable + "/" + m.name] = &m;
  std::vector<bool> used(targets.size(), false);
  for (const Measurement& m : measurements) {
    ReportRow row;
    row.benchmark = m.executable + "/" + m.name;
    row.figure = m.error.empty() ? FigureText(m) : "-";
    row.target = "?";
    row.floor = "-";
    row.ratio = "-";
    row.verdict = "?";
    const Target* target = nullptr;
    std::string star;
    for (std::size_t i = 0; i < targets.size() && target == nullptr; ++i) {
      if (MatchPattern(targets[i].pattern, row.benchmark, star)) {
        target = &targets[i];
        used[i] = true;
      }
    }
    if (target == nullptr) {
      report.notes.push_back("ohne Zeile in der Zieltabelle: " + row.benchmark);
      report.rows.push_back(std::move(row));
      continue;
    }
    row.target = target->text;
    double ratio = -1;
    if (!target->floor.empty()) {
      std::string floorName = target->floor;
      if (const std::size_t at = floorName.find('*'); at != std::string::npos) {
        floorName.replace(at, 1, star);
      }
      const auto floor = byName.find(m.executable + "/" + floorName);
      if (floor == byName.end() || !floor->second->error.empty()) {
        report.notes.push_back("Referenz ohne Messwert: " + m.executable + "/" + floorName);
      } else if (m.error.empty() && floor->second->figure > 0) {
        row.floor = FigureText(*floor->second);
        ratio = m.figure / floor->second->figure;
        row.ratio = Format("%.2f", ratio);
      }
    }
    if (!m.error.empty()) {
      row.verdict = "FEHLER: " + m.error;
      row.missed = true;
    } else if (target->kind == Target::Kind::None) {
      row.verdict = "-";
    } else if ((target->kind == Target::Kind::Ratio || target->ratioLimit > 0) && ratio < 0) {
      row.verdict = "? (Referenz fehlt)";
    } else {
      const bool megabytes = target->kind == Target::Kind::Megabytes;
      const bool kindFits = target->kind == Target::Kind::Ratio || megabytes == m.megabytes;
      const double value = target->kind == Target::Kind::Ratio ? ratio : m.figure;
      row.missed = !kindFits || !Within(value, *target);
      if (target->ratioLimit > 0) {
        row.missed = row.missed || !(target->ratioInclusive ? ratio <= target->ratioLimit
                                                            : ratio < target->ratioLimit);
      }
      row.verdict = row.missed ? "VERFEHLT" : "ok";
    }
    if (row.missed) {
      ++report.missed;
    } else if (row.verdict == "ok") {
      ++report.met;
    }
    report.rows.push_back(std::move(row));
  }
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (!used[i]) report.notes.push_back("kein Messwert zu: " + targets[i].pattern);
  }
  return report;
}

std::string FormatReport(const Report& report) {
  std::vector<ReportRow> rows = report.rows;
  rows.insert(rows.begin(),
              ReportRow{"Benchmark", "Messwert", "Ziel", "Referenz", "Verhältnis", "Ergebnis"});
  // Widths in characters, not bytes: the headings and verdicts hold umlauts.
  const auto width = [](const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
      return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
  };
  std::size_t widths[5] = {};
  for (const ReportRow& row : rows) {
    const std::string* cells[5] = {&row.benchmark, &row.figure, &row.target, &row.floor,
                                   &row.ratio};
    for (int k = 0; k < 5; ++k) widths[k] = std::max(widths[k], width(*cells[k]));
  }
  std::string out;
  for (const ReportRow& row : rows) {
    const std::string* cells[5] = {&row.benchmark, &row.figure, &row.target, &row.floor,
                                   &row.ratio};
    for (int k = 0; k < 5; ++k) {
      const std::size_t pad = widths[k] - width(*cells[k]);
      // Names and targets stand left, figures right.
      if (k == 0 || k == 2) out += *cells[k] + std::string(pad, ' ');
      if (k != 0 && k != 2) out += std::string(pad, ' ') + *cells[k];
      out += "  ";
    }
    out += row.verdict + "\n";
  }
  out += "\n" + std::to_string(report.rows.size()) + " Benchmarks, " + std::to_string(report.met) +
         " Ziele erreicht, " + std::to_string(report.missed) + " verfehlt\n";
  for (const std::string& note : report.notes) out += "Hinweis: " + note + "\n";
  return out;
}

}  // namespace tab::benchreport
