#pragma once
// Views keep pointers to nodes (the path being traced, the node being
// dragged). The document tells every observer that implements this interface
// which nodes it is about to delete, while they are still alive, so that no
// view is left holding a dangling node, whichever view or operation caused
// the deletion.

#include <functional>

class TSNode;

class CNodeDeletionObserver {
 public:
  // Called before the nodes are deleted; `isDoomed` tells, for any node of the
  // document, whether it is one of them. A predicate rather than a list, so a
  // cut of the whole track builds no list of a hundred thousand nodes.
  virtual void OnDeletingNodes(const std::function<bool(const TSNode*)>& isDoomed) = 0;

 protected:
  ~CNodeDeletionObserver() = default;
};
