#pragma once
// Views keep pointers to nodes (the path being traced, the node being
// dragged). The document tells every observer that implements this interface
// which nodes it is about to delete, while they are still alive, so that no
// view is left holding a dangling node, whichever view or operation caused
// the deletion.

#include <vector>

class TSNode;

class CNodeDeletionObserver {
 public:
  // Called before the nodes are deleted; the list holds each node once.
  virtual void OnDeletingNodes(const std::vector<const TSNode*>& nodes) = 0;

 protected:
  ~CNodeDeletionObserver() = default;
};
