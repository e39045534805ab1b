#include "input_parser.h"

#include <algorithm>
#include <initializer_list>

#include "numbers.h"

namespace mapforge {
namespace {

// Where a parsed number goes, and which of the two formats it has.
struct Field {
  std::int32_t* target;
  bool length;
};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string quoted = "\"";
  for (char c : text.substr(0, kShown)) {
    quoted += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
  }
  return quoted + (text.size() > kShown ? "...\"" : "\"");
}

class Parser {
 public:
  Parser(std::string_view text, Diagnostics& diagnostics) : m_diagnostics(diagnostics) {
    while (!text.empty()) {
      const std::size_t end = text.find('\n');
      std::string_view line = text.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      m_lines.push_back(line);
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
  }

  TrackInput Parse() {
    if (!Header()) SkipToNextBlock();
    while (!AtEnd()) {
      const std::string_view line = Peek();
      if (line == "[Connection_List]") {
        ConnectionList();
        return std::move(m_track);
      }
      bool ok = false;
      if (line == "[Room]" || line == "[Feature]") {
        ok = OutlineBlock(line == "[Feature]");
      } else if (line == "[Initial_Position]" || line == "[Free_Element]") {
        ok = PlacementBlock(line == "[Free_Element]");
      } else {
        Fail(line.empty() ? "unexpected empty line" : "unknown block " + Quoted(line));
        ++m_next;
      }
      if (!ok) SkipToNextBlock();
    }
    Fail("missing [Connection_List]");
    return std::move(m_track);
  }

 private:
  bool AtEnd() const { return m_next >= m_lines.size(); }
  std::string_view Peek() const { return AtEnd() ? std::string_view() : m_lines[m_next]; }
  int LineNumber() const { return static_cast<int>(std::min(m_next, m_lines.size() - 1) + 1); }

  bool Fail(std::string message) {
    m_diagnostics.push_back({m_lines.empty() ? 1 : LineNumber(), true, std::move(message)});
    return false;
  }

  void SkipToNextBlock() {
    while (!AtEnd() && (Peek().empty() || Peek().front() != '[')) ++m_next;
  }

  bool Line(std::string_view expected) {
    if (AtEnd() || Peek() != expected) {
      return Fail(expected.empty() ? "expected an empty line" : "expected " + Quoted(expected));
    }
    ++m_next;
    return true;
  }

  // The rest of the current line after `key`.
  bool Value(std::string_view key, std::string_view& value) {
    const std::string_view line = Peek();
    if (AtEnd() || line.substr(0, key.size()) != key) return Fail("expected " + Quoted(key));
    if (line.find('\r') != std::string_view::npos) return Fail("stray carriage return");
    value = line.substr(key.size());
    ++m_next;
    return true;
  }

  // A line `key` followed by exactly the given comma-separated numbers.
  bool Numbers(std::string_view key, std::initializer_list<Field> fields) {
    std::string_view value;
    if (!Value(key, value)) return false;
    --m_next;  // errors name this line
    const auto commas = static_cast<std::size_t>(std::count(value.begin(), value.end(), ','));
    if (commas + 1 != fields.size()) {
      const std::string what = key.empty() ? "a connection" : Quoted(key);
      return Fail(what + " needs " + std::to_string(fields.size()) + " numbers");
    }
    for (const Field& field : fields) {
      const std::size_t comma = value.find(',');
      const std::string_view part = Trim(value.substr(0, comma));
      const bool ok = field.length ? ParseThousandths(part, *field.target)
                                   : ParseWholeNumber(part, *field.target);
      if (!ok)
        return Fail(Quoted(part) + (field.length ? " is not a length" : " is not a whole number"));
      value.remove_prefix(comma == std::string_view::npos ? value.size() : comma + 1);
    }
    ++m_next;
    return true;
  }

  bool Header() {
    std::string_view description, background;
    if (!Line("[Header]") || !Value("Description=", description) ||
        !Value("Background=", background) || !Line("")) {
      return false;
    }
    m_track.description = description;
    m_track.background = background;
    return true;
  }

  bool OutlineBlock(bool feature) {
    Outline o;
    o.feature = feature;
    o.line = LineNumber();
    ++m_next;
    if (!Numbers("Id=", {{&o.id, false}})) return false;
    if (feature && !Numbers("Parent=", {{&o.parent, false}})) return false;
    if (!Numbers(
            "floor=",
            {{&o.floor.level, true}, {&o.floor.type.flag, false}, {&o.floor.type.code, false}}) ||
        !Numbers("ceiling=", {{&o.ceiling.level, true},
                              {&o.ceiling.type.flag, false},
                              {&o.ceiling.type.code, false}})) {
      return false;
    }
    while (!AtEnd() && !Peek().empty()) {
      Wall w;
      if (!Numbers("wall=",
                   {{&w.x, true}, {&w.y, true}, {&w.type.flag, false}, {&w.type.code, false}})) {
        return false;
      }
      o.walls.push_back(w);
    }
    if (!Line("")) return false;
    m_track.outlines.push_back(std::move(o));
    return true;
  }

  bool PlacementBlock(bool freeElement) {
    Placement p;
    p.line = LineNumber();
    ++m_next;
    if (!Numbers("Section=", {{&p.section, false}}) ||
        !Numbers("Position=", {{&p.x, true}, {&p.y, true}, {&p.z, true}}) ||
        !Numbers("Orientation=", {{&p.orientation, true}})) {
      return false;
    }
    const bool ok = freeElement
                        ? Numbers("Element_Type=", {{&p.type.flag, false}, {&p.type.code, false}})
                        : Numbers("Team=", {{&p.type.code, false}});
    if (!ok || !Line("")) return false;
    (freeElement ? m_track.freeElements : m_track.startingPositions).push_back(p);
    return true;
  }

  void ConnectionList() {
    ++m_next;
    while (!AtEnd() && !Peek().empty()) {
      Connection c;
      c.line = LineNumber();
      if (Numbers("",
                  {{&c.roomA, false}, {&c.wallA, false}, {&c.roomB, false}, {&c.wallB, false}})) {
        m_track.connections.push_back(c);
      } else {
        ++m_next;
      }
    }
    while (!AtEnd() && Peek().empty()) ++m_next;
    if (!AtEnd()) Fail("unexpected text after the connection list");
  }

  std::vector<std::string_view> m_lines;
  std::size_t m_next = 0;
  Diagnostics& m_diagnostics;
  TrackInput m_track;
};

}  // namespace

TrackInput ParseCompilerInput(std::string_view text, Diagnostics& diagnostics) {
  return Parser(text, diagnostics).Parse();
}

}  // namespace mapforge
