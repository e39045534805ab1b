#pragma once
// The zoom bar: a vertical slider 0 to 100 (0 at the top, the greatest zoom)
// under a small magnifying glass. It drives one view at a time, the active one,
// and is disabled while no view is attached.

#include <QWidget>

class CTrassoView;
class QLabel;
class QSlider;

// Slider position p and zoom z are tied by z = 10^((33 − p) / 33): 33 is zoom
// 1, 0 is zoom 10, 100 about 0.009326. The way back truncates toward zero.
double SliderToZoom(int position);
int ZoomToSlider(double zoom);
// The zoom `steps` slider positions nearer (steps > 0) or farther than `zoom`,
// within the slider's ends. A zoom between two positions first goes to the
// one beyond it, so every step changes the zoom.
double StepZoom(double zoom, int steps);

class CZoomBar : public QWidget {
  Q_OBJECT

 public:
  explicit CZoomBar(QWidget* parent = nullptr);

  // Makes `view` the driven view and shows its zoom; null disables the bar.
  // Nothing happens when `view` is already attached.
  void AttachView(CTrassoView* view);
  // Only the attached view detaches; the slider keeps its position.
  void DetachView(CTrassoView* view);
  CTrassoView* GetView() const { return m_pView; }
  // Moves the slider to the zoom of `view` when it is the attached view; the
  // view is not zoomed again.
  void FollowView(const CTrassoView* view);

  QSlider* m_wndSlider;
  CTrassoView* m_pView = nullptr;

 private:
  void OnVScroll();
};
