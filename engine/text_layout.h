#pragma once
// The rules for laying out a caption into lines: CR LF ends a line; words are set one after
// another with the blanks between them while they fit; a line breaks at a run of blanks, which is
// not drawn; every other blank, leading ones included, keeps its full width.

#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

namespace engine {

// The width of a piece of text, in the same unit as the available width.
using MeasureText = std::function<double(QStringView)>;

std::vector<QString> layoutText(QStringView text, double width, const MeasureText& measure);

}  // namespace engine
