#pragma once

#include <QString>
#include <QStringView>

class QPainter;
class QRect;

// The rounded, page-coloured strip behind the title bar ("title") and the bottom panel ("btn").
// Sections without colour entries paint the skin's warning colour.
void PaintBand(QPainter& painter, const QRect& rect, const QString& section, QStringView band);
