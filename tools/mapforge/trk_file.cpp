#include "trk_file.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace mapforge {
namespace {
constexpr char kMagic[4] = {'V', 'T', 'R', 'K'};
constexpr std::uint16_t kVersion = 1;
// The smallest size of each record, so that a count can be checked against
// the bytes left before anything is allocated for it.
constexpr std::size_t kOutlineSize = 1 + 4 * 9;
constexpr std::size_t kWallSize = 4 * 4;
constexpr std::size_t kStartSize = 4 * 6;
constexpr std::size_t kElementSize = 4 * 7;
constexpr std::size_t kConnectionSize = 4 * 4;

class Writer {
 public:
  void U8(std::uint8_t v) { m_bytes += static_cast<char>(v); }
  void U16(std::uint16_t v) {
    for (int i = 0; i < 2; ++i) U8(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) U8(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void Text(const std::string& s) {
    U32(static_cast<std::uint32_t>(s.size()));
    m_bytes += s;
  }
  void Pair(const mapforge::Pair& p) {
    I32(p.flag);
    I32(p.code);
  }
  std::string m_bytes;
};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
  bool Ok() const { return m_ok; }
  std::size_t Left() const { return m_bytes.size(); }

  std::uint32_t U(int size) {
    if (m_bytes.size() < static_cast<std::size_t>(size)) {
      m_ok = false;
      m_bytes = {};
      return 0;
    }
    std::uint32_t v = 0;
    for (int i = 0; i < size; ++i)
      v |= std::uint32_t{static_cast<unsigned char>(m_bytes[i])} << (8 * i);
    m_bytes.remove_prefix(static_cast<std::size_t>(size));
    return v;
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U(4)); }
  std::string Text() {
    const std::uint32_t size = U(4);
    if (size > m_bytes.size()) m_ok = false;
    if (!m_ok) return {};
    std::string s(m_bytes.substr(0, size));
    m_bytes.remove_prefix(size);
    return s;
  }
  mapforge::Pair Pair() {
    mapforge::Pair p;
    p.flag = I32();
    p.code = I32();
    return p;
  }
  // A record count, refused when the records could not fit in what is left.
  std::size_t Count(std::size_t recordSize) {
    const std::uint32_t n = U(4);
    if (n > m_bytes.size() / recordSize) m_ok = false;
    return m_ok ? n : 0;
  }

 private:
  std::string_view m_bytes;
  bool m_ok = true;
};

void WritePlacement(Writer& w, const Placement& p, bool element) {
  w.I32(p.section);
  w.I32(p.x);
  w.I32(p.y);
  w.I32(p.z);
  w.I32(p.orientation);
  if (element)
    w.Pair(p.type);
  else
    w.I32(p.type.code);
}

Placement ReadPlacement(Reader& r, bool element) {
  Placement p;
  p.section = r.I32();
  p.x = r.I32();
  p.y = r.I32();
  p.z = r.I32();
  p.orientation = r.I32();
  if (element)
    p.type = r.Pair();
  else
    p.type.code = r.I32();
  return p;
}

void WriteOutline(Writer& w, const Outline& o) {
  w.U8(o.feature ? 1 : 0);
  w.I32(o.id);
  w.I32(o.feature ? o.parent : 0);
  for (const Surface* s : {&o.floor, &o.ceiling}) {
    w.I32(s->level);
    w.Pair(s->type);
  }
  w.U32(static_cast<std::uint32_t>(o.walls.size()));
  for (const Wall& wall : o.walls) {
    w.I32(wall.x);
    w.I32(wall.y);
    w.Pair(wall.type);
  }
}

bool ReadOutline(Reader& r, Outline& o) {
  const std::uint32_t kind = r.U(1);
  if (kind > 1) return false;
  o.feature = kind == 1;
  o.id = r.I32();
  o.parent = r.I32();
  for (Surface* s : {&o.floor, &o.ceiling}) {
    s->level = r.I32();
    s->type = r.Pair();
  }
  o.walls.resize(r.Count(kWallSize));
  for (Wall& wall : o.walls) {
    wall.x = r.I32();
    wall.y = r.I32();
    wall.type = r.Pair();
  }
  return r.Ok();
}

// Thousandths as a decimal with three places, exactly.
std::string Length(std::int32_t value) {
  const long long v = value;
  const long long magnitude = v < 0 ? -v : v;
  char text[32];
  std::snprintf(text, sizeof text, "%s%lld.%03lld", v < 0 ? "-" : "", magnitude / 1000,
                magnitude % 1000);
  return text;
}

std::string PairText(const Pair& p) {
  char text[32];
  std::snprintf(text, sizeof text, "(%d, %d)", p.flag, p.code);
  return text;
}

std::string PlacementText(const Placement& p) {
  return " in room " + std::to_string(p.section) + " at " + Length(p.x) + ", " + Length(p.y) +
         ", " + Length(p.z) + " angle " + Length(p.orientation) + "\n";
}
}  // namespace

