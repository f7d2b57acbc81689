#pragma once

#include <QString>
#include <QStringView>

class QPainter;
class QRect;
class QWidget;

// The panels' common window setup: the control identifier as object name, a white background
// where the rounded band leaves the corners.
void SetUpPanel(QWidget* panel, int id);

// The rounded, page-coloured strip behind the title bar ("title") and the bottom panel ("btn").
// Sections without colour entries paint the skin's warning colour.
void PaintBand(QPainter& painter, const QRect& rect, const QString& section, QStringView band);
