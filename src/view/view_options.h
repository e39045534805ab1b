#pragma once
// The drawing options the user picks in the View menu. They hold for every
// view of every track; the application keeps them between runs.

struct CViewOptions {
  // Each item shows a short label of its type and a line along its direction.
  bool bItemLabels = false;
  // Zoomed out so far that node discs would cover their neighbours, nodes
  // show as single pixels and the wall wedges are left out.
  bool bCompactMarks = false;
  bool operator==(const CViewOptions&) const = default;
};

// All off until set.
const CViewOptions& GetViewOptions();
// Takes the options and repaints every view that they change.
void SetViewOptions(const CViewOptions& options);
