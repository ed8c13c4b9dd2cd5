#pragma once
// What a screen reader says of each picture, by resource path. None of it is drawn.

#include <QHash>
#include <QString>

namespace content {

QHash<QString, QString> pictureDescriptions();

}  // namespace content
