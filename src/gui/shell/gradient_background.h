#pragma once

// The main window's client area: with the colour background on, a vertical
// gradient of blue in equal bands, black at the top and full blue at the
// bottom; otherwise the window colour.

#include <QColor>
#include <QWidget>

namespace quandrel {

class TGradientBackground : public QWidget {
  Q_OBJECT

 public:
  explicit TGradientBackground(QWidget* parent = nullptr);

  void SetGradient(bool on);
  bool Gradient() const { return m_gradient; }

  // 256 bands, or 128 on displays of 256 colours or fewer.
  static int BandCount(int colourDepth);
  // The colour of band `band` of `bands`: blue rising from 0 to 255.
  static QColor BandColour(int band, int bands);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool m_gradient = false;
};

}  // namespace quandrel
