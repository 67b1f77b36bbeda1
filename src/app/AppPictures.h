#pragma once
#include <QIcon>
#include <QPixmap>

// The program's pictures, drawn rather than shipped as files.
QIcon AppIcon();
QPixmap AppPicture(QSize size);
// The mark beside a module button: lit while its panel is open.
QPixmap MarkPicture(bool lit);
