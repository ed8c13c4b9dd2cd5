#pragma once
// How the graphical controls and the captions of check boxes are drawn.

#include <QImage>
#include <QPainter>

#include "properties.h"
#include "text_layout.h"

namespace engine {

struct LiveControl;

// Check box geometry, in pixels: the tick box at the left edge, the caption beside it.
inline constexpr int tickBoxSize = 13;
inline constexpr int checkCaptionLeft = 18;
// A rounded rectangle's corner radius, as a share of its shorter side.
inline constexpr double cornerRadiusShare = 0.1;

// The lines of a label's or check box's caption in its font and available width.
std::vector<QString> captionLines(ControlKind kind, const ControlProperties& p);
// The width available to a caption, in pixels.
double captionWidth(ControlKind kind, const ControlProperties& p);
double lineHeight(const QFont& font);

// Draws lines of text from the top of `area`, each placed by the alignment.
void drawLines(QPainter& painter, const QRectF& area, const std::vector<QString>& lines,
               const QFont& font, Alignment alignment);

void drawShape(QPainter& painter, const ControlProperties& p);
void drawImage(QPainter& painter, const ControlProperties& p, const QImage& picture);
void drawLabel(QPainter& painter, const LiveControl& label);

}  // namespace engine
