#pragma once
// What a change did to a track, told to the views and panels that show it, so
// that each redraws or refreshes only what it must and drops any node it holds
// that has left the track.

#include <vector>

class TSNode;

struct TrackChange {
  enum Kind : unsigned {
    kMoved = 1,       // node positions
    kAdded = 2,       // nodes, polygons, walls or items came into the track
    kRemoved = 4,     // ... or left it (they stay alive in the history)
    kAttributes = 8,  // textures, levels, item fields, track attributes
    kSelection = 16,  // the selection changed with no change to the track
  };
  unsigned kinds = 0;
  // Nodes that left the track; their memory is still valid when this is told.
  std::vector<const TSNode*> removedNodes;
  // Nodes that moved, each at least once; a node may be listed more than once.
  std::vector<const TSNode*> movedNodes;

  bool Has(Kind kind) const { return (kinds & kind) != 0; }
  bool Empty() const { return kinds == 0; }
};

class CTrackObserver {
 public:
  virtual void OnTrackChanged(const TrackChange& change) = 0;

 protected:
  ~CTrackObserver() = default;
};
