#include "gui/shell/gradient_background.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

namespace quandrel {

TGradientBackground::TGradientBackground(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlBackground"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGradientBackground::SetGradient(bool on) {
  if (m_gradient != on) {
    m_gradient = on;
    update();
  }
}

int TGradientBackground::BandCount(int colourDepth) {
  return colourDepth > 0 && colourDepth <= 8 ? 128 : 256;
}

QColor TGradientBackground::BandColour(int band, int bands) {
  if (bands <= 1) {
    return QColor(0, 0, 255);
  }
  return QColor(0, 0, band * 255 / (bands - 1));
}

void TGradientBackground::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (!m_gradient) {
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    return;
  }
  // The height is cut into equal bands; band i spans [i*h/n, (i+1)*h/n), so
  // the bands cover the area without gaps whatever its height.
  const int bands = BandCount(QPixmap::defaultDepth());
  const int width = this->width();
  const long long height = this->height();
  for (int band = 0; band < bands; ++band) {
    const int top = static_cast<int>(band * height / bands);
    const int bottom = static_cast<int>((band + 1) * height / bands);
    if (bottom > top) {
      painter.fillRect(0, top, width, bottom - top, BandColour(band, bands));
    }
  }
}

}  // namespace quandrel
