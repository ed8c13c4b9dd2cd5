#pragma once
// The pictures and the icon, by resource path. Empty: not drawn yet.
#include <QString>

namespace content {

inline const QString StartPicture;
inline const QString PassPicture;
inline const QString FailPicture;
inline const QString AuthorPortrait;
inline const QString FormIcon;

}  // namespace content
