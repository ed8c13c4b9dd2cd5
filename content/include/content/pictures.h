#pragma once
// The pictures and the icon, by resource path. The files are generated from the SVG sources
// beside them by tools/make-pictures.
#include <QString>

namespace content {

inline const QString StartPicture = QStringLiteral(":/pictures/start.jpg");
inline const QString PassPicture = QStringLiteral(":/pictures/pass.jpg");
inline const QString FailPicture = QStringLiteral(":/pictures/fail.jpg");
inline const QString AuthorPortrait = QStringLiteral(":/pictures/author.jpg");
inline const QString FormIcon = QStringLiteral(":/icon/form-icon.ico");

}  // namespace content
