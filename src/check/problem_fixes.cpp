#include "check/problem_fixes.h"

#include <vector>

#include "model/step_scope.h"
#include "model/trasso_doc.h"
#include "model/ts_node.h"
#include "platform/string_table.h"

namespace {
enum : int {
  IDS_FIX_UNUSED_NODE = 12974,
  IDS_FIX_REPEATED_START = 12975,
};
}  // namespace

bool HasSafeFix(const TrackProblem& problem) {
  return problem.kind == ProblemKind::kUnusedNode || problem.kind == ProblemKind::kStartRepeated;
}

void ApplySafeFix(CTrassoDoc& doc, const TrackProblem& problem) {
  if (!HasSafeFix(problem)) return;
  // The nodes to clear: the unused node, or every repeat after the first.
  std::vector<TSNode*> nodes;
  for (std::size_t i = problem.kind == ProblemKind::kStartRepeated ? 1 : 0;
       i < problem.objects.size(); ++i) {
    nodes.push_back(problem.objects[i].node);
  }
  const bool unused = problem.kind == ProblemKind::kUnusedNode;
  CStepScope step(
      doc, std::string(LoadResString(unused ? IDS_FIX_UNUSED_NODE : IDS_FIX_REPEATED_START)));
  doc.ClearSelection(false);
  bool deleting = false;
  for (TSNode* node : nodes) {
    // A node of its own goes with its item; one that anchors walls keeps them.
    if (node->m_wallList.empty()) {
      doc.Select(*node);
      deleting = true;
    } else {
      doc.DetachItem(node);
    }
  }
  if (deleting) doc.DeleteSelection();
}
