#pragma once

class QWidget;

// Content windows are registered with the white stock brush: fill the background white.
void SetWhiteBackground(QWidget* widget);
