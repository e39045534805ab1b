#include "view/view_options.h"

#include "view/trasso_view.h"

namespace {
CViewOptions g_viewOptions;
}  // namespace

const CViewOptions& GetViewOptions() {
  return g_viewOptions;
}

void SetViewOptions(const CViewOptions& options) {
  g_viewOptions = options;
  // A view's record of what it shows holds the options it was drawn with,
  // so the comparison asks for the whole view whenever they differ.
  for (CTrassoView* view : CTrassoView::s_allViews) view->update(view->TakeChangedArea());
}