std::string EncodeTrk(const TrackInput& track) {
  Writer w;
  for (char c : kMagic) w.U8(static_cast<std::uint8_t>(c));
  w.U16(kVersion);
  w.U16(0);
  w.Text(track.description);
  w.Text(track.background);
  w.U32(static_cast<std::uint32_t>(track.outlines.size()));
  for (const Outline& o : track.outlines) WriteOutline(w, o);
  w.U32(static_cast<std::uint32_t>(track.startingPositions.size()));
  for (const Placement& p : track.startingPositions) WritePlacement(w, p, false);
  w.U32(static_cast<std::uint32_t>(track.freeElements.size()));
  for (const Placement& p : track.freeElements) WritePlacement(w, p, true);
  w.U32(static_cast<std::uint32_t>(track.connections.size()));
  for (const Connection& c : track.connections) {
    for (std::int32_t v : {c.roomA, c.wallA, c.roomB, c.wallB}) w.I32(v);
  }
  return std::move(w.m_bytes);
}

bool DecodeTrk(std::string_view bytes, TrackInput& track, std::string& error) {
  track = {};
  if (bytes.size() < 8 || std::memcmp(bytes.data(), kMagic, 4) != 0) {
    error = "not a .trk file";
    return false;
  }
  Reader r(bytes.substr(4));
  if (r.U(2) != kVersion || r.U(2) != 0) {
    error = "unknown .trk version";
    return false;
  }
  track.description = r.Text();
  track.background = r.Text();
  track.outlines.resize(r.Count(kOutlineSize));
  for (Outline& o : track.outlines) {
    if (!ReadOutline(r, o)) {
      error = "damaged or truncated";
      return false;
    }
  }
  track.startingPositions.resize(r.Count(kStartSize));
  for (Placement& p : track.startingPositions) p = ReadPlacement(r, false);
  track.freeElements.resize(r.Count(kElementSize));
  for (Placement& p : track.freeElements) p = ReadPlacement(r, true);
  track.connections.resize(r.Count(kConnectionSize));
  for (Connection& c : track.connections) {
    c.roomA = r.I32();
    c.wallA = r.I32();
    c.roomB = r.I32();
    c.wallB = r.I32();
  }
  if (!r.Ok() || r.Left() != 0) {
    error = r.Ok() ? "unexpected bytes after the end" : "damaged or truncated";
    return false;
  }
  return true;
}

std::string DumpTrk(const TrackInput& track) {
  std::string text =
      "description: " + track.description + "\nbackground: " + track.background + "\n";
  for (const Outline& o : track.outlines) {
    text += (o.feature ? "feature " : "room ") + std::to_string(o.id);
    if (o.feature) text += " in room " + std::to_string(o.parent);
    text += ": floor " + Length(o.floor.level) + " " + PairText(o.floor.type) + ", ceiling " +
            Length(o.ceiling.level) + " " + PairText(o.ceiling.type) + "\n";
    for (std::size_t i = 0; i < o.walls.size(); ++i) {
      const Wall& w = o.walls[i];
      text += "  wall " + std::to_string(i) + ": " + Length(w.x) + ", " + Length(w.y) + " " +
              PairText(w.type) + "\n";
    }
  }
  for (const Placement& p : track.startingPositions) {
    text += "start " + std::to_string(p.type.code) + PlacementText(p);
  }
  for (const Placement& p : track.freeElements)
    text += "element " + PairText(p.type) + PlacementText(p);
  for (const Connection& c : track.connections) {
    text += "connection: room " + std::to_string(c.roomA) + " wall " + std::to_string(c.wallA) +
            " - room " + std::to_string(c.roomB) + " wall " + std::to_string(c.wallB) + "\n";
  }
  return text;
}

}  // namespace mapforge
