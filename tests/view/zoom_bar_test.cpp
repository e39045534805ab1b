#include <gtest/gtest.h>

#include <QSlider>

#include "view_fixture.h"

TEST(ZoomBar, SliderAndZoomAreTiedWithTruncation) {
  EXPECT_EQ(SliderToZoom(33), 1.0);
  EXPECT_NEAR(SliderToZoom(0), 10.0, 1e-12);
  EXPECT_NEAR(SliderToZoom(66), 0.1, 1e-12);
  EXPECT_NEAR(SliderToZoom(100), 0.009326, 1e-6);
  EXPECT_EQ(ZoomToSlider(1.0), 33);
  EXPECT_EQ(ZoomToSlider(2.0), 23);
  EXPECT_EQ(ZoomToSlider(0.5), 42);
  EXPECT_EQ(ZoomToSlider(10.0), 0);
  // Zooms no slider position stands for show at the ends.
  EXPECT_EQ(ZoomToSlider(50.0), 0);
  EXPECT_EQ(ZoomToSlider(0.0), 100);
  EXPECT_EQ(ZoomToSlider(-1.0), 0);
}

TEST(ZoomBar, AttachShowsTheViewsZoomAndDetachDisables) {
  FakeServices services;
  CZoomBar& bar = *services.m_zoom;
  QSlider& slider = *bar.m_wndSlider;
  EXPECT_FALSE(slider.isEnabled());
  EXPECT_EQ(slider.minimum(), 0);
  EXPECT_EQ(slider.maximum(), 100);

  CTrassoDoc doc;
  auto frame = ShowFrame(doc);
  CTrassoView& view = *Pane(*frame);
  bar.DetachView(&view);  // the frame's first view may have taken the bar already
  view.SetZoom(0.5);
  bar.AttachView(&view);
  EXPECT_TRUE(slider.isEnabled());
  EXPECT_EQ(slider.value(), 42);

  // Attaching the same view again does not re-read its zoom.
  view.SetZoom(2);
  bar.AttachView(&view);
  EXPECT_EQ(slider.value(), 42);

  CTrassoView other(&doc, nullptr);
  bar.DetachView(&other);
  EXPECT_EQ(bar.GetView(), &view);
  bar.DetachView(&view);
  EXPECT_EQ(bar.GetView(), nullptr);
  EXPECT_FALSE(slider.isEnabled());
  EXPECT_EQ(slider.value(), 42);
}

TEST(ZoomBar, MovingTheSliderZoomsTheAttachedView) {
  FakeServices services;
  CZoomBar& bar = *services.m_zoom;
  CTrassoDoc doc;
  auto frame = ShowFrame(doc);
  CTrassoView& view = *Pane(*frame);
  bar.AttachView(&view);

  bar.m_wndSlider->triggerAction(QAbstractSlider::SliderSingleStepSub);  // up: zoom in
  EXPECT_EQ(bar.m_wndSlider->value(), 32);
  EXPECT_DOUBLE_EQ(view.GetZoom(), SliderToZoom(32));
  // The view updated its ranges for the new zoom.
  const int max = TruncateToTrackLength(200000 * view.m_dScale + 80);
  EXPECT_EQ(view.GetScrollBarCtrl(SB_HORZ)->GetScrollInfo().nMax, max);

  bar.m_wndSlider->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_NEAR(view.GetZoom(), 0.009326, 1e-6);
}
