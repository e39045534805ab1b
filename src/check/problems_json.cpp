#include "check/problems_json.h"

#include <concepts>
#include <cstdio>

#include "platform/windows1252.h"

namespace {
// A quoted JSON string of Windows-1252 text: quotes, backslashes and the
// control characters below 0x20 escaped, everything else UTF-8.
std::string Quoted(const std::string& text) {
  std::string json = "\"";
  for (const char c : Windows1252ToUtf8(text)) {
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[7];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          json += escaped;
        } else {
          json += c;
        }
    }
  }
  return json + '"';
}

std::string Field(const char* name, const std::string& value) {
  return std::string("\"") + name + "\":" + value;
}

std::string Field(const char* name, std::integral auto value) {
  return Field(name, std::to_string(value));
}

std::string ObjectJson(const ProblemObject& object) {
  using Type = ProblemObject::Type;
  std::string json = "{\"type\":";
  switch (object.type) {
    case Type::kSection:
      json += "\"section\"," + Field("number", object.number);
      break;
    case Type::kFeature:
      json += "\"feature\"," + Field("number", object.number);
      break;
    case Type::kWall:
      json += "\"wall\",";
      json += Field(object.polygonIsFeature ? "feature" : "section", object.number) + ',';
      json += Field("wall", object.wallNumber);
      break;
    case Type::kNode:
      json += "\"node\"," + Field("number", object.number);
      break;
    case Type::kItem:
      json += "\"item\"," + Field("name", Quoted(object.itemName)) + ',';
      json += Field("node", object.number);
      break;
  }
  return json + '}';
}

std::string ProblemJson(const TrackProblem& problem) {
  const char* severity = problem.severity == ProblemSeverity::kError ? "error" : "warning";
  std::string json = '{' + Field("severity", Quoted(severity)) + ',' +
                     Field("kind", Quoted(ProblemKindName(problem.kind))) + ',' +
                     Field("text", Quoted(problem.text)) + ",\"objects\":[";
  for (std::size_t i = 0; i < problem.objects.size(); ++i) {
    if (i) json += ',';
    json += ObjectJson(problem.objects[i]);
  }
  return json + "]}";
}
}  // namespace

std::string ProblemsJson(const std::vector<TrackProblem>& problems) {
  std::string json = "{\"problems\":[";
  for (std::size_t i = 0; i < problems.size(); ++i) {
    if (i) json += ',';
    json += ProblemJson(problems[i]);
  }
  return json + "]," + Field("errors", CountProblems(problems, ProblemSeverity::kError)) + ',' +
         Field("warnings", CountProblems(problems, ProblemSeverity::kWarning)) + '}';
}
