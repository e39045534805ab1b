#include "view/item_marks.h"

#include <QPainter>
#include <QStringList>
#include <cmath>
#include <numbers>
#include <vector>

#include "model/element_types.h"
#include "model/trasso_doc.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "platform/qt/windows1252.h"
#include "view/drawing_objects.h"
#include "view/mark_shapes.h"
#include "view/trasso_view.h"

namespace {
// The finish line is the one mark every race has; a single letter is enough.
constexpr int kFinishLineRow = 10;
// Sizes in logical units, so that the marks keep their physical size at
// every zoom and on paper: the direction line reaches well past the wedges,
// the text box sits above and right of the node's disc.
constexpr int kDirectionLength = 35;
constexpr int kTextGap = 3;
constexpr int kTextHeight = 30;
constexpr int kTextWidth = kItemMarkReach - kNodeRadius - kTextGap;
static_assert(kDirectionLength <= kItemMarkReach && kNodeRadius + kTextHeight <= kItemMarkReach);

QString MakeLabel(int row) {
  if (row == kFinishLineRow) return QStringLiteral("F");
  const QStringList words = ResText(g_itemTypes[row].nStringId).split(' ', Qt::SkipEmptyParts);
  if (words.isEmpty()) return QString();
  bool numbered = false;
  words.last().toInt(&numbered);
  if (numbered) return words.first().left(1) + words.last();
  QString label;
  for (const QString& word : words) label += word.front();
  return label;
}
}  // namespace

QString ItemLabel(int row) {
  static const std::vector<QString> labels = [] {
    std::vector<QString> made;
    for (int row = 0; row < g_nItemTypes; ++row) made.push_back(MakeLabel(row));
    return made;
  }();
  return row >= 0 && row < g_nItemTypes ? labels[row] : QString();
}

void DrawItemMarks(QPainter& painter, const CTrassoView& view, const QRect& visible,
                   double pixelsPerUnit) {
  QFont font = painter.font();
  font.setPixelSize(std::max(1, static_cast<int>(kTextHeight * 0.8 * pixelsPerUnit)));
  painter.setPen(GetDrawingObjects().outlinePen);
  const CTrassoDoc* doc = view.GetDocument();
  for (const std::uint32_t at : view.NodesNear(visible)) {
    const TSNode& node = *doc->m_nodeList[at];
    if (!node.m_pItem) continue;
    const QPoint p = view.WorldToLogical(node.m_x, node.m_y);
    if (!visible.contains(p)) continue;
    // Thousandths of a degree, counterclockwise from the x axis (y up).
    const double angle = node.m_pItem->m_nOrientation * 0.001 * std::numbers::pi / 180;
    painter.drawLine(QPointF(p),
                     QPointF(p) + kDirectionLength * QPointF(std::cos(angle), std::sin(angle)));
    // Text is drawn in device pixels, upright; the box is where the logical
    // box lands on the device, and the text is clipped to it.
    const QRectF box(p.x() + kNodeRadius + kTextGap, p.y() + kNodeRadius, kTextWidth, kTextHeight);
    const QRectF device = painter.transform().mapRect(box);
    painter.save();
    painter.resetTransform();
    painter.setFont(font);
    painter.drawText(device, Qt::AlignLeft | Qt::AlignBottom, ItemLabel(node.m_pItem->m_nType));
    painter.restore();
  }
}
