#include "view/zoom_bar.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSlider>
#include <algorithm>
#include <cmath>

#include "platform/qt/dialog_units.h"
#include "view/trasso_view.h"

namespace {
// The bar's layout in dialog units: the bar 17 × 83, the picture at (6, 5),
// the slider at (1, 11) size 14 × 71.
constexpr int kBarWidth = 17, kBarHeight = 83;
constexpr QRect kPicture(6, 5, 6, 6);
constexpr QRect kSlider(1, 11, 14, 71);
constexpr int kPictureSize = 12;  // pixels

QPixmap MagnifyingGlass() {
  QPixmap pixmap(kPictureSize, kPictureSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1.5));
  painter.setBrush(QColor(200, 230, 255));
  painter.drawEllipse(QRectF(1, 1, 7, 7));
  painter.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(7.5, 7.5), QPointF(10.5, 10.5));
  return pixmap;
}
}  // namespace

double SliderToZoom(int position) {
  return std::pow(10.0, (33 - position) * 0.030303030303030304);
}

int ZoomToSlider(double zoom) {
  const double position = std::trunc(33 - 33 * std::log10(zoom));
  // Zooms beyond the slider's ends, and nonsense such as 0, show at its ends.
  if (!(position > 0)) return 0;
  return position >= 100 ? 100 : static_cast<int>(position);
}

double StepZoom(double zoom, int steps) {
  const double exact = 33 - 33 * std::log10(zoom);
  const double nearest = std::round(exact);
  // A zoom set from a slider position computes back to that position only
  // within rounding.
  double from = nearest;
  if (std::abs(exact - nearest) > 1e-6) from = steps > 0 ? std::ceil(exact) : std::floor(exact);
  return SliderToZoom(static_cast<int>(std::clamp(from - steps, 0.0, 100.0)));
}

CZoomBar::CZoomBar(QWidget* parent)
    : QWidget(parent), m_wndSlider(new QSlider(Qt::Vertical, this)) {
  const CDialogUnits units(font());
  setFixedSize(units.ToPixels(QSize(kBarWidth, kBarHeight)));

  auto* picture = new QLabel(this);
  picture->setPixmap(MagnifyingGlass());
  const QRect pictureRect = units.ToPixels(kPicture);
  picture->setGeometry(QRect(pictureRect.topLeft(), QSize(kPictureSize, kPictureSize)));

  m_wndSlider->setGeometry(units.ToPixels(kSlider));
  m_wndSlider->setRange(0, 100);
  // A click in the channel or Page Up/Down moves a fifth of the range, as the
  // platform's track bars do (Qt's own page step is a tenth).
  m_wndSlider->setPageStep(20);
  // Position 0 at the top, and the up key moves the thumb up.
  m_wndSlider->setInvertedAppearance(true);
  m_wndSlider->setInvertedControls(true);
  m_wndSlider->setTickPosition(QSlider::NoTicks);
  m_wndSlider->setEnabled(false);
  connect(m_wndSlider, &QAbstractSlider::actionTriggered, this, &CZoomBar::OnVScroll);
  connect(m_wndSlider, &QAbstractSlider::sliderReleased, this, &CZoomBar::OnVScroll);
}

void CZoomBar::AttachView(CTrassoView* view) {
  if (view == m_pView) return;
  m_pView = view;
  m_wndSlider->setEnabled(view != nullptr);
  if (view) m_wndSlider->setValue(ZoomToSlider(view->GetZoom()));
}

void CZoomBar::FollowView(const CTrassoView* view) {
  if (view && view == m_pView) m_wndSlider->setValue(ZoomToSlider(view->GetZoom()));
}

void CZoomBar::DetachView(CTrassoView* view) {
  if (view != m_pView) return;
  m_wndSlider->setEnabled(false);
  m_pView = nullptr;
}

// Every notification of the slider zooms the attached view, whatever the user
// did, even when the position did not change.
void CZoomBar::OnVScroll() {
  const double zoom = SliderToZoom(m_wndSlider->sliderPosition());
  if (!m_pView) return;
  m_pView->SetZoom(zoom);
  m_pView->OnUpdate(nullptr, 0, nullptr);
}
