#include "cli/cli_commands.h"

#include "cli/example_track.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>

#include "compile/compile_command.h"
#include "compile/compiler_input.h"
#include "model/element_types.h"
#include "model/track_file.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/archive_exception.h"

namespace {
// Warnings one per line on standard error, as the editor would show them.
class CStandardErrorWarnings : public CCompilerWarnings {
 public:
  void ShowWarning(const std::string& text) override { std::cerr << text << "\n"; }
};

// The Compile command without dialogs: the output is fixed beforehand, and
// messages go to standard error.
class CCliCompileHost : public CCompileHost {
 public:
  explicit CCliCompileHost(std::string output) : m_output(std::move(output)) {}
  std::optional<std::string> AskOutputPath(const std::string& proposed) override {
    return m_output.empty() ? proposed : m_output;
  }
  void ShowMessage(const std::string& text, const std::string& details) override {
    std::cerr << text << "\n" << details;
    if (!details.empty() && details.back() != '\n') std::cerr << "\n";
    m_bShown = true;
  }
  void ShowWarning(const std::string& text) override { std::cerr << text << "\n"; }

  bool m_bShown = false;

 private:
  std::string m_output;
};

// The document, or null after "FILE: message" on standard error.
std::unique_ptr<CTrassoDoc> Load(const std::string& path) {
  try {
    return LoadTrackFile(path);
  } catch (const std::exception& e) {
    std::cerr << path << ": " << e.what() << "\n";
    return nullptr;
  }
}

std::size_t CountConnections(CTrassoDoc& doc) {
  class CIgnored : public CCompilerWarnings {
    void ShowWarning(const std::string&) override {}
  } ignored;
  std::ostringstream text;
  WriteCompilerInput(doc, text, ignored);
  const std::string input = text.str();
  const std::size_t list = input.find("\n[Connection_List]\n");
  std::size_t lines = 0;
  for (std::size_t at = input.find('\n', list + 1) + 1; at < input.size() && input[at] != '\n';
       at = input.find('\n', at) + 1) {
    ++lines;
  }
  return lines;
}
}  // namespace

int RunInput(const std::string& track) {
  const auto doc = Load(track);
  if (!doc) return 1;
  CStandardErrorWarnings warnings;
  if (!WriteCompilerInput(*doc, std::cout, warnings) || !std::cout.flush()) {
    std::cerr << "standard output: write error\n";
    return 1;
  }
  return 0;
}

int RunCompile(const std::string& track, const std::string& output) {
  const auto doc = Load(track);
  if (!doc) return 1;
  if (doc->GetPathName().empty()) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(track, error);
    if (error) {
      std::cerr << track << ": " << error.message() << "\n";
      return 1;
    }
    doc->SetPathName(absolute.string());
  }
  CCliCompileHost host(output);
  const CCompileOutcome outcome = OnCompile(*doc, host);
  if (outcome.m_result == CompileResult::kSucceeded) return 0;
  if (!host.m_bShown) std::cerr << outcome.m_strReason << "\n";
  return 1;
}

int RunResave(const std::string& input, const std::string& output) {
  const auto doc = Load(input);
  if (!doc) return 1;
  try {
    SaveTrackFile(*doc, output);
  } catch (const std::exception& e) {
    std::cerr << output << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}

int RunInfo(const std::string& track) {
  const auto doc = Load(track);
  if (!doc) return 1;
  std::size_t sections = 0, features = 0, walls = 0, items = 0, freeElements = 0;
  for (const auto& polygon : doc->m_polygonList) {
    ++(polygon->m_bFeature ? features : sections);
    walls += polygon->m_wallList.size();
  }
  std::set<int> starts;
  for (const auto& node : doc->m_nodeList) {
    if (!node->m_pItem) continue;
    ++items;
    const int type = node->m_pItem->m_nType;
    if (type < 0 || type >= g_nItemTypes) continue;
    if (g_itemTypes[type].nFlag == 0)
      starts.insert(type + 1);
    else
      ++freeElements;
  }
  std::string present;
  for (int number : starts) present += (present.empty() ? "" : ", ") + std::to_string(number);
  std::cout << "nodes: " << doc->m_nodeList.size() << "\nsections: " << sections
            << "\nfeatures: " << features << "\nwalls: " << walls << "\nitems: " << items
            << "\nstarting positions: " << (present.empty() ? "none" : present)
            << "\nfree elements: " << freeElements << "\nconnections: " << CountConnections(*doc)
            << "\n";
  return 0;
}

int RunExample(const std::string& output) {
  CTrassoDoc doc;
  BuildExampleTrack(doc);
  try {
    SaveTrackFile(doc, output);
  } catch (const std::exception& e) {
    std::cerr << output << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
